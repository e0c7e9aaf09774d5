#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "chart/contour.h"
#include "chart/palette.h"
#include "chart/smith_chart.h"
#include "chart/svg_canvas.h"
#include "chart/xy_layout.h"

// Every text a chart draws, read back from the picture, against the palette's backgrounds.
namespace chart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<Color> TextColours(const std::string& doc) {
  std::vector<Color> out;
  for (std::size_t p = doc.find("<text"); p != std::string::npos; p = doc.find("<text", p + 1)) {
    const std::size_t f = doc.find("fill=\"#", p);
    const auto hex = [&](std::size_t at) {
      return static_cast<std::uint8_t>(std::stoi(doc.substr(at, 2), nullptr, 16));
    };
    out.push_back({hex(f + 7), hex(f + 9), hex(f + 11), 255});
  }
  return out;
}

std::string DrawAll(int kind, const Style& s) {
  SvgCanvas c(700, 450);
  if (kind == 0) {
    XyChart x;
    x.Title = "T";
    x.X = {"Directivity", "dB"};
    x.Y = {"Reading error", "%", Scale::SymLog};
    x.Lines.push_back({"A", {10, 20, 30}, {-50, 5, 0.5}});
    Series empty{"B", {1}, {kNaN}};
    empty.EmptyNote = "no points";
    x.Lines.push_back(empty);
    x.Bands.push_back({"Band", {10, 30}, {-1, -1}, {1, 1}});
    x.Markers.push_back({"M", 20, 5});
    x.Targets.push_back({Orientation::Horizontal, 2, "Target"});
    x.Targets.push_back({Orientation::Vertical, 15, "Present"});
    DrawXy(c, x, 700, 450, s);
  } else if (kind == 1) {
    SmithChart m;
    m.Title = "T";
    m.Points.push_back({"P", {0.2, 0.1}});
    m.Circles.push_back({"C", {0, 0}, 0.5});
    DrawSmith(c, m, 700, 450, s);
  } else {
    ContourMap m;
    m.Title = "T";
    m.X = {"x"};
    m.Y = {"y"};
    m.ScaleTitle = "z";
    m.Values = {{0, 1}, {0, 1}, {0, 1, 2, 3}};
    DrawContour(c, m, 700, 450, s);
  }
  return c.Document();
}

struct ContrastRow {
  const char* name;
  int kind;
  const Palette* palette;
};
void PrintTo(const ContrastRow& row, std::ostream* os) { *os << row.name; }
class TextContrastTest : public testing::TestWithParam<ContrastRow> {};

TEST_P(TextContrastTest, EveryTextIsReadableOnBothBackgrounds) {
  Style s;
  s.Colours = *GetParam().palette;
  const std::vector<Color> colours = TextColours(DrawAll(GetParam().kind, s));
  ASSERT_GE(colours.size(), 5u);
  for (const Color c : colours) {
    EXPECT_GE(ContrastRatio(c, s.Colours.Background), 4.5);
    EXPECT_GE(ContrastRatio(c, s.Colours.PlotBackground), 4.5);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, TextContrastTest,
                         testing::Values(ContrastRow{"XyLight", 0, &LightPalette()},
                                         ContrastRow{"XyDark", 0, &DarkPalette()},
                                         ContrastRow{"SmithLight", 1, &LightPalette()},
                                         ContrastRow{"SmithDark", 1, &DarkPalette()},
                                         ContrastRow{"ContourLight", 2, &LightPalette()},
                                         ContrastRow{"ContourDark", 2, &DarkPalette()}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace chart
