#include "mainwindow/measured_load.h"

#include <cmath>
#include <limits>
#include <string>

#include "numtext/format.h"
#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

MeasuredLoad Load(double re, double im, const char* name = "load.s1p", double hz = 2.45e9) {
  return MeasuredLoad{name, hz, {re, im}};
}

// A started window whose user has typed a load of 0.2 at 45 degrees and evaluated it.
class TypedLoadWindow : public ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    form.UserType("edLoaMag", "0.2");
    form.UserType("edLoaPha", "45");
    form.UserKeyEnter();
  }
};

// ---- What the edits show for each form of the magnitude ----

struct ShownRow {
  const char* Name;
  std::int32_t Form;  // cbLoaRfl's item
  double Re;
  double Im;
  const char* MagText;
  const char* PhaText;
  double Mag;  // the model's magnitude after the cycle
  std::int32_t Position;
};

void PrintTo(const ShownRow& row, std::ostream* os) { *os << row.Name; }

class MeasuredLoadShown : public TypedLoadWindow, public ::testing::WithParamInterface<ShownRow> {};

TEST_P(MeasuredLoadShown, InTheListsFormAndEvaluatedAsTyped) {
  const ShownRow& row = GetParam();
  // State: the load's list on the row's form.
  form.cbLoaRfl.SetItemIndex(row.Form);
  const auto cycles = form.CycleCount();
  // Action: a measured load takes the edits.
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(row.Re, row.Im)));
  // Expected: its magnitude and phase as the window writes them, one cycle run with them.
  EXPECT_EQ(form.edLoaMag.Text, row.MagText);
  EXPECT_EQ(form.edLoaPha.Text, row.PhaText);
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  EXPECT_TRUE(NearDouble(form.LoaRfl.Mag, row.Mag, 1e-6));
  EXPECT_EQ(form.udLoaPha.Position(), row.Position);
  EXPECT_TRUE(form.HeldLoad().has_value());
}

// 0.3 + j0.4 is 0.5 at atan(4/3) = 53.1301 degrees: -6.0206 dB, SWR 3. -j0.25 is 0.25 at -90
// degrees: -12.0412 dB, SWR 1.25 / 0.75. The model holds what the rounded text reads back to:
// -6.02 dB is 0.500035, SWR 1.667 is 0.667 / 2.667.
INSTANTIATE_TEST_SUITE_P(
    Rows, MeasuredLoadShown,
    ::testing::Values(
        ShownRow{"MagOf3Plus4j", 0, 0.3, 0.4, "0.5", "53.1301", 0.5, 50},
        ShownRow{"DbOf3Plus4j", 1, 0.3, 0.4, "-6.02", "53.1301", 0.500035, 50},
        ShownRow{"SwrOf3Plus4j", 2, 0.3, 0.4, "3", "53.1301", 0.5, 50},
        ShownRow{"DbQuarterBelowAxis", 1, 0.0, -0.25, "-12.04", "-90", 0.250035, -90},
        ShownRow{"SwrQuarterBelowAxis", 2, 0.0, -0.25, "1.667", "-90", 0.250094, -90},
        // Total reflection: the SWR is infinite, written as the window writes infinity, and
        // the model keeps the file's total reflection rather than a typed value.
        ShownRow{"SwrOfAShort", 2, -1.0, 0.0, numtext::kInfinityText, "180", 1.0, 180},
        ShownRow{"MagOfAShortWithNoise", 0, 1.02, 0.0, "1", "0", 1.0, 0},
        ShownRow{"MinusZeroPhaseIsZero", 0, 0.5, -0.0, "0.5", "0", 0.5, 0},
        ShownRow{"MatchedHasNoPhase", 0, 0.0, 0.0, "0", "0", 0.0, 0},
        ShownRow{"DbOfMatchedIsTheFloor", 1, 0.0, 0.0, "-160", "0", 0.0, 0}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

// ---- The typed values come back ----

class MeasuredLoadHold : public TypedLoadWindow {};

TEST_F(MeasuredLoadHold, ForgetPutsTheTypedValuesAndResultsBack) {
  const std::string pload = form.lbPload2.Caption;
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  ASSERT_NE(form.lbPload2.Caption, pload);
  // A second file while the first holds: the typed values stay those from before both.
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(-0.5, 0.0, "other.s1p")));
  form.ForgetMeasuredLoad();
  EXPECT_EQ(form.edLoaMag.Text, "0.2");
  EXPECT_EQ(form.edLoaPha.Text, "45");
  EXPECT_EQ(form.udLoaPha.Position(), 45);
  EXPECT_TRUE(SameDouble(form.LoaRfl.Mag, 0.2));
  EXPECT_EQ(form.lbPload2.Caption, pload);
  EXPECT_FALSE(form.HeldLoad().has_value());
}

TEST_F(MeasuredLoadHold, ForgetAfterAFormChangeShowsTheTypedValueInTheNewForm) {
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  form.UserPick("cbLoaRfl", 1);
  EXPECT_EQ(form.edLoaMag.Text, "-6.02");  // the file's, in dB
  EXPECT_TRUE(form.HeldLoad().has_value());
  form.ForgetMeasuredLoad();
  EXPECT_EQ(form.edLoaMag.Text, "-13.98");  // 20 log10 0.2
}

