#ifdef _WIN32

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include "env/shell_open.h"
#include "env/win32_text.h"

namespace env {

void ShellOpenDocument(const std::string& utf8Path) {
  // Shell extensions behind a file type may be COM objects; the shell expects the calling
  // thread to have COM set up, and is left as it was found.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const std::wstring path = win32::Widen(utf8Path);
  ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
}

std::wstring WindowsFolderProgram(const std::wstring& name) {
  // The system's Windows folder, not the per-user one that a terminal server gives
  // GetWindowsDirectoryW: the programs are only in the former.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  return path + name;
}

}  // namespace env

#endif  // _WIN32
