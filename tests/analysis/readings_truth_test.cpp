#include "analysis/readings_truth.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>

#include "analysis/texts.h"

namespace {

using analysis::Truth;
using analysis::TruthStatus;

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Span {
  double lo = kInf;
  double hi = -kInf;
  void Add(double x) {
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
};

struct Brute {
  Span pinc, prefl, pload, mag;
  int hits = 0;
};

// Over a grid of load magnitudes and forward leakage phases: the forward reading fixes the
// incident power, Pinc = forward / |1 + d M e^{j psi}|^2, and some reverse leakage phase then
// gives the reflected reading exactly when it lies in Pinc [(M - d)^2, (M + d)^2], since
// |M + d e^{j chi}|^2 sweeps that range continuously.
Brute BruteForce(double forward, double reflected, double d) {
  Brute b;
  constexpr int kMags = 2000;
  constexpr int kPhases = 720;
  for (int i = 0; i <= kMags; ++i) {
    const double mag = static_cast<double>(i) / kMags;
    for (int j = 0; j < kPhases; ++j) {
      const auto e = std::polar(1.0, 2.0 * kPi * j / kPhases);
      const double pinc = forward / std::norm(1.0 + d * mag * e);
      const double lo = pinc * (mag - d) * (mag - d);
      const double hi = pinc * (mag + d) * (mag + d);
      if (reflected < lo || reflected > hi) continue;
      ++b.hits;
      b.pinc.Add(pinc);
      b.prefl.Add(pinc * mag * mag);
      b.pload.Add(pinc * (1.0 - mag * mag));
      b.mag.Add(mag);
    }
  }
  return b;
}

struct Row {
  std::string name;
  double forward;
  double reflected;
  double dirDb;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class TruthAgainstBruteForce : public testing::TestWithParam<Row> {};

// The exact bounds hold every brute-force point and are approached by them to within the grid.
TEST_P(TruthAgainstBruteForce, BoundsEncloseAndMeetTheGrid) {
  const Row& row = GetParam();
  const Truth t = analysis::TruthFromReadings(row.forward, row.reflected, false, row.dirDb);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  const double d = std::pow(10.0, -row.dirDb / 20.0);
  const Brute b = BruteForce(row.forward, row.reflected, d);
  ASSERT_GT(b.hits, 10);
  const struct {
    const char* name;
    analysis::Range exact;
    Span brute;
    double scale;
  } items[] = {{"Pinc", t.Pinc, b.pinc, t.Pinc.Max},
               {"Prefl", t.Prefl, b.prefl, t.Pinc.Max},
               {"Pload", t.Pload, b.pload, t.Pinc.Max},
               {"Mag", t.Mag, b.mag, 1.0}};
  for (const auto& it : items) {
    EXPECT_LE(it.exact.Min, it.brute.lo + 1e-12 * it.scale) << it.name;
    EXPECT_GE(it.exact.Max, it.brute.hi - 1e-12 * it.scale) << it.name;
    EXPECT_NEAR(it.exact.Min, it.brute.lo, 2e-3 * it.scale) << it.name;
    EXPECT_NEAR(it.exact.Max, it.brute.hi, 2e-3 * it.scale) << it.name;
  }
  EXPECT_EQ(t.MagLo.Mag, t.Mag.Min);
  EXPECT_EQ(t.MagHi.Swr, rf::MagToSwr(t.Mag.Max));
  EXPECT_EQ(t.MagLo.Rloss, rf::MagToDb(t.Mag.Min));
}

INSTANTIATE_TEST_SUITE_P(Rows, TruthAgainstBruteForce,
                         testing::Values(Row{"TenPercentReflected20dB", 1000.0, 100.0, 20.0},
                                         Row{"LeakageAboveReflection", 1000.0, 1.0, 20.0},
                                         Row{"NoReflectedReading", 1000.0, 0.0, 20.0},
                                         Row{"StrongReflection", 1000.0, 900.0, 20.0},
                                         Row{"EqualReadings", 1000.0, 1000.0, 20.0},
                                         Row{"ReflectedAboveForward", 1000.0, 1200.0, 20.0},
                                         Row{"PoorCouplers", 1000.0, 200.0, 6.0},
                                         Row{"GoodCouplers", 1000.0, 250.0, 40.0},
                                         Row{"Milliwatts", 1e-3, 1e-4, 30.0}),
                         [](const auto& row) { return row.param.name; });

struct State {
  std::string name;
  double pinc, mag, psi, chi, dirDb;
};

void PrintTo(const State& s, std::ostream* os) { *os << s.name; }

class TruthHoldsTheTruth : public testing::TestWithParam<State> {};

// Readings made from a known truth, through the leakage model with complex waves: the answer
// must contain that truth.
TEST_P(TruthHoldsTheTruth, ReadingsFromAKnownLoad) {
  const State& s = GetParam();
  const double d = std::pow(10.0, -s.dirDb / 20.0);
  const double fwd = s.pinc * std::norm(1.0 + d * s.mag * std::polar(1.0, s.psi));
  const double ref = s.pinc * std::norm(s.mag * std::polar(1.0, 0.3) + d * std::polar(1.0, s.chi));
  const Truth t = analysis::TruthFromReadings(fwd, ref, false, s.dirDb);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  const double tol = 1e-12 * s.pinc;
  EXPECT_LE(t.Pinc.Min, s.pinc + tol);
  EXPECT_GE(t.Pinc.Max, s.pinc - tol);
  EXPECT_LE(t.Mag.Min, s.mag + 1e-12);
  EXPECT_GE(t.Mag.Max, s.mag - 1e-12);
  const double pload = s.pinc * (1.0 - s.mag * s.mag);
  EXPECT_LE(t.Pload.Min, pload + tol);
  EXPECT_GE(t.Pload.Max, pload - tol);
  EXPECT_LE(t.Prefl.Min, s.pinc * s.mag * s.mag + tol);
  EXPECT_GE(t.Prefl.Max, s.pinc * s.mag * s.mag - tol);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TruthHoldsTheTruth,
    testing::Values(State{"Typical", 992.317, 0.5, 1.0, 2.0, 20.0},
                    // Leakage in phase with both waves: the readings sit on the region's edge.
                    State{"BothInPhase", 1000.0, 0.5, 0.0, 0.3, 20.0},
                    State{"BothOpposed", 1000.0, 0.5, kPi, 0.3 + kPi, 20.0},
                    // The most reflected reading per forward one a load can give.
                    State{"TotalReflectionExtreme", 1000.0, 1.0, kPi, 0.3, 20.0},
                    State{"MatchedLoad", 500.0, 0.0, 0.0, 0.0, 30.0},
                    State{"ZeroDbCouplers", 100.0, 0.7, 2.0, 1.0, 0.0}),
    [](const auto& row) { return row.param.name; });

// Ideal couplers read the truth itself.
TEST(TruthFromReadings, IdealCouplersGiveTheExactTruth) {
  const Truth t = analysis::TruthFromReadings(1000.0, 250.0, true, kNaN);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  EXPECT_EQ(t.Pinc.Min, 1000.0);
  EXPECT_EQ(t.Pinc.Max, 1000.0);
  EXPECT_EQ(t.Prefl.Min, 250.0);
  EXPECT_EQ(t.Pload.Min, 750.0);
  EXPECT_EQ(t.Pload.Max, 750.0);
  EXPECT_EQ(t.Mag.Min, 0.5);
  EXPECT_EQ(t.Mag.Max, 0.5);
  EXPECT_NEAR(t.MagLo.Rloss, -6.0206, 1e-4);
  EXPECT_DOUBLE_EQ(t.MagHi.Swr, 3.0);
  // No reflected power: a matched load, SWR 1.
  const Truth matched = analysis::TruthFromReadings(10.0, 0.0, true, 20.0);
  EXPECT_EQ(matched.Mag.Max, 0.0);
  EXPECT_EQ(matched.MagHi.Swr, 1.0);
  // Everything reflected: nothing absorbed.
  const Truth total = analysis::TruthFromReadings(10.0, 10.0, true, 20.0);
  EXPECT_EQ(total.Pload.Max, 0.0);
  EXPECT_EQ(total.MagHi.Swr, kInf);
}

struct BadRow {
  std::string name;
  double forward, reflected;
  bool ideal;
  double dirDb;
  TruthStatus status;
};

void PrintTo(const BadRow& row, std::ostream* os) { *os << row.name; }

class TruthRefused : public testing::TestWithParam<BadRow> {};

// Readings no load can produce, or that are no readings, give a status and its text, and every
// number NaN, never a plausible range.
TEST_P(TruthRefused, SaysWhyAndGivesNoNumbers) {
  const BadRow& row = GetParam();
  const Truth t = analysis::TruthFromReadings(row.forward, row.reflected, row.ideal, row.dirDb);
  EXPECT_EQ(t.Status, row.status);
  EXPECT_FALSE(analysis::TruthStatusText(t.Status).empty());
  EXPECT_NE(analysis::TruthStatusText(t.Status), analysis::kTruthOk);
  for (const analysis::Range& r : {t.Pinc, t.Prefl, t.Pload, t.Mag}) {
    EXPECT_TRUE(std::isnan(r.Min));
    EXPECT_TRUE(std::isnan(r.Max));
  }
}

// 20 dB couplers allow at most ((1 + 0.1) / (1 - 0.1))^2 = 1.4938 times the forward reading.
INSTANTIATE_TEST_SUITE_P(
    Rows, TruthRefused,
    testing::Values(
        BadRow{"IdealReflectedAboveForward", 100.0, 101.0, true, 20.0, TruthStatus::Inconsistent},
        BadRow{"BeyondWhatLeakageExplains", 100.0, 150.0, false, 20.0, TruthStatus::Inconsistent},
        BadRow{"ReflectedWithoutForward", 0.0, 1.0, false, 20.0, TruthStatus::Inconsistent},
        BadRow{"BothZero", 0.0, 0.0, false, 20.0, TruthStatus::NoPower},
        BadRow{"BothZeroIdeal", 0.0, 0.0, true, 20.0, TruthStatus::NoPower},
        BadRow{"NegativeForward", -1.0, 0.0, true, 20.0, TruthStatus::BadInput},
        BadRow{"NegativeReflected", 10.0, -0.0001, false, 20.0, TruthStatus::BadInput},
        BadRow{"NaNReading", kNaN, 1.0, false, 20.0, TruthStatus::BadInput},
        BadRow{"InfiniteReading", kInf, 1.0, false, 20.0, TruthStatus::BadInput},
        BadRow{"DirectivityAbove160", 10.0, 1.0, false, 160.5, TruthStatus::BadInput},
        BadRow{"NegativeDirectivity", 10.0, 1.0, false, -0.5, TruthStatus::BadInput},
        BadRow{"NaNDirectivity", 10.0, 1.0, false, kNaN, TruthStatus::BadInput}),
    [](const auto& row) { return row.param.name; });

TEST(TruthFromReadings, EdgesOfWhatCouplersAllow) {
  const double d = 0.1;
  const double limit = (1.0 + d) / (1.0 - d);
  // Just at the largest ratio: a totally reflecting load, with one incident power.
  Truth t = analysis::TruthFromReadings(100.0, 100.0 * limit * limit, false, 20.0);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  EXPECT_NEAR(t.Mag.Min, 1.0, 1e-6);
  EXPECT_NEAR(t.Pinc.Min, 100.0 / 0.81, 1e-4);
  EXPECT_NEAR(t.Pinc.Max, 100.0 / 0.81, 1e-4);
  EXPECT_EQ(analysis::TruthFromReadings(100.0, 100.0 * limit * limit * 1.0001, false, 20.0).Status,
            TruthStatus::Inconsistent);
  // 0 dB couplers: any ratio is possible and the incident power has no upper bound.
  t = analysis::TruthFromReadings(1.0, 50.0, false, 0.0);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  EXPECT_EQ(t.Pinc.Max, kInf);
  // 160 dB couplers come within rounding of the ideal answer.
  t = analysis::TruthFromReadings(1000.0, 250.0, false, 160.0);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  EXPECT_NEAR(t.Pinc.Min, 1000.0, 1e-4);
  EXPECT_NEAR(t.Pinc.Max, 1000.0, 1e-4);
  EXPECT_NEAR(t.Mag.Min, 0.5, 1e-7);
  EXPECT_NEAR(t.Mag.Max, 0.5, 1e-7);
}

}  // namespace

namespace {

// The theory document's example: 1000 W forward and 100 W reflected through 20 dB couplers.
TEST(TruthFromReadings, DocumentedExample) {
  const Truth t = analysis::TruthFromReadings(1000.0, 100.0, false, 20.0);
  ASSERT_EQ(t.Status, TruthStatus::Ok);
  EXPECT_NEAR(t.Pinc.Min, 919.277, 5e-4);
  EXPECT_NEAR(t.Pinc.Max, 1085.85, 5e-3);
  EXPECT_NEAR(t.Pload.Min, 749.445, 5e-4);
  EXPECT_NEAR(t.Pload.Max, 997.443, 5e-4);
  EXPECT_NEAR(t.Mag.Min, 0.2096, 5e-5);
  EXPECT_NEAR(t.Mag.Max, 0.42982, 5e-6);
  EXPECT_NEAR(t.MagLo.Swr, 1.53036, 5e-6);
  EXPECT_NEAR(t.MagHi.Swr, 2.50766, 5e-6);
}

}  // namespace
