#include "win32ui/menu_bar.h"

#include <string>
#include <string_view>

#include "startup/case_file.h"
#include "views/texts.h"
#include "win32ui/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

void Append(HMENU menu, Command c, std::string_view text) {
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(c), W(text).c_str());
}

void AppendPopup(HMENU bar, HMENU popup, std::string_view text) {
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), W(text).c_str());
}

// A context-menu text from the shared action caption and the shortcut column.
std::string WithKey(std::string_view text, std::string_view key) {
  std::string s(text);
  if (!key.empty()) {
    s += '\t';
    s += key;
  }
  return s;
}

}  // namespace

std::optional<Command> CommandOfId(int id) {
  if (id < static_cast<int>(Command::ExportResults) ||
      id > static_cast<int>(Command::ForgetSourceFile)) {
    return std::nullopt;
  }
  return static_cast<Command>(id);
}

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  Append(file, Command::OpenCase, kItemOpenCase);
  Append(file, Command::SaveCase, kItemSaveCase);
  HMENU recent = CreatePopupMenu();
  FillRecentCases(recent, {});
  AppendPopup(file, recent, kItemRecentCases);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  Append(file, Command::OpenLoadFile, kItemOpenLoadFile);
  Append(file, Command::OpenSourceFile, kItemOpenSourceFile);
  Append(file, Command::ForgetLoadFile, kItemForgetLoadFile);
  Append(file, Command::ForgetSourceFile, kItemForgetSourceFile);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  Append(file, Command::ExportResults, kItemExportResults);
  Append(file, Command::ExportReport, kItemExportReport);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  Append(file, Command::Quit, kItemQuit);
  HMENU edit = CreatePopupMenu();
  Append(edit, Command::CopyResults, kItemCopyResults);
  Append(edit, Command::CopyNumbers, kItemCopyNumbers);
  HMENU view = CreatePopupMenu();
  Append(view, Command::Analysis, kItemAnalysis);
  HMENU help = CreatePopupMenu();
  Append(help, Command::HelpContents, kItemContents);
  Append(help, Command::HelpManual, kItemManual);
  Append(help, Command::HelpTheory, kItemTheory);
  AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
  Append(help, Command::About, kItemAbout);
  AppendPopup(bar, file, views::kMenuFile);
  AppendPopup(bar, edit, views::kMenuEdit);
  AppendPopup(bar, view, views::kMenuView);
  AppendPopup(bar, help, views::kMenuHelp);
  return bar;
}

HMENU BuildContextMenu() {
  HMENU menu = CreatePopupMenu();
  Append(menu, Command::Analysis, WithKey(views::kActAnalysis, views::kKeyAnalysis));
  Append(menu, Command::CopyResults, WithKey(views::kActCopyResults, views::kKeyCopyResults));
  Append(menu, Command::CopyNumbers, views::kActCopyNumbers);
  Append(menu, Command::ExportResults, WithKey(views::kActExportResults, views::kKeyExportResults));
  Append(menu, Command::ExportReport, views::kActExportReport);
  Append(menu, Command::OpenCase, WithKey(views::kActOpenCase, views::kKeyOpenCase));
  Append(menu, Command::SaveCase, WithKey(views::kActSaveCase, views::kKeySaveCase));
  Append(menu, Command::OpenLoadFile, views::kOpenLoadFile);
  Append(menu, Command::OpenSourceFile, views::kOpenSourceFile);
  Append(menu, Command::ForgetLoadFile, views::kForgetLoadFile);
  Append(menu, Command::ForgetSourceFile, views::kForgetSourceFile);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  Append(menu, Command::About, views::kActAbout);
  return menu;
}

std::optional<std::size_t> RecentCaseOfId(int id) {
  if (id < kFirstRecentCaseId || id >= kFirstRecentCaseId + static_cast<int>(startup::kRecentCases))
    return std::nullopt;
  return static_cast<std::size_t>(id - kFirstRecentCaseId);
}

HMENU RecentCasesMenu(HMENU bar) {
  HMENU file = GetSubMenu(bar, 0);
  // The File menu's only submenu, wherever other entries put it.
  for (int i = 0, n = GetMenuItemCount(file); i < n; ++i)
    if (HMENU sub = GetSubMenu(file, i)) return sub;
  return nullptr;
}

void FillRecentCases(HMENU recent, const std::vector<std::string>& paths) {
  while (GetMenuItemCount(recent) > 0) DeleteMenu(recent, 0, MF_BYPOSITION);
  for (std::size_t i = 0; i < paths.size() && i < startup::kRecentCases; ++i) {
    AppendMenuW(recent, MF_STRING, static_cast<UINT_PTR>(kFirstRecentCaseId) + i,
                W(paths[i]).c_str());
  }
  if (paths.empty()) AppendMenuW(recent, MF_STRING | MF_GRAYED, 0, W(views::kMenuNoRecent).c_str());
}

std::optional<Command> ShortcutCommand(WPARAM key, bool ctrl, bool shift, bool alt) {
  if (key == VK_F1 && !ctrl && !shift && !alt) return Command::HelpContents;
  if (ctrl && !shift && !alt && key == 'O') return Command::OpenCase;
  if (ctrl && !shift && !alt && key == 'S') return Command::SaveCase;
  if (!ctrl || !shift || alt) return std::nullopt;
  switch (key) {
    case 'A':
      return Command::Analysis;
    case 'C':
      return Command::CopyResults;
    case 'E':
      return Command::ExportResults;
    default:
      return std::nullopt;
  }
}

}  // namespace win32ui
