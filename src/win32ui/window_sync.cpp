#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <type_traits>
#include <variant>

#include "env/win32_text.h"
#include "mainwindow/binding_rules.h"
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

void MainWindow::Push() {
  const FlagGuard guard(pushing_);
  auto showAndEnable = [](HWND h, const mainwindow::ControlBase& base) {
    if ((IsWindowEnabled(h) != FALSE) != base.Enabled) EnableWindow(h, base.Enabled);
    const bool shown = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != base.Visible) ShowWindow(h, base.Visible ? SW_SHOWNA : SW_HIDE);
  };
  {
    const std::wstring caption = W(form_.Form1.Caption);
    if (!form_.Form1.Caption.empty()) SetText(hwnd_, caption);
  }
  for (const Control& c : controls_) {
    HWND h = c.Hwnd;
    std::visit(
        [&](auto* p) {
          using T = std::remove_pointer_t<decltype(p)>;
          if constexpr (std::is_same_v<T, mainwindow::FormProps>) {
            return;
          } else if constexpr (std::is_same_v<T, mainwindow::TabSheet>) {
            // A sheet is shown while it is the active page.
            const bool active = form_.pcResults.ActivePage == c.Design->Name;
            const bool shown = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
            if (shown != active) ShowWindow(h, active ? SW_SHOWNA : SW_HIDE);
          } else {
            showAndEnable(h, *p);
            if constexpr (std::is_same_v<T, mainwindow::Edit>) {
              SetText(h, W(p->Text));
              InvalidateRect(h, nullptr, TRUE);  // its colour may have changed
            } else if constexpr (std::is_same_v<T, mainwindow::Label>) {
              const std::wstring text = W(p->Caption);
              if (TextOf(h) != text) {
                SetWindowTextW(h, text.c_str());
                PlaceLabel(c);
              }
            } else if constexpr (std::is_same_v<T, mainwindow::Panel>) {
              SetText(h, W(p->Caption));
              InvalidateRect(h, nullptr, TRUE);
            } else if constexpr (std::is_same_v<T, mainwindow::DropDown>) {
              const auto index = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
              if (index != p->ItemIndex()) {
                SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(p->ItemIndex()), 0);
              }
            } else if constexpr (std::is_same_v<T, mainwindow::UpDown>) {
              SendMessageW(h, UDM_SETRANGE32, static_cast<WPARAM>(p->Min), p->Max);
              SendMessageW(h, UDM_SETPOS32, 0, p->Position());
            } else if constexpr (std::is_same_v<T, mainwindow::CheckBox>) {
              const WPARAM state = p->Checked() ? BST_CHECKED : BST_UNCHECKED;
              if (static_cast<WPARAM>(SendMessageW(h, BM_GETCHECK, 0, 0)) != state) {
                SendMessageW(h, BM_SETCHECK, state, 0);
              }
              SetText(h, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::RadioGroup>) {
              for (std::size_t i = 0; i < c.Buttons.size(); ++i) {
                const WPARAM state =
                    static_cast<int>(i) == p->ItemIndex() ? BST_CHECKED : BST_UNCHECKED;
                if (static_cast<WPARAM>(SendMessageW(c.Buttons[i], BM_GETCHECK, 0, 0)) != state) {
                  SendMessageW(c.Buttons[i], BM_SETCHECK, state, 0);
                }
                EnableWindow(c.Buttons[i], p->Enabled);
              }
              SetText(c.Frame, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::Button>) {
              SetText(h, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::GroupBox>) {
              SetText(c.Frame, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::PageControl>) {
              const auto it = std::find(sheetNames_.begin(), sheetNames_.end(), p->ActivePage);
              if (it != sheetNames_.end()) {
                const auto index = static_cast<int>(it - sheetNames_.begin());
                if (SendMessageW(h, TCM_GETCURSEL, 0, 0) != index) {
                  SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
                }
              }
            }
          }
        },
        c.Ref->Ptr);
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
