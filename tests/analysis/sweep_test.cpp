#include "analysis/sweep.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <string>

#include "rf/model_fields.h"
#include "worked_example.h"

namespace {

using analysis::SweepKind;
using test_support::Setup;
using test_support::WorkedModel;

TEST(Sweep, PointsIncludeBothEndsAndTheCentreExactly) {
  EXPECT_EQ(analysis::SweepValue(SweepKind::LoadPhase, 0, 2), -180.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::LoadPhase, 1, 2), 180.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::RoundTrip, 36, 73), 0.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::SrcPhase, 1, 73), -175.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::Directivity, 0, 61), 0.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::Directivity, 20, 61), 20.0);
  EXPECT_EQ(analysis::SweepValue(SweepKind::Directivity, 60, 61), 60.0);
  EXPECT_TRUE(analysis::Sweep(WorkedModel({}), SweepKind::LoadPhase, 1).empty());
  EXPECT_EQ(analysis::Sweep(WorkedModel({}), SweepKind::LoadPhase, 2).size(), 2u);
}

TEST(Sweep, NamesRoundTrip) {
  for (const SweepKind k :
       {SweepKind::LoadPhase, SweepKind::SrcPhase, SweepKind::RoundTrip, SweepKind::Directivity}) {
    EXPECT_EQ(analysis::FindSweep(analysis::SweepName(k)), k);
  }
  EXPECT_FALSE(analysis::FindSweep("phase").has_value());
  EXPECT_EQ(analysis::SweepColumn(SweepKind::RoundTrip), "phase_deg");
  EXPECT_EQ(analysis::SweepColumn(SweepKind::Directivity), "directivity_db");
}

// The point at the actual phase is the window's own result, bit for bit.
TEST(Sweep, PointAtTheActualPhaseIsTheWindowsResult) {
  const rf::ModelState base =
      WorkedModel({.src = 0.3, .srcPha = 40.0, .load = 0.6, .loadPha = 90.0});
  const auto points = analysis::Sweep(base, SweepKind::LoadPhase, 73);  // 5-degree grid
  const rf::ModelState& at90 = points[54].Model;
  EXPECT_EQ(points[54].X, 90.0);
  for (const rf::ScalarField& f : rf::ScalarFields()) {
    const double a = f.Value(at90);
    const double b = f.Value(base);
    EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << f.Name();
  }
}

TEST(Sweep, RoundTripKeepsTheSourcePhaseAndWrapsTheLoadPhase) {
  const rf::ModelState base = WorkedModel({.srcPha = 150.0});
  const auto points = analysis::Sweep(base, SweepKind::RoundTrip, 5);
  for (const auto& p : points) {
    EXPECT_EQ(p.Model.SrcRfl.Pha, 150.0);
    EXPECT_GE(p.Model.LoaRfl.Pha, -180.0);
    EXPECT_LE(p.Model.LoaRfl.Pha, 180.0);
    const double sum = std::remainder(p.Model.SrcRfl.Pha + p.Model.LoaRfl.Pha - p.X, 360.0);
    EXPECT_NEAR(sum, 0.0, 1e-12) << p.X;
  }
}

struct ExtremesRow {
  std::string name;
  Setup setup;
  SweepKind kind;
};

void PrintTo(const ExtremesRow& row, std::ostream* os) { *os << row.name; }

class SweepExtremes : public testing::TestWithParam<ExtremesRow> {};

