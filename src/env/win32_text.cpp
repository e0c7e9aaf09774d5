#ifdef _WIN32

#include "env/win32_text.h"

#include <windows.h>

#include <climits>

namespace env::win32 {

namespace {

// Win32 counts in int; a longer text is no path or version string this program meets.
int Length(std::size_t n) { return n > INT_MAX ? INT_MAX : static_cast<int>(n); }

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), out.data(), n);
  return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), Length(utf16.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), Length(utf16.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) { return Narrow(ToWide(CP_ACP, ansi)); }

}  // namespace env::win32

#endif  // _WIN32
