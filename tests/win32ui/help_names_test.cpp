// The help pages name keys and menu entries; each must exist in the Windows window, so that
// the help shipped with it promises nothing it does not have.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "env/win32_text.h"
#include "mainwindow/design.h"
#include "win32ui/menu_bar.h"

namespace {

std::string Page(const std::string& name) {
  std::ifstream in(std::string(ZEPHLANE_WEBHELP_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
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

class HelpNames : public testing::TestWithParam<const char*> {};

TEST_P(HelpNames, EveryShortcutNamedExistsInTheWindow) {
  const std::string page = Page(GetParam());
  ASSERT_FALSE(page.empty()) << "help page not found: " << GetParam();
  for (const std::string& chord : Matches(page, std::regex("Ctrl\\+Shift\\+[A-Z]"))) {
    SCOPED_TRACE(chord);
    EXPECT_TRUE(win32ui::ShortcutCommand(static_cast<WPARAM>(chord.back()), true, true, false));
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

INSTANTIATE_TEST_SUITE_P(Pages, HelpNames,
                         testing::Values("Keyboard.htm", "Analysis.htm", "Introduction.htm"),
                         [](const testing::TestParamInfo<const char*>& p) {
                           std::string name = p.param;
                           return name.substr(0, name.find('.'));
                         });

TEST(HelpNames, TheContextMenuTheHelpDescribesIsTheWindows) {
  const std::string page = Page("Analysis.htm");
  ASSERT_FALSE(page.empty());
  HMENU menu = win32ui::BuildContextMenu();
  const std::vector<std::string> entries = MenuTexts(menu);
  DestroyMenu(menu);
  ASSERT_EQ(entries.size(), 8u);
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
