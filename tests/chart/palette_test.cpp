#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "chart/palette.h"

namespace chart {
namespace {

TEST(ContrastRatio, MatchesPublishedValues) {
  EXPECT_NEAR(ContrastRatio({0, 0, 0, 255}, {255, 255, 255, 255}), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio({255, 255, 255, 255}, {0, 0, 0, 255}), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio({119, 119, 119, 255}, {255, 255, 255, 255}), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio({10, 20, 30, 255}, {10, 20, 30, 255}), 1.0, 1e-12);
}

struct PaletteRow {
  const char* name;
  const Palette* palette;
};
void PrintTo(const PaletteRow& row, std::ostream* os) { *os << row.name; }

class PaletteTest : public testing::TestWithParam<PaletteRow> {};

TEST_P(PaletteTest, TextsAreReadableOnBothBackgrounds) {
  const Palette& p = *GetParam().palette;
  for (const Color bg : {p.Background, p.PlotBackground}) {
    EXPECT_GE(ContrastRatio(p.Text, bg), 4.5);
    EXPECT_GE(ContrastRatio(p.MutedText, bg), 4.5);
    EXPECT_GE(ContrastRatio(p.Target, bg), 4.5);  // its label is text
  }
}

TEST_P(PaletteTest, CurvesAndMarkerStandOutFromThePlot) {
  const Palette& p = *GetParam().palette;
  // Non-text graphics need 3:1 to be told from their background.
  for (const Color c : p.Series) EXPECT_GE(ContrastRatio(c, p.PlotBackground), 3.0);
  EXPECT_GE(ContrastRatio(p.Marker, p.PlotBackground), 3.0);
  EXPECT_GE(ContrastRatio(p.Axis, p.PlotBackground), 3.0);
}

TEST_P(PaletteTest, SeriesColoursRepeatAndDiffer) {
  const Palette& p = *GetParam().palette;
  EXPECT_EQ(SeriesColour(p, 0), SeriesColour(p, static_cast<int>(p.Series.size())));
  EXPECT_EQ(SeriesColour(p, -1), p.Series.back());
  for (std::size_t i = 0; i < p.Series.size(); ++i)
    for (std::size_t j = i + 1; j < p.Series.size(); ++j) EXPECT_FALSE(p.Series[i] == p.Series[j]);
}

INSTANTIATE_TEST_SUITE_P(Rows, PaletteTest,
                         testing::Values(PaletteRow{"Light", &LightPalette()},
                                         PaletteRow{"Dark", &DarkPalette()}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RampColour, RunsFromFirstToLastStopAndClamps) {
  const Palette& p = LightPalette();
  EXPECT_EQ(RampColour(p, 0.0), p.Ramp.front());
  EXPECT_EQ(RampColour(p, 1.0), p.Ramp.back());
  EXPECT_EQ(RampColour(p, -3.0), p.Ramp.front());
  EXPECT_EQ(RampColour(p, 7.0), p.Ramp.back());
  EXPECT_EQ(RampColour(p, 0.25), p.Ramp[1]);
}

}  // namespace
}  // namespace chart