// Over a full turn of either phase (or of their sum) the swept values reach the window's
// minimum and maximum fields and never pass them.
TEST_P(SweepExtremes, EqualTheModelsMinAndMaxFields) {
  const rf::ModelState base = WorkedModel(GetParam().setup);
  const auto points = analysis::Sweep(base, GetParam().kind, 361);
  const std::pair<const char*, const char*> fields[] = {{"Interf", "Interf"},
                                                        {"TrGain", "TrGain"},
                                                        {"Pinc", "Pinc"},
                                                        {"Prefl", "Prefl"},
                                                        {"Pload", "Pload"}};
  for (const auto& [value, limit] : fields) {
    const auto f = *rf::FindScalarField(value);
    const auto column = analysis::Column(points, f);
    const auto [lo, hi] = std::minmax_element(column.begin(), column.end());
    const double min = rf::FindScalarField(std::string(limit) + "Min")->Value(base);
    const double max = rf::FindScalarField(std::string(limit) + "Max")->Value(base);
    EXPECT_NEAR(*lo, min, 1e-12 * std::fabs(min) + 1e-300) << value;
    EXPECT_NEAR(*hi, max, 1e-12 * std::fabs(max) + 1e-300) << value;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SweepExtremes,
    testing::Values(
        ExtremesRow{"FirstStartLoadPhase", {}, SweepKind::LoadPhase},
        ExtremesRow{"FirstStartSrcPhase", {}, SweepKind::SrcPhase},
        ExtremesRow{"FirstStartRoundTrip", {}, SweepKind::RoundTrip},
        ExtremesRow{"OddSourcePhaseRoundTrip",
                    {.src = 0.7, .srcPha = 37.0, .load = 0.9, .loadPha = -20.0},
                    SweepKind::RoundTrip},
        ExtremesRow{"NearlyMatchedLoad", {.src = 0.5, .load = 0.001}, SweepKind::LoadPhase},
        ExtremesRow{"StrongReflections", {.src = 0.95, .load = 0.95}, SweepKind::SrcPhase}),
    [](const auto& row) { return row.param.name; });

// The directivity sweep recomputes the measurement only; its error band narrows as the
// directivity rises and meets the window's result at every whole dB.
TEST(Sweep, DirectivityBandNarrowsAndMatchesTheWindowAtEachPoint) {
  const rf::ModelState base = WorkedModel({});
  const auto points = analysis::Sweep(base, SweepKind::Directivity, 61);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const rf::ModelState& m = points[i].Model;
    EXPECT_FALSE(m.CplIdeal);
    EXPECT_EQ(m.Pinc, base.Pinc);
    rf::ModelState direct = base;
    direct.CplIdeal = false;
    direct.CplDirDb = static_cast<double>(i);
    rf::ComputeMeasurement(direct);
    EXPECT_EQ(m.PloadMinRelat, direct.PloadMinRelat) << i;
    EXPECT_EQ(m.PloadMaxRelat, direct.PloadMaxRelat) << i;
    if (i > 0) {
      EXPECT_GT(m.PloadMinRelat, points[i - 1].Model.PloadMinRelat) << i;
      EXPECT_LT(m.PloadMaxRelat, points[i - 1].Model.PloadMaxRelat) << i;
    }
  }
}

// The grid's shortcut (phases converted once, coupler factors formed once) changes no bit.
TEST(Sweep, PhaseGridPointsAreTheWindowsResultsBitForBit) {
  const rf::ModelState base = WorkedModel({.src = 0.9, .load = 0.7, .dirDb = 12.5});
  int checked = 0;
  analysis::ForEachPhasePair(base, 37, [&](double s, double l, const rf::ModelState& m) {
    rf::ModelState direct = base;
    direct.SrcRfl.Pha = s;
    direct.LoaRfl.Pha = l;
    rf::ComputeTransmission(direct);
    for (const rf::ScalarField& f : rf::ScalarFields()) {
      const double a = f.Value(m);
      const double b = f.Value(direct);
      ASSERT_TRUE(a == b || (std::isnan(a) && std::isnan(b)))
          << f.Name() << " at " << s << ", " << l;
    }
    ++checked;
  });
  EXPECT_EQ(checked, 37 * 37);
}

TEST(Sweep, PhaseGridVisitsEveryPairOnce) {
  int count = 0;
  double maxInterf = 0.0;
  const rf::ModelState base = WorkedModel({});
  analysis::ForEachPhasePair(base, 73, [&](double s, double l, const rf::ModelState& m) {
    ++count;
    EXPECT_EQ(m.SrcRfl.Pha, s);
    EXPECT_EQ(m.LoaRfl.Pha, l);
    maxInterf = std::max(maxInterf, m.Interf);
  });
  EXPECT_EQ(count, 73 * 73);
  EXPECT_NEAR(maxInterf, base.InterfMax, 1e-12);
}

}  // namespace