TEST_F(MeasuredLoadHold, TextTypedButNotLeftCountsAsTyped) {
  form.edLoaMag.Text = "0.35";  // typed, the focus still in the edit
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  form.ForgetMeasuredLoad();
  EXPECT_EQ(form.edLoaMag.Text, "0.35");
}

// ---- Typing over the file ends the hold ----

struct TypedOverRow {
  const char* Name;
  void (*Act)(TForm1&);
  const char* MagText;
  const char* PhaText;
};

void PrintTo(const TypedOverRow& row, std::ostream* os) { *os << row.Name; }

class MeasuredLoadTypedOver : public TypedLoadWindow,
                              public ::testing::WithParamInterface<TypedOverRow> {};

TEST_P(MeasuredLoadTypedOver, KeepsWhatTheUserTypedAndNoLongerFollows) {
  const TypedOverRow& row = GetParam();
  // State: a file holds the edits.
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  // Action: the user changes one of them.
  row.Act(form);
  // Expected: the user's values stay through a later frequency change and the file's close.
  EXPECT_FALSE(form.HeldLoad().has_value());
  EXPECT_FALSE(form.FollowMeasuredLoad(Load(0.0, 0.7)));
  form.ForgetMeasuredLoad();
  EXPECT_EQ(form.edLoaMag.Text, row.MagText);
  EXPECT_EQ(form.edLoaPha.Text, row.PhaText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MeasuredLoadTypedOver,
    ::testing::Values(TypedOverRow{"MagnitudeLeft",
                                   [](TForm1& f) {
                                     f.UserType("edLoaMag", "0.7");
                                     f.UserFocus("edLoaPha");
                                   },
                                   "0.7", "53.1301"},
                      TypedOverRow{"PhaseLeft",
                                   [](TForm1& f) {
                                     f.UserType("edLoaPha", "-30");
                                     f.UserFocus("edAnodeV");
                                   },
                                   "0.5", "-30"},
                      TypedOverRow{"PhaseAndEnter",
                                   [](TForm1& f) {
                                     f.UserType("edLoaPha", "10");
                                     f.UserKeyEnter();
                                   },
                                   "0.5", "10"},
                      TypedOverRow{"UpDownStep", [](TForm1& f) { f.UserStep("udLoaPha", true); },
                                   "0.5", "55"}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

TEST_F(MeasuredLoadHold, OtherInputsAndTheFormListKeepTheHold) {
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  form.UserType("edAnodeV", "4000");
  form.UserFocus("edLoaMag");  // entering and leaving a held edit untouched is no edit
  form.UserFocus("bEvaluate");
  form.UserPick("cbLoaRfl", 2);
  form.UserKeyEnter();
  EXPECT_TRUE(form.HeldLoad().has_value());
  EXPECT_EQ(form.edLoaMag.Text, "3");
}

// ---- Following the frequency and the line ----

TEST_F(MeasuredLoadHold, FollowsOnlyWhileHoldingAndOnlyChanges) {
  EXPECT_FALSE(form.FollowMeasuredLoad(Load(0.3, 0.4)));  // no file opened: typed values
  EXPECT_EQ(form.edLoaMag.Text, "0.2");
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  const auto cycles = form.CycleCount();
  // The same value offered again (the band re-evaluated for another reason) runs nothing.
  EXPECT_FALSE(form.FollowMeasuredLoad(Load(0.3, 0.4)));
  EXPECT_FALSE(form.HoldMeasuredLoad(Load(0.3, 0.4)));
  EXPECT_EQ(form.CycleCount(), cycles);
  EXPECT_TRUE(form.FollowMeasuredLoad(Load(0.0, 0.6, "load.s1p", 2.5e9)));
  EXPECT_EQ(form.edLoaMag.Text, "0.6");
  EXPECT_EQ(form.edLoaPha.Text, "90");
  EXPECT_EQ(form.HeldLoad()->FreqHz, 2.5e9);
  EXPECT_EQ(form.CycleCount(), cycles + 1);
}

TEST_F(MeasuredLoadHold, NonFiniteReflectionIsRefused) {
  for (const MeasuredLoad& bad : {Load(kNaN, 0.0), Load(0.1, INFINITY)}) {
    EXPECT_FALSE(form.HoldMeasuredLoad(bad));
    EXPECT_FALSE(form.HeldLoad().has_value());
    EXPECT_EQ(form.edLoaMag.Text, "0.2");
  }
}

// ---- What the files keep ----

TEST_F(MeasuredLoadHold, TypedValuesAreWhatTheFilesKeep) {
  ASSERT_TRUE(form.HoldMeasuredLoad(Load(0.0, -0.9)));
  EXPECT_EQ(form.TypedLoaMagText(), "0.2");
  EXPECT_EQ(form.TypedLoaPhaPosition(), 45);
  form.UserPick("cbLoaRfl", 2);              // read back on the next start in the list's form
  EXPECT_EQ(form.TypedLoaMagText(), "1.5");  // 1.2 / 0.8
  form.UserType("edLoaMag", "2");
  form.UserKeyEnter();  // typed over: the edits are the user's again
  EXPECT_EQ(form.TypedLoaMagText(), "2");
  EXPECT_EQ(form.TypedLoaPhaPosition(), -90);
}

}  // namespace
}  // namespace mainwindow::tests
