#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/svg_canvas.h"
#include "chart/xy_hover.h"
#include "chart/xy_layout.h"
#include "svg_reader.h"

namespace chart {
namespace {

using chart_test::Count;
using chart_test::Group;
using chart_test::HasGroup;
using chart_test::PointCount;
using chart_test::Polylines;
using chart_test::Texts;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

bool Contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

// Powers over the round-trip phase as the Analysis window shows them.
XyChart PowerChart() {
  XyChart c;
  c.Title = "Powers";
  c.X = {"Round-trip phase", "deg", Scale::Linear, 1.0, -180, 180, 90};
  c.Y = {"Power", "W"};
  const char* names[] = {"Incident", "Reflected", "Absorbed"};
  for (int k = 0; k < 3; ++k) {
    Series s{names[k]};
    for (int i = 0; i <= 360; ++i) {
      const double ph = i - 180.0;
      s.X.push_back(ph);
      s.Y.push_back(1000.0 - 200.0 * k + 100.0 * std::cos(ph * 3.14159265358979 / 180.0));
    }
    c.Lines.push_back(s);
  }
  Band b{"Incident range", {-180, 180}, {850, 850}, {1150, 1150}, 0};
  c.Bands.push_back(b);
  c.Markers.push_back({"Operating point", 45.0, 1070.0});
  c.Targets.push_back({Orientation::Horizontal, 900.0, "Design target"});
  return c;
}

std::string Svg(const XyChart& c, const Style& s = {}, double w = 800, double h = 500) {
  SvgCanvas canvas(w, h);
  DrawXy(canvas, c, w, h, s);
  return canvas.Document();
}

TEST(XyChartSvg, HasAxesTicksSeriesMarkerAndTarget) {
  const std::string doc = Svg(PowerChart());
  for (const char* g : {"xy-chart", "background", "title", "grid", "axis-x", "axis-y", "lines",
                        "bands", "band:Incident range", "markers", "marker:Operating point",
                        "targets", "target:Design target", "legend"})
    EXPECT_TRUE(HasGroup(doc, g)) << g;
  const auto xLabels = Texts(Group(Group(doc, "axis-x"), "ticks"));
  EXPECT_EQ(xLabels, (std::vector<std::string>{"-180", "-90", "0", "90", "180"}));
  EXPECT_TRUE(Contains(Texts(Group(doc, "axis-x")), "Round-trip phase (deg)"));
  EXPECT_TRUE(Contains(Texts(Group(doc, "axis-y")), "Power (W)"));
  for (const char* s : {"series:Incident", "series:Reflected", "series:Absorbed"}) {
    const std::string g = Group(doc, s);
    EXPECT_EQ(Count(g, "<polyline"), 1) << s;
    EXPECT_EQ(PointCount(g), 361) << s;
  }
  EXPECT_EQ(Count(Group(doc, "marker:Operating point"), "<path"), 1);
  EXPECT_TRUE(Contains(Texts(Group(doc, "targets")), "Design target"));
  const auto legend = Texts(Group(doc, "legend"));
  EXPECT_EQ(legend, (std::vector<std::string>{"Incident range", "Incident", "Reflected", "Absorbed",
                                              "Operating point"}));
  EXPECT_EQ(doc.find("nan"), std::string::npos);
}

// A vertical line's label runs along it while the plot is tall enough; in a short plot it would
// run over the axis and the data below, so it is written across, at the top.
TEST(XyChartSvg, VerticalTargetLabelTurnsAcrossInAShortPlot) {
  struct Row {
    double height;
    bool along;
  };
  for (const Row r : {Row{500, true}, Row{150, false}}) {
    XyChart c = PowerChart();
    c.Targets = {{Orientation::Vertical, 45.0, "Operating frequency"}};
    const std::string target = Group(Svg(c, {}, 800, r.height), "target:Operating frequency");
    EXPECT_EQ(target.find("rotate(") != std::string::npos, r.along) << r.height;
    EXPECT_TRUE(Contains(Texts(target), "Operating frequency")) << r.height;
  }
}

TEST(XyChartSvg, YLabelsAreRoundAndWithinThePlot) {
  const std::string doc = Svg(PowerChart());
  for (const std::string& label : Texts(Group(Group(doc, "axis-y"), "ticks"))) {
    EXPECT_EQ(label.find('.'), std::string::npos) << label;  // whole watts at this range
    EXPECT_EQ(std::stod(label) / 100.0, std::round(std::stod(label) / 100.0)) << label;
  }
}

struct BreakRow {
  const char* name;
  std::vector<double> y;
  int polylines;
  int points;  // in polylines
  int dots;    // single points between breaks
};
void PrintTo(const BreakRow& row, std::ostream* os) { *os << row.name; }

class XySeriesBreakTest : public testing::TestWithParam<BreakRow> {};

TEST_P(XySeriesBreakTest, NonFinitePointsBreakTheCurve) {
  XyChart c;
  Series s{"S"};
  for (std::size_t i = 0; i < GetParam().y.size(); ++i) s.X.push_back(static_cast<double>(i));
  s.Y = GetParam().y;
  c.Lines.push_back(s);
  c.Y.Min = -10;
  c.Y.Max = 10;
  const std::string g = Group(Svg(c), "series:S");
  EXPECT_EQ(Count(g, "<polyline"), GetParam().polylines);
  EXPECT_EQ(PointCount(g), GetParam().points);
  EXPECT_EQ(Count(g, "<path"), GetParam().dots);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, XySeriesBreakTest,
    testing::Values(BreakRow{"AllFinite", {1, 2, 3, 4}, 1, 4, 0},
                    BreakRow{"NaNInTheMiddle", {1, 2, kNaN, 4, 5}, 2, 4, 0},
                    BreakRow{"InfinityBreaksToo", {1, 2, kInf, 4, 5, -kInf, 6, 7}, 3, 6, 0},
                    BreakRow{"LonePointIsADot", {1, kNaN, 3, kNaN, 5, 6}, 1, 2, 2},
                    BreakRow{"NothingFinite", {kNaN, kInf}, 0, 0, 0},
                    BreakRow{"LeadingAndTrailing", {kNaN, 1, 2, kNaN}, 1, 2, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(XyChartSvg, LogAxisBreaksAtValuesItCannotPlace) {
  XyChart c;
  c.Y.Kind = Scale::Log;
  c.Lines.push_back({"S", {0, 1, 2, 3, 4}, {10, 100, 0, -5, 1000}});
  const std::string doc = Svg(c);
  const std::string g = Group(doc, "series:S");
  EXPECT_EQ(Count(g, "<polyline"), 1);
  EXPECT_EQ(Count(g, "<path"), 1);  // 1000 on its own
  const auto labels = Texts(Group(Group(doc, "axis-y"), "ticks"));
  EXPECT_EQ(labels, (std::vector<std::string>{"10", "100", "1000"}));
}

TEST(XyChartSvg, SymmetricLogShowsSmallAndLargeErrors) {
  XyChart c;
  c.Y = {"Reading error", "%", Scale::SymLog, 1.0};
  c.Bands.push_back({"Error band", {20, 30, 40}, {-500, -10, -1}, {500, 10, 1}});
  c.Targets.push_back({Orientation::Horizontal, 5.0, "Target 5 %"});
  const std::string doc = Svg(c);
  const auto labels = Texts(Group(Group(doc, "axis-y"), "ticks"));
  for (const char* l : {"-100", "-10", "-1", "0", "1", "10", "100"})
    EXPECT_TRUE(Contains(labels, l)) << l;
  EXPECT_TRUE(Contains(Texts(Group(doc, "targets")), "Target 5 %"));
  // Both edges drawn, one fill.
  const std::string band = Group(doc, "band:Error band");
  EXPECT_EQ(Count(band, "<polyline"), 2);
  EXPECT_EQ(Count(band, "<path"), 1);
  EXPECT_NE(band.find("fill-opacity"), std::string::npos);
}

TEST(XyChartSvg, EmptySeriesGetsItsNoteAndNoLegendEntry) {
  XyChart c;
  c.Lines.push_back({"Incident", {0, 1}, {1, 2}});
  Series absorbed{"Absorbed", {0, 1}, {kNaN, kNaN}};
  absorbed.EmptyNote = "total reflection: no absorbed power";
  c.Lines.push_back(absorbed);
  c.Lines.push_back({"Present directivity", {}, {}});
  const std::string doc = Svg(c);
  EXPECT_EQ(Texts(Group(doc, "notes")),
            (std::vector<std::string>{"total reflection: no absorbed power"}));
  EXPECT_EQ(Texts(Group(doc, "legend")), (std::vector<std::string>{"Incident"}));
}

TEST(XyChartSvg, SeriesALogAxisCannotPlaceCountsAsEmpty) {
  XyChart c;
  c.Y.Kind = Scale::Log;
  c.Lines.push_back({"Incident", {0, 1}, {10, 20}});
  Series absorbed{"Absorbed", {0, 1}, {0, 0}};
  absorbed.EmptyNote = "total reflection: no absorbed power";
  c.Lines.push_back(absorbed);
  c.Markers.push_back({"Operating point", 0.5, 0.0});
  const std::string doc = Svg(c);
  EXPECT_EQ(Texts(Group(doc, "notes")),
            (std::vector<std::string>{"total reflection: no absorbed power"}));
  EXPECT_EQ(Texts(Group(doc, "legend")), (std::vector<std::string>{"Incident"}));
}

TEST(XyChartSvg, NoNotesWhenEverySeriesHasPoints) {
  XyChart c;
  Series s{"S", {0, 1}, {kNaN, 3}};
  s.EmptyNote = "never shown";
  c.Lines.push_back(s);
  EXPECT_FALSE(HasGroup(Svg(c), "notes"));
}

TEST(XyChartSvg, BandLegendSwatchShowsTheBandsOwnFill) {
  Style s;
  XyChart c;
  c.Bands.push_back({"A", {0, 1}, {0, 0}, {1, 1}, 2});
  const std::string doc = Svg(c, s);
  const std::string fill = Group(doc, "band:A");
  const std::string swatch = Group(doc, "entry:A");
  // The same colour and opacity in the plot and in the legend.
  const std::size_t at = fill.find("fill=");
  ASSERT_NE(at, std::string::npos);
  const std::string attr = fill.substr(at, fill.find("fill-rule") - at);
  EXPECT_NE(swatch.find(attr), std::string::npos) << attr;
}

struct DegenerateRow {
  const char* name;
  XyChart chart;
  double w;
  double h;
};
void PrintTo(const DegenerateRow& row, std::ostream* os) { *os << row.name; }

class XyDegenerateTest : public testing::TestWithParam<DegenerateRow> {};

TEST_P(XyDegenerateTest, DrawsAxesAndNothingUnwritable) {
  const std::string doc = Svg(GetParam().chart, {}, GetParam().w, GetParam().h);
  EXPECT_TRUE(HasGroup(doc, "axis-x"));
  EXPECT_TRUE(HasGroup(doc, "axis-y"));
  EXPECT_EQ(doc.find("nan"), std::string::npos);
  EXPECT_EQ(doc.find("inf"), std::string::npos);
  // No coordinate runs to absurd lengths.
  for (const auto& line : Polylines(doc))
    for (const auto& p : line) {
      EXPECT_LE(std::fabs(p.X), 1e7);
      EXPECT_LE(std::fabs(p.Y), 1e7);
    }
}

XyChart WithY(std::vector<double> y, double min = kNaN, double max = kNaN) {
  XyChart c;
  c.Y.Min = min;
  c.Y.Max = max;
  Series s{"S"};
  for (std::size_t i = 0; i < y.size(); ++i) s.X.push_back(static_cast<double>(i));
  s.Y = std::move(y);
  c.Lines.push_back(s);
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, XyDegenerateTest,
    testing::Values(DegenerateRow{"NoSeries", XyChart{}, 400, 300},
                    DegenerateRow{"ConstantSeries", WithY({5, 5, 5}), 400, 300},
                    DegenerateRow{"AllNaN", WithY({kNaN, kNaN}), 400, 300},
                    DegenerateRow{"HugeOutsideFixedRange", WithY({1, 1e300, -1e300, 2}, 0, 10), 400,
                                  300},
                    DegenerateRow{"ZeroSize", WithY({1, 2}), 0, 0},
                    DegenerateRow{"NaNSize", WithY({1, 2}), kNaN, kNaN},
                    DegenerateRow{"EqualFixedEnds", WithY({1, 2}, 3, 3), 400, 300}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(XyChartSvg, DarkPaletteColoursTheTexts) {
  Style s;
  s.Colours = DarkPalette();
  const std::string doc = Svg(PowerChart(), s);
  EXPECT_NE(Group(doc, "ticks").find("fill=\"#e8e8e8\""), std::string::npos);
  EXPECT_EQ(doc.find("fill=\"#1f1f1f\""), std::string::npos);
}

TEST(XyLayout, NarrowPictureMovesTheLegendBelowThePlot) {
  const XyChart c = PowerChart();
  const auto wide = LayoutXy(c, 900, 500, {}, EstimateTextWidth);
  const auto narrow = LayoutXy(c, 300, 500, {}, EstimateTextWidth);
  EXPECT_GE(wide.LegendBox.X, wide.Plot.Right());
  EXPECT_GE(narrow.LegendBox.Y, narrow.Plot.Bottom());
  for (const auto& e : narrow.Legend) EXPECT_LE(e.Swatch.Right(), 300.0);
}

TEST(XyHover, FindsTheNearestPointOfAnySeries) {
  const XyChart c = PowerChart();
  const XyLayout L = LayoutXy(c, 800, 500, {}, EstimateTextWidth);
  // Right on the absorbed curve at phase 0: 600 + 100 = 700 W.
  const Point p{L.X.ToPixel(0.0), L.Y.ToPixel(700.0) + 1.0};
  const XyReadout r = HoverXy(c, L, p);
  ASSERT_TRUE(r.Found);
  EXPECT_EQ(r.Series, "Absorbed");
  EXPECT_DOUBLE_EQ(r.X, 0.0);
  EXPECT_NEAR(r.Y, 700.0, 1e-9);
  EXPECT_TRUE(r.InPlot);
  EXPECT_NEAR(r.PointerX, 0.0, 1e-9);
  EXPECT_EQ(ReadoutText(c, r), "Absorbed\nRound-trip phase (deg): 0\nPower (W): 700");
}

TEST(XyHover, PrefersTheMarkerAndNamesBandEdges) {
  const XyChart c = PowerChart();
  const XyLayout L = LayoutXy(c, 800, 500, {}, EstimateTextWidth);
  const XyReadout m = HoverXy(c, L, {L.X.ToPixel(45.0), L.Y.ToPixel(1070.0)});
  EXPECT_EQ(m.Series, "Operating point");
  const XyReadout b = HoverXy(c, L, {L.X.ToPixel(180.0), L.Y.ToPixel(1150.0)});
  EXPECT_EQ(b.Series, "Incident range (max)");
}

struct MissRow {
  const char* name;
  Point pointer;
};
void PrintTo(const MissRow& row, std::ostream* os) { *os << row.name; }

class XyHoverMissTest : public testing::TestWithParam<MissRow> {};

TEST_P(XyHoverMissTest, FindsNothing) {
  const XyChart c = PowerChart();
  const XyLayout L = LayoutXy(c, 800, 500, {}, EstimateTextWidth);
  EXPECT_FALSE(HoverXy(c, L, GetParam().pointer, 5.0).Found);
}

INSTANTIATE_TEST_SUITE_P(Rows, XyHoverMissTest,
                         testing::Values(MissRow{"OutsideThePicture", {-50, -50}},
                                         MissRow{"OnTheTitle", {400, 5}},
                                         MissRow{"NaNPointer", {kNaN, 100}},
                                         MissRow{"FarFromAnyCurve", {400, 480}}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace chart
