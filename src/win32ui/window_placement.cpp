#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "mainwindow/window_layout.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::DesignEntry;

// Room below a drop-down list's field for its open list, design pixels.
constexpr int kDropListDesignPx = 120;

}  // namespace

void MainWindow::Layout() {
  for (const Control& c : controls_) PlaceControl(c);
}

void MainWindow::PlaceControl(const Control& c) {
  const DesignEntry& d = *c.Design;
  int left = Scale(d.Left);
  int top = Scale(d.Top);
  int width = Scale(d.Width);
  int height = Scale(d.Height);
  switch (d.Kind) {
    case ControlKind::Label:
      PlaceLabel(c);
      return;
    case ControlKind::DropDown:
      height += Scale(kDropListDesignPx);
      break;
    case ControlKind::PageControl:
      if (!form_.Form1.Resizable) {
        // Aligned to the bottom: the whole client width, its own height.
        RECT client;
        GetClientRect(hwnd_, &client);
        left = 0;
        top = client.bottom - height;
        width = client.right;
      }
      break;
    case ControlKind::TabSheet: {
      RECT area;
      GetClientRect(pages_, &area);
      SendMessageW(pages_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
      left = area.left;
      top = area.top;
      width = area.right - area.left;
      height = area.bottom - area.top;
      break;
    }
    default:
      break;
  }
  SetWindowPos(c.Hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.Frame != nullptr) {
    SetWindowPos(c.Frame, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (std::size_t i = 0; i < c.Buttons.size(); ++i) {
    const mainwindow::ScreenRect r =
        mainwindow::RadioButtonRect(static_cast<int>(i), static_cast<int>(c.Buttons.size()),
                                    c.Design->Columns, width, height, textHeight_);
    SetWindowPos(c.Buttons[i], nullptr, r.Left, r.Top, r.Width, r.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND h : {c.Hwnd, c.Frame}) {
    if (h != nullptr) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  for (HWND b : c.Buttons) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

// A label sizes itself to its caption, as the shared rule for labels says.
void MainWindow::PlaceLabel(const Control& c) {
  const DesignEntry& d = *c.Design;
  SendMessageW(c.Hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const std::wstring text = TextOf(c.Hwnd);
  HDC dc = GetDC(c.Hwnd);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(c.Hwnd, dc);
  const mainwindow::Extent e =
      mainwindow::PlaceLabelText(d.Alignment, Scale(d.Left), Scale(d.Width), size.cx);
  SetWindowPos(c.Hwnd, nullptr, e.Left, Scale(d.Top), e.Width,
               std::max(Scale(d.Height), textHeight_), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(c.Hwnd, nullptr, TRUE);
}

}  // namespace win32ui
