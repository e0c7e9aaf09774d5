#include "win32ui/save_dialog.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "env/platform.h"
#include "env/win32_text.h"
#include "mainwindow/form.h"
#include "startup/start_folder.h"
#include "views/texts.h"
#include "win32ui/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// "CSV files (*.csv)" -> "*.csv": what stands in the last parentheses.
std::string_view PatternOf(std::string_view filter) {
  filter = filter.substr(0, filter.find(";;"));
  const std::size_t open = filter.rfind('(');
  const std::size_t close = filter.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return "*.*";
  }
  return filter.substr(open + 1, close - open - 1);
}

// The dialog's filter: pairs of description and pattern, each ended by a NUL, then one more.
std::wstring DialogFilter(std::string_view filter) {
  filter = filter.substr(0, filter.find(";;"));
  std::wstring out;
  for (std::string_view f : {filter, kAllFilesFilter}) {
    out += W(f);
    out += L'\0';
    // The shared filters list several patterns as "*.s1p *.s2p"; the dialog wants semicolons.
    std::wstring patterns = W(PatternOf(f));
    std::replace(patterns.begin(), patterns.end(), L' ', L';');
    out += patterns;
    out += L'\0';
  }
  out += L'\0';
  return out;
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string out;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
    out = env::win32::Narrow(path);
  }
  CoTaskMemFree(path);
  return out;
}

std::optional<std::string> Ask(HWND owner, mainwindow::TForm1& form, std::string_view title,
                               std::string_view suggestedName, std::string_view filter, bool save) {
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring suggested = W(suggestedName);
  suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));
  const std::wstring filters = DialogFilter(filter);
  const std::wstring caption = W(title);
  const std::wstring start =
      W(startup::StartFolder(form.LastFolder, DocumentsFolder(), KnownFolder(FOLDERID_Profile)));
  std::wstring extension = W(PatternOf(filter));
  extension = extension.substr(0, extension.find(L' '));  // the first of several patterns
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
  ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The program's working folder stays where it was: the documents are found beside the
  // executable, never through it, but a changed folder would hold the chosen one open.
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
  std::string chosen = env::win32::Narrow(file.data());
  form.LastFolder = startup::FolderOfChosen(chosen);
  return chosen;
}

}  // namespace

std::string DocumentsFolder() { return KnownFolder(FOLDERID_Documents); }

std::optional<std::string> AskSavePath(HWND owner, mainwindow::TForm1& form, std::string_view title,
                                       std::string_view suggestedName, std::string_view filter) {
  return Ask(owner, form, title, suggestedName, filter, true);
}

std::optional<std::string> AskOpenPath(HWND owner, mainwindow::TForm1& form, std::string_view title,
                                       std::string_view filter) {
  return Ask(owner, form, title, {}, filter, false);
}

bool SaveWithDialog(HWND owner, mainwindow::TForm1& form, std::string_view title,
                    std::string_view suggestedName, std::string_view filter,
                    const std::string& data) {
  const std::optional<std::string> path = AskSavePath(owner, form, title, suggestedName, filter);
  if (!path) return false;
  env::Platform& platform = form.Platform();
  if (platform.Files()->ReplaceFileAtomically(*path, data)) return true;
  platform.ShowError(std::string(title), views::SaveFailedText(*path));
  return false;
}

}  // namespace win32ui
