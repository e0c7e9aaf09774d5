#include "win32ui/menu_bar.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "env/win32_text.h"
#include "mainwindow/design.h"
#include "views/html_clipboard.h"
#include "win32ui/about_box.h"
#include "win32ui/results_clipboard.h"

namespace {

using win32ui::Command;

struct Item {
  std::string Text;  // "-" for a separator
  std::optional<Command> Id;
};

std::vector<Item> ItemsOf(HMENU menu) {
  std::vector<Item> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if ((info.fType & MFT_SEPARATOR) != 0) {
      items.push_back({"-", std::nullopt});
    } else {
      items.push_back({env::win32::Narrow(text), win32ui::CommandOfId(static_cast<int>(info.wID))});
    }
  }
  return items;
}

// The letter after a single "&", upper case; 0 when there is none.
char Mnemonic(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = caption[i + 1];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}

TEST(MenuBar, HoldsTheFourMenusAndTheirCommands) {
  HMENU bar = win32ui::BuildMenuBar();
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  const std::vector<std::vector<std::optional<Command>>> expected{
      // The third entry is the Recent Cases submenu.
      {Command::OpenCase, Command::SaveCase, std::nullopt, std::nullopt, Command::OpenLoadFile,
       Command::OpenSourceFile, Command::ForgetLoadFile, Command::ForgetSourceFile, std::nullopt,
       Command::ExportResults, Command::ExportReport, std::nullopt, Command::Quit},
      {Command::CopyResults, Command::CopyNumbers},
      {Command::Analysis},
      {Command::HelpContents, Command::HelpManual, Command::HelpTheory, std::nullopt,
       Command::About}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    HMENU popup = GetSubMenu(bar, i);
    ASSERT_NE(popup, nullptr);
    std::vector<std::optional<Command>> ids;
    for (const Item& item : ItemsOf(popup)) ids.push_back(item.Id);
    EXPECT_EQ(ids, expected[static_cast<std::size_t>(i)]);
  }
  DestroyMenu(bar);
}

TEST(MenuBar, MnemonicsLeaveTheWindowsButtonsTheirAltKeys) {
  // Alt+letter presses the button with that mnemonic first; a menu sharing it could never
  // be opened from the keyboard, and the window's own keys must stay as they are.
  std::set<char> buttons;
  for (const mainwindow::DesignEntry& d : mainwindow::DesignTable()) {
    if (d.Kind != mainwindow::ControlKind::Button) continue;
    const char m = Mnemonic(std::string(d.Caption));
    if (m != 0) buttons.insert(m);
  }
  ASSERT_FALSE(buttons.empty());
  HMENU bar = win32ui::BuildMenuBar();
  std::set<char> menus;
  for (const Item& item : ItemsOf(bar)) {
    SCOPED_TRACE(item.Text);
    const char m = Mnemonic(item.Text);
    EXPECT_NE(m, 0);
    EXPECT_EQ(buttons.count(m), 0u);
    EXPECT_TRUE(menus.insert(m).second) << "two menus share a mnemonic";
  }
  DestroyMenu(bar);
}

TEST(ContextMenu, OffersAnalysisCopyExportAndAbout) {
  HMENU menu = win32ui::BuildContextMenu();
  const std::vector<Item> items = ItemsOf(menu);
  DestroyMenu(menu);
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(items[0].Id, Command::Analysis);
  EXPECT_EQ(items[0].Text, "Analysis\u2026\tCtrl+Shift+A");
  EXPECT_EQ(items[1].Id, Command::CopyResults);
  EXPECT_EQ(items[1].Text, "Copy Results\tCtrl+Shift+C");
  EXPECT_EQ(items[2].Id, Command::CopyNumbers);
  EXPECT_EQ(items[2].Text, "Copy Results as Numbers");
  EXPECT_EQ(items[3].Id, Command::ExportResults);
  EXPECT_EQ(items[4].Id, Command::ExportReport);
  EXPECT_EQ(items[5].Id, Command::OpenCase);
  EXPECT_EQ(items[5].Text, "Open Case\u2026\tCtrl+O");
  EXPECT_EQ(items[6].Id, Command::SaveCase);
  // The measured files, in the words of the band sheets' buttons.
  EXPECT_EQ(items[7].Id, Command::OpenLoadFile);
  EXPECT_EQ(items[7].Text, "Open Load File\u2026");
  EXPECT_EQ(items[8].Id, Command::OpenSourceFile);
  EXPECT_EQ(items[9].Id, Command::ForgetLoadFile);
  EXPECT_EQ(items[9].Text, "Forget Load File");
  EXPECT_EQ(items[10].Id, Command::ForgetSourceFile);
  EXPECT_EQ(items[11].Text, "-");
  EXPECT_EQ(items[12].Id, Command::About);
}

