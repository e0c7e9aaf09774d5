#include "analysis/frequency_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "analysis/sweep.h"
#include "rf/model_fields.h"
#include "worked_example.h"

namespace {

using test_support::WorkedModel;

struct Refl {
  rf::TComplex Value;
  std::string Error;
  bool Ok() const { return Error.empty(); }
};

// The same double, NaN matching NaN and the sign of zero counting.
bool SameBits(double a, double b) {
  return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

constexpr double kC = 299792458.0;
constexpr double kPi = 3.141592653589793;

// A load of 0.6 at 0 degrees at the far end of 1.5 m of air line: the round trip turns it by
// -720 l f / c degrees, worked here from the closed form rather than through the line code.
Refl ThroughAirLine(double hz) {
  const double turn = -4.0 * kPi * 1.5 * hz / kC;
  return {{0.6 * std::cos(turn), 0.6 * std::sin(turn)}, ""};
}

double WrappedDeg(double deg) { return std::remainder(deg, 360.0); }

// Without loss only the phase changes along the band: each point is the load-phase sweep's
// point at that phase.
TEST(FrequencySweep, LosslessTemLineIsAPhaseSweep) {
  const rf::ModelState base = WorkedModel({.src = 0.3, .srcPha = 40.0, .load = 0.6, .dirDb = 25.0});
  const analysis::FrequencySweepResult r =
      analysis::FrequencySweep(base, 2.4e9, 2.5e9, 51, ThroughAirLine);
  ASSERT_EQ(r.Error, "");
  ASSERT_EQ(r.Points.size(), 51u);
  for (const analysis::FrequencyPoint& p : r.Points) {
    rf::ModelState phase = base;
    analysis::EvaluateAt(phase, analysis::SweepKind::LoadPhase,
                         WrappedDeg(-720.0 * 1.5 * p.FreqHz / kC));
    for (const rf::ScalarField& f : rf::ScalarFields()) {
      const double a = f.Value(p.Model);
      const double b = f.Value(phase);
      if (f.Name() == "LoaRfl.Pha") {
        EXPECT_NEAR(WrappedDeg(a - b), 0.0, 1e-9) << p.FreqHz;
      } else {
        EXPECT_NEAR(a, b, 1e-9 * std::fabs(b) + 1e-12) << f.Name() << " at " << p.FreqHz;
      }
    }
    // The limits over all phases hold for every frequency: the magnitudes are the same.
    EXPECT_NEAR(p.Model.PloadMin, base.PloadMin, 1e-9 * base.PloadMin);
    EXPECT_NEAR(p.Model.PloadMax, base.PloadMax, 1e-9 * base.PloadMax);
  }
  EXPECT_EQ(r.Points.front().FreqHz, 2.4e9);
  EXPECT_EQ(r.Points.back().FreqHz, 2.5e9);
}

struct BitsRow {
  std::string name;
  double (*loadMag)(double hz);
  bool srcFromFunction;
};

void PrintTo(const BitsRow& row, std::ostream* os) { *os << row.name; }

class FrequencySweepBits : public testing::TestWithParam<BitsRow> {};

// Forming the magnitude-only parts once while the magnitudes stay changes no bit: every point
// is the window's ComputeTransmission of its reflections.
TEST_P(FrequencySweepBits, AreTheWindowsResults) {
  const BitsRow& row = GetParam();
  const rf::ModelState base = WorkedModel({.src = 0.3, .srcPha = 40.0, .dirDb = 18.0});
  auto load = [&](double hz) {
    const double turn = -4.0 * kPi * 2.0 * hz / kC;
    const double mag = row.loadMag(hz);
    return Refl{{mag * std::cos(turn), mag * std::sin(turn)}, ""};
  };
  auto src = [](double hz) { return Refl{{0.1, hz < 2.45e9 ? 0.2 : -0.2}, ""}; };
  int count = 0;
  auto check = [&](double, const rf::ModelState& m) {
    rf::ModelState direct = base;
    direct.LoaRfl.Mag = m.LoaRfl.Mag;
    direct.LoaRfl.Pha = m.LoaRfl.Pha;
    direct.SrcRfl.Mag = m.SrcRfl.Mag;
    direct.SrcRfl.Pha = m.SrcRfl.Pha;
    rf::ReflFromMag(direct.LoaRfl);
    rf::ReflFromMag(direct.SrcRfl);
    rf::ComputeTransmission(direct);
    for (const rf::ScalarField& f : rf::ScalarFields()) {
      ASSERT_TRUE(SameBits(f.Value(direct), f.Value(m)))
          << f.Name() << ": " << f.Value(direct) << " vs " << f.Value(m);
    }
    ++count;
  };
  const std::string error =
      row.srcFromFunction
          ? analysis::ForEachFrequencyPoint(base, 2.4e9, 2.5e9, 41, load, src, check)
          : analysis::ForEachFrequencyPoint(base, 2.4e9, 2.5e9, 41, load, analysis::KeepSource{},
                                            check);
  EXPECT_EQ(error, "");
  EXPECT_EQ(count, 41);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, FrequencySweepBits,
    testing::Values(
        BitsRow{"ConstantMagnitude", [](double) { return 0.5; }, false},
        BitsRow{"ChangingMagnitude", [](double hz) { return 0.2 + hz / 1e10; }, false},
        BitsRow{"StepsInMagnitude", [](double hz) { return hz < 2.45e9 ? 0.3 : 0.7; }, false},
        BitsRow{"NaNMagnitude", [](double hz) { return hz < 2.45e9 ? 0.3 : std::nan(""); }, false},
        BitsRow{"SourceFromAFile", [](double) { return 0.5; }, true}),
    [](const auto& row) { return row.param.name; });

TEST(FrequencySweep, StopsAtTheFirstFrequencyWithoutAReflection) {
  const rf::ModelState base = WorkedModel({});
  int calls = 0;
  auto load = [&](double hz) {
    return hz > 2.42e9 ? Refl{{}, "outside the file"} : Refl{{0.5, 0.0}, ""};
  };
  const std::string error =
      analysis::ForEachFrequencyPoint(base, 2.4e9, 2.5e9, 11, load, analysis::KeepSource{},
                                      [&](double, const rf::ModelState&) { ++calls; });
  EXPECT_EQ(error, "outside the file");
  EXPECT_EQ(calls, 3);  // 2.40, 2.41, 2.42 GHz
  const analysis::FrequencySweepResult r = analysis::FrequencySweep(base, 2.4e9, 2.5e9, 11, load);
  EXPECT_EQ(r.Error, "outside the file");
  EXPECT_TRUE(r.Points.empty());
}

// The source's reflection may come from a file too; a source of its own error stops the sweep.
TEST(FrequencySweep, TakesTheSourceFromItsFunction) {
  const rf::ModelState base = WorkedModel({.src = 0.4});
  auto load = [](double) { return Refl{{0.0, -0.5}, ""}; };
  auto matched = [](double) { return Refl{{0.0, 0.0}, ""}; };
  const auto r = analysis::FrequencySweep(base, 1e9, 2e9, 3, load, matched);
  ASSERT_EQ(r.Error, "");
  for (const auto& p : r.Points) {
    EXPECT_EQ(p.Model.SrcRfl.Mag, 0.0);
    EXPECT_EQ(p.Model.LoaRfl.Mag, 0.5);
    EXPECT_EQ(p.Model.LoaRfl.Pha, -90.0);
    // A matched source delivers Pav into the load, less what the load reflects: 1 - 0.25.
    EXPECT_NEAR(p.Model.Pload, p.Model.Pav * 0.75, 1e-12 * p.Model.Pav);
  }
  auto failing = [](double) { return Refl{{}, "source file"}; };
  EXPECT_EQ(analysis::FrequencySweep(base, 1e9, 2e9, 3, load, failing).Error, "source file");
}

TEST(FrequencySweep, PointsIncludeBothEndsAndNoneForNoCount) {
  EXPECT_EQ(analysis::BandPointHz(2.4e9, 2.5e9, 0, 3), 2.4e9);
  EXPECT_EQ(analysis::BandPointHz(2.4e9, 2.5e9, 1, 3), 2.45e9);
  EXPECT_EQ(analysis::BandPointHz(2.4e9, 2.5e9, 2, 3), 2.5e9);
  EXPECT_EQ(analysis::BandPointHz(2.4e9, 2.5e9, 0, 1), 2.4e9);
  const auto r = analysis::FrequencySweep(WorkedModel({}), 1e9, 2e9, 0, ThroughAirLine);
  EXPECT_EQ(r.Error, "");
  EXPECT_TRUE(r.Points.empty());
}

TEST(FrequencySweep, ExtremesPassOverNaN) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::vector<analysis::FrequencyPoint> points(4);
  const double pload[] = {kNaN, 3.0, 1.0, 2.0};
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i].FreqHz = 1e9 * static_cast<double>(i + 1);
    points[i].Model.Pload = pload[i];
  }
  const rf::ScalarField field = *rf::FindScalarField("Pload");
  const analysis::BandExtremes e = analysis::Extremes(points, field);
  EXPECT_EQ(e.Min, 1.0);
  EXPECT_EQ(e.MinAtHz, 3e9);
  EXPECT_EQ(e.Max, 3.0);
  EXPECT_EQ(e.MaxAtHz, 2e9);
  points.resize(1);
  const analysis::BandExtremes none = analysis::Extremes(points, field);
  EXPECT_TRUE(std::isnan(none.Min) && std::isnan(none.Max) && std::isnan(none.MinAtHz));
  EXPECT_EQ(analysis::Column(points, field).size(), 1u);
}

}  // namespace
