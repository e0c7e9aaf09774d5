#include <stdexcept>
#include <string>

#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

using Kind = env::PlatformEvent::Kind;

// ---- Moving the focus: which moves run a cycle ----

struct FocusRow {
  const char* Name;
  const char* From;
  const char* To;
  int Cycles;
  const char* FocusAfter;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const FocusRow& row, std::ostream* os) { *os << row.Name; }

class FocusMove : public ShownWindow, public ::testing::WithParamInterface<FocusRow> {};

TEST_P(FocusMove, RaisesExitOfTheEditLeft) {
  const FocusRow& row = GetParam();
  form.SetInitialFocus(row.From);
  const auto cycles = form.CycleCount();
  form.UserFocus(row.To);
  EXPECT_EQ(form.CycleCount(), cycles + static_cast<unsigned>(row.Cycles));
  EXPECT_EQ(form.Focused(), row.FocusAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FocusMove,
    ::testing::Values(FocusRow{"EditToEdit", "edAnodeV", "edAnodeI", 1, "edAnodeI"},
                      FocusRow{"SameEdit", "edAnodeV", "edAnodeV", 0, "edAnodeV"},
                      FocusRow{"SourceMagnitudeToList", "edSrcMag", "cbSrcRfl", 1, "cbSrcRfl"},
                      FocusRow{"LoadMagnitudeToButton", "edLoaMag", "bClose", 1, "bClose"},
                      FocusRow{"DirectivityToRadioGroup", "edDire", "rgPowerUnit", 1,
                               "rgPowerUnit"},
                      FocusRow{"ListToEdit", "cbSrcRfl", "edAnodeV", 0, "edAnodeV"},
                      FocusRow{"LabelTakesNoFocus", "edAnodeV", "lbAnodeV", 0, "edAnodeV"},
                      FocusRow{"HiddenButtonTakesNoFocus", "edAnodeV", "bHelpChm", 0, "edAnodeV"},
                      FocusRow{"DisabledEditTakesNoFocus", "edAnodeV", "edDire", 0, "edAnodeV"}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

class UserActions : public ShownWindow {};

TEST_F(UserActions, EvaluateClickFromAnEditRunsTwoCycles) {
  // State: the user has typed into an edit that still has the focus.
  form.UserType("edAnodeI", "0.5");
  const auto cycles = form.CycleCount();
  // Action: click Evaluate.
  form.UserClick("bEvaluate");
  // Expected: the edit's exit, then the button's click.
  EXPECT_EQ(form.CycleCount(), cycles + 2);
  EXPECT_EQ(form.Focused(), "bEvaluate");
}

TEST_F(UserActions, EnterInAnEditRunsOneCycleAndKeepsTheFocus) {
  // State: text typed, focus in the edit.
  form.UserType("edAnodeI", "0.5");
  const auto cycles = form.CycleCount();
  // Action: Enter.
  form.UserKeyEnter();
  // Expected: one cycle through the default button, which reads the typed text.
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  EXPECT_EQ(form.Focused(), "edAnodeI");
  EXPECT_TRUE(SameDouble(form.Ia, 0.5));
}

TEST_F(UserActions, EnterOnAFocusedButtonClicksThatButton) {
  // State: focus on Show Note. Action: Enter. Expected: the note, no evaluation.
  form.UserFocus("bShowNote");
  const auto cycles = form.CycleCount();
  form.UserKeyEnter();
  EXPECT_EQ(form.CycleCount(), cycles);
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, Kind::Message);
}

TEST_F(UserActions, TypingRaisesNoEventButTheFocusChange) {
  form.SetInitialFocus("edAnodeI");
  const auto cycles = form.CycleCount();
  form.UserType("edAnodeI", "0.7");
  EXPECT_EQ(form.CycleCount(), cycles);
  EXPECT_EQ(form.edAnodeI.Text, "0.7");
  EXPECT_TRUE(SameDouble(form.Ia, 0.3555));
}

TEST_F(UserActions, DisabledOrHiddenControlsIgnoreTheUser) {
  // State: ideal couplers (design) disable the directivity controls; bHelpChm is hidden.
  const auto cycles = form.CycleCount();
  const std::int32_t position = form.udDire.Position();
  // Action: step the disabled up-down, type into the disabled edit, click the hidden button.
  form.UserStep("udDire", true);
  form.UserType("edDire", "50");
  form.UserClick("bHelpChm");
  // Expected: nothing changed, nothing shown.
  EXPECT_EQ(form.udDire.Position(), position);
  EXPECT_EQ(form.edDire.Text, "20");
  EXPECT_EQ(form.CycleCount(), cycles);
  EXPECT_TRUE(platform.Events.empty());
}

TEST_F(UserActions, IdealToggleKeepsTransmissionResults) {
  // State: finite directivity 20 dB, a real load, evaluated.
  form.chIdeal.SetChecked(false);
  form.cbLoaRfl.SetItemIndex(0);
  form.edLoaMag.Text = "0.5";
  form.UserKeyEnter();
  const std::string pinc = form.lbPinc2.Caption;
  const std::string pav = form.lbPav.Caption;
  const std::string measuredMin = form.lbPincMinV.Caption;
  const auto cycles = form.CycleCount();
  // Action: the user checks Ideal (the focus was in edAnodeV, whose exit runs one cycle).
  form.UserClick("chIdeal");
  // Expected: measurement re-presented; transmission and magnetron output unchanged.
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  EXPECT_TRUE(form.CplIdeal);
  EXPECT_EQ(form.lbPinc2.Caption, pinc);
  EXPECT_EQ(form.lbPav.Caption, pav);
  EXPECT_NE(form.lbPincMinV.Caption, measuredMin);
  EXPECT_EQ(form.lbPincMinV.Caption, form.lbPincV.Caption);
}

TEST_F(UserActions, PickMovesTheFocusFirst) {
  form.UserType("edAnodeI", "0.5");
  const auto cycles = form.CycleCount();
  form.UserPick("cbSrcMism", 2);
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  EXPECT_EQ(form.Focused(), "cbSrcMism");
  EXPECT_EQ(form.cbSrcMism.ItemIndex(), 2);
}

TEST_F(UserActions, MalformedRequestsThrowInsteadOfActing) {
  EXPECT_THROW(form.UserFocus("noSuchControl"), std::invalid_argument);
  EXPECT_THROW(form.UserType("lbAnodeV", "1"), std::invalid_argument);
  EXPECT_THROW(form.UserClick("edAnodeV"), std::invalid_argument);
  EXPECT_THROW(form.UserStep("edDire", true), std::invalid_argument);
  EXPECT_THROW(form.UserPick("rgPowerUnit", 4), std::out_of_range);
  EXPECT_THROW(form.UserPage("pcResults"), std::invalid_argument);
  EXPECT_TRUE(platform.Events.empty());
}

// ---- The application's standard error box ----

struct ErrorRow {
  const char* Name;
  const char* What;
  const char* Shown;
};

void PrintTo(const ErrorRow& row, std::ostream* os) { *os << row.Name; }

class ErrorBox : public NewWindow, public ::testing::WithParamInterface<ErrorRow> {};

TEST_P(ErrorBox, AddsAFullStopAfterCharactersBeyondIt) {
  form.RunUserAction([&] { throw std::runtime_error(GetParam().What); });
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, Kind::Error);
  EXPECT_EQ(platform.Events[0].Title, "Zephlane");
  EXPECT_EQ(platform.Events[0].Text, GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ErrorBox,
    ::testing::Values(ErrorRow{"PathGetsFullStop",
                               "Unable to write to /home/u/.config/Brevik/Zephlane/Zephlane.ini",
                               "Unable to write to /home/u/.config/Brevik/Zephlane/Zephlane.ini."},
                      ErrorRow{"FullStopKept", "Done.", "Done."},
                      ErrorRow{"SlashIsBeyondFullStop", "C:/", "C:/."},
                      ErrorRow{"ExclamationIsBeforeFullStop", "Stop!", "Stop!"},
                      ErrorRow{"Empty", "", ""}),
    [](const auto& rowInfo) { return std::string(rowInfo.param.Name); });

// ---- Closing ----

class Closing : public ShownWindow {};

TEST_F(Closing, RefusedCloseLeavesTheWindowAsItWas) {
  // State: the closing handler refuses. Action: Close button. Expected: still open.
  form.OnClose = [](TCloseAction& action) { action = TCloseAction::caNone; };
  const std::string pinc = form.lbPinc2.Caption;
  form.UserClick("bClose");
  EXPECT_FALSE(form.Closed());
  EXPECT_EQ(form.lbPinc2.Caption, pinc);
}

TEST_F(Closing, FailedCloseShowsTheErrorAndStaysOpen) {
  form.OnClose = [](TCloseAction&) { throw std::runtime_error("Unable to write to x.ini"); };
  form.Close();
  EXPECT_FALSE(form.Closed());
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].Text, "Unable to write to x.ini.");
}

TEST_F(Closing, AcceptedCloseEndsUserActions) {
  form.Close();
  EXPECT_TRUE(form.Closed());
  const auto cycles = form.CycleCount();
  form.UserClick("bEvaluate");
  EXPECT_EQ(form.CycleCount(), cycles);
}

}  // namespace
}  // namespace mainwindow::tests
