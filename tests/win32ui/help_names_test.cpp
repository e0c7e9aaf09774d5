// The Windows help, as generated for Windows, names keys and menu entries; each must exist in
// the Windows window, so that the help shipped with it promises nothing it does not have.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "env/win32_text.h"
#include "help_names.h"
#include "mainwindow/design.h"
#include "views/texts.h"
#include "win32ui/menu_bar.h"

namespace {

std::string Page(const std::string& name) {
  std::ifstream in(std::string(ZEPHLANE_WEBHELP_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> PageNames() {
  std::vector<std::string> names;
  for (const help_names::Page& p : help_names::ReadPages(ZEPHLANE_WEBHELP_DIR))
    names.push_back(p.Name);
  return names;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  return help_names::Matches(text, pattern);
}

std::set<char> ButtonMnemonics() {
  std::set<char> keys;
  for (const mainwindow::DesignEntry& d : mainwindow::DesignTable()) {
    if (d.Kind != mainwindow::ControlKind::Button) continue;
    const std::string caption(d.Caption);
    const std::size_t at = caption.find('&');
    if (at != std::string::npos && at + 1 < caption.size()) {
      keys.insert(static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1]))));
    }
  }
  return keys;
}

// The letters of the menu bar's menus: Alt with one opens that menu.
std::set<char> MenuBarMnemonics() {
  std::set<char> keys;
  HMENU bar = win32ui::BuildMenuBar();
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
    const std::string caption = env::win32::Narrow(text);
    const std::size_t at = caption.find('&');
    if (at != std::string::npos && at + 1 < caption.size()) {
      keys.insert(static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1]))));
    }
  }
  DestroyMenu(bar);
  return keys;
}

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
    std::string t = env::win32::Narrow(text);
    t = t.substr(0, t.find('\t'));
    if (!t.empty()) texts.push_back(t);
  }
  return texts;
}

// A menu's entries as the help writes them: the text without its mnemonic, and the shortcut
// the entry shows after its tab.
struct Entry {
  std::string Menu;
  std::string Text;
  std::string Shortcut;
};

std::string WithoutMnemonic(std::string text) {
  std::erase(text, '&');
  return text;
}

std::vector<Entry> BarEntries() {
  std::vector<Entry> entries;
  HMENU bar = win32ui::BuildMenuBar();
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t title[256] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), title, 255, MF_BYPOSITION);
    const std::string menu = WithoutMnemonic(env::win32::Narrow(title));
    HMENU popup = GetSubMenu(bar, i);
    for (int j = 0; j < GetMenuItemCount(popup); ++j) {
      wchar_t text[256] = {};
      GetMenuStringW(popup, static_cast<UINT>(j), text, 255, MF_BYPOSITION);
      const std::string t = WithoutMnemonic(env::win32::Narrow(text));
      if (t.empty()) continue;  // a separator
      const std::size_t tab = t.find('\t');
      entries.push_back(
          {menu, t.substr(0, tab), tab == std::string::npos ? "" : t.substr(tab + 1)});
    }
  }
  DestroyMenu(bar);
  return entries;
}

class HelpNames : public testing::TestWithParam<std::string> {};

