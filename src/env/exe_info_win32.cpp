#ifdef _WIN32

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "env/exe_info.h"
#include "env/win32_text.h"

namespace env {

namespace {

// The module file name of the process, grown past MAX_PATH for long-path installations.
std::wstring ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

void AppendHex4(std::wstring& text, unsigned value) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string GetExeDir() {
  const std::wstring path = ExePath();
  const std::size_t cut = path.find_last_of(L"\\:");
  if (cut == std::wstring::npos) return {};
  return win32::Narrow(path.substr(0, cut + 1));
}

std::string GetExeVersion() {
  const std::wstring path = ExePath();
  if (path.empty()) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};

  void* table = nullptr;
  UINT tableBytes = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &table, &tableBytes) ||
      table == nullptr || tableBytes < sizeof(DWORD)) {
    return {};
  }
  // Only the first translation is tried: language in the low word, code page in the high.
  DWORD first = 0;
  std::memcpy(&first, table, sizeof first);
  std::wstring key = L"\\StringFileInfo\\";
  AppendHex4(key, LOWORD(first));
  AppendHex4(key, HIWORD(first));
  key += L"\\FileVersion";

  void* value = nullptr;
  UINT chars = 0;
  if (!VerQueryValueW(block.data(), key.c_str(), &value, &chars) || value == nullptr) return {};
  // The length counts the terminating zero; stop at the first zero either way.
  const auto* text = static_cast<const wchar_t*>(value);
  return win32::Narrow(std::wstring_view(text, wcsnlen(text, chars)));
}

}  // namespace env

#endif  // _WIN32
