#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "mainwindow/focus_order.h"
#include "win32ui/analysis_window.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The mnemonic letter of a caption, upper case: the character after a single "&".
wchar_t Mnemonic(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const auto c = static_cast<unsigned char>(caption[i + 1]);
    if (c == '&') {
      ++i;
      continue;
    }
    if (c >= 'a' && c <= 'z') return static_cast<wchar_t>(c - 'a' + 'A');
    return c < 0x80 ? static_cast<wchar_t>(c) : L'\0';
  }
  return L'\0';
}

}  // namespace

bool MainWindow::ClickMnemonic(wchar_t key) {
  for (const Control& c : controls_) {
    if (c.Design->Kind != ControlKind::Button) continue;
    const auto* button = std::get<mainwindow::Button*>(c.Ref->Ptr);
    if (!button->Visible || !button->Enabled) continue;
    if (Mnemonic(button->Caption) != key) continue;
    const std::string name(c.Design->Name);
    Act([&] { form_.UserClick(name); });
    return true;
  }
  return false;
}

bool MainWindow::PreTranslate(const MSG& msg) {
  if (analysis_ && analysis_->PreTranslate(msg)) return true;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN) {
    const auto command =
        ShortcutCommand(msg.wParam, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT), KeyDown(VK_MENU));
    if (command) {
      RunCommand(*command);
      return true;
    }
  }
  const Control* c = ControlOf(msg.hwnd);
  const ControlKind kind = c != nullptr ? c->Design->Kind : ControlKind::Form;
  const bool listOpen =
      kind == ControlKind::DropDown && SendMessageW(c->Hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;

  switch (msg.message) {
    case WM_KEYDOWN:
      switch (msg.wParam) {
        case VK_TAB: {
          if (KeyDown(VK_MENU)) return false;
          const bool forward = !KeyDown(VK_SHIFT);
          if (KeyDown(VK_CONTROL)) {
            // Ctrl+Tab turns the result pages.
            const auto count = static_cast<std::ptrdiff_t>(sheetNames_.size());
            const auto at =
                std::find(sheetNames_.begin(), sheetNames_.end(), form_.pcResults.ActivePage);
            if (count == 0 || at == sheetNames_.end()) return true;
            const std::ptrdiff_t next =
                ((at - sheetNames_.begin()) + (forward ? 1 : count - 1)) % count;
            const std::string sheet = sheetNames_[static_cast<std::size_t>(next)];
            Act([&] { form_.UserPage(sheet); });
            return true;
          }
          const std::string target(mainwindow::NextTabStop(form_, form_.Focused(), forward));
          if (target.empty()) return true;
          Act([&] { form_.UserFocus(target); });
          // An edit entered by Tab has its whole text selected, ready to be typed over.
          const Control* to = Find(form_.Focused());
          if (to != nullptr && to->Design->Kind == ControlKind::Edit) {
            SendMessageW(to->Hwnd, EM_SETSEL, 0, -1);
          }
          return true;
        }
        case VK_RETURN:
          if (listOpen) return false;
          // A focused button takes Enter itself; anywhere else Enter is Evaluate's.
          Act([&] { form_.UserKeyEnter(); });
          return true;
        case VK_ESCAPE:
          // The window is not a dialog to the user: Escape neither cancels nor closes it.
          return !listOpen;
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT: {
          const bool up = msg.wParam == VK_UP || msg.wParam == VK_RIGHT;
          const bool vertical = msg.wParam == VK_UP || msg.wParam == VK_DOWN;
          if (kind == ControlKind::Edit && vertical) {
            const std::string updown(mainwindow::UpDownOfEdit(c->Design->Name));
            if (updown.empty()) return false;
            Act([&] { form_.UserStep(updown, up); });
            return true;
          }
          if (kind == ControlKind::RadioGroup && msg.hwnd != c->Hwnd) {
            // The arrows pick the neighbouring item, going round, as in any radio group.
            const auto count = static_cast<int>(c->Buttons.size());
            const auto at = std::find(c->Buttons.begin(), c->Buttons.end(), msg.hwnd);
            if (count == 0 || at == c->Buttons.end()) return true;
            const bool next = msg.wParam == VK_DOWN || msg.wParam == VK_RIGHT;
            const int index =
                (static_cast<int>(at - c->Buttons.begin()) + (next ? 1 : count - 1)) % count;
            const std::string name(c->Design->Name);
            Act([&] { form_.UserPick(name, index); });
            return true;
          }
          return false;
        }
        default:
          return false;
      }
    case WM_SYSKEYDOWN: {
      // Alt+letter: the button with that mnemonic. Every other Alt key (Alt+F4, the window
      // menu) is the system's.
      const auto key = static_cast<wchar_t>(msg.wParam);
      if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) {
        return ClickMnemonic(key);
      }
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      // A click on a control that takes the focus moves it there first, as the user's act.
      // Up-downs keep the focus where it is.
      if (c == nullptr || kind == ControlKind::UpDown) return false;
      if (!mainwindow::KindTakesFocus(kind) || !IsWindowEnabled(msg.hwnd)) return false;
      if (kind == ControlKind::GroupBox || kind == ControlKind::TabSheet) return false;
      if (kind == ControlKind::RadioGroup && msg.hwnd == c->Hwnd) return false;
      const std::string name(c->Design->Name);
      if (name != form_.Focused()) Act([&] { form_.UserFocus(name); });
      return false;
    }
    default:
      return false;
  }
}

}  // namespace win32ui
