#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/contour.h"
#include "chart/svg_canvas.h"
#include "svg_reader.h"

namespace chart {
namespace {

using chart_test::Count;
using chart_test::Group;
using chart_test::HasGroup;
using chart_test::PathPoints;
using chart_test::Texts;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Area(const std::vector<Point>& ring) {
  double a = 0.0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point& p = ring[i];
    const Point& q = ring[(i + 1) % ring.size()];
    a += p.X * q.Y - q.X * p.Y;
  }
  return std::fabs(a) / 2.0;
}

std::vector<double> BandAreas(const Grid& g, const std::vector<double>& levels) {
  std::vector<double> out;
  for (const auto& band : FilledBands(g, levels)) {
    double a = 0.0;
    for (const auto& ring : band) a += Area(ring);
    out.push_back(a);
  }
  return out;
}

struct BandRow {
  const char* name;
  Grid grid;
  std::vector<double> levels;
  std::vector<double> areas;
};
void PrintTo(const BandRow& row, std::ostream* os) { *os << row.name; }
class FilledBandsTest : public testing::TestWithParam<BandRow> {};

TEST_P(FilledBandsTest, BandAreasMatchTheSurface) {
  const auto areas = BandAreas(GetParam().grid, GetParam().levels);
  ASSERT_EQ(areas.size(), GetParam().areas.size());
  for (std::size_t k = 0; k < areas.size(); ++k)
    EXPECT_NEAR(areas[k], GetParam().areas[k], 1e-12) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FilledBandsTest,
    testing::Values(
        // z = x on the unit square: each half in its band.
        BandRow{"RampInX", {{0, 1}, {0, 1}, {0, 1, 0, 1}}, {0, 0.5, 1}, {0.5, 0.5}},
        // z = x + y: the diagonal splits the square.
        BandRow{"Diagonal", {{0, 1}, {0, 1}, {0, 1, 1, 2}}, {0, 1, 2}, {0.5, 0.5}},
        // z = x + y in quarters: corner triangles of 1/8, the middle bands 3/8.
        BandRow{"Quarters",
                {{0, 1}, {0, 1}, {0, 1, 1, 2}},
                {0, 0.5, 1, 1.5, 2},
                {0.125, 0.375, 0.375, 0.125}},
        // One corner without a value: only the triangle away from it is filled.
        BandRow{"NaNFarCorner", {{0, 1}, {0, 1}, {0, 0, 0, kNaN}}, {-1, 1}, {0.5}},
        BandRow{"NaNNearCorner", {{0, 1}, {0, 1}, {kNaN, 0, 0, 0}}, {-1, 1}, {0.5}},
        BandRow{"NaNOffCorner", {{0, 1}, {0, 1}, {0, 0, kNaN, 0}}, {-1, 1}, {0.5}},
        BandRow{"TwoNaNCorners", {{0, 1}, {0, 1}, {kNaN, 0, 0, kNaN}}, {-1, 1}, {0}},
        BandRow{"AllNaN", {{0, 1}, {0, 1}, {kNaN, kNaN, kNaN, kNaN}}, {0, 1}, {0}},
        // Values beyond the outer levels belong to no band.
        BandRow{"OutsideTheLevels", {{0, 1}, {0, 1}, {5, 5, 5, 5}}, {0, 1}, {0}},
        BandRow{"WiderCells", {{0, 2, 6}, {0, 1}, {1, 1, 1, 1, 1, 1}}, {0, 2}, {6}},
        BandRow{"FallingLevelsRefused", {{0, 1}, {0, 1}, {0, 1, 0, 1}}, {1, 0}, {}},
        BandRow{"GridNotRising", {{1, 0}, {0, 1}, {0, 1, 0, 1}}, {0, 1}, {}},
        BandRow{"GridSizeWrong", {{0, 1}, {0, 1}, {0, 1, 0}}, {0, 1}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FilledBands, WholeCellsOfOneBandMergeAlongARow) {
  const Grid g{{0, 1, 2, 3, 4, 5}, {0, 1}, std::vector<double>(12, 0.5)};
  const auto bands = FilledBands(g, {0, 1});
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].size(), 1u);
  EXPECT_NEAR(Area(bands[0][0]), 5.0, 1e-12);
}

struct ValueRow {
  const char* name;
  double x;
  double y;
  double expected;
};
void PrintTo(const ValueRow& row, std::ostream* os) { *os << row.name; }
class ValueAtTest : public testing::TestWithParam<ValueRow> {};

TEST_P(ValueAtTest, InterpolatesAPlaneExactly) {
  // z = 2x + 3y on an uneven grid: the triangles hold a plane exactly.
  Grid g{{0, 1, 3}, {0, 2}, {}};
  for (const double y : g.Y)
    for (const double x : g.X) g.Z.push_back(2 * x + 3 * y);
  const double v = ValueAt(g, GetParam().x, GetParam().y);
  if (std::isnan(GetParam().expected))
    EXPECT_TRUE(std::isnan(v));
  else
    EXPECT_NEAR(v, GetParam().expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValueAtTest,
    testing::Values(ValueRow{"Corner", 0, 0, 0}, ValueRow{"FarCorner", 3, 2, 12},
                    ValueRow{"Inside", 2, 1, 7}, ValueRow{"OnAnEdge", 1, 0.5, 3.5},
                    ValueRow{"Outside", 3.5, 1, kNaN}, ValueRow{"BelowTheGrid", 1, -0.1, kNaN},
                    ValueRow{"NaNPointer", kNaN, 1, kNaN}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ValueAt, CellWithoutAValueAtOneEndOfItsDiagonalUsesTheOtherTriangle) {
  // z = 2x + 3y with no value at the origin: the triangle away from it still holds the plane.
  const Grid g{{0, 1}, {0, 1}, {kNaN, 2, 3, 5}};
  EXPECT_NEAR(ValueAt(g, 0.9, 0.8), 2 * 0.9 + 3 * 0.8, 1e-12);
  EXPECT_NEAR(ValueAt(g, 0.5, 0.5), 2.5, 1e-12);
  EXPECT_TRUE(std::isnan(ValueAt(g, 0.1, 0.1)));
}

// |Γ| over the reflection plane, NaN outside the unit circle.
ContourMap ReflectionMap() {
  ContourMap m;
  m.Title = "Load plane";
  m.X = {"Re \u0393"};
  m.Y = {"Im \u0393"};
  m.ScaleTitle = "Absorbed power";
  m.ScaleUnit = "W";
  m.ReflectionPlane = true;
  for (int i = 0; i <= 40; ++i) m.Values.X.push_back(-1.0 + i * 0.05);
  m.Values.Y = m.Values.X;
  for (const double y : m.Values.Y)
    for (const double x : m.Values.X) {
      const double r2 = x * x + y * y;
      m.Values.Z.push_back(r2 <= 1.0 ? 1000.0 * (1.0 - r2) : kNaN);
    }
  m.Markers.push_back({"Load", 0.3, 0.2});
  return m;
}

TEST(ContourMapSvg, BandsScaleAndAxes) {
  SvgCanvas canvas(600, 500);
  const ContourLayout L = DrawContour(canvas, ReflectionMap(), 600, 500, {});
  const std::string doc = canvas.Document();
  for (const char* g : {"contour-map", "bands", "unit-circle", "axis-x", "axis-y", "colour-scale",
                        "markers", "marker:Load"})
    EXPECT_TRUE(HasGroup(doc, g)) << g;
  // Round levels over 0..1000 W, one band each, each band one path.
  EXPECT_EQ(Texts(Group(Group(doc, "colour-scale"), "ticks")),
            (std::vector<std::string>{"0", "200", "400", "600", "800", "1000"}));
  EXPECT_EQ(Count(Group(doc, "bands"), "<path"), 5);
  EXPECT_TRUE(HasGroup(doc, "band:800..1000"));
  EXPECT_NE(Texts(Group(doc, "colour-scale")).back().find("Absorbed power (W)"), std::string::npos);
  EXPECT_EQ(Texts(Group(Group(doc, "axis-x"), "ticks")),
            (std::vector<std::string>{"-1", "-0.5", "0", "0.5", "1"}));
  // One scale on both axes.
  EXPECT_NEAR(L.Plot.W, L.Plot.H, 1e-9);
  // Cells outside the unit circle have no value and are not filled.
  const double cx = L.X.ToPixel(0.0), cy = L.Y.ToPixel(0.0), r = L.X.ToPixel(1.0) - cx;
  const auto pts = PathPoints(Group(doc, "bands"));
  ASSERT_FALSE(pts.empty());
  for (const auto& p : pts) EXPECT_LE(std::hypot(p.X - cx, p.Y - cy), r + 0.02);
  EXPECT_EQ(doc.find("nan"), std::string::npos);
}

TEST(ContourMapSvg, NoFiniteValueDrawsAxesOnly) {
  ContourMap m = ReflectionMap();
  for (double& z : m.Values.Z) z = kNaN;
  SvgCanvas canvas(400, 300);
  DrawContour(canvas, m, 400, 300, {});
  const std::string doc = canvas.Document();
  EXPECT_TRUE(HasGroup(doc, "axis-x"));
  EXPECT_FALSE(HasGroup(doc, "colour-scale"));
  EXPECT_EQ(Count(Group(doc, "bands"), "<path"), 0);
  EXPECT_EQ(doc.find("nan"), std::string::npos);
}

TEST(ContourHover, ReadsTheValueUnderThePointer) {
  const ContourMap m = ReflectionMap();
  const ContourLayout L = LayoutContour(m, 600, 500, {}, EstimateTextWidth);
  const ContourReadout r = HoverContour(m, L, {L.X.ToPixel(0.0), L.Y.ToPixel(0.0)});
  ASSERT_TRUE(r.InPlot);
  EXPECT_NEAR(r.Value, 1000.0, 1e-6);
  EXPECT_EQ(ReadoutText(m, r), "Absorbed power (W): 1000\nRe \u0393: 0\nIm \u0393: 0");
  const ContourReadout corner = HoverContour(m, L, {L.X.ToPixel(0.99), L.Y.ToPixel(0.99)});
  EXPECT_TRUE(corner.InPlot);
  EXPECT_TRUE(std::isnan(corner.Value));
  EXPECT_FALSE(HoverContour(m, L, {1, 1}).InPlot);
}

}  // namespace
}  // namespace chart
