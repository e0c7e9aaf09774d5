#include "analysis/coupler_design.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

#include "worked_example.h"

namespace {

using test_support::Setup;
using test_support::WorkedModel;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ErrorWithDirectivity(rf::ModelState m, double dirDb) {
  m.CplIdeal = false;
  m.CplDirDb = dirDb;
  rf::ComputeMeasurement(m);
  return analysis::AbsorbedReadingError(m);
}

struct DirRow {
  std::string name;
  Setup setup;
  double target;
  double expected;  // dB, worked by hand from the quadratic d^2 + 4dM/(1-M^2) = target
};

void PrintTo(const DirRow& row, std::ostream* os) { *os << row.name; }

class DesignDirectivity : public testing::TestWithParam<DirRow> {};

TEST_P(DesignDirectivity, FedBackGivesTheTargetError) {
  const rf::ModelState m = WorkedModel(GetParam().setup);
  const auto dir = analysis::DesignDirectivity(m, GetParam().target);
  ASSERT_TRUE(dir.has_value());
  EXPECT_NEAR(*dir, GetParam().expected, 5e-5);
  const double e = ErrorWithDirectivity(m, *dir);
  EXPECT_LE(e, GetParam().target);
  if (*dir > 0.0) {
    EXPECT_NEAR(e, GetParam().target, 1e-12);
    EXPECT_GT(ErrorWithDirectivity(m, *dir - 1e-6), GetParam().target);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignDirectivity,
    testing::Values(DirRow{"FirstStartFivePercent", {}, 0.05, 34.600413},
                    DirRow{"MatchedLoadOnePercent", {.load = 0.0}, 0.01, 20.0},
                    DirRow{"MatchedLoadHundredPercent", {.load = 0.0}, 1.0, 0.0},
                    DirRow{"HighSwrTenthPercent", {.load = 0.9}, 0.001, 85.551002}),
    [](const auto& row) { return row.param.name; });

// The power level plays no part: a totally reflecting source, whose powers are undefined, and
// a magnetron switched off get the answer of the first-start load.
TEST(DesignDirectivityLimits, PowerLevelPlaysNoPart) {
  const auto firstStart = analysis::DesignDirectivity(WorkedModel({}), 0.05);
  EXPECT_EQ(analysis::DesignDirectivity(WorkedModel({.src = 1.0}), 0.05), firstStart);
  rf::ModelState off = WorkedModel({});
  off.Va = 0;
  rf::ComputeTransmission(off);
  EXPECT_EQ(analysis::DesignDirectivity(off, 0.05), firstStart);
  EXPECT_EQ(analysis::DesignLoadSwr(WorkedModel({.src = 1.0, .dirDb = 20.0}), 0.1),
            analysis::DesignLoadSwr(WorkedModel({.dirDb = 20.0}), 0.1));
}

TEST(DesignDirectivityLimits, NotReachable) {
  // A totally reflecting load absorbs nothing: no reading is within any relative error.
  EXPECT_FALSE(analysis::DesignDirectivity(WorkedModel({.load = 1.0}), 0.5).has_value());
  // Beyond the 160 dB the window accepts.
  EXPECT_FALSE(analysis::DesignDirectivity(WorkedModel({}), 1e-9).has_value());
  for (const double bad : {0.0, -0.05, kNaN, kInf}) {
    EXPECT_FALSE(analysis::DesignDirectivity(WorkedModel({}), bad).has_value()) << bad;
  }
}

struct SwrRow {
  std::string name;
  double dirDb;
  double target;
  double expected;
};

void PrintTo(const SwrRow& row, std::ostream* os) { *os << row.name; }

class DesignLoadSwr : public testing::TestWithParam<SwrRow> {};

TEST_P(DesignLoadSwr, FedBackGivesTheTargetError) {
  const rf::ModelState m = WorkedModel({.dirDb = GetParam().dirDb});
  const auto swr = analysis::DesignLoadSwr(m, GetParam().target);
  ASSERT_TRUE(swr.has_value());
  EXPECT_NEAR(*swr, GetParam().expected, 5e-6 * GetParam().expected);
  rf::ModelState back = m;
  back.LoaRfl.Swr = *swr;
  rf::ReflFromSwr(back.LoaRfl);
  rf::ComputeTransmission(back);
  EXPECT_LE(analysis::AbsorbedReadingError(back), GetParam().target);
  EXPECT_NEAR(analysis::AbsorbedReadingError(back), GetParam().target, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, DesignLoadSwr,
                         testing::Values(SwrRow{"TwentyDbTenPercent", 20.0, 0.1, 1.546586},
                                         SwrRow{"FortyDbOnePercent", 40.0, 0.01, 1.6108069}),
                         [](const auto& row) { return row.param.name; });

TEST(DesignLoadSwrLimits, IdealAndNotReachable) {
  EXPECT_EQ(analysis::DesignLoadSwr(WorkedModel({}), 0.05), kInf);
  // At 6 dB the leakage alone (d^2 = 0.25) exceeds 10 % even on a matched load.
  EXPECT_FALSE(analysis::DesignLoadSwr(WorkedModel({.dirDb = 6.0}), 0.1).has_value());
  EXPECT_FALSE(analysis::DesignLoadSwr(WorkedModel({.dirDb = 20.0}), 0.0).has_value());
  EXPECT_FALSE(analysis::DesignLoadSwr(WorkedModel({.dirDb = 20.0}), kNaN).has_value());
}

TEST(AbsorbedReadingError, TakesTheWorseSideAndPropagatesNaN) {
  rf::ModelState m;
  m.PloadMinRelat = 0.9;
  m.PloadMaxRelat = 1.05;
  EXPECT_DOUBLE_EQ(analysis::AbsorbedReadingError(m), 0.1);
  m.PloadMaxRelat = 1.2;
  EXPECT_DOUBLE_EQ(analysis::AbsorbedReadingError(m), 0.2);
  m.PloadMaxRelat = kNaN;
  EXPECT_TRUE(std::isnan(analysis::AbsorbedReadingError(m)));
}

}  // namespace
