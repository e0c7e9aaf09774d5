#include "win32ui/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "env/platform.h"
#include "env/win32_text.h"
#include "views/texts.h"
#include "win32ui/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// "CSV files (*.csv)" -> "*.csv": what stands in the last parentheses.
std::string_view PatternOf(std::string_view filter) {
  const std::size_t open = filter.rfind('(');
  const std::size_t close = filter.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return "*.*";
  }
  return filter.substr(open + 1, close - open - 1);
}

// The dialog's filter: pairs of description and pattern, each ended by a NUL, then one more.
std::wstring DialogFilter(std::string_view filter) {
  std::wstring out;
  for (std::string_view f : {filter, kAllFilesFilter}) {
    out += W(f);
    out += L'\0';
    out += W(PatternOf(f));
    out += L'\0';
  }
  out += L'\0';
  return out;
}

}  // namespace

std::optional<std::string> AskSavePath(HWND owner, std::string_view title,
                                       std::string_view suggestedName, std::string_view filter) {
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring suggested = W(suggestedName);
  suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));
  const std::wstring filters = DialogFilter(filter);
  const std::wstring caption = W(title);
  std::wstring extension = W(PatternOf(filter));
  if (extension.rfind(L"*.", 0) == 0) extension.erase(0, 2);
  if (extension == L"*") extension.clear();
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = caption.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The program's working folder stays where it was: the documents are found beside the
  // executable, never through it, but a changed folder would hold the chosen one open.
  ofn.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return env::win32::Narrow(file.data());
}

bool SaveWithDialog(HWND owner, env::Platform& platform, std::string_view title,
                    std::string_view suggestedName, std::string_view filter,
                    const std::string& data) {
  const std::optional<std::string> path = AskSavePath(owner, title, suggestedName, filter);
  if (!path) return false;
  if (platform.Files()->ReplaceFileAtomically(*path, data)) return true;
  platform.ShowError(std::string(title), views::SaveFailedText(*path));
  return false;
}

}  // namespace win32ui
