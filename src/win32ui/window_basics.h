#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "env/win32_text.h"
#include "mainwindow/design_colors.h"

// What the parts of the main window share: its class and styles, UTF-8 to the wide text of
// the Win32 calls, a window's text read and written, and the design colours as COLORREF.
namespace win32ui {

inline constexpr wchar_t kWindowClass[] = L"ZephlaneWindow";
inline constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kWindowExStyle = 0;

inline std::wstring W(std::string_view s) { return env::win32::Widen(s); }

inline std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

// Writes only a changed text: an edit rewritten with its own text would lose its selection.
inline void SetText(HWND hwnd, const std::wstring& text) {
  if (TextOf(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

inline COLORREF ColorRefOf(mainwindow::Rgb c) { return RGB(c.R, c.G, c.B); }

inline COLORREF ColorRef(mainwindow::TColor c) {
  return mainwindow::DesignFixesBackground(c) ? ColorRefOf(mainwindow::DesignRgb(c))
                                              : GetSysColor(COLOR_BTNFACE);
}

}  // namespace win32ui
