#include "mainwindow/design_colors.h"
#include "mainwindow/focus_order.h"
#include "mainwindow/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/design.h"
#include "window_fixture.h"

namespace mainwindow {
namespace {

using mainwindow::tests::ShownWindow;

// Follows Tab (or Shift+Tab) from the focused control for `steps` presses.
std::vector<std::string> Walk(const TForm1& form, std::string from, bool forward, int steps) {
  std::vector<std::string> visited;
  for (int i = 0; i < steps; ++i) {
    from = std::string(NextTabStop(form, from, forward));
    visited.push_back(from);
  }
  return visited;
}

// What Tab visits on a first start, from edAnodeV round to edAnodeV, with the Transmission
// sheet active and the directivity edit disabled by the Ideal box.
const std::vector<std::string> kFirstStartCycle = {
    "edAnodeI",  "edEffic",   "edLoaMag",  "cbLoaRfl",        "edLoaPha",  "cbLoaMism",
    "bEvaluate", "bHelpHtm",  "chIdeal",   "bClose",          "edSrcMag",  "edSrcPha",
    "cbSrcRfl",  "cbSrcMism", "pcResults", "rgTransmMagUnit", "bShowNote", "rgPowerUnit",
    "bHempPdf",  "bTheory",   "edAnodeV"};

TEST_F(ShownWindow, TabGoesRoundTheWholeWindowAndBack) {
  // State: first start. Action: Tab through two full rounds. Expected: the same cycle twice,
  // every input reached again after the last control of the result sheet.
  const auto round = kFirstStartCycle.size();
  const std::vector<std::string> visited =
      Walk(form, "edAnodeV", true, static_cast<int>(2 * round));
  EXPECT_EQ(std::vector<std::string>(visited.begin(), visited.begin() + static_cast<long>(round)),
            kFirstStartCycle);
  EXPECT_EQ(std::vector<std::string>(visited.begin() + static_cast<long>(round), visited.end()),
            kFirstStartCycle);
}

TEST_F(ShownWindow, ShiftTabGoesTheOtherWay) {
  std::vector<std::string> expected(kFirstStartCycle.rbegin() + 1, kFirstStartCycle.rend());
  expected.push_back("edAnodeV");
  EXPECT_EQ(Walk(form, "edAnodeV", false, static_cast<int>(expected.size())), expected);
}

TEST_F(ShownWindow, TabReachesOnlyTheActiveSheetAndEnabledControls) {
  // State: Power Meas sheet active, couplers not ideal. Expected: the Transmission sheet's
  // unit group is passed over, its own group and the directivity edit are reached.
  form.UserPage("tsPowMeas");
  form.UserClick("chIdeal");
  EXPECT_EQ(NextTabStop(form, "pcResults", true), "rgPowMeasUnit");
  EXPECT_EQ(NextTabStop(form, "chIdeal", false), "edDire");
  EXPECT_EQ(NextTabStop(form, "rgPowMeasUnit", false), "pcResults");
}

TEST_F(ShownWindow, TabFromOutsideTheCycleStartsAtEitherEnd) {
  EXPECT_EQ(NextTabStop(form, "", true), "edAnodeV");
  EXPECT_EQ(NextTabStop(form, "", false), "bTheory");
  // An up-down holds the focus after a click on its arrow but is no stop of its own.
  EXPECT_EQ(NextTabStop(form, "udEff", true), "edAnodeV");
}

TEST(WindowRules, UpDownKindsHoldTheFocusButAreNoTabStops) {
  for (const DesignEntry& d : DesignTable()) {
    if (KindIsTabStop(d.Kind)) {
      EXPECT_TRUE(KindTakesFocus(d.Kind)) << d.Name;
    }
  }
  EXPECT_TRUE(KindTakesFocus(ControlKind::UpDown));
  EXPECT_FALSE(KindIsTabStop(ControlKind::UpDown));
  EXPECT_FALSE(KindIsTabStop(ControlKind::Panel));
}

TEST(WindowRules, ArrowKeysStepTheEditsOwnUpDown) {
  EXPECT_EQ(UpDownOfEdit("edEffic"), "udEff");
  EXPECT_EQ(UpDownOfEdit("edSrcPha"), "udSrcPha");
  EXPECT_EQ(UpDownOfEdit("edLoaPha"), "udLoaPha");
  EXPECT_EQ(UpDownOfEdit("edDire"), "udDire");
  EXPECT_EQ(UpDownOfEdit("edAnodeV"), "");
  EXPECT_EQ(UpDownOfEdit(""), "");
}

struct PlacementRow {
  std::string_view Name;
  bool FirstStart;
  WindowPosition Stored;
  int Width, Height;
  ScreenRect Area;
  WindowPosition Expected;
};

void PrintTo(const PlacementRow& row, std::ostream* os) { *os << row.Name; }

class Placement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(Placement, PutsTheWindowWhollyOnTheWorkArea) {
  const PlacementRow& r = GetParam();
  const WindowPosition at = PlaceWindow(r.FirstStart, r.Stored, r.Width, r.Height, r.Area);
  EXPECT_EQ(at.Left, r.Expected.Left);
  EXPECT_EQ(at.Top, r.Expected.Top);
}

INSTANTIATE_TEST_SUITE_P(
    WindowRules, Placement,
    ::testing::Values(
        PlacementRow{"FirstStartCentred", true, {5, 5}, 641, 452, {0, 0, 1920, 1080}, {639, 313}},
        PlacementRow{"FirstStartCentredInAnOffsetArea",
                     true,
                     {0, 0},
                     640,
                     450,
                     {100, 40, 1000, 800},
                     {279, 214}},
        PlacementRow{
            "StoredInsideKept", false, {200, 150}, 641, 452, {0, 0, 1920, 1080}, {200, 150}},
        PlacementRow{
            "OffTheRightPulledBack", false, {1800, 900}, 641, 452, {0, 0, 1920, 1080}, {1279, 628}},
        PlacementRow{
            "OffTheTopLeftPulledIn", false, {-300, -20}, 641, 452, {0, 30, 1920, 1050}, {0, 30}},
        PlacementRow{"LargerThanTheAreaKeepsTopLeftVisible",
                     false,
                     {50, 50},
                     900,
                     700,
                     {0, 0, 800, 600},
                     {0, 0}}),
    [](const ::testing::TestParamInfo<PlacementRow>& row) { return std::string(row.param.Name); });

struct ScaleRow {
  std::string_view Name;
  int DesignPx;
  double Dpi;
  int Expected;
};

void PrintTo(const ScaleRow& row, std::ostream* os) { *os << row.Name; }

class Scaling : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(Scaling, RoundsDesignPixelsToTheNearestScreenPixel) {
  EXPECT_EQ(ScaleDesignPx(GetParam().DesignPx, GetParam().Dpi), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    WindowRules, Scaling,
    ::testing::Values(ScaleRow{"DesignDpiUnchanged", 641, 120.0, 641},
                      ScaleRow{"At96Dpi", 641, 96.0, 513}, ScaleRow{"HalfRoundsUp", 5, 96.0, 4},
                      ScaleRow{"At144Dpi", 452, 144.0, 542}, ScaleRow{"At192Dpi", 28, 192.0, 45},
                      ScaleRow{"ZeroDpi", 641, 0.0, 0},
                      ScaleRow{"NaNDpiGivesZero", 641, std::numeric_limits<double>::quiet_NaN(), 0},
                      ScaleRow{"HugeDpiGivesZero", 641, 1e300, 0}),
    [](const ::testing::TestParamInfo<ScaleRow>& row) { return std::string(row.param.Name); });

struct LabelRow {
  std::string_view Name;
  TextAlign Align;
  int Left, Width, TextWidth;
  Extent Expected;
};

TEST(WindowRules, LabelsGrowFromTheEdgeTheirAlignmentNames) {
  const LabelRow rows[] = {
      {"LeftTakesItsTextWidth", TextAlign::Left, 10, 50, 30, {10, 30}},
      {"LeftMayOutgrowItsDesign", TextAlign::Left, 10, 50, 70, {10, 70}},
      {"CentredKeepsItsColumn", TextAlign::Center, 100, 92, 60, {100, 92}},
      {"CentredGrowsAboutItsCentre", TextAlign::Center, 100, 92, 112, {90, 112}},
      {"RightGrowsLeftwards", TextAlign::Right, 118, 96, 120, {94, 120}},
      {"RightKeepsItsDesignWidth", TextAlign::Right, 118, 96, 20, {118, 96}},
  };
  for (const LabelRow& r : rows) {
    const Extent e = PlaceLabelText(r.Align, r.Left, r.Width, r.TextWidth);
    EXPECT_EQ(e.Left, r.Expected.Left) << r.Name;
    EXPECT_EQ(e.Width, r.Expected.Width) << r.Name;
  }
}

struct RadioRow {
  std::string_view Name;
  int Index, Count, Columns, Width, Height;
  ScreenRect Expected;
};

// Worked by hand at the design's 15-pixel text: margins 8 left and 2 right, the caption line
// and 5 pixels off the height, the rest shared by the rows.
TEST(WindowRules, RadioButtonsFillTheirColumns) {
  const RadioRow rows[] = {
      {"PowerUnitFirst", 0, 4, 1, 103, 109, {8, 16, 93, 22}},
      {"PowerUnitThird", 2, 4, 1, 103, 109, {8, 60, 93, 22}},
      {"ErrorUnitThreeColumns", 2, 3, 3, 296, 48, {198, 16, 95, 28}},
      {"TwoColumnsFillDownFirst", 1, 4, 2, 100, 60, {8, 36, 45, 20}},
      {"TwoColumnsSecondColumn", 2, 4, 2, 100, 60, {53, 16, 45, 20}},
      {"IndexBeyondTheItems", 4, 4, 1, 103, 109, {0, 0, 0, 0}},
      {"NoColumns", 0, 4, 0, 103, 109, {0, 0, 0, 0}},
  };
  for (const RadioRow& r : rows) {
    const ScreenRect b = RadioButtonRect(r.Index, r.Count, r.Columns, r.Width, r.Height, 15);
    EXPECT_EQ(b.Left, r.Expected.Left) << r.Name;
    EXPECT_EQ(b.Top, r.Expected.Top) << r.Name;
    EXPECT_EQ(b.Width, r.Expected.Width) << r.Name;
    EXPECT_EQ(b.Height, r.Expected.Height) << r.Name;
  }
}

// Captions measured at exactly their design width fit; one pixel more still fits (rounding),
// two do not.
TEST(WindowRules, LabelCaptionsFitTheirDesignWidths) {
  std::map<std::string_view, int> designWidth;
  for (const DesignEntry& d : DesignTable()) {
    if (d.Kind != ControlKind::Label || d.Alignment != TextAlign::Left) continue;
    const auto it = designWidth.find(d.Caption);
    designWidth[d.Caption] = it == designWidth.end() ? d.Width : std::min(it->second, d.Width);
  }
  auto measured = [&](int extra) {
    return
        [&designWidth, extra](std::string_view caption) { return designWidth.at(caption) + extra; };
  };
  EXPECT_TRUE(LabelCaptionsFit(measured(0), kDesignDotsPerInch));
  EXPECT_TRUE(LabelCaptionsFit(measured(1), kDesignDotsPerInch));
  EXPECT_FALSE(LabelCaptionsFit(measured(2), kDesignDotsPerInch));
  EXPECT_FALSE(LabelCaptionsFit(measured(0), 96.0));
}

// Any one caption too wide for its narrowest label fails the whole font, however many labels
// share it; when all fit, each distinct caption was measured once.
TEST(WindowRules, LabelCaptionsFitChecksEveryCaptionOnce) {
  std::map<std::string_view, int> narrowest;
  for (const DesignEntry& d : DesignTable()) {
    if (d.Kind != ControlKind::Label || d.Alignment != TextAlign::Left) continue;
    const auto it = narrowest.find(d.Caption);
    narrowest[d.Caption] = it == narrowest.end() ? d.Width : std::min(it->second, d.Width);
  }
  for (const auto& entry : narrowest) {
    const std::string_view wide = entry.first;
    const bool fits =
        LabelCaptionsFit([&](std::string_view c) { return narrowest.at(c) + (c == wide ? 2 : 0); },
                         kDesignDotsPerInch);
    EXPECT_FALSE(fits) << wide;
  }
  std::map<std::string_view, int> asked;
  EXPECT_TRUE(LabelCaptionsFit(
      [&](std::string_view c) {
        ++asked[c];
        return narrowest.at(c);
      },
      kDesignDotsPerInch));
  EXPECT_EQ(asked.size(), narrowest.size());
  for (const auto& [caption, times] : asked) EXPECT_EQ(times, 1) << caption;
}

}  // namespace
}  // namespace mainwindow
