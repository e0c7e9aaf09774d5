#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "env/win32_text.h"
#include "mainwindow/binding_rules.h"
#include "mainwindow/push_control.h"
#include "win32ui/analysis_window.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::FlagGuard;

}  // namespace

void MainWindow::Pull() {
  for (const Control& c : controls_) {
    if (c.Design->Kind != ControlKind::Edit) continue;
    std::get<mainwindow::Edit*>(c.Ref->Ptr)->Text = env::win32::Narrow(TextOf(c.Hwnd));
  }
  RECT r;
  if (IsWindowVisible(hwnd_) && !IsIconic(hwnd_) && GetWindowRect(hwnd_, &r)) {
    form_.Form1.Left = r.left;
    form_.Form1.Top = r.top;
  }
}

// How the Win32 child windows show each control's state; what is shown is decided by
// PushControl.
struct MainWindow::PushSink {
  MainWindow& Window;
  const Control* C = nullptr;

  // The form's caption with the open case's name: one rule for the title bar.
  void Title(const std::string&) { Window.ShowCaption(); }
  void State(const mainwindow::ControlRef&, bool visible, bool enabled) {
    HWND h = C->Hwnd;
    if ((IsWindowEnabled(h) != FALSE) != enabled) EnableWindow(h, enabled);
    const bool shown = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
  }
  void Sheet(const mainwindow::ControlRef&, bool active) {
    const bool shown = (GetWindowLongPtrW(C->Hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != active) ShowWindow(C->Hwnd, active ? SW_SHOWNA : SW_HIDE);
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::Edit& p) {
    SetText(C->Hwnd, W(p.Text));
    InvalidateRect(C->Hwnd, nullptr, TRUE);  // its colour may have changed
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::Label& p) {
    const std::wstring text = W(p.Caption);
    if (TextOf(C->Hwnd) != text) {
      SetWindowTextW(C->Hwnd, text.c_str());
      Window.PlaceLabel(*C);
    }
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::Panel& p) {
    SetText(C->Hwnd, W(p.Caption));
    InvalidateRect(C->Hwnd, nullptr, TRUE);
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::DropDown& p) {
    const auto index = static_cast<int>(SendMessageW(C->Hwnd, CB_GETCURSEL, 0, 0));
    if (index != p.ItemIndex()) {
      SendMessageW(C->Hwnd, CB_SETCURSEL, static_cast<WPARAM>(p.ItemIndex()), 0);
    }
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::UpDown& p) {
    SendMessageW(C->Hwnd, UDM_SETRANGE32, static_cast<WPARAM>(p.Min), p.Max);
    SendMessageW(C->Hwnd, UDM_SETPOS32, 0, p.Position());
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::CheckBox& p) {
    const WPARAM state = p.Checked() ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(C->Hwnd, BM_GETCHECK, 0, 0)) != state) {
      SendMessageW(C->Hwnd, BM_SETCHECK, state, 0);
    }
    SetText(C->Hwnd, W(p.Caption));
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::RadioGroup& p) {
    for (std::size_t i = 0; i < C->Buttons.size(); ++i) {
      const WPARAM state = static_cast<int>(i) == p.ItemIndex() ? BST_CHECKED : BST_UNCHECKED;
      if (static_cast<WPARAM>(SendMessageW(C->Buttons[i], BM_GETCHECK, 0, 0)) != state) {
        SendMessageW(C->Buttons[i], BM_SETCHECK, state, 0);
      }
      EnableWindow(C->Buttons[i], p.Enabled);
    }
    SetText(C->Frame, W(p.Caption));
  }
  // The tooltip is the tool window's, set once when the button is made.
  void Show(const mainwindow::ControlRef&, const mainwindow::Button& p, std::string_view) {
    SetText(C->Hwnd, W(p.Caption));
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::GroupBox& p) {
    SetText(C->Frame, W(p.Caption));
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::PageControl& p) {
    const auto& names = Window.sheetNames_;
    const auto it = std::find(names.begin(), names.end(), p.ActivePage);
    if (it == names.end()) return;
    const auto index = static_cast<int>(it - names.begin());
    if (SendMessageW(C->Hwnd, TCM_GETCURSEL, 0, 0) != index) {
      SendMessageW(C->Hwnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
  }
};

void MainWindow::Push() {
  const FlagGuard guard(pushing_);
  PushSink sink{*this};
  // The window itself has no child window of its own in the list.
  for (const mainwindow::ControlRef& ref : form_.Controls()) {
    if (ref.Kind == ControlKind::Form) mainwindow::PushControl(ref, form_, sink);
  }
  for (const Control& c : controls_) {
    sink.C = &c;
    mainwindow::PushControl(*c.Ref, form_, sink);
  }
  SyncFocus();
  // The Analysis window follows every change the user made here.
  if (analysis_) analysis_->Refresh();
}

// The keyboard focus follows the form's focused control; moving it here is no user act and
// raises nothing.
void MainWindow::SyncFocus() {
  if (GetActiveWindow() != hwnd_ || IsIconic(hwnd_)) return;
  HWND target = FocusWindow(form_.Focused());
  if (target == nullptr || GetFocus() == target) return;
  if (!IsWindowEnabled(target) || !IsWindowVisible(target)) return;
  // A radio button that takes the focus from code reports a click; that is ignored here.
  const FlagGuard guard(pushing_);
  SetFocus(target);
}

}  // namespace win32ui
