#include "analysis/uncertainty.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

#include "analysis/sweep.h"
#include "worked_example.h"

namespace {

using analysis::Moments;
using test_support::Setup;
using test_support::WorkedModel;

// Mean and standard deviation of samples on a uniform grid over a full period (the rectangle
// rule, which converges faster than any power for smooth periodic integrands).
struct Sampled {
  double sum = 0.0;
  double sumSq = 0.0;
  int n = 0;
  void Add(double x) {
    sum += x;
    sumSq += x * x;
    ++n;
  }
  double Mean() const { return sum / n; }
  double Std() const { return std::sqrt(std::max(0.0, sumSq / n - Mean() * Mean())); }
};

void ExpectMoments(const Moments& m, const Sampled& s, const char* what) {
  // The mean of the absorbed reading is 0 for a total load reflection while its spread is not:
  // both tolerances scale with the larger of the two.
  const double scale = std::fabs(s.Mean()) + s.Std() + 1e-300;
  EXPECT_NEAR(m.Mean, s.Mean(), 1e-9 * scale) << what;
  EXPECT_NEAR(m.Std, s.Std(), 1e-6 * scale) << what;
  EXPECT_EQ(m.Expanded, 2.0 * m.Std) << what;
}

struct Row {
  std::string name;
  Setup setup;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class UncertaintyIntegration : public testing::TestWithParam<Row> {};

// The closed forms against the model itself integrated over the round-trip phase: every
// point goes through ComputeTransmission.
TEST_P(UncertaintyIntegration, TransmissionMatchesIntegralOverTheRoundTripPhase) {
  const rf::ModelState base = WorkedModel(GetParam().setup);
  const analysis::Uncertainty u = analysis::ComputeUncertainty(base);
  Sampled interf, gain, pinc, prefl, pload;
  constexpr int kSamples = 4096;
  rf::ModelState m = base;
  for (int i = 0; i < kSamples; ++i) {
    analysis::EvaluateAt(m, analysis::SweepKind::RoundTrip, -180.0 + 360.0 * i / kSamples);
    interf.Add(m.Interf);
    gain.Add(m.TrGain);
    pinc.Add(m.Pinc);
    prefl.Add(m.Prefl);
    pload.Add(m.Pload);
  }
  ExpectMoments(u.Interf, interf, "Interf");
  ExpectMoments(u.TrGain, gain, "TrGain");
  ExpectMoments(u.Pinc, pinc, "Pinc");
  ExpectMoments(u.Prefl, prefl, "Prefl");
  ExpectMoments(u.Pload, pload, "Pload");
}

// The readings by their physical definition: each coupler adds its leakage d times the
// opposite wave at its own phase; the two phases independent and uniform.
TEST_P(UncertaintyIntegration, ReadingsMatchIntegralOverBothLeakagePhases) {
  const rf::ModelState base = WorkedModel(GetParam().setup);
  const analysis::Uncertainty u = analysis::ComputeUncertainty(base);
  const double d = base.CplIdeal ? 0.0 : std::pow(10.0, -base.CplDirDb / 20.0);
  const double g = base.LoaRfl.Mag;
  Sampled inc, refl, load;
  constexpr int kSamples = 256;
  for (int i = 0; i < kSamples; ++i) {
    const double a = 2.0 * std::numbers::pi * i / kSamples;
    for (int j = 0; j < kSamples; ++j) {
      const double b = 2.0 * std::numbers::pi * j / kSamples;
      const double pi = base.Pinc * std::norm(1.0 + d * g * std::polar(1.0, a));
      const double pr = base.Pinc * std::norm(g + d * std::polar(1.0, b));
      if (j == 0) inc.Add(pi);
      if (i == 0) refl.Add(pr);
      load.Add(pi - pr);
    }
  }
  ExpectMoments(u.PincReading, inc, "PincReading");
  ExpectMoments(u.PreflReading, refl, "PreflReading");
  ExpectMoments(u.PloadReading, load, "PloadReading");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UncertaintyIntegration,
    testing::Values(Row{"FirstStartIdeal", {}}, Row{"FirstStart20dB", {.dirDb = 20.0}},
                    Row{"Strong", {.src = 0.8, .srcPha = 33.0, .load = 0.9, .dirDb = 6.0}},
                    Row{"NearlyMatched", {.src = 0.001, .load = 0.002, .dirDb = 40.0}},
                    Row{"MatchedLoad", {.load = 0.0, .dirDb = 20.0}},
                    Row{"TotalLoadReflection", {.load = 1.0, .dirDb = 30.0}}),
    [](const auto& row) { return row.param.name; });

// Worked by hand: |Gs||Gl| = 0.1 gives a mean interference of 1/(1 - 0.01) and a standard
// deviation of sqrt(2) 0.1 / 0.99^1.5; 20 dB couplers on a 0.5 load spread the incident
// reading by sqrt(2) 0.05 of the true power around 1.0025 of it.
TEST(Uncertainty, HandWorkedFirstStartValues) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  const analysis::Uncertainty u = analysis::ComputeUncertainty(m);
  EXPECT_NEAR(u.Interf.Mean, 1.0101010101010101, 1e-15);
  EXPECT_NEAR(u.Interf.Std, 0.14356950596337, 1e-13);
  EXPECT_NEAR(u.Interf.Expanded, 0.28713901192674, 1e-13);
  EXPECT_NEAR(u.PincReading.Mean / m.Pinc, 1.0025, 1e-15);
  EXPECT_NEAR(u.PincReading.Std / m.Pinc, 0.070710678118655, 1e-14);
  EXPECT_NEAR(u.PreflReading.Std / m.Pinc, 0.070710678118655, 1e-14);
}

TEST(Uncertainty, LimitRowsPairTheWorstCasesWithTheStatistics) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  const auto rows = analysis::LimitsAndUncertainty(m);
  const auto u = analysis::ComputeUncertainty(m);
  EXPECT_EQ(rows[0].Name, "Interf");
  EXPECT_FALSE(rows[0].IsPower);
  EXPECT_EQ(rows[0].Min, m.InterfMin);
  EXPECT_EQ(rows[0].Max, m.InterfMax);
  EXPECT_EQ(rows[0].Stats.Std, u.Interf.Std);
  EXPECT_EQ(rows[7].Name, "PloadReading");
  EXPECT_TRUE(rows[7].IsPower);
  EXPECT_EQ(rows[7].Min, m.PloadMinV);
  EXPECT_EQ(rows[7].Actual, m.Pload);
  EXPECT_EQ(rows[7].Max, m.PloadMaxV);
  EXPECT_EQ(rows[7].Stats.Mean, u.PloadReading.Mean);
  for (const auto& r : rows) {
    EXPECT_LE(r.Min, r.Stats.Mean) << r.Name;
    EXPECT_GE(r.Max, r.Stats.Mean) << r.Name;
    EXPECT_LE(r.Min, r.Actual) << r.Name;
    EXPECT_GE(r.Max, r.Actual) << r.Name;
  }
}

