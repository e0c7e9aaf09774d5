#include "win32ui/main_window.h"

#include <variant>

#include "mainwindow/design_colors.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::TColor;

// The colour property of a control, where its kind has one.
TColor ColorOfControl(const mainwindow::ControlPtr& ptr) {
  return std::visit(
      [](auto* c) {
        if constexpr (requires { c->Color; }) {
          return c->Color;
        } else {
          return TColor::clBtnFace;
        }
      },
      ptr);
}

}  // namespace

LRESULT MainWindow::OnColor(HDC dc, HWND from) {
  const Control* c = ControlOf(from);
  TColor color = TColor::clBtnFace;
  if (c != nullptr && from == c->Hwnd) color = ColorOfControl(c->Ref->Ptr);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  if (color == TColor::clYellow) brush = yellow_;
  if (color == TColor::clWhite) brush = white_;
  SetBkColor(dc, ColorRef(color));
  // Text on the design's own yellow and white is black whatever the desktop's colours; on
  // the button face it follows the desktop.
  COLORREF ink =
      mainwindow::DesignFixesBackground(color) ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
  if (!IsWindowEnabled(from)) ink = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, ink);
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace win32ui
