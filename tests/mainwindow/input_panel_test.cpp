#include <cmath>
#include <limits>
#include <string>

#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- Typed text: the model value, the canonical text and the up-down's grid position ----

struct TypedRow {
  const char* Name;
  const char* Edit;
  const char* Text;
  const char* ShownText;
  const char* UpDown;
  std::int32_t Position;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const TypedRow& row, std::ostream* os) { *os << row.Name; }

class TypedInput : public ShownWindow, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(TypedInput, LandsOnTheUpDownGrid) {
  const TypedRow& row = GetParam();
  // State: started window with the couplers not ideal, so the directivity is live.
  form.chIdeal.SetChecked(false);
  // Action: the user types the text and leaves the edit.
  form.UserType(row.Edit, row.Text);
  form.UserFocus("bEvaluate");
  // Expected: the edit keeps the canonical text, the up-down stands on its rounded grid.
  const ControlRef* edit = form.FindControl(row.Edit);
  const ControlRef* updown = form.FindControl(row.UpDown);
  EXPECT_EQ(std::get<Edit*>(edit->Ptr)->Text, row.ShownText);
  EXPECT_EQ(std::get<UpDown*>(updown->Ptr)->Position(), row.Position);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypedInput,
    ::testing::Values(TypedRow{"SrcPha47", "edSrcPha", "47", "47", "udSrcPha", 45},
                      TypedRow{"LoaPhaMinus92", "edLoaPha", "-92", "-92", "udLoaPha", -90},
                      TypedRow{"LoaPha185Clamped", "edLoaPha", "185", "180", "udLoaPha", 180},
                      TypedRow{"LoaPhaMinus200", "edLoaPha", "-200", "-180", "udLoaPha", -180},
                      TypedRow{"Dire12p5TiesToEven", "edDire", "12.5", "12.5", "udDire", 12},
                      TypedRow{"Dire13p5TiesToEven", "edDire", "13.5", "13.5", "udDire", 14},
                      TypedRow{"Dire130BeyondUpDown", "edDire", "130", "130", "udDire", 100},
                      TypedRow{"Effic12p5", "edEffic", "12.5", "12.5", "udEff", 12},
                      TypedRow{"DireNanStandsAtZero", "edDire", "nan", "NAN", "udDire", 0},
                      TypedRow{"SrcPhaRoundedText", "edSrcPha", "12.34567", "12.3457", "udSrcPha",
                               10}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

class InputPanel : public ShownWindow {};

TEST_F(InputPanel, StepFromTypedPhaseFollowsTheGrid) {
  // State: 47 typed into edSrcPha and the focus moved away.
  form.UserType("edSrcPha", "47");
  form.UserFocus("edAnodeV");
  EXPECT_TRUE(SameDouble(form.SrcRfl.Pha, 47.0));
  // Action: one Up step.
  form.UserStep("udSrcPha", true);
  // Expected: 50 (not 52) in the edit and in the model.
  EXPECT_EQ(form.edSrcPha.Text, "50");
  EXPECT_TRUE(SameDouble(form.SrcRfl.Pha, 50.0));
}

TEST_F(InputPanel, DownStepFromDirectivityBeyondTheUpDown) {
  // State: 130 dB entered, couplers not ideal; the up-down stops at its maximum 100.
  form.chIdeal.SetChecked(false);
  form.edDire.Text = "130";
  form.bEvaluateClick();
  ASSERT_TRUE(SameDouble(form.CplDirDb, 130.0));
  const auto cycles = form.CycleCount();
  // Action: one Down step.
  form.UserStep("udDire", false);
  // Expected: 99 in the edit and the model, after one full cycle.
  EXPECT_EQ(form.edDire.Text, "99");
  EXPECT_TRUE(SameDouble(form.CplDirDb, 99.0));
  EXPECT_EQ(form.CycleCount(), cycles + 1);
}

TEST_F(InputPanel, StepThatCannotMoveRunsNothing) {
  // State: directivity up-down at its non-wrapping maximum.
  form.chIdeal.SetChecked(false);
  form.edDire.Text = "100";
  form.bEvaluateClick();
  const auto cycles = form.CycleCount();
  // Action: Up.
  form.UserStep("udDire", true);
  // Expected: no change and no evaluation.
  EXPECT_EQ(form.udDire.Position(), 100);
  EXPECT_EQ(form.CycleCount(), cycles);
}

TEST_F(InputPanel, PhaseUpDownWrapsAtItsEnds) {
  // State: source phase 180 (the design value). Action: Up. Expected: the other end.
  form.UserStep("udSrcPha", true);
  EXPECT_EQ(form.udSrcPha.Position(), -180);
  EXPECT_TRUE(SameDouble(form.SrcRfl.Pha, -180.0));
}

// ---- Reflection magnitude in its three forms ----

struct ReflRow {
  const char* Name;
  std::int32_t Form;  // cbLoaRfl item index before the read
  const char* Text;
  double Mag, Rloss, Swr;
  const char* ShownText;
};

void PrintTo(const ReflRow& row, std::ostream* os) { *os << row.Name; }

class ReflectionInput : public ShownWindow, public ::testing::WithParamInterface<ReflRow> {};

TEST_P(ReflectionInput, ReadsAndShowsBack) {
  const ReflRow& row = GetParam();
  // State: load magnitude 0.5 accepted in "Mag" form.
  form.cbLoaRfl.SetItemIndex(0);
  form.edLoaMag.Text = "0.5";
  form.bEvaluateClick();
  // Action: the text is read in the chosen form.
  form.cbLoaRfl.SetItemIndex(row.Form);
  form.edLoaMag.Text = row.Text;
  form.bEvaluateClick();
  // Expected: the three forms and the text shown back.
  EXPECT_TRUE(NearDouble(form.LoaRfl.Mag, row.Mag, 1e-9));
  EXPECT_TRUE(NearDouble(form.LoaRfl.Rloss, row.Rloss, 1e-4));
  EXPECT_TRUE(NearDouble(form.LoaRfl.Swr, row.Swr, 1e-9));
  EXPECT_EQ(form.edLoaMag.Text, row.ShownText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReflectionInput,
    ::testing::Values(ReflRow{"MagCommaDecimal", 0, "0,5", 0.5, -6.0206, 3.0, "0.5"},
                      ReflRow{"MagAboveOneRejected", 0, "1.5", 0.5, -6.0206, 3.0, "0.5"},
                      ReflRow{"MagNotANumberKept", 0, "abc", 0.5, -6.0206, 3.0, "0.5"},
                      ReflRow{"DbBelowFloorRejected", 1, "-170", 0.5, -6.0206, 3.0, "-6.02"},
                      ReflRow{"DbAtFloorAccepted", 1, "-160", 0.0, -160.0, 1.0, "-160"},
                      ReflRow{"SwrBelowOneRejected", 2, "0.5", 0.5, -6.0206, 3.0, "3"},
                      ReflRow{"Swr20000Kept", 2, "20000", 1.0, 0.0, 20000.0, "20000"}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

TEST_F(InputPanel, InfiniteSwrShowsAndReadsBackAsInfinite) {
  // State: source magnitude 0.9999, whose SWR is infinite.
  form.cbSrcRfl.SetItemIndex(0);
  form.edSrcMag.Text = "0.9999";
  form.bEvaluateClick();
  // Action: the user picks "SWR", then evaluates.
  form.UserPick("cbSrcRfl", 2);
  EXPECT_EQ(form.edSrcMag.Text, "\u221E");
  form.bEvaluateClick();
  // Expected: the infinity text is kept as the previous (infinite) SWR, so Mag becomes 1.
  EXPECT_TRUE(SameDouble(form.SrcRfl.Swr, kInf));
  EXPECT_TRUE(SameDouble(form.SrcRfl.Mag, 1.0));
  EXPECT_TRUE(SameDouble(form.SrcRfl.Rloss, 0.0));
  EXPECT_EQ(form.edSrcMag.Text, "\u221E");
}

TEST_F(InputPanel, ListWithoutSelectionReadsAsMag) {
  // State: the load list has nothing selected (design). Action: a cycle.
  form.cbLoaRfl.SetItemIndex(-1);
  form.edLoaMag.Text = "0.2";
  form.bEvaluateClick();
  // Expected: read as a magnitude, and "Mag" is now selected.
  EXPECT_EQ(form.cbLoaRfl.ItemIndex(), 0);
  EXPECT_TRUE(SameDouble(form.LoaRfl.Mag, 0.2));
}

TEST_F(InputPanel, FormChangeOnlyReformats) {
  // State: load Mag 0.2 stored.
  form.cbLoaRfl.SetItemIndex(0);
  form.edLoaMag.Text = "0.2";
  form.bEvaluateClick();
  form.SetInitialFocus("cbLoaRfl");
  const auto cycles = form.CycleCount();
  // Action: "dB", then "SWR". Expected: the stored value in each form, no evaluation.
  form.UserPick("cbLoaRfl", 1);
  EXPECT_EQ(form.edLoaMag.Text, "-13.98");
  form.UserPick("cbLoaRfl", 2);
  EXPECT_EQ(form.edLoaMag.Text, "1.5");
  EXPECT_EQ(form.CycleCount(), cycles);
}

TEST_F(InputPanel, AnodeVoltageClampsAndKeepsPrevious) {
  form.edAnodeV.Text = "150000";
  form.bEvaluateClick();
  EXPECT_EQ(form.Va, 100000);
  EXPECT_EQ(form.edAnodeV.Text, "100000");
  form.edAnodeV.Text = "volts";
  form.bEvaluateClick();
  EXPECT_EQ(form.Va, 100000);
  EXPECT_EQ(form.edAnodeV.Text, "100000");
}

TEST_F(InputPanel, NanTextTravelsToTheResults) {
  // State: NaN typed as the anode current. Action: a cycle.
  form.edAnodeI.Text = "nan";
  form.bEvaluateClick();
  // Expected: the field is NaN, shown back as "NAN", and so is the power to match.
  EXPECT_TRUE(SameDouble(form.Ia, kNaN));
  EXPECT_EQ(form.edAnodeI.Text, "NAN");
  EXPECT_EQ(form.lbPmatch2.Caption, "NAN");
}

TEST_F(InputPanel, IdealBoxDrivesTheDirectivityControls) {
  // State: ideal couplers (design). Expected: directivity disabled, button-face colour.
  EXPECT_FALSE(form.edDire.Enabled);
  EXPECT_FALSE(form.udDire.Enabled);
  EXPECT_EQ(form.edDire.Color, TColor::clBtnFace);
  // Action: the user clears the box. Expected: enabled, yellow, directivity unchanged.
  const double dire = form.CplDirDb;
  form.UserClick("chIdeal");
  EXPECT_TRUE(form.edDire.Enabled);
  EXPECT_TRUE(form.udDire.Enabled);
  EXPECT_EQ(form.edDire.Color, TColor::clYellow);
  EXPECT_TRUE(SameDouble(form.CplDirDb, dire));
  EXPECT_FALSE(form.CplIdeal);
}

}  // namespace
}  // namespace mainwindow::tests