TEST_P(HelpNames, EveryShortcutNamedExistsInTheWindow) {
  const std::string page = Page(GetParam());
  ASSERT_FALSE(page.empty()) << "help page not found: " << GetParam();
  for (const std::string& chord : help_names::CtrlChords(page)) {
    SCOPED_TRACE(chord);
    const bool shift = chord.find("Shift+") != std::string::npos;
    const bool command =
        win32ui::ShortcutCommand(static_cast<WPARAM>(chord.back()), true, shift, false).has_value();
    // An edit's own keys must stay the edit's: no command may take them.
    EXPECT_NE(command, help_names::IsEditKey(chord));
  }
  for (const std::string& key : Matches(page, std::regex("(Alt\\+)?\\bF[0-9]+\\b"))) {
    SCOPED_TRACE(key);
    // Alt+F4 is the system's close, which every window with a window menu has.
    if (key.rfind("Alt+", 0) == 0) {
      EXPECT_EQ(key, "Alt+F4");
      continue;
    }
    const int n = std::stoi(key.substr(1));
    EXPECT_TRUE(win32ui::ShortcutCommand(static_cast<WPARAM>(VK_F1 + n - 1), false, false, false));
  }
  const std::set<char> buttons = ButtonMnemonics();
  const std::set<char> menus = MenuBarMnemonics();
  for (const std::string& chord : Matches(page, std::regex("Alt\\+[A-Z]\\b"))) {
    SCOPED_TRACE(chord);
    EXPECT_EQ(buttons.count(chord.back()) + menus.count(chord.back()), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpNames, testing::ValuesIn(PageNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                           return p.param.substr(0, p.param.find('.'));
                         });

TEST(HelpNames, TheHelpsMenuTableIsTheMenuBar) {
  const std::vector<help_names::MenuRow> rows = help_names::MenuTable(Page("Cases.htm"));
  ASSERT_FALSE(rows.empty());
  const std::vector<Entry> bar = BarEntries();
  for (const help_names::MenuRow& row : rows) {
    SCOPED_TRACE(row.Menu + " > " + row.Entry);
    bool found = false;
    for (const Entry& e : bar) {
      if (e.Menu != row.Menu || e.Text != row.Entry) continue;
      found = true;
      EXPECT_EQ(e.Shortcut, row.Shortcut);
    }
    EXPECT_TRUE(found);
  }
  // And the other way: the table leaves no entry of the bar out.
  for (const Entry& e : bar) {
    bool listed = false;
    for (const help_names::MenuRow& row : rows) listed |= row.Menu == e.Menu && row.Entry == e.Text;
    EXPECT_TRUE(listed) << e.Menu << " > " << e.Text;
  }
}

TEST(HelpNames, EveryEntryTheHelpNamesIsInAMenu) {
  const std::vector<help_names::Page> pages = help_names::ReadPages(ZEPHLANE_WEBHELP_DIR);
  std::vector<std::string> texts;
  for (const Entry& e : BarEntries()) texts.push_back(e.Text);
  HMENU context = win32ui::BuildContextMenu();
  for (const std::string& t : MenuTexts(context)) texts.push_back(WithoutMnemonic(t));
  DestroyMenu(context);
  // Every command either window offers: a name of one of them in the help must be a command
  // of this window.
  for (const std::string_view name :
       {views::kActAnalysis, views::kActCopyResults, views::kActCopyNumbers,
        views::kActExportResults, views::kActExportReport, views::kActOpenCase, views::kActSaveCase,
        views::kMenuRecent, views::kActQuit, views::kActManual, views::kActAbout,
        views::kOpenLoadFile, views::kOpenSourceFile, views::kForgetLoadFile,
        views::kForgetSourceFile}) {
    const std::string text(name);
    if (!help_names::Names(pages, text)) continue;
    EXPECT_TRUE(std::find(texts.begin(), texts.end(), text) != texts.end()) << text;
  }
}

TEST(HelpNames, TheContextMenuTheHelpDescribesIsTheWindows) {
  const std::string page = Page("Analysis.htm");
  ASSERT_FALSE(page.empty());
  HMENU menu = win32ui::BuildContextMenu();
  const std::vector<std::string> entries = MenuTexts(menu);
  DestroyMenu(menu);
  ASSERT_EQ(entries.size(), 12u);
  for (const std::string& entry : entries) {
    SCOPED_TRACE(entry);
    // The pages write the ellipsis as a character or as its entity.
    std::string asEntity = entry;
    const std::string ellipsis = "\xE2\x80\xA6";
    if (const std::size_t at = asEntity.find(ellipsis); at != std::string::npos) {
      asEntity.replace(at, ellipsis.size(), "&hellip;");
    }
    EXPECT_TRUE(page.find(entry) != std::string::npos || page.find(asEntity) != std::string::npos);
  }
}

}  // namespace
