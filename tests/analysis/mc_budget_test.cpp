#include "analysis/mc_budget.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "analysis/coverage.h"
#include "analysis/random.h"
#include "analysis/texts.h"
#include "worked_example.h"

namespace {

using analysis::BudgetInputs;
using analysis::BudgetResult;
using analysis::BudgetStatus;
using analysis::CalibrationLaw;
using test_support::Setup;
using test_support::WorkedModel;

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Row {
  std::string name;
  Setup setup;
  double coverage;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class BudgetPhasesOnly : public testing::TestWithParam<Row> {};

// With no calibration uncertainty the budget is the closed-form law of the absorbed-power
// reading over both leakage phases; the Monte Carlo must agree within the tolerance it reports.
TEST_P(BudgetPhasesOnly, ReproducesTheClosedForm) {
  const rf::ModelState m = WorkedModel(GetParam().setup);
  BudgetInputs in;
  in.Coverage = GetParam().coverage;
  const BudgetResult r = analysis::ReadingBudget(m, in, 20261209);
  ASSERT_EQ(r.Status, BudgetStatus::Ok);
  const analysis::Coverage c = analysis::ComputeCoverage(m, in.Coverage).PloadReading;
  EXPECT_GT(r.Tolerance, 0.0);
  EXPECT_NEAR(r.Low, c.Low, r.Tolerance);
  EXPECT_NEAR(r.High, c.High, r.Tolerance);
  EXPECT_NEAR(r.Std, c.Std, r.Tolerance);
  EXPECT_NEAR(r.Mean, c.Mean, r.Tolerance);
  EXPECT_GE(r.Trials, 20000u);
  EXPECT_EQ(r.Trials % 10000, 0u) << "whole blocks";
  EXPECT_EQ(r.Rejected, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BudgetPhasesOnly,
    testing::Values(Row{"FirstStart20dB", {.dirDb = 20.0}, 0.95},
                    Row{"PoorCouplersStrongLoad", {.load = 0.9, .dirDb = 6.0}, 0.95},
                    Row{"LeakageAboveLoad", {.load = 0.05, .dirDb = 20.0}, 0.95},
                    Row{"NinetyNinePercent", {.load = 0.3, .dirDb = 25.0}, 0.99}),
    [](const auto& row) { return row.param.name; });

TEST(Budget, SameSeedSameResult) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  BudgetInputs in;
  in.Coupling = {0.2, CalibrationLaw::Normal};
  in.Sensor = {1.5, CalibrationLaw::Rectangular};
  const BudgetResult a = analysis::ReadingBudget(m, in, 42);
  const BudgetResult b = analysis::ReadingBudget(m, in, 42);
  EXPECT_EQ(a.Low, b.Low);
  EXPECT_EQ(a.High, b.High);
  EXPECT_EQ(a.Std, b.Std);
  EXPECT_EQ(a.Trials, b.Trials);
  const BudgetResult c = analysis::ReadingBudget(m, in, 43);
  EXPECT_NE(a.Low, c.Low);
  EXPECT_NEAR(a.Low, c.Low, 4.0 * a.Tolerance);
}

// One pair of fixed couplers on a line: cos(psi0 + phi) - cos(chi0 - phi) =
// -2 sin((psi0 + chi0)/2) sin(phi + (psi0 - chi0)/2), one arcsine term of amplitude
// 2 |sin((psi0 + chi0)/2)| instead of two independent ones.
TEST(Budget, CorrelatedPhasesOfOnePairOfCouplers) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  const double d = 0.1;
  const double centre = m.Pload * (1.0 - d * d);
  const double amp = 2.0 * d * m.LoaRfl.Mag * m.Pinc;
  const struct { double psi0, chi0; } rows[] = {{0.0, 0.0}, {90.0, 90.0}, {30.0, 100.0}};
  for (const auto& row : rows) {
    BudgetInputs in;
    in.CorrelatedPhases = true;
    in.Psi0 = row.psi0;
    in.Chi0 = row.chi0;
    const BudgetResult r = analysis::ReadingBudget(m, in, 7);
    ASSERT_NE(r.Status, BudgetStatus::BadInput);
    const double half = amp * 2.0 * std::fabs(std::sin((row.psi0 + row.chi0) * kPi / 360.0));
    const double tol = r.Tolerance + 1e-9 * m.Pinc;
    EXPECT_NEAR(r.Low, centre - half * std::cos(kPi * 0.025), tol) << row.psi0;
    EXPECT_NEAR(r.High, centre + half * std::cos(kPi * 0.025), tol) << row.psi0;
    EXPECT_NEAR(r.Std, half / std::sqrt(2.0), tol) << row.psi0;
  }
}

// Ideal couplers and a sensor calibration of +-1 % rectangular on the forward reading alone (no
// reflected power): the reading is uniform over Pinc [0.99, 1.01].
TEST(Budget, SensorCalibrationAlone) {
  const rf::ModelState m = WorkedModel({.load = 0.0});
  BudgetInputs in;
  in.Sensor = {1.0, CalibrationLaw::Rectangular};
  const BudgetResult r = analysis::ReadingBudget(m, in, 1);
  ASSERT_EQ(r.Status, BudgetStatus::Ok);
  EXPECT_NEAR(r.Low, m.Pinc * (1.0 - 0.0095), r.Tolerance);
  EXPECT_NEAR(r.High, m.Pinc * (1.0 + 0.0095), r.Tolerance);
  EXPECT_NEAR(r.Std, m.Pinc * 0.01 / std::sqrt(3.0), r.Tolerance);
}

// From the readings back: the phases alone never leave the exact range of the truth; ideal
// couplers without calibration errors give the exact answer, to rounding.
TEST(TruthBudget, StaysInsideTheExactRangeAndIsExactForIdealCouplers) {
  BudgetInputs in;
  BudgetResult r = analysis::TruthBudget(1000.0, 100.0, false, 20.0, in, 3);
  ASSERT_EQ(r.Status, BudgetStatus::Ok);
  const analysis::Truth t = analysis::TruthFromReadings(1000.0, 100.0, false, 20.0);
  EXPECT_GE(r.Low, t.Pload.Min);
  EXPECT_LE(r.High, t.Pload.Max);
  EXPECT_LT(r.Low, 900.0);
  EXPECT_GT(r.High, 900.0);
  r = analysis::TruthBudget(1000.0, 100.0, true, kNaN, in, 3);
  ASSERT_EQ(r.Status, BudgetStatus::Ok);
  EXPECT_NEAR(r.Low, 900.0, 1e-9);
  EXPECT_NEAR(r.High, 900.0, 1e-9);
  EXPECT_LT(r.Std, 1e-9);
  // A coupling calibration widens it.
  in.Coupling = {0.3, CalibrationLaw::Rectangular};
  const BudgetResult wide = analysis::TruthBudget(1000.0, 100.0, true, kNaN, in, 3);
  EXPECT_LT(wide.Low, 890.0);
  EXPECT_GT(wide.High, 910.0);
}

TEST(TruthBudget, RefusesWhatItCannotAnswer) {
  const BudgetInputs ok;
  BudgetResult r = analysis::TruthBudget(100.0, 150.0, false, 20.0, ok, 1);
  EXPECT_EQ(r.Status, BudgetStatus::BadInput);
  EXPECT_EQ(r.Readings, analysis::TruthStatus::Inconsistent);
  EXPECT_TRUE(std::isnan(r.Low));
  EXPECT_EQ(analysis::BudgetStatusText(r.Status), analysis::kBudgetBadInput);
  EXPECT_TRUE(analysis::BudgetStatusText(BudgetStatus::Ok).empty());
  struct Bad {
    const char* name;
    BudgetInputs in;
  };
  Bad bad[5] = {{"NegativeCoupling", {}},
                {"NaNSensor", {}},
                {"WholeSensorScale", {}},
                {"CoverageOne", {}},
                {"CoverageZero", {}}};
  bad[0].in.Coupling.Value = -0.1;
  bad[1].in.Sensor.Value = kNaN;
  bad[2].in.Sensor.Value = 100.0;
  bad[3].in.Coverage = 1.0;
  bad[4].in.Coverage = 0.0;
  for (const auto& b : bad) {
    r = analysis::ReadingBudget(WorkedModel({.dirDb = 20.0}), b.in, 1);
    EXPECT_EQ(r.Status, BudgetStatus::BadInput) << b.name;
    EXPECT_TRUE(std::isnan(r.High)) << b.name;
  }
  // A total source reflection leaves no incident power to read.
  EXPECT_EQ(analysis::ReadingBudget(WorkedModel({.src = 1.0, .dirDb = 20.0}), ok, 1).Status,
            BudgetStatus::BadInput);
}

TEST(Random, DistributionsHaveTheirMoments) {
  analysis::Random rnd(99);
  constexpr int kN = 400000;
  double su = 0.0, su2 = 0.0, sn = 0.0, sn2 = 0.0, sn4 = 0.0;
  double lo = 1.0, hi = 0.0;
  for (int i = 0; i < kN; ++i) {
    const double u = rnd.Uniform();
    lo = std::min(lo, u);
    hi = std::max(hi, u);
    su += u;
    su2 += u * u;
    const double z = rnd.Normal();
    sn += z;
    sn2 += z * z;
    sn4 += z * z * z * z;
  }
  EXPECT_GE(lo, 0.0);
  EXPECT_LT(hi, 1.0);
  EXPECT_NEAR(su / kN, 0.5, 3e-3);
  EXPECT_NEAR(su2 / kN, 1.0 / 3.0, 3e-3);
  EXPECT_NEAR(sn / kN, 0.0, 5e-3);
  EXPECT_NEAR(sn2 / kN, 1.0, 1e-2);
  EXPECT_NEAR(sn4 / kN, 3.0, 5e-2);
  // The same seed, the same stream.
  analysis::Random a(5);
  analysis::Random b(5);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Next(), b.Next());
}

}  // namespace
