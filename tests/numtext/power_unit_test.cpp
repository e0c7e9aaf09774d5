#include "numtext/power_unit.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "doubles.h"

namespace {

using numtext::PowerScale;
using numtext::PowerUnit;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

struct ScaleCase {
  const char* Name;
  PowerUnit Unit;
  double Magnitude;
  PowerScale Expected;
};
void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.Name; }

class ScaleForRow : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleForRow, PicksThePrefixBySize) {
  EXPECT_EQ(numtext::ScaleFor(GetParam().Unit, GetParam().Magnitude), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScaleForRow,
    testing::Values(ScaleCase{"Zero", PowerUnit::Watts, 0.0, PowerScale::W},
                    ScaleCase{"JustBelowKilo", PowerUnit::Watts, 999.999, PowerScale::W},
                    ScaleCase{"Kilo", PowerUnit::Watts, 1e3, PowerScale::KW},
                    ScaleCase{"JustBelowMega", PowerUnit::Watts, 999999.0, PowerScale::KW},
                    ScaleCase{"Mega", PowerUnit::Watts, 1e6, PowerScale::MW},
                    ScaleCase{"InfinityInMega", PowerUnit::Watts, kInf, PowerScale::MW},
                    ScaleCase{"NanInMega", PowerUnit::Watts, kNan, PowerScale::MW},
                    ScaleCase{"DbmWhateverSize", PowerUnit::Dbm, 1e9, PowerScale::Dbm},
                    ScaleCase{"DbwSmall", PowerUnit::Dbw, 0.0, PowerScale::Dbw},
                    ScaleCase{"DbkwNan", PowerUnit::Dbkw, kNan, PowerScale::Dbkw}),
    [](const testing::TestParamInfo<ScaleCase>& row) { return std::string(row.param.Name); });

TEST(PowerUnit, ScalesAsTheCellsShowThem) {
  // 992.32 W is 0.99232 kW, 992320 mW; a decibel scale takes the logarithm afterwards.
  EXPECT_EQ(numtext::ToScale(PowerScale::KW, 1500.0), 1.5);
  EXPECT_EQ(numtext::ToScale(PowerScale::MW, 2.5e6), 2.5);
  EXPECT_EQ(numtext::ToScale(PowerScale::Dbm, 2.0), 2000.0);
  EXPECT_EQ(numtext::ToScale(PowerScale::Dbkw, 10.0), 0.01);
  EXPECT_DOUBLE_EQ(numtext::InScale(PowerScale::Dbm, 1.0), 30.0);
  EXPECT_DOUBLE_EQ(numtext::InScale(PowerScale::Dbkw, 1e4), 10.0);
  EXPECT_EQ(numtext::InScale(PowerScale::Dbw, 0.0), -kInf);
  EXPECT_TRUE(zephlane_test::SameBits(kNan, numtext::InScale(PowerScale::Dbw, -1.0)));
  EXPECT_EQ(numtext::InScale(PowerScale::W, -3.0), -3.0);
}

TEST(PowerUnit, NamesAndIndexesRoundTrip) {
  for (const char* name : {"W", "dBm", "dBW", "dBkW"}) {
    const auto unit = numtext::FindPowerUnit(name);
    ASSERT_TRUE(unit.has_value()) << name;
    EXPECT_EQ(numtext::ScaleName(numtext::ScaleFor(*unit, 0.0)), name);
    EXPECT_EQ(numtext::PowerUnitOfIndex(static_cast<std::int32_t>(*unit)), unit);
  }
  EXPECT_FALSE(numtext::FindPowerUnit("kW"));  // a prefix, not a unit the user picks
  EXPECT_FALSE(numtext::FindPowerUnit("dbm"));
  EXPECT_FALSE(numtext::PowerUnitOfIndex(-1));
  EXPECT_FALSE(numtext::PowerUnitOfIndex(4));
}

}  // namespace
