#include "mainwindow/binding_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/focus_order.h"
#include "mainwindow/window_layout.h"
#include "window_fixture.h"

namespace mainwindow {
namespace {

using tests::ShownWindow;

// A nested guard must not clear the outer one's flag: the outer scope is still running.
TEST(FlagGuard, NestedGuardsLeaveTheFlagSetUntilTheOutermostEnds) {
  bool flag = false;
  {
    const FlagGuard outer(flag);
    {
      const FlagGuard inner(flag);
      EXPECT_TRUE(flag);
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
}

TEST(FlagGuard, GivesTheFlagBackWhenLeftByAnException) {
  bool flag = false;
  try {
    const FlagGuard guard(flag);
    throw std::runtime_error("handler failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(flag);
}

class UserAction : public ShownWindow {};

TEST_F(UserAction, PullsRunsAndPushesInThatOrder) {
  bool acting = false;
  std::vector<std::string> steps;
  const bool closed = RunUserAction(
      acting, form, [&] { steps.push_back("pull"); }, [&] { steps.push_back("action"); },
      [&] { steps.push_back("push"); });
  EXPECT_FALSE(closed);
  EXPECT_FALSE(acting);
  EXPECT_EQ(steps, (std::vector<std::string>{"pull", "action", "push"}));
}

// A box opened by a handler runs a nested event loop; a click there must start nothing.
TEST_F(UserAction, StartsNoSecondActionWhileOneRuns) {
  bool acting = false;
  int inner = 0;
  RunUserAction(
      acting, form, [] {},
      [&] {
        RunUserAction(
            acting, form, [] {}, [&] { ++inner; }, [] {});
        EXPECT_TRUE(acting);
      },
      [] {});
  EXPECT_EQ(inner, 0);
  EXPECT_FALSE(acting);
}

TEST_F(UserAction, ReportsAWindowClosedByTheActionAndTakesNoneAfterwards) {
  bool acting = false;
  platform.ConfirmAnswer = true;
  EXPECT_TRUE(RunUserAction(
      acting, form, [] {}, [&] { form.Close(); }, [] {}));
  int ran = 0;
  EXPECT_FALSE(RunUserAction(
      acting, form, [] {}, [&] { ++ran; }, [] {}));
  EXPECT_EQ(ran, 0);
}

TEST(ToolTipText, IsTheHintBeforeTheBar) {
  EXPECT_EQ(ToolTipText("Anode voltage|The magnetron's anode voltage"), "Anode voltage");
  EXPECT_EQ(ToolTipText("No long hint"), "No long hint");
  EXPECT_EQ(ToolTipText("|Only a long hint"), "");
  EXPECT_EQ(ToolTipText(""), "");
}

TEST(FocusButtonOfRadioGroup, IsTheSelectedButtonElseTheFirst) {
  struct Row {
    std::int32_t index;
    std::size_t buttons;
    std::size_t expected;
  };
  for (const Row r : {Row{1, 3, 1}, Row{2, 3, 2}, Row{-1, 3, 0}, Row{3, 3, 0}, Row{0, 1, 0}}) {
    EXPECT_EQ(FocusButtonOfRadioGroup(r.index, r.buttons), r.expected)
        << r.index << " of " << r.buttons;
  }
}

TEST(StepDownFontSize, TakesTheLargestSizeThatFitsDownToThreeQuarters) {
  struct Row {
    int design;
    int widestFitting;  // every size up to this one fits
    int expected;
  };
  for (const Row r :
       {Row{20, 20, 20}, Row{20, 17, 17}, Row{20, 15, 15}, Row{20, 10, 15}, Row{15, 0, 11}}) {
    std::vector<int> tried;
    const int got = StepDownFontSize(r.design, [&](int size) {
      tried.push_back(size);
      return size <= r.widestFitting;
    });
    EXPECT_EQ(got, r.expected) << r.design << "/" << r.widestFitting;
    ASSERT_FALSE(tried.empty());
    EXPECT_EQ(tried.front(), r.design);  // the design's own size first
  }
}

}  // namespace
}  // namespace mainwindow
