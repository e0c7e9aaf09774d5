#include "analysis/disc_model.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "worked_example.h"

namespace {

using analysis::MagnitudeKnown;
using analysis::MagnitudeModel;
using test_support::Setup;
using test_support::WorkedModel;

constexpr double kPi = std::numbers::pi;

// A small generator of its own so that the samples are the same everywhere: splitmix64, and
// doubles from its top 53 bits.
struct Random {
  std::uint64_t state;
  double Uniform() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
  }
  // A reflection of the given magnitude, or uniform over the disc of that radius.
  std::complex<double> Reflection(double r, MagnitudeKnown known) {
    const double mag = known == MagnitudeKnown::Exactly ? r : r * std::sqrt(Uniform());
    return std::polar(mag, 2.0 * kPi * Uniform());
  }
};

struct Row {
  std::string name;
  Setup setup;
  MagnitudeModel model;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class DiscModel : public testing::TestWithParam<Row> {};

// Monte Carlo over the discs and the line's phase, each sample through the physical definition
// with complex reflections: the quadrature's statistics and intervals agree within the sampling
// error, and no sample leaves the worst-case limits.
TEST_P(DiscModel, AgreesWithMonteCarloOverTheDisc) {
  const Row& row = GetParam();
  const rf::ModelState m = WorkedModel(row.setup);
  const analysis::DiscRows rows = analysis::DiscLimitsAndCoverage(m, row.model, 0.95);
  constexpr int kSamples = 250000;
  Random rnd{12345};
  std::vector<std::vector<double>> values(5);
  for (int i = 0; i < kSamples; ++i) {
    const auto gs = rnd.Reflection(m.SrcRfl.Mag, row.model.Source);
    const auto gl = rnd.Reflection(m.LoaRfl.Mag, row.model.Load);
    const double f = 1.0 / std::norm(1.0 - gs * gl);
    const double ms = 1.0 - std::norm(gs);
    const double ml = 1.0 - std::norm(gl);
    values[0].push_back(f);
    values[1].push_back(ms * ml * f);
    values[2].push_back(m.Pmatch * f);
    values[3].push_back(m.Pmatch * std::norm(gl) * f);
    values[4].push_back(m.Pmatch * ml * f);
  }
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const auto& v = values[k];
    const analysis::CoverageRow& r = rows[k];
    double sum = 0.0;
    double sq = 0.0;
    for (const double x : v) sum += x;
    const double mean = sum / kSamples;
    for (const double x : v) sq += (x - mean) * (x - mean);
    const double sd = std::sqrt(sq / kSamples);
    const double below = static_cast<double>(std::count_if(
                             v.begin(), v.end(), [&](double x) { return x < r.Stats.Low; })) /
                         kSamples;
    const double above = static_cast<double>(std::count_if(
                             v.begin(), v.end(), [&](double x) { return x > r.Stats.High; })) /
                         kSamples;
    const double underMedian =
        static_cast<double>(
            std::count_if(v.begin(), v.end(), [&](double x) { return x < r.Stats.Median; })) /
        kSamples;
    // The sum of many equal samples rounds: a spread below 1e-9 of the mean is none.
    const double floor = 1e-9 * std::fabs(mean);
    EXPECT_NEAR(r.Stats.Mean, mean, 6.0 * sd / std::sqrt(kSamples) + floor) << r.Name;
    EXPECT_NEAR(r.Stats.Std, sd, 0.02 * sd + floor) << r.Name;
    if (sd > floor) {
      EXPECT_NEAR(below, 0.025, 0.002) << r.Name;
      EXPECT_NEAR(above, 0.025, 0.002) << r.Name;
      EXPECT_NEAR(underMedian, 0.5, 0.004) << r.Name;
    }
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    EXPECT_GE(*lo, r.Min - 1e-12 * std::fabs(r.Max)) << r.Name;
    EXPECT_LE(*hi, r.Max + 1e-12 * std::fabs(r.Max)) << r.Name;
    EXPECT_LE(r.Min, r.Stats.Low) << r.Name;
    EXPECT_GE(r.Max, r.Stats.High) << r.Name;
  }
}

// The limits are reached: a grid over both magnitudes and the phase comes within its step of
// every worst case.
TEST_P(DiscModel, LimitsAreTheWorstCaseOverTheDisc) {
  const Row& row = GetParam();
  const rf::ModelState m = WorkedModel(row.setup);
  const analysis::DiscRows rows = analysis::DiscLimitsAndCoverage(m, row.model, 0.95);
  const auto grid = [](double r, MagnitudeKnown known) {
    std::vector<double> g;
    if (known == MagnitudeKnown::Exactly) return std::vector<double>{r};
    for (int i = 0; i <= 300; ++i) g.push_back(r * i / 300.0);
    return g;
  };
  std::vector<double> lo(5, 1e300);
  std::vector<double> hi(5, -1e300);
  for (const double rs : grid(m.SrcRfl.Mag, row.model.Source)) {
    for (const double rl : grid(m.LoaRfl.Mag, row.model.Load)) {
      for (int j = 0; j < 72; ++j) {
        const double f = 1.0 / std::norm(1.0 - std::polar(rs * rl, 2.0 * kPi * j / 72));
        const double x[] = {f, (1 - rs * rs) * (1 - rl * rl) * f, m.Pmatch * f,
                            m.Pmatch * rl * rl * f, m.Pmatch * (1 - rl * rl) * f};
        for (std::size_t k = 0; k < 5; ++k) {
          lo[k] = std::min(lo[k], x[k]);
          hi[k] = std::max(hi[k], x[k]);
        }
      }
    }
  }
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const double tol = 2e-4 * std::fabs(rows[k].Max) + 1e-12;
    EXPECT_NEAR(rows[k].Min, lo[k], tol) << rows[k].Name;
    EXPECT_NEAR(rows[k].Max, hi[k], tol) << rows[k].Name;
  }
}

