#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/smith_chart.h"
#include "chart/smith_hover.h"
#include "chart/svg_canvas.h"
#include "svg_reader.h"

namespace chart {
namespace {

using chart_test::Count;
using chart_test::Group;
using chart_test::HasGroup;
using chart_test::PathPoints;
using chart_test::PointCount;
using chart_test::Polylines;
using chart_test::Texts;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

SmithChart MeasuredLoads() {
  SmithChart c;
  c.Title = "Load reflection";
  c.Annuli.push_back({"Inferred |\u0393| range", 0.2, 0.5});
  c.Circles.push_back({"SWR 2", {0.0, 0.0}, 1.0 / 3.0});
  c.Circles.push_back({"Uncertainty", {0.8, 0.0}, 0.5});  // partly outside the chart
  SmithLocus sweep{"Load over frequency"};
  for (int i = 0; i <= 40; ++i) sweep.Gamma.push_back(std::polar(0.4 + 0.02 * i, 0.1 * i));
  c.Loci.push_back(sweep);
  c.Points.push_back({"Load", {1.0 / 3.0, 0.0}});
  c.Points.push_back({"Active", {1.5, 0.0}});
  return c;
}

struct Drawn {
  std::string doc;
  SmithLayout layout;
};
Drawn Draw(const SmithChart& c, double w = 600, double h = 500) {
  SvgCanvas canvas(w, h);
  Drawn d;
  d.layout = DrawSmith(canvas, c, w, h, {});
  d.doc = canvas.Document();
  return d;
}

double RadiusInChart(const SmithLayout& L, chart_test::Xy p) {
  return std::hypot(p.X - L.Centre.X, p.Y - L.Centre.Y) / L.Radius;
}

TEST(SmithChartSvg, HasTheImpedanceGrid) {
  const Drawn d = Draw(MeasuredLoads());
  for (const char* g : {"smith-chart", "grid", "resistance", "reactance", "unit-circle",
                        "grid-labels", "annuli", "circles", "loci", "points", "legend"})
    EXPECT_TRUE(HasGroup(d.doc, g)) << g;
  EXPECT_EQ(Count(Group(d.doc, "resistance"), "<polyline"), 5);
  // Ten reactance arcs and the real axis.
  EXPECT_EQ(Count(Group(d.doc, "reactance"), "<polyline"), 11);
  const auto labels = Texts(Group(d.doc, "grid-labels"));
  for (const char* l : {"0", "0.2", "1", "5", "j1", "-j1", "j0.5", "-j5", "\u221E"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), l), labels.end()) << l;
}

TEST(SmithChartSvg, NothingIsDrawnOutsideTheUnitCircle) {
  const Drawn d = Draw(MeasuredLoads());
  ASSERT_GT(d.layout.Radius, 100.0);
  for (const char* g : {"grid", "circles", "loci", "annuli"}) {
    const std::string body = Group(d.doc, g);
    for (const auto& line : Polylines(body))
      for (const auto& p : line) EXPECT_LE(RadiusInChart(d.layout, p), 1.0 + 1e-3) << g;
    for (const auto& p : PathPoints(body)) EXPECT_LE(RadiusInChart(d.layout, p), 1.0 + 1e-3) << g;
  }
  // The active load lies outside: no marker, no legend entry.
  EXPECT_FALSE(HasGroup(d.doc, "point:Active"));
  EXPECT_TRUE(HasGroup(d.doc, "point:Load"));
  const auto legend = Texts(Group(d.doc, "legend"));
  EXPECT_EQ(std::find(legend.begin(), legend.end(), "Active"), legend.end());
}

TEST(SmithChartSvg, LocusKeepsItsPointsAndCircleIsCutAtTheRim) {
  const Drawn d = Draw(MeasuredLoads());
  // 41 vertices, 0.4 to 1.2 in magnitude: those up to 1 stay, and one more on the rim.
  const std::string locus = Group(d.doc, "locus:Load over frequency");
  EXPECT_EQ(Count(locus, "<polyline"), 1);
  EXPECT_EQ(PointCount(locus), 31 + 1);
  // The uncertainty circle leaves the chart once: one arc, both ends on the rim.
  const auto arcs = Polylines(Group(d.doc, "circle:Uncertainty"));
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(RadiusInChart(d.layout, arcs[0].front()), 1.0, 1e-3);
  EXPECT_NEAR(RadiusInChart(d.layout, arcs[0].back()), 1.0, 1e-3);
}

struct AnnulusRow {
  const char* name;
  double inner;
  double outer;
  int rings;  // 0: not drawn
  double outerDrawn;
};
void PrintTo(const AnnulusRow& row, std::ostream* os) { *os << row.name; }
class SmithAnnulusTest : public testing::TestWithParam<AnnulusRow> {};

TEST_P(SmithAnnulusTest, FillsTheRingWithinTheChart) {
  SmithChart c;
  c.Annuli.push_back({"A", GetParam().inner, GetParam().outer});
  const Drawn d = Draw(c);
  const std::string body = Group(d.doc, "annulus:A");
  if (GetParam().rings == 0) {
    EXPECT_TRUE(body.empty());
    return;
  }
  const std::size_t at = body.find("<path d=\"");
  ASSERT_NE(at, std::string::npos);
  const std::string path = body.substr(at, body.find('"', at + 9) - at);
  EXPECT_EQ(Count(path, "M"), GetParam().rings);
  double rMax = 0.0;
  for (const auto& p : PathPoints(body)) rMax = std::max(rMax, RadiusInChart(d.layout, p));
  EXPECT_NEAR(rMax, GetParam().outerDrawn, 2e-3);
}

INSTANTIATE_TEST_SUITE_P(Rows, SmithAnnulusTest,
                         testing::Values(AnnulusRow{"Ring", 0.2, 0.5, 2, 0.5},
                                         AnnulusRow{"Swapped", 0.5, 0.2, 2, 0.5},
                                         AnnulusRow{"Disk", 0.0, 0.3, 1, 0.3},
                                         AnnulusRow{"BeyondTheRim", 0.9, 1.7, 2, 1.0},
                                         AnnulusRow{"Empty", 0.4, 0.4, 0, 0.0},
                                         AnnulusRow{"NaN", kNaN, 0.5, 0, 0.0},
                                         AnnulusRow{"AllOutside", 1.2, 1.5, 0, 0.0}),
                         [](const auto& row) { return std::string(row.param.name); });

struct ClipRow {
  const char* name;
  std::vector<Reflection> curve;
  std::vector<std::vector<Reflection>> expected;
};
void PrintTo(const ClipRow& row, std::ostream* os) { *os << row.name; }
class ClipToDiskTest : public testing::TestWithParam<ClipRow> {};

TEST_P(ClipToDiskTest, KeepsTheInsideAndEndsOnTheRim) {
  const auto runs = ClipToDisk(GetParam().curve);
  ASSERT_EQ(runs.size(), GetParam().expected.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    ASSERT_EQ(runs[i].size(), GetParam().expected[i].size()) << i;
    for (std::size_t k = 0; k < runs[i].size(); ++k) {
      EXPECT_NEAR(runs[i][k].real(), GetParam().expected[i][k].real(), 1e-12);
      EXPECT_NEAR(runs[i][k].imag(), GetParam().expected[i][k].imag(), 1e-12);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClipToDiskTest,
    testing::Values(
        ClipRow{"Inside", {{0, 0}, {0.5, 0}}, {{{0, 0}, {0.5, 0}}}},
        ClipRow{"Leaving", {{0, 0}, {2, 0}}, {{{0, 0}, {1, 0}}}},
        ClipRow{"Entering", {{0, 2}, {0, 0.5}}, {{{0, 1}, {0, 0.5}}}},
        ClipRow{"ChordThrough", {{-2, 0}, {2, 0}}, {{{-1, 0}, {1, 0}}}},
        ClipRow{"Missing", {{-2, 2}, {2, 2}}, {}},
        ClipRow{"OutAndBackIn", {{0, 0}, {2, 0}, {0.5, 0}}, {{{0, 0}, {1, 0}}, {{1, 0}, {0.5, 0}}}},
        ClipRow{
            "NaNBreaks", {{0, 0}, {kNaN, 0}, {0.5, 0}, {0.2, 0}}, {{{0, 0}}, {{0.5, 0}, {0.2, 0}}}},
        ClipRow{"InfinityBreaks", {{0.1, 0}, {kInf, 0}, {0.2, 0}}, {{{0.1, 0}}, {{0.2, 0}}}}),
    [](const auto& row) { return std::string(row.param.name); });

struct ImpedanceRow {
  const char* name;
  Reflection gamma;
  std::complex<double> z;
};
void PrintTo(const ImpedanceRow& row, std::ostream* os) { *os << row.name; }
class ImpedanceOfTest : public testing::TestWithParam<ImpedanceRow> {};

TEST_P(ImpedanceOfTest, OnAFiftyOhmLine) {
  const auto z = ImpedanceOf(GetParam().gamma, 50.0);
  if (std::isinf(GetParam().z.real())) {
    EXPECT_TRUE(std::isinf(z.real()));
    return;
  }
  EXPECT_NEAR(z.real(), GetParam().z.real(), 1e-9);
  EXPECT_NEAR(z.imag(), GetParam().z.imag(), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImpedanceOfTest,
                         testing::Values(ImpedanceRow{"Matched", {0, 0}, {50, 0}},
                                         ImpedanceRow{"Swr2High", {1.0 / 3.0, 0}, {100, 0}},
                                         ImpedanceRow{"Swr2Low", {-1.0 / 3.0, 0}, {25, 0}},
                                         ImpedanceRow{"Short", {-1, 0}, {0, 0}},
                                         ImpedanceRow{"Open", {1, 0}, {kInf, 0}},
                                         ImpedanceRow{"Inductive", {0, 1}, {0, 50}},
                                         ImpedanceRow{"Capacitive", {0.2, -0.4}, {50, -50}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SmithHover, ReadsTheNearestPointAndThePointer) {
  const SmithChart c = MeasuredLoads();
  const SmithLayout L = LayoutSmith(c, 600, 500, {}, EstimateTextWidth);
  const Point at = GammaToPixel(L, {1.0 / 3.0, 0.0});
  const SmithReadout r = HoverSmith(c, L, {at.X + 2.0, at.Y});
  ASSERT_TRUE(r.Found);
  EXPECT_EQ(r.Series, "Load");
  EXPECT_NEAR(std::abs(r.Impedance - std::complex<double>(100, 0)), 0.0, 1e-9);
  EXPECT_TRUE(r.InChart);
  EXPECT_EQ(ReadoutText(c, r), "Load\n\u0393 = 0.3333 \u2220 0\u00B0\nZ = 100 + j0 \u03A9");
}

TEST(SmithHover, OutsideTheChartReadsNothingUnderThePointer) {
  const SmithChart c = MeasuredLoads();
  const SmithLayout L = LayoutSmith(c, 600, 500, {}, EstimateTextWidth);
  const SmithReadout r = HoverSmith(c, L, {L.Centre.X + 1.2 * L.Radius, L.Centre.Y}, 5.0);
  EXPECT_FALSE(r.InChart);
  EXPECT_FALSE(r.Found);  // the active load at 1.5 is not on the chart either
}

TEST(SmithReadoutText, NormalisedWithoutAReferenceImpedance) {
  SmithChart c;
  c.Z0 = kNaN;
  EXPECT_EQ(ReflectionText(c, {0.2, -0.4}), "\u0393 = 0.4472 \u2220 -63.43\u00B0\nz = 1 - j1");
  c.Z0 = 50.0;
  EXPECT_EQ(ReflectionText(c, {1.0, 0.0}), "\u0393 = 1 \u2220 0\u00B0\nZ = \u221E \u03A9");
}

TEST(SmithChartSvg, DegenerateSizesDrawNothingUnwritable) {
  for (const double s : {0.0, 1.0, kNaN}) {
    const Drawn d = Draw(MeasuredLoads(), s, s);
    EXPECT_EQ(d.doc.find("nan"), std::string::npos);
    EXPECT_TRUE(HasGroup(d.doc, "smith-chart"));
  }
}

}  // namespace
}  // namespace chart
