#include "win32ui/win32_platform.h"

#include <shellapi.h>

#include "env/shell_open.h"
#include "env/win32_text.h"

namespace win32ui {

int Win32Platform::Box(const std::string& title, const std::string& text, UINT type) const {
  const std::wstring t = env::win32::Widen(title);
  const std::wstring s = env::win32::Widen(text);
  // Owned by the window, so the window takes no input while the box is open.
  return MessageBoxW(owner_, s.c_str(), t.c_str(), type | MB_SETFOREGROUND);
}

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
  Box(title, text, MB_OK);
}

bool Win32Platform::Confirm(const std::string& title, const std::string& text) {
  return Box(title, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void Win32Platform::ShowError(const std::string& title, const std::string& text) {
  Box(title, text, MB_OK | MB_ICONSTOP);
}

void Win32Platform::OpenDocument(const std::string& path) { env::ShellOpenDocument(path); }

// The compiled-help viewer takes "file::/topic" as its one argument; the path is quoted, never
// split by the viewer's command line.
void Win32Platform::ShowHelpTopic(const std::string& helpFile, const std::string& topic) {
  const std::wstring argument = L"\"" + env::win32::Widen(helpFile + "::/" + topic) + L"\"";
  ShellExecuteW(nullptr, L"open", L"hh.exe", argument.c_str(), nullptr, SW_SHOWNORMAL);
}

env::ScreenSize Win32Platform::PrimaryScreen() const {
  env::ScreenSize size;
  size.Width = GetSystemMetrics(SM_CXSCREEN);
  size.Height = GetSystemMetrics(SM_CYSCREEN);
  return size;
}

}  // namespace win32ui
