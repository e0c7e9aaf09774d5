#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 for the wide Win32 calls; the program's strings are UTF-8 throughout.
namespace env::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// Text in the system's 8-bit code page (what the "A" functions give) as UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace env::win32

#endif  // _WIN32
