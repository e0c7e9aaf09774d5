#include "analysis/coverage.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/arcsine_sum.h"
#include "analysis/sweep.h"
#include "analysis/texts.h"
#include "analysis/uncertainty.h"
#include "worked_example.h"

namespace {

using analysis::Coverage;
using test_support::Setup;
using test_support::WorkedModel;

constexpr double kPi = std::numbers::pi;

// The q-quantile of values taken on an even grid of a uniform phase, each of weight 1/n: the
// k-th smallest stands for the cumulative probability (k + 1/2) / n, and between those the
// quantile is interpolated, which makes the grid error second order where the law is smooth.
// The grid is offset by a quarter step so that +theta and -theta, which give equal values,
// never both lie on it.
// v must be sorted.
double GridQuantile(const std::vector<double>& v, double q) {
  const double pos = q * static_cast<double>(v.size()) - 0.5;
  if (pos <= 0.0) return v.front();
  const auto k = static_cast<std::size_t>(pos);
  if (k + 1 >= v.size()) return v.back();
  const double f = pos - static_cast<double>(k);
  return v[k] + f * (v[k + 1] - v[k]);
}

double FractionWithin(const std::vector<double>& v, double lo, double hi) {
  const auto n = std::count_if(v.begin(), v.end(), [&](double x) { return x >= lo && x <= hi; });
  return static_cast<double>(n) / static_cast<double>(v.size());
}

struct Row {
  std::string name;
  Setup setup;
  double p;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class TransmissionCoverage : public testing::TestWithParam<Row> {};

// Every interval end against the quantile of the model itself evaluated over the round-trip
// phase, every point through ComputeTransmission; and the fraction of line lengths inside.
TEST_P(TransmissionCoverage, MatchesTheModelOverTheRoundTripPhase) {
  const rf::ModelState base = WorkedModel(GetParam().setup);
  const double p = GetParam().p;
  const analysis::CoverageSet c = analysis::ComputeCoverage(base, p);
  constexpr int kSamples = 1 << 15;
  std::vector<double> interf, gain, pinc, prefl, pload;
  rf::ModelState m = base;
  for (int i = 0; i < kSamples; ++i) {
    analysis::EvaluateAt(m, analysis::SweepKind::RoundTrip, -180.0 + 360.0 * (i + 0.25) / kSamples);
    interf.push_back(m.Interf);
    gain.push_back(m.TrGain);
    pinc.push_back(m.Pinc);
    prefl.push_back(m.Prefl);
    pload.push_back(m.Pload);
  }
  for (auto* v : {&interf, &gain, &pinc, &prefl, &pload}) std::sort(v->begin(), v->end());
  const struct {
    const char* name;
    const Coverage& cov;
    const std::vector<double>& values;
    double lo, hi;
  } items[] = {{"Interf", c.Interf, interf, base.InterfMin, base.InterfMax},
               {"TrGain", c.TrGain, gain, base.TrGainMin, base.TrGainMax},
               {"Pinc", c.Pinc, pinc, base.PincMin, base.PincMax},
               {"Prefl", c.Prefl, prefl, base.PreflMin, base.PreflMax},
               {"Pload", c.Pload, pload, base.PloadMin, base.PloadMax}};
  for (const auto& it : items) {
    const double span = it.hi - it.lo;
    EXPECT_NEAR(it.cov.Low, GridQuantile(it.values, (1.0 - p) / 2.0), 1e-6 * span) << it.name;
    EXPECT_NEAR(it.cov.High, GridQuantile(it.values, (1.0 + p) / 2.0), 1e-6 * span) << it.name;
    EXPECT_NEAR(it.cov.Median, GridQuantile(it.values, 0.5), 1e-6 * span) << it.name;
    EXPECT_NEAR(FractionWithin(it.values, it.cov.Low, it.cov.High), p, 2.0 / kSamples) << it.name;
    EXPECT_GE(it.cov.Low, it.lo) << it.name;
    EXPECT_LE(it.cov.High, it.hi) << it.name;
    EXPECT_LE(it.cov.Low, it.cov.Median) << it.name;
    EXPECT_LE(it.cov.Median, it.cov.High) << it.name;
    EXPECT_EQ(it.cov.Probability, p) << it.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TransmissionCoverage,
    testing::Values(Row{"FirstStart", {}, 0.95},
                    // The band where mean +- 2 std covered only 91 to 94 % and went negative.
                    Row{"StrongPair", {.src = 0.8, .load = 0.6, .dirDb = 20.0}, 0.95},
                    Row{"StrongPairHalf", {.src = 0.8, .load = 0.6}, 0.5},
                    Row{"StrongPair999", {.src = 0.8, .load = 0.6}, 0.999},
                    Row{"NearlyMatched", {.src = 0.001, .load = 0.002}, 0.95},
                    Row{"CloseToResonance", {.src = 0.97, .load = 0.97}, 0.95},
                    Row{"NarrowInterval", {.src = 0.5, .load = 0.5}, 0.01}),
    [](const auto& row) { return row.param.name; });

// Close to total reflection at both ends the resonance is so narrow that no grid resolves it:
// the ends are checked against the physical definition 1 / |1 - rho e^{j theta}|^2 at the phase
// that leaves the tail probability out, |theta| being uniform on [0, pi].
TEST(InterferenceCoverage, RhoCloseToOne) {
  for (const double rho : {0.999, 0.999999, 1.0 - 1e-12}) {
    const Coverage c = analysis::InterferenceCoverage(rho, 1.0, 0.95);
    const auto at = [&](double tail) {
      return 1.0 / std::norm(1.0 - rho * std::polar(1.0, kPi * tail));
    };
    EXPECT_NEAR(c.High, at(0.025), 1e-9 * c.High) << rho;
    EXPECT_NEAR(c.Low, at(0.975), 1e-12 * c.Low) << rho;
    EXPECT_LT(c.High, 1.0 / ((1.0 - rho) * (1.0 - rho))) << rho;
    EXPECT_GT(c.Std, c.High) << "the spread comes from the rare resonant line lengths";
  }
  // At total reflection on both sides the mean is infinite, the interval is not.
  const Coverage total = analysis::InterferenceCoverage(1.0, 1.0, 0.95);
  EXPECT_EQ(total.Mean, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isfinite(total.High));
  EXPECT_DOUBLE_EQ(total.Median, 0.5);
}

// Standard deviations worked by hand: sqrt(2) rho / (1 - rho^2)^(3/2), far below the point
// where the extremes are distinguishable.
TEST(InterferenceCoverage, StandardDeviationKeepsItsPrecision) {
  const struct {
    double rho, std;
  } rows[] = {{1e-16, 1.4142135623730951e-16},
              {1e-9, 1.4142135623730951e-9},
              {0.1, 0.14356950596337},
              {0.5, 1.0886621079036347}};
  for (const auto& r : rows) {
    EXPECT_NEAR(analysis::InterferenceCoverage(r.rho, 1.0, 0.95).Std, r.std, 1e-13 * r.std)
        << r.rho;
    EXPECT_NEAR(analysis::InterferenceCoverage(r.rho, 1000.0, 0.95).Std, 1000.0 * r.std,
                1e-10 * r.std)
        << r.rho;
  }
  // Today's statistics beside the window's table share the direct form.
  const rf::ModelState m = WorkedModel({.src = 1e-8, .load = 1e-8});
  EXPECT_NEAR(analysis::ComputeUncertainty(m).Interf.Std, 1.4142135623730951e-16, 1e-30);
}

// A strong mismatch: 0.8 source, 0.6 load, 20 dB: the true absorbed power ranges 293 to
// 2372 W; the interval stays inside and leaves 2.5 % of line lengths above it.
TEST(TransmissionCoverage, StrongMismatchStaysPhysical) {
  const rf::ModelState m = WorkedModel({.src = 0.8, .load = 0.6, .dirDb = 20.0});
  const Coverage c = analysis::ComputeCoverage(m).Pload;
  EXPECT_NEAR(m.PloadMin, 293.0, 0.5);
  EXPECT_NEAR(m.PloadMax, 2372.0, 0.5);
  EXPECT_GT(c.Low, m.PloadMin);
  EXPECT_LT(c.High, m.PloadMax);
  EXPECT_GT(c.High, 2123.0) << "mean + 2 std left the overload cases out";
  EXPECT_EQ(c.Law, analysis::Shape::SkewedU);
}

class ReadingCoverage : public testing::TestWithParam<Row> {};

// The readings by their physical definition: each coupler adds its leakage d times the opposite
// wave at its own phase, the two phases independent and uniform.
TEST_P(ReadingCoverage, MatchesTheLeakageModel) {
  const rf::ModelState m = WorkedModel(GetParam().setup);
  const double p = GetParam().p;
  const analysis::CoverageSet c = analysis::ComputeCoverage(m, p);
  const double d = m.CplIdeal ? 0.0 : std::pow(10.0, -m.CplDirDb / 20.0);
  const double g = m.LoaRfl.Mag;
  constexpr int kOne = 1 << 16;
  std::vector<double> inc, refl;
  for (int i = 0; i < kOne; ++i) {
    const auto e = std::polar(1.0, 2.0 * kPi * (i + 0.25) / kOne);
    inc.push_back(m.Pinc * std::norm(1.0 + d * g * e));
    refl.push_back(m.Pinc * std::norm(g + d * e));
  }
  std::vector<double> sortedInc = inc;
  std::vector<double> sortedRefl = refl;
  std::sort(sortedInc.begin(), sortedInc.end());
  std::sort(sortedRefl.begin(), sortedRefl.end());
  const double spanInc = m.PincMaxV - m.PincMinV + 1e-6 * m.PincMaxV;
  const double spanRefl = m.PreflMaxV - m.PreflMinV + 1e-6 * m.PreflMaxV;
  EXPECT_NEAR(c.PincReading.Low, GridQuantile(sortedInc, (1.0 - p) / 2.0), 1e-6 * spanInc);
  EXPECT_NEAR(c.PincReading.High, GridQuantile(sortedInc, (1.0 + p) / 2.0), 1e-6 * spanInc);
  EXPECT_NEAR(c.PreflReading.Low, GridQuantile(sortedRefl, (1.0 - p) / 2.0), 1e-6 * spanRefl);
  EXPECT_NEAR(c.PreflReading.High, GridQuantile(sortedRefl, (1.0 + p) / 2.0), 1e-6 * spanRefl);
  // The absorbed power from both readings: counted over the grid of both phases.
  constexpr std::size_t kTwo = 1024;
  constexpr std::size_t kStride = static_cast<std::size_t>(kOne) / kTwo;
  std::vector<double> load;
  load.reserve(kTwo * kTwo);
  for (std::size_t i = 0; i < kTwo; ++i) {
    for (std::size_t j = 0; j < kTwo; ++j) load.push_back(inc[i * kStride] - refl[j * kStride]);
  }
  const Coverage& l = c.PloadReading;
  if (l.Std > 0.0) {
    EXPECT_NEAR(FractionWithin(load, l.Low, l.High), p, 4e-3);
  }
  EXPECT_GE(l.Low, m.PloadMinV);
  EXPECT_LE(l.High, m.PloadMaxV);
  for (const Coverage* r : {&c.PincReading, &c.PreflReading, &c.PloadReading}) {
    EXPECT_LE(r->Low, r->Median);
    EXPECT_LE(r->Median, r->High);
    EXPECT_EQ(r->Median, r->Mean) << "the leakage laws are symmetric";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadingCoverage,
    testing::Values(Row{"FirstStart20dB", {.dirDb = 20.0}, 0.95}, Row{"Ideal", {}, 0.95},
                    Row{"ZeroDbTotalLoad", {.load = 1.0, .dirDb = 0.0}, 0.95},
                    Row{"LeakageAboveLoad", {.load = 0.05, .dirDb = 20.0}, 0.95},
                    Row{"Strong", {.src = 0.8, .load = 0.9, .dirDb = 6.0}, 0.99},
                    Row{"MatchedLoad", {.load = 0.0, .dirDb = 20.0}, 0.68}),
    [](const auto& row) { return row.param.name; });

// A reading never leaves A +- B; its 95 % interval leaves out the 2.5 % nearest each limit,
// where most of the probability of a U-shaped law sits.
TEST(PhasorCoverage, UShapedIntervalReachesCloseToTheLimits) {
  const Coverage c = analysis::PhasorCoverage(1.0, 0.05, 1000.0, 0.95);
  const double lo = 1000.0 * 0.95 * 0.95;
  const double hi = 1000.0 * 1.05 * 1.05;
  EXPECT_GT(c.Low, lo);
  EXPECT_LT(c.High, hi);
  // 1 - cos(pi 0.025) of the half-width is left out at each end.
  EXPECT_NEAR((c.Low - lo) / ((hi - lo) / 2.0), 1.0 - std::cos(kPi * 0.025), 1e-12);
  EXPECT_GT(c.Mean + 2.0 * c.Std, hi) << "mean + 2 std lies beyond what any phase gives";
  EXPECT_EQ(c.Law, analysis::Shape::Arcsine);
}

// The convolution against an independent integration: conditioning on the other phase instead,
// P(cos psi + cos chi <= s) = (1/pi) int_0^pi (1 - acos(clamp(s - cos psi)) / pi) dpsi, on a
// fine midpoint rule.
double CdfByMidpoints(double s) {
  constexpr int kN = 1 << 20;
  double sum = 0.0;
  for (int i = 0; i < kN; ++i) {
    const double t = s - std::cos(kPi * (i + 0.5) / kN);
    sum += 1.0 - std::acos(std::clamp(t, -1.0, 1.0)) / kPi;
  }
  return sum / kN;
}

TEST(ArcsineSum, QuantilesAgreeWithAnIndependentIntegration) {
  for (const double q : {1e-6, 0.005, 0.025, 0.16, 0.25, 0.4, 0.495, 0.5, 0.75, 0.975}) {
    const double s = analysis::ArcsineSumQuantile(q);
    EXPECT_NEAR(CdfByMidpoints(s), q, 2e-9) << q;
    EXPECT_NEAR(analysis::ArcsineSumCdf(s), q, 1e-13) << q;
  }
}

// Moments worked by hand: X + Y with X, Y unit arcsine has E[S^2] = 1 and
// E[S^4] = 3/8 + 6/4 + 3/8 = 9/4; as integrals of the quantile function over p.
TEST(ArcsineSum, QuantileFunctionHasTheMomentsOfTheSum) {
  constexpr int kN = 4000;
  double m2 = 0.0;
  double m4 = 0.0;
  for (int i = 0; i < kN; ++i) {
    const double s = analysis::ArcsineSumQuantile((i + 0.5) / kN);
    m2 += s * s;
    m4 += s * s * s * s;
  }
  // The midpoint rule itself is good to about 1e-7 here, the quantile's cusp at 1/2 limiting it.
  EXPECT_NEAR(m2 / kN, 1.0, 1e-6);
  EXPECT_NEAR(m4 / kN, 2.25, 1e-5);
}

TEST(ArcsineSum, EndsAndSymmetry) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(analysis::ArcsineSumQuantile(0.0), -2.0);
  EXPECT_EQ(analysis::ArcsineSumQuantile(1.0), 2.0);
  EXPECT_EQ(analysis::ArcsineSumQuantile(0.5), 0.0);
  EXPECT_TRUE(std::isnan(analysis::ArcsineSumQuantile(-0.1)));
  EXPECT_TRUE(std::isnan(analysis::ArcsineSumQuantile(1.1)));
  EXPECT_TRUE(std::isnan(analysis::ArcsineSumQuantile(nan)));
  EXPECT_EQ(analysis::ArcsineSumCdf(-2.5), 0.0);
  EXPECT_EQ(analysis::ArcsineSumCdf(2.0), 1.0);
  EXPECT_TRUE(std::isnan(analysis::ArcsineSumCdf(nan)));
  EXPECT_EQ(analysis::ArcsineSumQuantile(0.25), -analysis::ArcsineSumQuantile(0.75));
  // The density is 1 / (2 pi) at the ends.
  EXPECT_NEAR(analysis::ArcsineSumCdf(-2.0 + 1e-6) / 1e-6, 1.0 / (2.0 * kPi), 1e-6);
}

TEST(Coverage, DegenerateAndUndefinedCases) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // A matched load: nothing depends on the line length.
  Coverage c = analysis::ComputeCoverage(WorkedModel({.load = 0.0})).Pload;
  EXPECT_EQ(c.Law, analysis::Shape::Fixed);
  EXPECT_EQ(c.Std, 0.0);
  EXPECT_EQ(c.Low, c.High);
  // Total load reflection: nothing absorbed at any phase.
  c = analysis::ComputeCoverage(WorkedModel({.load = 1.0})).Pload;
  EXPECT_EQ(c.Low, 0.0);
  EXPECT_EQ(c.High, 0.0);
  // Total source reflection: undefined powers, a defined interference factor.
  const analysis::CoverageSet s =
      analysis::ComputeCoverage(WorkedModel({.src = 1.0, .dirDb = 20.0}));
  EXPECT_EQ(s.Pinc.Law, analysis::Shape::Undefined);
  EXPECT_TRUE(std::isnan(s.PloadReading.High));
  EXPECT_EQ(s.Interf.Law, analysis::Shape::SkewedU);
  // Ideal couplers read exactly.
  c = analysis::ComputeCoverage(WorkedModel({})).PloadReading;
  EXPECT_EQ(c.Law, analysis::Shape::Fixed);
  // Coverage probabilities outside (0, 1) give no interval, never a made-up one.
  for (const double p : {0.0, 1.0, -0.5, 1.5, nan}) {
    const analysis::CoverageSet bad = analysis::ComputeCoverage(WorkedModel({.dirDb = 20.0}), p);
    EXPECT_TRUE(std::isnan(bad.Interf.Low)) << p;
    EXPECT_TRUE(std::isnan(bad.PincReading.High)) << p;
    EXPECT_TRUE(std::isnan(bad.PloadReading.Low)) << p;
    EXPECT_TRUE(std::isnan(bad.Pload.Low)) << p;
    EXPECT_TRUE(std::isfinite(bad.Interf.Median)) << p;
  }
}

TEST(Coverage, RowsPairLimitsWithIntervalsAndNameTheirShape) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  const auto rows = analysis::LimitsAndCoverage(m, 0.9);
  EXPECT_EQ(rows[0].Name, "Interf");
  EXPECT_EQ(rows[7].Name, "PloadReading");
  EXPECT_EQ(rows[7].Min, m.PloadMinV);
  EXPECT_EQ(rows[7].Actual, m.Pload);
  for (const auto& r : rows) {
    EXPECT_LE(r.Min, r.Stats.Low) << r.Name;
    EXPECT_GE(r.Max, r.Stats.High) << r.Name;
    EXPECT_EQ(r.Stats.Probability, 0.9) << r.Name;
  }
  EXPECT_EQ(analysis::ShapeText(rows[5].Stats.Law), analysis::kShapeArcsine);
  EXPECT_EQ(analysis::ShapeText(rows[7].Stats.Law), analysis::kShapeCentralCusp);
  EXPECT_EQ(analysis::ShapeText(analysis::Shape::Undefined), analysis::kShapeUndefined);
}

}  // namespace
