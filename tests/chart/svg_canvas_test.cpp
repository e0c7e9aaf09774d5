#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/svg_canvas.h"

namespace chart {
namespace {

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

TEST(SvgCanvas, DocumentIsSelfContainedAndBalanced) {
  SvgCanvas c(800, 500, "Noto \"Sans\"");
  c.BeginGroup("outer");
  c.PushClip({10, 10, 100, 100});
  c.BeginGroup("left open inside the clip");
  c.PopClip();
  c.BeginGroup("never ended");
  const std::string doc = c.Document();
  EXPECT_EQ(doc.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  EXPECT_NE(doc.find("viewBox=\"0 0 800 500\""), std::string::npos);
  EXPECT_NE(doc.find("font-family=\"Noto &quot;Sans&quot;\""), std::string::npos);
  EXPECT_EQ(Count(doc, "<g"), Count(doc, "</g>"));
  // A renderer without clip paths must not draw the clip's rectangle as a shape.
  EXPECT_NE(doc.find("<defs><clipPath id=\"clip1\"><rect"), std::string::npos);
  EXPECT_NE(doc.find("<g clip-path=\"url(#clip1)\">"), std::string::npos);
  EXPECT_EQ(doc.find("<script"), std::string::npos);
  EXPECT_EQ(doc.find("href"), std::string::npos);
}

TEST(SvgCanvas, ExtraEndsAndPopsAreIgnored) {
  SvgCanvas c(10, 10);
  c.EndGroup();
  c.PopClip();
  c.BeginGroup("a");
  c.EndGroup();
  c.EndGroup();
  const std::string doc = c.Document();
  EXPECT_EQ(Count(doc, "<g"), 1);
  EXPECT_EQ(Count(doc, "</g>"), 1);
}

TEST(SvgCanvas, NonFiniteGeometryIsNeverWritten) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  SvgCanvas c(10, 10);
  const std::vector<Point> line = {{0, 0}, {nan, 1}, {2, 2}};
  c.Polyline(line, {});
  const std::vector<Point> poly = {{0, 0}, {inf, 1}, {2, 2}};
  c.FillPolygon(poly, {});
  c.Text({nan, 0}, "x", {});
  const std::string doc = c.Document();
  EXPECT_EQ(doc.find("nan"), std::string::npos);
  EXPECT_EQ(doc.find("inf"), std::string::npos);
  EXPECT_EQ(doc.find("<polyline"), std::string::npos);
  EXPECT_EQ(doc.find("<path"), std::string::npos);
  EXPECT_EQ(doc.find("<text"), std::string::npos);
}

TEST(SvgCanvas, WritesStrokeFillAndText) {
  SvgCanvas c(100, 100);
  const std::vector<Point> line = {{0, 0}, {10.5, -0.001}, {20.125, 30}};
  c.Polyline(line, {{255, 0, 16, 128}, 2.0, Dash::Dashed});
  std::vector<std::vector<Point>> rings = {{{0, 0}, {10, 0}, {10, 10}}, {{2, 2}, {3, 2}, {3, 3}}};
  c.FillRings(rings, {0, 0, 255, 255});
  c.Text({50, 50}, "a < b", {{0, 0, 0, 255}, 10.0, HAlign::Right, VAlign::Baseline, true, false});
  const std::string doc = c.Document();
  EXPECT_NE(doc.find("points=\"0,0 10.5,0 20.13,30\""), std::string::npos) << doc;
  EXPECT_NE(doc.find("stroke=\"#ff0010\" stroke-opacity=\"0.5\""), std::string::npos);
  EXPECT_NE(doc.find("stroke-dasharray=\"10 6\""), std::string::npos);
  EXPECT_NE(doc.find("d=\"M0,0L10,0L10,10ZM2,2L3,2L3,3Z\" fill=\"#0000ff\" fill-rule=\"evenodd\""),
            std::string::npos)
      << doc;
  EXPECT_NE(doc.find("text-anchor=\"end\""), std::string::npos);
  EXPECT_NE(doc.find(">a &lt; b</text>"), std::string::npos);
}

struct AlignRow {
  const char* name;
  VAlign v;
  const char* y;
};
void PrintTo(const AlignRow& row, std::ostream* os) { *os << row.name; }

class SvgTextAlignTest : public testing::TestWithParam<AlignRow> {};

TEST_P(SvgTextAlignTest, BaselineShiftIsInTheCoordinates) {
  SvgCanvas c(100, 100);
  c.Text({10, 50}, "x", {{}, 10.0, HAlign::Left, GetParam().v, false, false});
  EXPECT_NE(c.Document().find(std::string("y=\"") + GetParam().y + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, SvgTextAlignTest,
                         testing::Values(AlignRow{"Top", VAlign::Top, "58"},
                                         AlignRow{"Middle", VAlign::Middle, "53.5"},
                                         AlignRow{"Baseline", VAlign::Baseline, "50"},
                                         AlignRow{"Bottom", VAlign::Bottom, "47.8"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(EstimateTextWidth, GrowsWithTextAndSizeAndCountsCharactersNotBytes) {
  EXPECT_EQ(EstimateTextWidth("", 12), 0.0);
  EXPECT_GT(EstimateTextWidth("-180", 12), EstimateTextWidth("0", 12));
  EXPECT_DOUBLE_EQ(EstimateTextWidth("10", 24), 2 * EstimateTextWidth("10", 12));
  EXPECT_DOUBLE_EQ(EstimateTextWidth("\u0393", 12), EstimateTextWidth("x", 12));
}

}  // namespace
}  // namespace chart
