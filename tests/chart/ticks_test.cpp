#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/ticks.h"

namespace chart {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<std::string> Labels(const AxisTicks& t) {
  std::vector<std::string> out;
  for (const Tick& k : t.Ticks)
    if (!k.Label.empty()) out.push_back(k.Label);
  return out;
}

struct LabelRow {
  const char* name;
  double value;
  double step;
  const char* expected;
};
void PrintTo(const LabelRow& row, std::ostream* os) { *os << row.name; }

class TickLabelTest : public testing::TestWithParam<LabelRow> {};

TEST_P(TickLabelTest, HasOnlyTheDecimalsItsStepNeeds) {
  EXPECT_EQ(TickLabel(GetParam().value, GetParam().step), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TickLabelTest,
                         testing::Values(LabelRow{"WholeDegrees", -180.0, 90.0, "-180"},
                                         LabelRow{"HalfStep", 0.5, 0.5, "0.5"},
                                         LabelRow{"WholeOnHalfStep", 2.0, 0.5, "2"},
                                         LabelRow{"QuarterStep", 0.25, 0.25, "0.25"},
                                         LabelRow{"SumNotExactInBinary", 0.1 + 0.2, 0.1, "0.3"},
                                         LabelRow{"NegativeZero", -0.0, 1.0, "0"},
                                         LabelRow{"NearZeroFromSteps", 3 * 0.1 - 0.3, 0.1, "0"},
                                         LabelRow{"Micro", 1e-6, 1e-6, "1e-6"},
                                         LabelRow{"MicroSteps", 2.5e-6, 5e-7, "2.5e-6"},
                                         LabelRow{"Large", 2e7, 1e7, "2e7"},
                                         LabelRow{"LargeHalves", 1.5e6, 5e5, "1.5e6"},
                                         LabelRow{"Thousands", 200000.0, 50000.0, "200000"},
                                         LabelRow{"SmallButPlain", 0.002, 0.001, "0.002"},
                                         LabelRow{"PositiveInfinity", kInf, 1.0, "inf"},
                                         LabelRow{"NotANumber", kNaN, 1.0, "NaN"}),
                         [](const auto& row) { return std::string(row.param.name); });

struct LinearRow {
  const char* name;
  double lo;
  double hi;
  int maxTicks;
  double step;
  double expLo;
  double expHi;
  std::vector<std::string> labels;
};
void PrintTo(const LinearRow& row, std::ostream* os) { *os << row.name; }

class LinearTicksTest : public testing::TestWithParam<LinearRow> {};

TEST_P(LinearTicksTest, RoundsOutToNiceSteps) {
  const LinearRow& r = GetParam();
  const AxisTicks t = LinearTicks(r.lo, r.hi, r.maxTicks, true, r.step);
  EXPECT_DOUBLE_EQ(t.Lo, r.expLo);
  EXPECT_DOUBLE_EQ(t.Hi, r.expHi);
  EXPECT_EQ(Labels(t), r.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LinearTicksTest,
    testing::Values(
        LinearRow{
            "PhaseWithGivenStep", -180, 180, 8, 90, -180, 180, {"-180", "-90", "0", "90", "180"}},
        LinearRow{"UnitInterval", 0, 1, 6, kNaN, 0, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1"}},
        LinearRow{
            "RoundsOutward", 0.13, 0.87, 6, kNaN, 0, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1"}},
        LinearRow{"SwappedEnds", 10, 0, 3, kNaN, 0, 10, {"0", "5", "10"}},
        LinearRow{
            "Kilowatts", 0, 2500, 6, kNaN, 0, 2500, {"0", "500", "1000", "1500", "2000", "2500"}},
        LinearRow{"EqualZeroEnds", 0, 0, 3, kNaN, -1, 1, {"-1", "0", "1"}},
        LinearRow{"EqualEnds", 5, 5, 3, kNaN, 4.5, 5.5, {"4.5", "5", "5.5"}},
        LinearRow{"BothNaN", kNaN, kNaN, 3, kNaN, 0, 1, {"0", "0.5", "1"}},
        LinearRow{"OneInfiniteEnd", 2, kInf, 3, kNaN, 1.8, 2.2, {"1.8", "2", "2.2"}},
        LinearRow{"BadStepIgnored", 0, 10, 3, -1, 0, 10, {"0", "5", "10"}},
        LinearRow{"TooFineStepIgnored", 0, 10, 3, 1e-9, 0, 10, {"0", "5", "10"}},
        LinearRow{"Tiny", 0, 3e-6, 4, kNaN, 0, 3e-6, {"0", "1e-6", "2e-6", "3e-6"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LinearTicks, HugeEndsStayFinite) {
  const AxisTicks t = LinearTicks(-1e308, 1e308, 5, true, kNaN);
  EXPECT_TRUE(std::isfinite(t.Lo));
  EXPECT_TRUE(std::isfinite(t.Hi));
  EXPECT_GE(t.Ticks.size(), 2u);
  EXPECT_LE(t.Ticks.size(), 5u);
}

struct LogRow {
  const char* name;
  double lo;
  double hi;
  int maxLabels;
  double expLo;
  double expHi;
  std::vector<std::string> labels;
};
void PrintTo(const LogRow& row, std::ostream* os) { *os << row.name; }

class LogTicksTest : public testing::TestWithParam<LogRow> {};

TEST_P(LogTicksTest, ShowsDecades) {
  const LogRow& r = GetParam();
  const AxisTicks t = LogTicks(r.lo, r.hi, r.maxLabels);
  EXPECT_DOUBLE_EQ(t.Lo, r.expLo);
  EXPECT_DOUBLE_EQ(t.Hi, r.expHi);
  EXPECT_EQ(Labels(t), r.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LogTicksTest,
    testing::Values(LogRow{"ThreeDecades", 1, 1000, 10, 1, 1000, {"1", "10", "100", "1000"}},
                    LogRow{"RoundsOut", 0.3, 40, 10, 0.1, 100, {"0.1", "1", "10", "100"}},
                    LogRow{"OneDecadeLabelsMinors", 2, 8, 10, 1, 10, {"1", "2", "5", "10"}},
                    LogRow{"OnADecade", 100, 100, 10, 10, 1000, {"10", "100", "1000"}},
                    LogRow{"Micro", 1e-7, 1e-5, 10, 1e-7, 1e-5, {"1e-7", "1e-6", "1e-5"}},
                    LogRow{"ManyDecadesThinned",
                           1e-12,
                           1e12,
                           7,
                           1e-12,
                           1e12,
                           {"1e-12", "1e-8", "0.0001", "1", "10000", "1e8", "1e12"}},
                    LogRow{"NonPositiveLow", -5, 50, 10, 10, 100, {"10", "20", "50", "100"}},
                    LogRow{"NothingUsable", kNaN, 0, 10, 1, 10, {"1", "2", "5", "10"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LogTicks, MinorsAtTwoAndFive) {
  const AxisTicks t = LogTicks(1, 100, 10);
  std::vector<double> minors;
  for (const Tick& k : t.Ticks)
    if (!k.Major) minors.push_back(k.Value);
  ASSERT_EQ(minors.size(), 4u);
  EXPECT_DOUBLE_EQ(minors[0], 2);
  EXPECT_DOUBLE_EQ(minors[1], 5);
  EXPECT_DOUBLE_EQ(minors[2], 20);
  EXPECT_DOUBLE_EQ(minors[3], 50);
}

struct SymLogRow {
  const char* name;
  double lo;
  double hi;
  double threshold;
  double expLo;
  double expHi;
  std::vector<std::string> labels;
};
void PrintTo(const SymLogRow& row, std::ostream* os) { *os << row.name; }

class SymLogTicksTest : public testing::TestWithParam<SymLogRow> {};

TEST_P(SymLogTicksTest, DecadesOfTheThresholdBothSides) {
  const SymLogRow& r = GetParam();
  const AxisTicks t = SymLogTicks(r.lo, r.hi, r.threshold, 12);
  EXPECT_DOUBLE_EQ(t.Lo, r.expLo);
  EXPECT_DOUBLE_EQ(t.Hi, r.expHi);
  EXPECT_EQ(Labels(t), r.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SymLogTicksTest,
    testing::Values(
        SymLogRow{"ReadingErrorPercent",
                  -500,
                  500,
                  1,
                  -1000,
                  1000,
                  {"-1000", "-100", "-10", "-1", "0", "1", "10", "100", "1000"}},
        SymLogRow{"OnlyPositive", 0, 30, 1, 0, 100, {"0", "1", "10", "100"}},
        SymLogRow{"SmallThreshold", -0.05, 0.2, 0.1, -0.1, 1, {"-0.1", "0", "0.1", "1"}},
        SymLogRow{"BadThresholdIsOne", -2, 2, kNaN, -10, 10, {"-10", "-1", "0", "1", "10"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SymLogTicks, ExtremeRatioOfRangeToThresholdStaysBounded) {
  const AxisTicks t = SymLogTicks(-1e300, 1e300, 1e-300, 12);
  EXPECT_TRUE(std::isfinite(t.Lo));
  EXPECT_TRUE(std::isfinite(t.Hi));
  int labelled = 0;
  for (const Tick& k : t.Ticks) labelled += k.Label.empty() ? 0 : 1;
  EXPECT_LE(labelled, 14);
}

TEST(NiceStep, PicksOneTwoFive) {
  EXPECT_DOUBLE_EQ(NiceStep(10, 11), 1);
  EXPECT_DOUBLE_EQ(NiceStep(10, 6), 2);
  EXPECT_DOUBLE_EQ(NiceStep(10, 3), 5);
  EXPECT_DOUBLE_EQ(NiceStep(10, 2), 10);
  EXPECT_DOUBLE_EQ(NiceStep(0.07, 8), 0.01);
  EXPECT_DOUBLE_EQ(NiceStep(0, 5), 1);
  EXPECT_DOUBLE_EQ(NiceStep(kNaN, 5), 1);
}

}  // namespace
}  // namespace chart
