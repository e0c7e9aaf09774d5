// The band sheets' pictures: what the powers chart, the Smith chart and the load-plane map hold
// for loads worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/coupler_design.h"
#include "chart/chart.h"
#include "doubles.h"
#include "views/band_charts.h"
#include "worked_example.h"

namespace {

views::BandEvaluation Evaluate(const rf::ModelState& window, views::BandInputs in = {}, int n = 9) {
  const auto s = views::MakeBandSetup(in, nullptr, nullptr);
  EXPECT_TRUE(s.Ok()) << s.Error;
  return views::EvaluateBand(window, s.Setup, n);
}

TEST(BandPowersChart, SpansTheBandAndMarksTheOperatingFrequency) {
  const auto s = views::MakeBandSetup({}, nullptr, nullptr);
  const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup, 9);
  const views::BuiltChart b = views::BandPowersChart(e, s.Setup, numtext::PowerUnit::Watts);
  EXPECT_EQ(b.Chart.X.Min, 2400.0);
  EXPECT_EQ(b.Chart.X.Max, 2500.0);
  ASSERT_EQ(b.Chart.Targets.size(), 1u);
  EXPECT_EQ(b.Chart.Targets[0].Along, chart::Orientation::Vertical);
  EXPECT_EQ(b.Chart.Targets[0].Value, 2450.0);
  EXPECT_EQ(b.Chart.Lines.size(), 3u);
  EXPECT_EQ(b.Chart.Bands.size(), 3u);
  ASSERT_EQ(b.Chart.Markers.size(), 3u);
  EXPECT_EQ(b.Chart.Markers[0].Name, "Operating point");
  EXPECT_TRUE(b.Chart.Markers[1].Name.empty());
  ASSERT_EQ(b.Table.Rows.size(), 9u);
  EXPECT_EQ(b.Table.Columns.front(), "freq_hz");
  EXPECT_EQ(b.Table.Columns.size(), 10u);
  EXPECT_EQ(b.Table.Rows[4][0], 2.45e9);
  // Each quantity lies within its own limits over all phases.
  for (const auto& row : b.Table.Rows) {
    EXPECT_LE(row[4], row[1]);
    EXPECT_LE(row[1], row[5]);
    EXPECT_LE(row[8], row[3]);
    EXPECT_LE(row[3], row[9]);
  }
}

TEST(BandPowersChart, ASinglePointBandLeavesTheAxisToTheData) {
  views::BandInputs in;
  in.Spread = "0";
  const auto s = views::MakeBandSetup(in, nullptr, nullptr);
  ASSERT_TRUE(s.Ok()) << s.Error;
  const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup, 1);
  const views::BuiltChart b = views::BandPowersChart(e, s.Setup, numtext::PowerUnit::Dbm);
  EXPECT_TRUE(std::isnan(b.Chart.X.Min));
  EXPECT_EQ(b.Chart.Y.Unit, "dBm");
  // And it still draws: an SVG with the title.
  const std::string svg = chart::ToSvg(b.Chart, 640, 400, chart::Style{});
  EXPECT_NE(svg.find("Powers over the band"), std::string::npos);
}

