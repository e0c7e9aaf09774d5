#include "views/budget_view.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <ostream>
#include <string>

#include "analysis/coverage.h"
#include "worked_example.h"

namespace {

using test_support::Setup;
using test_support::WorkedModel;
using views::BudgetQuestion;

double Number(const std::string& text) {
  double v = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}
double Watts(const views::BudgetRow& row) {
  const double scale = row[2] == "kW" ? 1e3 : row[2] == "MW" ? 1e6 : 1.0;
  return Number(row[1]) * scale;
}

views::BudgetSheetInputs FromReadings(const char* fwd, const char* ref, const char* dir) {
  views::BudgetSheetInputs in;
  in.Readings.Forward = fwd;
  in.Readings.Reflected = ref;
  in.Readings.Ideal = dir[0] == '\0';
  in.Readings.DirectivityDb = dir;
  return in;
}

struct Refused {
  const char* name;
  views::BudgetSheetInputs in;
  const char* startsWith;
};
void PrintTo(const Refused& row, std::ostream* os) { *os << row.name; }

views::BudgetSheetInputs With(views::BudgetSheetInputs in, std::string views::BudgetSheetInputs::*f,
                              const char* v) {
  in.*f = v;
  return in;
}
views::BudgetSheetInputs Correlated(views::BudgetSheetInputs in, const char* psi0) {
  in.Correlated = true;
  in.Psi0Deg = psi0;
  return in;
}
views::BudgetSheetInputs Sensor(views::BudgetSheetInputs in, const char* pct) {
  in.SensorPct = pct;
  return in;
}

class BudgetRefused : public testing::TestWithParam<Refused> {};

// Inputs that are no numbers, or that the Monte Carlo refuses, give a message and no rows.
TEST_P(BudgetRefused, GivesAMessageNotNumbers) {
  const Refused& row = GetParam();
  const views::BudgetJob job = views::PrepareBudget(row.in, WorkedModel());
  const views::BudgetSheet s = views::BudgetTable(job, views::RunBudget(job));
  EXPECT_FALSE(s.Ok);
  EXPECT_TRUE(s.Rows.empty());
  EXPECT_TRUE(s.Contributions.empty());
  EXPECT_TRUE(s.Message.starts_with(row.startsWith)) << s.Message;
}

const views::BudgetSheetInputs kGood = FromReadings("1000", "40", "30");

INSTANTIATE_TEST_SUITE_P(
    Inputs, BudgetRefused,
    testing::Values(
        Refused{"CouplingNotANumber", With(kGood, &views::BudgetSheetInputs::CouplingDb, "x"),
                "Type the coupling"},
        Refused{"CouplingNegative", With(kGood, &views::BudgetSheetInputs::CouplingDb, "-0.1"),
                "Type the coupling"},
        Refused{"SensorEmpty", Sensor(kGood, ""), "Type the power sensor"},
        Refused{"SensorHundredPercent", Sensor(kGood, "100"), "calibration uncertainties must"},
        Refused{"SeedNegative", With(kGood, &views::BudgetSheetInputs::Seed, "-1"),
                "Type the seed"},
        Refused{"SeedFraction", With(kGood, &views::BudgetSheetInputs::Seed, "1.5"),
                "Type the seed"},
        Refused{"OffsetMissingWhenCorrelated", Correlated(kGood, ""), "Type the leakage phase"},
        Refused{"ReadingsNoLoadGives", FromReadings("100", "101", ""), "No load gives"},
        Refused{"ReadingMissing", FromReadings("", "1", "20"), "Type the forward"}),
    [](const testing::TestParamInfo<Refused>& row) { return std::string(row.param.name); });

TEST(BudgetSheet, PhaseOffsetsAreIgnoredWithoutCorrelatedPhases) {
  views::BudgetSheetInputs in = kGood;
  in.Psi0Deg = "";
  EXPECT_TRUE(views::PrepareBudget(in, WorkedModel()).Ok);
}

TEST(BudgetSheet, SameSeedSameSheetOtherSeedOtherTrials) {
  const views::BudgetJob job = views::PrepareBudget(kGood, WorkedModel());
  const views::BudgetSheet a = views::BudgetTable(job, views::RunBudget(job));
  const views::BudgetSheet b = views::BudgetTable(job, views::RunBudget(job));
  ASSERT_TRUE(a.Ok) << a.Message;
  EXPECT_EQ(a.Rows, b.Rows);
  EXPECT_EQ(a.Contributions, b.Contributions);
}

// The forward question with ideal couplers and a matched load: the absorbed-power reading is
// Pinc (1 + s / 100) with s uniform within +-3 %, so its standard uncertainty is
// Pinc 0.03 / sqrt 3 and its 95 % interval Pinc (1 +- 0.95 x 0.03), worked by hand.
TEST(BudgetSheet, SensorAloneOnAMatchedLoadMatchesTheRectangularLaw) {
  rf::ModelState m = WorkedModel(test_support::Setup{.src = 0.0, .load = 0.0});
  views::BudgetSheetInputs in;
  in.Question = BudgetQuestion::FromTruth;
  in.CouplingDb = "0";
  in.SensorPct = "3";
  const views::BudgetJob job = views::PrepareBudget(in, m);
  const views::BudgetOutcome out = views::RunBudget(job);
  const views::BudgetSheet s = views::BudgetTable(job, out);
  ASSERT_TRUE(s.Ok) << s.Message;
  const double pinc = m.Pinc;
  const double tol = 4.0 * out.Total.Tolerance + 1e-9 * pinc;
  EXPECT_NEAR(out.Total.Std, pinc * 0.03 / std::sqrt(3.0), tol);
  EXPECT_NEAR(out.Total.Low, pinc * (1.0 - 0.95 * 0.03), tol);
  EXPECT_NEAR(out.Total.High, pinc * (1.0 + 0.95 * 0.03), tol);
  // The shown ends enclose the computed ones.
  EXPECT_LE(Watts(s.Rows[0]), out.Total.Low);
  EXPECT_GE(Watts(s.Rows[1]), out.Total.High);
  // Only the sensor contributes: ideal couplers leave the phases nothing, the coupling is exact.
  ASSERT_EQ(s.Contributions.size(), 3u);
  EXPECT_EQ(s.Contributions[0][3], "0 %");
  EXPECT_EQ(s.Contributions[1][3], "0 %");
  EXPECT_EQ(s.Contributions[2][3], "100 %");
}

// Phases only: the Monte Carlo interval agrees, within the tolerance it reports, with the closed
// form of the difference of two arcsine laws, and the shown interval encloses it.
struct PhasesOnly {
  const char* name;
  Setup setup;
  double coverage;
};
void PrintTo(const PhasesOnly& row, std::ostream* os) { *os << row.name; }

class BudgetPhasesOnly : public testing::TestWithParam<PhasesOnly> {};

TEST_P(BudgetPhasesOnly, AgreesWithTheClosedForm) {
  const PhasesOnly& row = GetParam();
  const rf::ModelState m = WorkedModel(row.setup);
  views::BudgetSheetInputs in;
  in.Question = BudgetQuestion::FromTruth;
  in.CouplingDb = "0";
  in.SensorPct = "0";
  in.Coverage = row.coverage;
  const views::BudgetJob job = views::PrepareBudget(in, m);
  const views::BudgetOutcome out = views::RunBudget(job);
  const views::BudgetSheet s = views::BudgetTable(job, out);
  ASSERT_TRUE(s.Ok) << s.Message;
  const analysis::Coverage exact = analysis::ComputeCoverage(m, row.coverage).PloadReading;
  const double tol = 4.0 * out.Total.Tolerance;
  EXPECT_NEAR(out.Total.Low, exact.Low, tol);
  EXPECT_NEAR(out.Total.High, exact.High, tol);
  EXPECT_NEAR(out.Total.Std, exact.Std, tol);
  EXPECT_LE(Watts(s.Rows[0]), out.Total.Low);
  EXPECT_GE(Watts(s.Rows[1]), out.Total.High);
  EXPECT_EQ(s.Contributions[0][3], "100 %");
  // An exact calibration contributes nothing, exactly.
  EXPECT_EQ(s.Contributions[1][1], "0");
  EXPECT_EQ(s.Contributions[2][3], "0 %");
}

INSTANTIATE_TEST_SUITE_P(
    Loads, BudgetPhasesOnly,
    testing::Values(PhasesOnly{"Mag0p3At20dB", Setup{.load = 0.3, .dirDb = 20.0}, 0.95},
                    PhasesOnly{"Mag0p6At25dB", Setup{.load = 0.6, .dirDb = 25.0}, 0.95},
                    PhasesOnly{"Mag0p3At20dBNinetyNine", Setup{.load = 0.3, .dirDb = 20.0}, 0.99}),
    [](const testing::TestParamInfo<PhasesOnly>& row) { return std::string(row.param.name); });

TEST(BudgetSheet, SharesOfTheSourcesAddUpToTheWhole) {
  const views::BudgetJob job = views::PrepareBudget(kGood, WorkedModel());
  const views::BudgetSheet s = views::BudgetTable(job, views::RunBudget(job));
  ASSERT_TRUE(s.Ok) << s.Message;
  double sum = 0.0;
  for (const views::ContributionRow& r : s.Contributions) sum += Number(r[3]);
  EXPECT_NEAR(sum, 100.0, 0.2);
  // The readings' table counts the draws whose phases no load fits.
  EXPECT_EQ(s.Rows.back()[0], "Draws that did not fit the readings");
}

}  // namespace
