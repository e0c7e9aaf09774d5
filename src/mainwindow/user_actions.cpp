#include <stdexcept>
#include <string>
#include <variant>

#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "numtext/format.h"

// The user's actions on the window and the events they raise: the focus model, Enter on the
// default button, clicks, picks, up-down steps, tab changes and the close request.
namespace mainwindow {

namespace {

bool Operable(const ControlBase& c) { return c.Enabled && c.Visible; }

// The application's standard error box adds a full stop unless the message already ends in
// one (or in a character ordered before it).
std::string ErrorBoxText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

}  // namespace

template <class T>
T& TForm1::ControlAs(std::string_view name, ControlKind kind) {
  const ControlRef* ref = FindControl(name);
  if (ref == nullptr) throw std::invalid_argument("unknown control " + std::string(name));
  if (ref->Kind != kind) {
    throw std::invalid_argument(std::string(name) + " is not " + std::string(KindName(kind)));
  }
  return *std::get<T*>(ref->Ptr);
}

void TForm1::RunUserAction(const std::function<void()>& action) {
  if (closed_) return;
  try {
    action();
  } catch (const std::exception& e) {
    platform_.ShowError(std::string(kAppTitle), ErrorBoxText(e.what()));
  }
}

void TForm1::SetInitialFocus(std::string_view control) {
  if (FindControl(control) == nullptr) {
    throw std::invalid_argument("unknown control " + std::string(control));
  }
  focused_ = std::string(control);
}

bool TForm1::TakesFocus(std::string_view name) const {
  const ControlRef* ref = FindControl(name);
  if (ref == nullptr) return false;
  if (!KindTakesFocus(ref->Kind)) return false;
  const ControlBase* base = BaseOf(ref->Ptr);
  return base != nullptr && Operable(*base);
}

void TForm1::MoveFocus(std::string_view control) {
  if (control == focused_ || !TakesFocus(control)) return;
  const std::string left = focused_;
  // The edit's exit runs before the focus arrives, so a failing handler leaves the focus
  // where it was.
  if (const ControlRef* ref = FindControl(left); ref != nullptr && ref->Kind == ControlKind::Edit) {
    Raise(left, EventKind::OnExit);
  }
  focused_ = std::string(control);
}

void TForm1::UserFocus(std::string_view control) {
  if (FindControl(control) == nullptr) {
    throw std::invalid_argument("unknown control " + std::string(control));
  }
  RunUserAction([&] { MoveFocus(control); });
}

void TForm1::UserType(std::string_view edit, const std::string& text) {
  Edit& e = ControlAs<Edit>(edit, ControlKind::Edit);
  RunUserAction([&] {
    if (!Operable(e)) return;
    MoveFocus(edit);
    e.Text = text;
  });
}

void TForm1::UserKeyEnter() {
  RunUserAction([&] {
    const ControlRef* ref = FindControl(focused_);
    if (ref != nullptr && ref->Kind == ControlKind::Button) {
      Raise(focused_, EventKind::OnClick);
    } else if (Operable(bEvaluate)) {
      bEvaluateClick();
    }
  });
}

void TForm1::UserClick(std::string_view control) {
  const ControlRef* ref = FindControl(control);
  if (ref == nullptr) throw std::invalid_argument("unknown control " + std::string(control));
  if (ref->Kind == ControlKind::Button) {
    Button& b = *std::get<Button*>(ref->Ptr);
    RunUserAction([&] {
      if (!Operable(b)) return;
      MoveFocus(control);
      Raise(control, EventKind::OnClick);
    });
  } else if (ref->Kind == ControlKind::CheckBox) {
    CheckBox& c = *std::get<CheckBox*>(ref->Ptr);
    RunUserAction([&] {
      if (!Operable(c)) return;
      MoveFocus(control);
      c.SetChecked(!c.Checked());
    });
  } else {
    throw std::invalid_argument(std::string(control) + " is not a button or check box");
  }
}

void TForm1::UserPick(std::string_view control, std::int32_t index) {
  const ControlRef* ref = FindControl(control);
  if (ref == nullptr) throw std::invalid_argument("unknown control " + std::string(control));
  auto checkIndex = [&](std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
      throw std::out_of_range(std::string(control) + " has no item " + std::to_string(index));
    }
  };
  if (ref->Kind == ControlKind::DropDown) {
    DropDown& d = *std::get<DropDown*>(ref->Ptr);
    checkIndex(d.Items.size());
    RunUserAction([&] {
      if (!Operable(d)) return;
      MoveFocus(control);
      d.SetItemIndex(index);
      Raise(control, EventKind::OnChange);
    });
  } else if (ref->Kind == ControlKind::RadioGroup) {
    RadioGroup& g = *std::get<RadioGroup*>(ref->Ptr);
    checkIndex(g.Items.size());
    RunUserAction([&] {
      if (!Operable(g)) return;
      MoveFocus(control);
      g.SetItemIndex(index);  // raises OnClick when the selection changes
    });
  } else {
    throw std::invalid_argument(std::string(control) + " is not a drop-down list or radio group");
  }
}

void TForm1::UserStep(std::string_view updown, bool up) {
  UpDown& u = ControlAs<UpDown>(updown, ControlKind::UpDown);
  RunUserAction([&] {
    if (!Operable(u) || !u.Step(up)) return;
    const ControlRef* assoc = FindControl(u.Associate);
    if (assoc != nullptr && assoc->Kind == ControlKind::Edit) {
      std::get<Edit*>(assoc->Ptr)->Text = numtext::IntToText(u.Position());
    }
    Raise(updown, EventKind::OnClick);
  });
}

void TForm1::UserPage(std::string_view tabSheet) {
  ControlAs<TabSheet>(tabSheet, ControlKind::TabSheet);
  RunUserAction([&] { pcResults.ActivePage = std::string(tabSheet); });
}

void TForm1::Close() {
  RunUserAction([&] {
    TCloseAction action = TCloseAction::caFree;
    if (OnClose) OnClose(action);
    if (action == TCloseAction::caFree) closed_ = true;
  });
}

}  // namespace mainwindow