TEST(BandSmithChart, HoldsTheLocusTheMarksAndTheCircles) {
  struct Row {
    const char* name;
    double dirDb;
    bool annulusIsARing;
  };
  const Row rows[] = {{"IdealCouplers", -1.0, false}, {"TwentyDecibels", 20.0, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    views::BandInputs in;
    in.LengthM = "0.5";
    const views::BandEvaluation e = Evaluate(test_support::WorkedModel({.dirDb = row.dirDb}), in);
    const chart::SmithChart c = views::BandSmithChart(e);
    ASSERT_EQ(c.Loci.size(), 1u);
    EXPECT_EQ(c.Loci[0].Gamma.size(), 9u);
    // A lossless line keeps the magnitude: the locus runs on the constant-|Gs Gl| circle.
    for (const auto g : c.Loci[0].Gamma) EXPECT_NEAR(std::abs(g), 0.5, 1e-12);
    ASSERT_EQ(c.Circles.size(), 1u);
    EXPECT_NEAR(c.Circles[0].Radius, 0.5, 1e-12);
    EXPECT_EQ(std::abs(c.Circles[0].Centre), 0.0);
    ASSERT_EQ(c.Points.size(), 2u);
    // The worked example's source is 0.2 at 0 degrees; its conjugate lies on the real axis.
    EXPECT_NEAR(c.Points[0].Gamma.real(), 0.2, 1e-12);
    EXPECT_NEAR(c.Points[0].Gamma.imag(), 0.0, 1e-12);
    EXPECT_NEAR(std::abs(c.Points[1].Gamma), 0.5, 1e-12);
    // Ideal couplers tell every load apart: no ring at all.
    ASSERT_EQ(c.Annuli.size(), row.annulusIsARing ? 1u : 0u);
    if (row.annulusIsARing) {
      EXPECT_LT(c.Annuli[0].Inner, 0.5);
      EXPECT_GT(c.Annuli[0].Outer, 0.5);
    }
  }
}

TEST(BandSmithChart, ConjugateOfASourceWithPhase) {
  const views::BandEvaluation e = Evaluate(test_support::WorkedModel({.srcPha = 30.0}));
  const chart::SmithChart c = views::BandSmithChart(e);
  EXPECT_NEAR(std::arg(c.Points[0].Gamma) * 180.0 / 3.141592653589793, -30.0, 1e-9);
}

TEST(LoadPlaneMap, ValuesInsideTheDiscOnly) {
  const rf::ModelState op = test_support::WorkedModel({.src = 0.0});
  const chart::ContourMap map =
      views::LoadPlaneMap(op, views::MapQuantity::AbsorbedPower, numtext::PowerUnit::Watts, 5);
  ASSERT_TRUE(map.Values.Valid());
  ASSERT_EQ(map.Values.X.size(), 5u);
  EXPECT_EQ(map.Values.X.front(), -1.0);
  EXPECT_EQ(map.Values.X[2], 0.0);
  EXPECT_EQ(map.Values.X.back(), 1.0);
  EXPECT_TRUE(map.ReflectionPlane);
  // Corners lie outside the unit circle; the rim's points on it are total reflection.
  EXPECT_TRUE(std::isnan(map.Values.At(0, 0)));
  EXPECT_TRUE(std::isnan(map.Values.At(4, 4)));
  EXPECT_NEAR(map.Values.At(4, 2), 0.0, 1e-9);
  // A matched load from a matched source takes everything available, 1.00224 kW here (the
  // scale that the largest power, the available one, chooses); |Gl| = 0.5 takes three quarters.
  EXPECT_EQ(map.ScaleUnit, "kW");
  EXPECT_NEAR(map.Values.At(2, 2), 1.00224, 1e-12);
  EXPECT_NEAR(map.Values.At(3, 2), 0.75168, 1e-12);
  ASSERT_EQ(map.Markers.size(), 1u);
  EXPECT_NEAR(map.Markers[0].X, 0.0, 1e-12);
  EXPECT_NEAR(map.Markers[0].Y, 0.5, 1e-12);
}

TEST(LoadPlaneMap, EveryPointIsTheWindowsOwnResult) {
  // The map forms the source once and skips the readings; each value must still be what the
  // window shows for that load, to the last bit.
  struct Row {
    const char* name;
    test_support::Setup setup;
    views::MapQuantity q;
  };
  const Row rows[] = {
      {"Power", {}, views::MapQuantity::AbsorbedPower},
      {"PowerSourceWithPhase", {.src = 0.6, .srcPha = -130.0}, views::MapQuantity::AbsorbedPower},
      {"ErrorTwentyDecibels", {.dirDb = 20.0}, views::MapQuantity::ReadingError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const rf::ModelState op = test_support::WorkedModel(row.setup);
    const chart::ContourMap map = views::LoadPlaneMap(op, row.q, numtext::PowerUnit::Dbw, 9);
    for (std::size_t j = 0; j < 9; ++j) {
      for (std::size_t i = 0; i < 9; ++i) {
        const double re = map.Values.X[i];
        const double im = map.Values.Y[j];
        if (re * re + im * im > 1.0) continue;
        rf::ModelState m = op;
        m.LoaRfl.Mag = std::hypot(re, im);
        m.LoaRfl.Pha = std::atan2(im, re) * 180.0 / 3.141592653589793;
        rf::ReflFromMag(m.LoaRfl);
        rf::ComputeTransmission(m);
        // Errors of 100 % and more are drawn as 100 %.
        const double error = 100.0 * analysis::AbsorbedReadingError(m);
        const double expected = row.q == views::MapQuantity::AbsorbedPower
                                    ? numtext::InScale(numtext::PowerScale::Dbw, m.Pload)
                                : std::isnan(error) ? error
                                                    : std::min(error, 100.0);
        EXPECT_TRUE(zephlane_test::SameBits(expected, map.Values.At(i, j))) << re << ", " << im;
      }
    }
  }
}

TEST(LoadPlaneMap, LevelsIncludeATenthBelowTheOperatingPower) {
  struct Row {
    const char* name;
    numtext::PowerUnit unit;
  };
  const Row rows[] = {{"Watts", numtext::PowerUnit::Watts}, {"Dbm", numtext::PowerUnit::Dbm}};
  const rf::ModelState op = test_support::WorkedModel();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const chart::ContourMap map =
        views::LoadPlaneMap(op, views::MapQuantity::AbsorbedPower, row.unit, 41);
    ASSERT_GE(map.Levels.size(), 3u);
    EXPECT_TRUE(std::is_sorted(map.Levels.begin(), map.Levels.end()));
    const numtext::PowerScale scale = numtext::ScaleFor(row.unit, op.Pav);
    // To three significant digits, so that the colour scale's label stays short.
    const double tenth = numtext::InScale(scale, 0.9 * op.Pload);
    const bool found = std::any_of(map.Levels.begin(), map.Levels.end(), [&](double l) {
      return std::fabs(l - tenth) <= 5e-3 * std::fabs(tenth);
    });
    EXPECT_TRUE(found);
  }
}

TEST(LoadPlaneMap, ReadingErrorVanishesWithIdealCouplers) {
  struct Row {
    const char* name;
    double dirDb;
    bool zeroAtCentre, positiveAtRimHalf;
  };
  const Row rows[] = {{"Ideal", -1.0, true, false}, {"TwentyDecibels", 20.0, false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const chart::ContourMap map =
        views::LoadPlaneMap(test_support::WorkedModel({.dirDb = row.dirDb}),
                            views::MapQuantity::ReadingError, numtext::PowerUnit::Watts, 5);
    EXPECT_EQ(map.ScaleUnit, "%");
    EXPECT_EQ(map.Values.At(3, 2) == 0.0, !row.positiveAtRimHalf);
    EXPECT_EQ(map.Values.At(2, 2) == 0.0, row.zeroAtCentre || !row.positiveAtRimHalf);
  }
}

TEST(LoadPlaneMap, ReadingErrorsBeyondTheTopLevelShareTheTopBand) {
  // With 20 dB couplers the error near total reflection runs into thousands of per cent; it
  // must not stretch the scale until every useful error shares one colour.
  const chart::ContourMap map =
      views::LoadPlaneMap(test_support::WorkedModel({.dirDb = 20.0}),
                          views::MapQuantity::ReadingError, numtext::PowerUnit::Watts, 41);
  ASSERT_FALSE(map.Levels.empty());
  EXPECT_EQ(map.Levels.front(), 0.0);
  EXPECT_EQ(map.Levels.back(), 100.0);
  double largest = 0.0;
  for (const double v : map.Values.Z) {
    if (std::isfinite(v)) largest = std::max(largest, v);
  }
  EXPECT_EQ(largest, 100.0);
  // The centre keeps its own, small error.
  EXPECT_GT(map.Values.At(20, 20), 0.0);
  EXPECT_LT(map.Values.At(20, 20), 100.0);
}

TEST(LoadPlaneMap, TooFewPointsStillMakeAGrid) {
  for (const int n : {-3, 0, 1, 2}) {
    SCOPED_TRACE(n);
    const chart::ContourMap map =
        views::LoadPlaneMap(test_support::WorkedModel(), views::MapQuantity::AbsorbedPower,
                            numtext::PowerUnit::Watts, n);
    EXPECT_EQ(map.Values.X.size(), 2u);
    EXPECT_TRUE(map.Values.Valid());
  }
}

}  // namespace
