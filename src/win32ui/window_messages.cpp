#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "mainwindow/binding_rules.h"
#include "startup/case_file.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::FlagGuard;

}  // namespace

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp != 0) {
        OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
      } else if (const auto command = CommandOfId(LOWORD(wp))) {
        RunCommand(*command);
      } else if (const auto recent = RecentCaseOfId(LOWORD(wp))) {
        const std::vector<std::string> list = startup::RecentCaseList(form_.RecentCases);
        if (!acting_ && !form_.Closed() && *recent < list.size()) OpenCaseFile(list[*recent]);
      }
      return 0;
    case WM_CONTEXTMENU:
      // Edits and lists keep their own menus; a right click anywhere else reaches here.
      ShowContextMenu(lp);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        SyncFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      SyncFocus();
      return 0;
    case WM_CLOSE:
      // Every close request (close box, window menu, Alt+F4, bClose) asks the form; a request
      // while a box of this window is open waits for the box.
      if (!acting_) Act([&] { form_.Close(); });
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the font and every design pixel follow it; the
      // system's suggested rectangle gives the place, the design the size.
      dpi_ = HIWORD(wp);
      HFONT previous = CreateFonts();
      SetClientSize();
      Layout();
      // The controls have the new font now; the old one can go.
      if (previous != nullptr) DeleteObject(previous);
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::OnCommand(HWND from, UINT code) {
  if (pushing_) return;
  const Control* c = ControlOf(from);
  if (c == nullptr) return;
  const std::string name(c->Design->Name);
  switch (c->Design->Kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) Act([&] { form_.UserClick(name); });
      break;
    case ControlKind::RadioGroup: {
      if (code != BN_CLICKED) break;
      const auto at = std::find(c->Buttons.begin(), c->Buttons.end(), from);
      if (at == c->Buttons.end()) break;
      const auto index = static_cast<std::int32_t>(at - c->Buttons.begin());
      Act([&] { form_.UserPick(name, index); });
      break;
    }
    case ControlKind::DropDown: {
      const auto* list = std::get<mainwindow::DropDown*>(c->Ref->Ptr);
      const auto index = static_cast<std::int32_t>(SendMessageW(from, CB_GETCURSEL, 0, 0));
      const bool open = SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0) != 0;
      // A pick is final when the list closes on it, or at once with the list shut (arrow
      // keys, the wheel). Browsing an open list picks nothing yet.
      if ((code == CBN_SELENDOK || (code == CBN_SELCHANGE && !open)) && index >= 0 &&
          index != list->ItemIndex()) {
        Act([&] { form_.UserPick(name, index); });
      } else if (code == CBN_CLOSEUP && index != list->ItemIndex()) {
        const FlagGuard guard(pushing_);
        SendMessageW(from, CB_SETCURSEL, static_cast<WPARAM>(list->ItemIndex()), 0);
      }
      break;
    }
    default:
      break;
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  const Control* c = ControlOf(header.hwndFrom);
  if (c == nullptr) return 0;
  const std::string name(c->Design->Name);
  if (c->Design->Kind == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
    // The control never moves itself: the form steps and the push shows the new position.
    if (!pushing_) {
      const bool up = reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0;
      Act([&] { form_.UserStep(name, up); });
    }
    return TRUE;
  }
  if (c->Design->Kind == ControlKind::PageControl && header.code == TCN_SELCHANGE && !pushing_) {
    const auto index = static_cast<std::size_t>(SendMessageW(pages_, TCM_GETCURSEL, 0, 0));
    if (index < sheetNames_.size()) {
      const std::string sheet = sheetNames_[index];
      Act([&] { form_.UserPage(sheet); });
    }
  }
  return 0;
}

}  // namespace win32ui