constexpr MagnitudeModel kSrcDisc{MagnitudeKnown::AsUpperLimit, MagnitudeKnown::Exactly};
constexpr MagnitudeModel kLoadDisc{MagnitudeKnown::Exactly, MagnitudeKnown::AsUpperLimit};
constexpr MagnitudeModel kBothDiscs{MagnitudeKnown::AsUpperLimit, MagnitudeKnown::AsUpperLimit};

INSTANTIATE_TEST_SUITE_P(
    Rows, DiscModel,
    testing::Values(Row{"SourceDisc", {.src = 0.2, .load = 0.5}, kSrcDisc},
                    // A load of SWR <= 1.5 behind a known source.
                    Row{"LoadSwrOnePointFive", {.src = 0.5, .load = 0.2}, kLoadDisc},
                    Row{"BothDiscs", {.src = 0.3, .load = 0.6}, kBothDiscs},
                    Row{"BothLarge", {.src = 0.9, .load = 0.9}, kBothDiscs},
                    // The conjugate match rl = rs lies inside the load's disc.
                    Row{"ConjugateMatchInside", {.src = 0.4, .load = 0.7}, kLoadDisc},
                    Row{"MatchedSourceLoadDisc", {.src = 0.0, .load = 0.5}, kLoadDisc}),
    [](const auto& row) { return row.param.name; });

// The datasheet figures: sqrt(2) rs rl for known magnitudes, rs rl / sqrt(2) for two discs;
// and a Monte Carlo of 2 Re(Gs Gl) over two discs.
TEST(MismatchTermStd, DatasheetValues) {
  EXPECT_NEAR(analysis::MismatchTermStd(0.2, 0.5, {}), 0.14142135623730950, 1e-15);
  EXPECT_NEAR(analysis::MismatchTermStd(0.2, 0.5, kBothDiscs), 0.070710678118654752, 1e-15);
  EXPECT_NEAR(analysis::MismatchTermStd(0.2, 0.5, kLoadDisc), 0.1, 1e-15);
  Random rnd{7};
  double sq = 0.0;
  constexpr int kN = 200000;
  for (int i = 0; i < kN; ++i) {
    const auto t = 2.0 * (rnd.Reflection(0.2, MagnitudeKnown::AsUpperLimit) *
                          rnd.Reflection(0.5, MagnitudeKnown::AsUpperLimit))
                             .real();
    sq += t * t;
  }
  EXPECT_NEAR(std::sqrt(sq / kN), 0.070710678118654752, 1e-3);
}

TEST(DiscModel, ExactMagnitudesKeepTheClosedForms) {
  const rf::ModelState m = WorkedModel({.dirDb = 20.0});
  const analysis::DiscRows rows = analysis::DiscLimitsAndCoverage(m, {}, 0.9);
  const analysis::CoverageRows exact = analysis::LimitsAndCoverage(m, 0.9);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k].Stats.Low, exact[k].Stats.Low);
    EXPECT_EQ(rows[k].Max, exact[k].Max);
  }
  // The disc's law is named; a zero radius leaves nothing to spread.
  const analysis::DiscRows disc = analysis::DiscLimitsAndCoverage(m, kLoadDisc, 0.9);
  EXPECT_EQ(disc[4].Stats.Law, analysis::Shape::Disc);
  const analysis::DiscRows none =
      analysis::DiscLimitsAndCoverage(WorkedModel({.src = 0.0, .load = 0.0}), kBothDiscs, 0.9);
  EXPECT_EQ(none[4].Stats.Law, analysis::Shape::Fixed);
  EXPECT_EQ(none[4].Stats.Low, none[4].Max);
  // The whole table: the disc's rows, then the readings as for exact magnitudes.
  const analysis::CoverageRows all = analysis::LimitsAndCoverage(m, kLoadDisc, 0.9);
  EXPECT_EQ(all[4].Stats.Low, disc[4].Stats.Low);
  EXPECT_EQ(all[4].Max, disc[4].Max);
  EXPECT_EQ(all[7].Name, "PloadReading");
  EXPECT_EQ(all[7].Stats.High, exact[7].Stats.High);
}

}  // namespace
