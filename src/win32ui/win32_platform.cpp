#include "win32ui/win32_platform.h"

#include <commctrl.h>
#include <shellapi.h>

#include "env/shell_open.h"
#include "env/win32_text.h"

namespace win32ui {

namespace {

// A caption without a mnemonic gets one on its first character, so the button answers to
// Alt+letter as Yes and No do.
std::wstring WithMnemonic(const std::wstring& caption) {
  if (caption.empty() || caption.find(L'&') != std::wstring::npos) return caption;
  return L"&" + caption;
}

// Escape and the close box reach a dialog as the command IDCANCEL. Windows ends a task dialog
// with cancellation allowed on it, and Wine's drops it; either way the answer is No, so the
// command is turned into a click on No here, which both end the dialog on.
LRESULT CALLBACK CancelIsNo(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
    SendMessageW(hwnd, TDM_CLICK_BUTTON, IDNO, 0);
    return 0;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, CancelIsNo, id);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

HRESULT CALLBACK OnTaskDialog(HWND hwnd, UINT notification, WPARAM, LPARAM, LONG_PTR) {
  if (notification == TDN_CREATED) SetWindowSubclass(hwnd, CancelIsNo, 1, 0);
  return S_OK;
}

}  // namespace

int Win32Platform::Box(const std::string& title, const std::string& text, UINT type) const {
  const std::wstring t = env::win32::Widen(title);
  const std::wstring s = env::win32::Widen(text);
  // Owned by the window, so the window takes no input while the box is open.
  return MessageBoxW(owner_, s.c_str(), t.c_str(), type | MB_SETFOREGROUND);
}

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
  Box(title, text, MB_OK);
}

// A task dialog rather than a message box: a message box with Yes and No ignores Escape and
// disables its close box, where both must answer No. Cancellation is allowed, so the close box
// is there, and both answer No.
int Win32Platform::Ask(const std::string& title, const std::string& text,
                       const std::wstring& extraCaption, int extraId) const {
  const std::wstring t = env::win32::Widen(title);
  const std::wstring s = env::win32::Widen(text);
  const TASKDIALOG_BUTTON extra[] = {{extraId, extraCaption.c_str()}};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner_;
  config.dwFlags =
      TDF_ALLOW_DIALOG_CANCELLATION | TDF_USE_HICON_MAIN | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.dwCommonButtons = TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
  config.pszWindowTitle = t.c_str();
  config.hMainIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION));
  config.pszContent = s.c_str();
  if (!extraCaption.empty()) {
    config.cButtons = 1;
    config.pButtons = extra;
  }
  config.nDefaultButton = IDYES;
  config.pfCallback = OnTaskDialog;
  int pressed = IDNO;
  if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
    // Without the task dialog the question still gets its two plain answers.
    pressed = Box(title, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
  }
  return pressed;
}

bool Win32Platform::Confirm(const std::string& title, const std::string& text) {
  return Ask(title, text, std::wstring(), 0) == IDYES;
}

env::ConfirmChoice Win32Platform::ConfirmOrDiscard(const std::string& title,
                                                   const std::string& text,
                                                   const std::string& discardCaption) {
  constexpr int kDiscardId = 100;
  const int pressed = Ask(title, text, WithMnemonic(env::win32::Widen(discardCaption)), kDiscardId);
  if (pressed == IDYES) return env::ConfirmChoice::Yes;
  if (pressed == kDiscardId) return env::ConfirmChoice::Discard;
  return env::ConfirmChoice::No;
}

void Win32Platform::ShowError(const std::string& title, const std::string& text) {
  Box(title, text, MB_OK | MB_ICONSTOP);
}

void Win32Platform::OpenDocument(const std::string& path) { env::ShellOpenDocument(path); }

// The compiled-help viewer takes "file::/topic" as its one argument; the path is quoted, never
// split by the viewer's command line. The viewer is started from the Windows folder by its full
// path, never found by name.
void Win32Platform::ShowHelpTopic(const std::string& helpFile, const std::string& topic) {
  const std::wstring viewer = env::WindowsFolderProgram(L"hh.exe");
  if (viewer.empty()) return;
  const std::wstring argument = L"\"" + env::win32::Widen(helpFile + "::/" + topic) + L"\"";
  ShellExecuteW(nullptr, L"open", viewer.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL);
}

env::ScreenSize Win32Platform::PrimaryScreen() const {
  env::ScreenSize size;
  size.Width = GetSystemMetrics(SM_CXSCREEN);
  size.Height = GetSystemMetrics(SM_CYSCREEN);
  return size;
}

}  // namespace win32ui
