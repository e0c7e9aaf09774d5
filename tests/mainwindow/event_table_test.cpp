#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "mainwindow/form.h"
#include "window_fixture.h"

namespace mainwindow {
namespace {

using tests::NewWindow;

// The one event each kind of control raises when the user acts on it.
std::set<EventKind> EventsOfKind(ControlKind k) {
  switch (k) {
    case ControlKind::Edit:
      return {EventKind::OnExit};
    case ControlKind::DropDown:
      return {EventKind::OnChange};
    case ControlKind::UpDown:
    case ControlKind::CheckBox:
    case ControlKind::RadioGroup:
    case ControlKind::Button:
      return {EventKind::OnClick};
    default:
      return {};
  }
}

TEST_F(NewWindow, EveryActionableControlHasExactlyOneEventRow) {
  // Expected: each edit, list, up-down, box, group and button has its one event bound, and
  // the table names nothing else.
  std::map<std::pair<std::string, EventKind>, int> rows;
  for (const EventBinding& b : EventTable()) {
    const ControlRef* ref = form.FindControl(b.Control);
    ASSERT_NE(ref, nullptr) << b.Control;
    EXPECT_EQ(EventsOfKind(ref->Kind).count(b.Event), 1u)
        << b.Control << " " << EventName(b.Event) << " on a " << KindName(ref->Kind);
    ++rows[{std::string(b.Control), b.Event}];
  }
  for (const ControlRef& ref : form.Controls()) {
    for (EventKind e : EventsOfKind(ref.Kind)) {
      EXPECT_EQ((rows[{std::string(ref.Name), e}]), 1) << ref.Name << " " << EventName(e);
    }
  }
}

TEST_F(NewWindow, AssignedGroupsAndTheBoxRunTheirTableHandler) {
  // State: design values. Action: code assigns a new unit and unticks Ideal. Expected: the
  // handlers the table names run inside the assignments (the power unit runs a full cycle).
  const auto cycles = form.CycleCount();
  form.rgPowerUnit.SetItemIndex(1);
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  form.chIdeal.SetChecked(false);
  EXPECT_TRUE(form.edDire.Enabled);
  EXPECT_EQ(form.edDire.Color, TColor::clYellow);
}

}  // namespace
}  // namespace mainwindow