TEST(Uncertainty, EdgeCases) {
  // A matched load: nothing varies with the phase; ideal couplers read exactly.
  auto u = analysis::ComputeUncertainty(WorkedModel({.load = 0.0}));
  EXPECT_EQ(u.Interf.Mean, 1.0);
  EXPECT_EQ(u.Interf.Std, 0.0);
  EXPECT_EQ(u.PloadReading.Std, 0.0);
  // Total load reflection: nothing is absorbed at any phase.
  u = analysis::ComputeUncertainty(WorkedModel({.load = 1.0}));
  EXPECT_EQ(u.Pload.Mean, 0.0);
  EXPECT_EQ(u.Pload.Std, 0.0);
  // Total source reflection: the powers are undefined, as in the window.
  u = analysis::ComputeUncertainty(WorkedModel({.src = 1.0}));
  EXPECT_TRUE(std::isnan(u.Pinc.Mean));
  EXPECT_TRUE(std::isnan(u.PloadReading.Std));
  EXPECT_TRUE(std::isfinite(u.Interf.Mean));
  // Both total: the interference factor has no finite mean.
  u = analysis::ComputeUncertainty(WorkedModel({.src = 1.0, .load = 1.0}));
  EXPECT_EQ(u.Interf.Mean, std::numeric_limits<double>::infinity());
}

struct RangeRow {
  std::string name;
  Setup setup;
  double lo;
  double hi;
};

void PrintTo(const RangeRow& row, std::ostream* os) { *os << row.name; }

class InferredRange : public testing::TestWithParam<RangeRow> {};

TEST_P(InferredRange, IsNeverNegative) {
  const rf::ModelState m = WorkedModel(GetParam().setup);
  const auto r = analysis::InferredLoadReflection(m);
  EXPECT_NEAR(r.Lo.Mag, GetParam().lo, 5e-7);
  EXPECT_NEAR(r.Hi.Mag, GetParam().hi, 5e-7);
  EXPECT_GE(r.Lo.Mag, 0.0);
  EXPECT_EQ(r.Lo.Rloss, rf::MagToDb(r.Lo.Mag));
  EXPECT_EQ(r.Lo.Swr, rf::MagToSwr(r.Lo.Mag));
  EXPECT_EQ(r.Hi.Mag, m.MeaMax.Mag);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InferredRange,
    testing::Values(RangeRow{"LoadAboveLeakage", {.load = 0.5, .dirDb = 20.0}, 0.380952, 0.631579},
                    RangeRow{"MatchedLoad", {.load = 0.0, .dirDb = 20.0}, 0.1, 0.1},
                    RangeRow{
                        "LeakageAboveLoad", {.load = 0.05, .dirDb = 20.0}, 0.0497512, 0.150754},
                    RangeRow{"EqualToLeakage", {.load = 0.1, .dirDb = 20.0}, 0.0, 0.20202},
                    RangeRow{"Ideal", {.load = 0.3}, 0.3, 0.3}),
    [](const auto& row) { return row.param.name; });

// The lower end is the smallest ratio of the reflected to the incident reading amplitude
// over both leakage phases.
TEST(InferredRangeSearch, LowerEndIsTheSmallestIndicatedMagnitude) {
  const rf::ModelState m = WorkedModel({.load = 0.05, .dirDb = 20.0});
  const double d = 0.1;
  const double g = m.LoaRfl.Mag;
  double smallest = 1e300;
  for (int i = 0; i < 360; ++i) {
    for (int j = 0; j < 360; ++j) {
      const double a = std::numbers::pi * i / 180.0;
      const double b = std::numbers::pi * j / 180.0;
      smallest = std::min(smallest, std::abs(g + d * std::polar(1.0, b)) /
                                        std::abs(1.0 + d * g * std::polar(1.0, a)));
    }
  }
  EXPECT_NEAR(analysis::InferredLoadReflection(m).Lo.Mag, smallest, 1e-12);
  EXPECT_LT(m.MeaMin.Mag, 0.0);
}

}  // namespace
