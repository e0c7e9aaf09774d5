// The Analysis window's engine charts: what each names, marks and notes for the inputs that
// users meet, read from the laid-out legend and from the SVG picture.
#include "views/analysis_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/sweep.h"
#include "chart/chart.h"
#include "chart/xy_layout.h"
#include "worked_example.h"

namespace {

using numtext::PowerUnit;
using Inputs = test_support::Setup;
using test_support::WorkedModel;

std::vector<std::string> LegendNames(const chart::XyChart& c) {
  const chart::XyLayout l = chart::LayoutXy(
      c, 800, 500, chart::Style{},
      [](std::string_view t, double size) { return chart::EstimateTextWidth(t, size); });
  std::vector<std::string> names;
  for (const chart::LegendEntry& e : l.Legend) names.push_back(e.Name);
  return names;
}

std::vector<std::string> Notes(const chart::XyChart& c) {
  return chart::LayoutXy(
             c, 800, 500, chart::Style{},
             [](std::string_view t, double size) { return chart::EstimateTextWidth(t, size); })
      .Notes;
}

bool Has(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

TEST(AnalysisCharts, LegendNamesOnlyWhatIsDrawn) {
  struct Row {
    const char* name;
    Inputs setup;
    PowerUnit unit;
    views::AnalysisChart which;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  };
  Inputs ideal;
  Inputs real;
  real.dirDb = 30.0;
  Inputs total;  // a short at the load: nothing absorbed, -Infinity in decibels
  total.load = 1.0;
  Inputs offAxis;  // a directivity beyond the chart's axis has no marker
  offAxis.dirDb = analysis::kDirectivityLast + 20.0;
  const std::vector<Row> rows{
      {"IdealCouplersHaveNoPresentDirectivity",
       ideal,
       PowerUnit::Watts,
       views::AnalysisChart::Directivity,
       {"Error band"},
       {"Present directivity"}},
      {"RealCouplersMarkThePresentDirectivity",
       real,
       PowerUnit::Watts,
       views::AnalysisChart::Directivity,
       {"Error band", "Present directivity"},
       {}},
      {"DirectivityOffTheAxisIsNotNamed",
       offAxis,
       PowerUnit::Watts,
       views::AnalysisChart::Directivity,
       {"Error band"},
       {"Present directivity"}},
      {"PowersNameCurvesLimitsAndOperatingPoint",
       ideal,
       PowerUnit::Watts,
       views::AnalysisChart::Powers,
       {"Incident", "Reflected", "Absorbed", "Incident min/max", "Operating point"},
       {}},
      {"TotalReflectionInDecibelsDropsAbsorbed",
       total,
       PowerUnit::Dbm,
       views::AnalysisChart::Powers,
       {"Incident", "Reflected", "Operating point"},
       {"Absorbed", "Absorbed min/max"}},
      {"ReadingsNameTruthAndRanges",
       real,
       PowerUnit::Watts,
       views::AnalysisChart::Readings,
       {"Incident (true)", "Incident reading", "Absorbed reading", "Operating point"},
       {}},
      {"TotalReflectionReadingsInDecibels",
       total,
       PowerUnit::Dbm,
       views::AnalysisChart::Readings,
       {"Incident (true)", "Operating point"},
       {"Absorbed (true)"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const views::BuiltChart b =
        views::BuildAnalysisChart(r.which, WorkedModel(r.setup), r.unit, 5.0);
    const std::vector<std::string> names = LegendNames(b.Chart);
    for (const std::string& n : r.present) EXPECT_TRUE(Has(names, n)) << n;
    for (const std::string& n : r.absent) EXPECT_FALSE(Has(names, n)) << n;
    // One name for one kind of thing: no entry twice.
    for (const std::string& n : names) EXPECT_EQ(std::count(names.begin(), names.end(), n), 1) << n;
  }
}

TEST(AnalysisCharts, TotalReflectionSaysSoInThePlot) {
  Inputs total;
  total.load = 1.0;
  const views::BuiltChart db = views::PowersChart(WorkedModel(total), PowerUnit::Dbm);
  EXPECT_TRUE(Has(Notes(db.Chart), "total reflection: no absorbed power"));
  // In watts the absorbed power is a finite zero: a curve, no note.
  const views::BuiltChart w = views::PowersChart(WorkedModel(total), PowerUnit::Watts);
  EXPECT_TRUE(Notes(w.Chart).empty());
}

TEST(AnalysisCharts, OperatingPointSitsAtTheRoundTripPhase) {
  for (double loadPha : {90.0, -30.0, 180.0}) {
    SCOPED_TRACE(loadPha);
    Inputs s;
    s.loadPha = loadPha;
    s.dirDb = 25.0;
    const rf::ModelState m = WorkedModel(s);
    for (auto which : {views::AnalysisChart::Powers, views::AnalysisChart::Readings}) {
      const views::BuiltChart b = views::BuildAnalysisChart(which, m, PowerUnit::Watts, 5.0);
      ASSERT_EQ(b.Chart.Markers.size(), 3u);
      for (const chart::Marker& mk : b.Chart.Markers) {
        EXPECT_DOUBLE_EQ(mk.X, analysis::RoundTripPhase(m));
      }
      // The absorbed mark is the absorbed power, in the prefix the chart's axis names.
      const double f = b.Chart.Y.Unit == "kW" ? 1e3 : b.Chart.Y.Unit == "MW" ? 1e6 : 1.0;
      EXPECT_NEAR(b.Chart.Markers[2].Y * f, m.Pload, 1e-9 * m.Pload);
    }
  }
}

TEST(AnalysisCharts, ReadingsTruthIsThePowerCurve) {
  Inputs s;
  s.dirDb = 20.0;
  const rf::ModelState m = WorkedModel(s);
  const views::BuiltChart p = views::PowersChart(m, PowerUnit::Dbw);
  const views::BuiltChart r = views::ReadingsChart(m, PowerUnit::Dbw);
  ASSERT_EQ(p.Chart.Y.Unit, r.Chart.Y.Unit);
  for (std::size_t q = 0; q < 3; ++q) {
    ASSERT_EQ(p.Chart.Lines[q].Y.size(), r.Chart.Lines[q].Y.size());
    for (std::size_t i = 0; i < p.Chart.Lines[q].Y.size(); i += 60) {
      EXPECT_NEAR(p.Chart.Lines[q].Y[i], r.Chart.Lines[q].Y[i], 1e-9);
    }
  }
  // The readings themselves are outlines, never fills that mix into unnamed colours.
  EXPECT_TRUE(r.Chart.Bands.empty());
}

TEST(AnalysisCharts, DirectivityAxisAndDesignTarget) {
  struct Row {
    const char* name;
    double target;
    std::size_t lines;
  };
  const Row rows[] = {
      {"Five", 5.0, 2},
      {"Fraction", 0.5, 2},
      {"Zero", 0.0, 0},
      {"Negative", -3.0, 0},
      {"NotANumber", std::nan(""), 0},
      {"Infinite", INFINITY, 0},
  };
  Inputs s;
  s.dirDb = 30.0;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const views::BuiltChart b = views::DirectivityErrorChart(WorkedModel(s), r.target);
    EXPECT_EQ(b.Chart.Y.Kind, chart::Scale::SymLog);
    ASSERT_EQ(b.Chart.Targets.size(), r.lines);
    if (r.lines == 2) {
      EXPECT_DOUBLE_EQ(b.Chart.Targets[0].Value, r.target);
      EXPECT_DOUBLE_EQ(b.Chart.Targets[1].Value, -r.target);
      EXPECT_NE(b.Chart.Targets[0].Label.find("Design target"), std::string::npos);
    }
  }
}

TEST(AnalysisCharts, SvgCarriesTitleAxesAndEveryCurve) {
  Inputs s;
  s.dirDb = 30.0;
  const rf::ModelState m = WorkedModel(s);
  for (int i = 0; i < views::kAnalysisChartCount; ++i) {
    SCOPED_TRACE(i);
    const views::BuiltChart b =
        views::BuildAnalysisChart(static_cast<views::AnalysisChart>(i), m, PowerUnit::Watts, 5.0);
    const std::string svg = chart::ToSvg(b.Chart, 800, 500, chart::Style{});
    EXPECT_NE(svg.find(b.Chart.Title), std::string::npos);
    EXPECT_NE(svg.find(chart::AxisTitle(b.Chart.X)), std::string::npos);
    EXPECT_GE(Count(svg, "<polyline"), static_cast<int>(b.Chart.Lines.size()));
    EXPECT_FALSE(b.Table.Rows.empty());
    EXPECT_FALSE(b.FileStem.empty());
  }
}

}  // namespace
