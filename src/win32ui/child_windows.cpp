#include "win32ui/child_windows.h"

#include <iterator>

namespace win32ui {

namespace {

// Messages a control sends to its parent about itself, answered by the top-level window,
// which knows every control.
bool IsParentNotice(UINT msg) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (IsParentNotice(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void PaintCell(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  // The cell's colour is the window's to say, as for any static control.
  auto* brush = reinterpret_cast<HBRUSH>(SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
  FillRect(dc, &rc, brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
  const COLORREF ink = GetTextColor(dc);
  DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);

  wchar_t text[128];
  const int length = GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
  if (length > 0) {
    auto* font = reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);  // the text colour is the one the window chose above
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    UINT align = DT_LEFT;
    if ((style & kCellCaptionCentre) != 0) align = DT_CENTER;
    if ((style & kCellCaptionRight) != 0) align = DT_RIGHT;
    RECT inner = rc;
    InflateRect(&inner, -3, -1);
    DrawTextW(dc, text, length, &inner, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (old != nullptr) SelectObject(dc, old);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK CellProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (IsParentNotice(msg)) return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
  switch (msg) {
    case WM_PAINT:
      PaintCell(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole cell
    case WM_SETFONT:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wp));
      if (LOWORD(lp) != 0) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

void RegisterChildClasses(HINSTANCE instance) {
  Register(instance, kContainerClass, ContainerProc);
  Register(instance, kCellClass, CellProc);
}

}  // namespace win32ui