// The File menu's entries each have a letter of their own, and Recent Cases lists the paths
// newest first under identifiers that lead back to them.
TEST(MenuBar, RecentCasesListThePathsAndTheFileMenusLettersDiffer) {
  HMENU bar = win32ui::BuildMenuBar();
  std::set<char> letters;
  for (const Item& item : ItemsOf(GetSubMenu(bar, 0))) {
    if (item.Text == "-") continue;
    EXPECT_TRUE(letters.insert(Mnemonic(item.Text)).second) << item.Text;
  }
  HMENU recent = win32ui::RecentCasesMenu(bar);
  ASSERT_NE(recent, nullptr);
  ASSERT_EQ(GetMenuItemCount(recent), 1);
  EXPECT_EQ(GetMenuState(recent, 0, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  win32ui::FillRecentCases(recent, {"C:\\cases\\tuned.zcase", "D:\\b.zcase"});
  ASSERT_EQ(GetMenuItemCount(recent), 2);
  for (int i = 0; i < 2; ++i) {
    const auto id = static_cast<int>(GetMenuItemID(recent, i));
    EXPECT_EQ(win32ui::RecentCaseOfId(id), static_cast<std::size_t>(i));
    EXPECT_EQ(win32ui::CommandOfId(id), std::nullopt);
  }
  EXPECT_EQ(ItemsOf(recent)[0].Text, "C:\\cases\\tuned.zcase");
  win32ui::FillRecentCases(recent, {});
  EXPECT_EQ(GetMenuItemCount(recent), 1);
  EXPECT_EQ(win32ui::RecentCaseOfId(win32ui::kFirstRecentCaseId - 1), std::nullopt);
  EXPECT_EQ(win32ui::RecentCaseOfId(win32ui::kFirstRecentCaseId + 6), std::nullopt);
  DestroyMenu(bar);
}

struct Shortcut {
  const char* name;
  WPARAM key;
  bool ctrl, shift, alt;
  std::optional<Command> command;
};
void PrintTo(const Shortcut& row, std::ostream* os) { *os << row.name; }

class Shortcuts : public testing::TestWithParam<Shortcut> {};

TEST_P(Shortcuts, MapOnlyTheirExactChord) {
  const Shortcut& s = GetParam();
  EXPECT_EQ(win32ui::ShortcutCommand(s.key, s.ctrl, s.shift, s.alt), s.command);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    testing::Values(Shortcut{"CtrlShiftA", 'A', true, true, false, Command::Analysis},
                    Shortcut{"CtrlShiftC", 'C', true, true, false, Command::CopyResults},
                    Shortcut{"CtrlShiftE", 'E', true, true, false, Command::ExportResults},
                    Shortcut{"F1", VK_F1, false, false, false, Command::HelpContents},
                    Shortcut{"CtrlO", 'O', true, false, false, Command::OpenCase},
                    Shortcut{"CtrlS", 'S', true, false, false, Command::SaveCase},
                    Shortcut{"CtrlShiftS", 'S', true, true, false, std::nullopt},
                    Shortcut{"CtrlAltS", 'S', true, false, true, std::nullopt},
                    // Ctrl+C and Ctrl+A are the edits' copy and select-all.
                    Shortcut{"CtrlC", 'C', true, false, false, std::nullopt},
                    Shortcut{"CtrlA", 'A', true, false, false, std::nullopt},
                    Shortcut{"ShiftE", 'E', false, true, false, std::nullopt},
                    // AltGr arrives as Ctrl+Alt: a typed character, never a command.
                    Shortcut{"CtrlShiftAltA", 'A', true, true, true, std::nullopt},
                    Shortcut{"ShiftF1", VK_F1, false, true, false, std::nullopt},
                    Shortcut{"CtrlShiftX", 'X', true, true, false, std::nullopt}),
    [](const testing::TestParamInfo<Shortcut>& p) { return std::string(p.param.name); });

TEST(MenuCommands, IdentifiersOutsideTheRangeAreNoCommands) {
  EXPECT_EQ(win32ui::CommandOfId(static_cast<int>(Command::ExportResults)), Command::ExportResults);
  EXPECT_EQ(win32ui::CommandOfId(static_cast<int>(Command::CopyNumbers)), Command::CopyNumbers);
  EXPECT_EQ(win32ui::CommandOfId(static_cast<int>(Command::ForgetSourceFile)),
            Command::ForgetSourceFile);
  for (int id : {0, 1, 2, 100, 5000, static_cast<int>(Command::ExportResults) - 1,
                 static_cast<int>(Command::ForgetSourceFile) + 1}) {
    EXPECT_EQ(win32ui::CommandOfId(id), std::nullopt) << id;
  }
}

TEST(AboutBox, ShowsTheVersionFromTheCaption) {
  EXPECT_EQ(win32ui::AboutText("Zephlane V 2.1.0.0").substr(0, 27),
            "Zephlane\r\nVersion 2.1.0.0\r\n");
}

TEST(ResultsClipboard, TextAndHtmlReadBackAsWindowsProgramsReadThem) {
  if (!OpenClipboard(nullptr)) GTEST_SKIP() << "no clipboard in this session";
  CloseClipboard();
  ASSERT_TRUE(win32ui::PutOnClipboard(nullptr, "Quantity\tValue\nPinc\t1.5\n",
                                      "<table><tr><td>\xE2\x88\x9E</td></tr></table>"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE text = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(text, nullptr);
  const std::wstring wide(static_cast<const wchar_t*>(GlobalLock(text)));
  GlobalUnlock(text);
  // Bare LFs would paste as one line into Notepad.
  EXPECT_EQ(wide, L"Quantity\tValue\r\nPinc\t1.5\r\n");
  HANDLE html = GetClipboardData(RegisterClipboardFormatW(L"HTML Format"));
  ASSERT_NE(html, nullptr);
  const std::string doc(static_cast<const char*>(GlobalLock(html)));
  GlobalUnlock(html);
  CloseClipboard();
  const views::HtmlClipboardOffsets o = views::ReadHtmlClipboardOffsets(doc);
  ASSERT_GT(o.EndFragment, o.StartFragment);
  EXPECT_EQ(doc.substr(static_cast<std::size_t>(o.StartFragment),
                       static_cast<std::size_t>(o.EndFragment - o.StartFragment)),
            "<table><tr><td>\xE2\x88\x9E</td></tr></table>");
}

}  // namespace
