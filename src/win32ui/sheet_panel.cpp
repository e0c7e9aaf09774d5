#include "win32ui/sheet_panel.h"

#include <commctrl.h>

#include <algorithm>

#include "win32ui/window_accessible.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

constexpr wchar_t kPanelClass[] = L"ZephlaneSheet";

}  // namespace

SheetPanel::SheetPanel(HWND parent, HINSTANCE instance, HFONT font, UINT dpi)
    : instance_(instance), font_(font), dpi_(dpi) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance_, kPanelClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);
  }
  // Hidden until its tab is chosen.
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0,
                          10, 10, parent, nullptr, instance_, this);
}

SheetPanel::~SheetPanel() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void SheetPanel::Place(const RECT& page) {
  // Its place in the z-order is its place in the Tab order: left as created.
  SetWindowPos(hwnd_, nullptr, page.left, page.top, std::max(0L, page.right - page.left),
               std::max(0L, page.bottom - page.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SheetPanel::SetVisible(bool shown) { ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE); }

void SheetPanel::Rescale(HFONT font, UINT dpi) {
  font_ = font;
  dpi_ = dpi;
  for (HWND c = GetWindow(hwnd_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  RECT client;
  GetClientRect(hwnd_, &client);
  Layout(client.right, client.bottom);
}

HWND SheetPanel::Child(const wchar_t* cls, std::string_view text, DWORD style, int id,
                       std::string_view accessibleName, DWORD exStyle) {
  HWND h =
      CreateWindowExW(exStyle, cls, W(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (!accessibleName.empty()) ServeFixedName(h, accessibleName);
  return h;
}

HWND SheetPanel::Label(std::string_view text, int id) {
  return Child(WC_STATICW, text, SS_LEFT | SS_NOPREFIX, id);
}

HWND SheetPanel::List(int id, const std::vector<std::string>& items,
                      std::string_view accessibleName) {
  HWND list =
      Child(WC_COMBOBOXW, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, accessibleName);
  for (const std::string& item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item).c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  return list;
}

HWND SheetPanel::Table(int id, const std::vector<std::string>& header, std::size_t firstNumber,
                       std::size_t unitColumn, std::string_view accessibleName) {
  HWND table = Child(WC_LISTVIEWW, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                     id, accessibleName, WS_EX_CLIENTEDGE);
  SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  for (std::size_t c = 0; c < header.size(); ++c) {
    std::wstring text = W(header[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    // Numbers right-aligned, so that digits of one weight stand one under the other.
    const bool number = c >= firstNumber && c != unitColumn;
    column.fmt = number ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = Scale(c == 0 ? 200 : 80);
    column.pszText = text.data();
    SendMessageW(table, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  return table;
}

void SheetPanel::Put(HWND c, int x, int y, int w, int h) const {
  SetWindowPos(c, nullptr, x, y, std::max(w, 0), std::max(h, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SheetPanel::OnOther(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK SheetPanel::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<SheetPanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  if (self->hwnd_ == nullptr) self->hwnd_ = hwnd;
  switch (msg) {
    case WM_SIZE:
      self->Layout(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_COMMAND:
      // Escape in a field of the sheet closes the window, as anywhere else in it.
      if (LOWORD(wp) == IDCANCEL) return SendMessageW(GetParent(hwnd), msg, wp, lp);
      self->OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    default:
      return self->OnOther(msg, wp, lp);
  }
}

std::string FieldName(std::string_view label) {
  while (!label.empty() && (label.back() == ':' || label.back() == ' ')) label.remove_suffix(1);
  return std::string(label);
}

void FillTable(HWND table, const std::vector<std::vector<std::string>>& rows, int padding) {
  SendMessageW(table, WM_SETREDRAW, FALSE, 0);
  SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<std::size_t>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t c = 0; c < rows[r].size() && c < columns; ++c) {
      std::wstring text = W(rows[r][c]);
      LVITEMW cell{};
      cell.iSubItem = static_cast<int>(c);
      cell.pszText = text.data();
      SendMessageW(table, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&cell));
    }
  }
  for (std::size_t c = 0; c < columns; ++c) {
    wchar_t title[256] = {};
    HDITEMW h{};
    h.mask = HDI_TEXT;
    h.pszText = title;
    h.cchTextMax = 256;
    SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&h));
    const auto heading = static_cast<int>(
        SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(title)));
    int width = heading;
    if (!rows.empty()) {
      SendMessageW(table, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE);
      width = std::max(width,
                       static_cast<int>(SendMessageW(table, LVM_GETCOLUMNWIDTH, c, 0)) - padding);
    }
    SendMessageW(table, LVM_SETCOLUMNWIDTH, c, width + padding);
  }
  SendMessageW(table, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(table, nullptr, TRUE);
}

}  // namespace win32ui
