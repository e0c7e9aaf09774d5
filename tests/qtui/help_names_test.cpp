// The Linux help against the Linux window actually built: every key and every menu entry the
// generated pages name exists in the menu bar, the context menu or among the buttons'
// mnemonics, and the menu bar's table in the help is the menu bar.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include <string>
#include <vector>
#include "window_fixture.h"

#include "env/scripted_platform.h"
#include "help_names.h"
#include "mainwindow/design.h"
#include "mainwindow/form.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"
#include "views/texts.h"

namespace {

struct Entry {
  std::string Menu;  // the menu bar's title without its mnemonic; empty in the context menu
  std::string Text;
  std::string Shortcut;
};

std::string Bare(const QString& text) {
  return QString(text).remove(QLatin1Char('&')).toStdString();
}

std::string KeyOf(const QAction* a) {
  return a->shortcut().toString(QKeySequence::PortableText).toStdString();
}

// A menu's entries; a sub-menu counts as its own entry (the recent cases' list changes with
// use, and its items are no commands to document).
void Collect(const std::string& menu, const QMenu* m, std::vector<Entry>& out) {
  for (const QAction* a : m->actions())
    if (!a->isSeparator()) out.push_back({menu, Bare(a->text()), KeyOf(a)});
}

// The letter after '&' in a caption, upper case; 0 without one.
char Mnemonic(const std::string& caption) {
  const std::size_t at = caption.find('&');
  if (at == std::string::npos || at + 1 >= caption.size()) return 0;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at + 1])));
}

}  // namespace

class HelpNamesTest : public QObject, protected qtui_test::WindowFixture {
  Q_OBJECT

 private:
  std::vector<help_names::Page> pages_;
  std::vector<Entry> bar_;
  std::vector<Entry> context_;
  std::vector<char> menuLetters_;

  const help_names::Page& PageNamed(const std::string& name) const {
    for (const auto& p : pages_)
      if (p.Name == name) return p;
    static const help_names::Page none;
    return none;
  }
  bool HasShortcut(const std::string& chord) const {
    for (const auto* list : {&bar_, &context_})
      for (const Entry& e : *list)
        if (e.Shortcut == chord) return true;
    return false;
  }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(StartWindow());
    for (const QAction* top : menu_->MenuBar()->actions()) {
      QVERIFY(top->menu() != nullptr);
      Collect(Bare(top->text()), top->menu(), bar_);
      menuLetters_.push_back(Mnemonic(top->text().toStdString()));
    }
    for (const QAction* a : window_->actions()) context_.push_back({"", Bare(a->text()), KeyOf(a)});
    pages_ = help_names::ReadPages(ZEPHLANE_HELP_DIR);
    QVERIFY(pages_.size() > 5);
  }

  void cleanupTestCase() { StopWindow(); }

  void everyKeyTheHelpNamesDoesWhatItSays() {
    std::vector<char> buttonLetters;
    for (const mainwindow::DesignEntry& d : mainwindow::DesignTable())
      if (d.Kind == mainwindow::ControlKind::Button)
        buttonLetters.push_back(Mnemonic(std::string(d.Caption)));
    for (const help_names::Page& page : pages_) {
      for (const std::string& chord : help_names::CtrlChords(page.Text)) {
        const std::string where = page.Name + ": " + chord;
        // An edit's own keys must stay the edit's: no command may take them.
        QVERIFY2(HasShortcut(chord) != help_names::IsEditKey(chord), where.c_str());
      }
      for (const std::string& key : help_names::FunctionKeys(page.Text)) {
        const std::string where = page.Name + ": " + key;
        // Alt+F4 is the window manager's close, which the window answers as its close box.
        QVERIFY2(key == "Alt+F4" || HasShortcut(key), where.c_str());
      }
      for (const std::string& chord : help_names::AltLetters(page.Text)) {
        const std::string where = page.Name + ": " + chord;
        const char letter = chord.back();
        const auto n = std::count(buttonLetters.begin(), buttonLetters.end(), letter) +
                       std::count(menuLetters_.begin(), menuLetters_.end(), letter);
        QVERIFY2(n == 1, where.c_str());
      }
    }
  }

  void theHelpsMenuTableIsTheMenuBar() {
    const std::vector<help_names::MenuRow> rows =
        help_names::MenuTable(PageNamed("Cases.htm").Text);
    QVERIFY(!rows.empty());
    for (const help_names::MenuRow& row : rows) {
      const std::string where = row.Menu + " > " + row.Entry;
      bool found = false;
      for (const Entry& e : bar_) {
        if (e.Menu != row.Menu || e.Text != row.Entry) continue;
        found = true;
        QCOMPARE(e.Shortcut, row.Shortcut);
      }
      QVERIFY2(found, where.c_str());
    }
    // And the other way: the table leaves no entry of the bar out.
    for (const Entry& e : bar_) {
      bool listed = false;
      for (const help_names::MenuRow& row : rows)
        listed |= row.Menu == e.Menu && row.Entry == e.Text;
      QVERIFY2(listed, (e.Menu + " > " + e.Text).c_str());
    }
  }

  void everyEntryTheHelpNamesIsInAMenu() {
    // Every command either window offers: a name of one of them in the help must be a
    // command of this window.
    for (const std::string_view name :
         {views::kActAnalysis, views::kActCopyResults, views::kActCopyNumbers,
          views::kActExportResults, views::kActExportReport, views::kActOpenCase,
          views::kActSaveCase, views::kMenuRecent, views::kActQuit, views::kActManual,
          views::kActAbout, views::kOpenLoadFile, views::kOpenSourceFile, views::kForgetLoadFile,
          views::kForgetSourceFile}) {
      const std::string text(name);
      if (!help_names::Names(pages_, text)) continue;
      bool found = false;
      for (const auto* list : {&bar_, &context_})
        for (const Entry& e : *list) found |= e.Text == text;
      QVERIFY2(found, text.c_str());
    }
  }

  void theContextMenuIsTheOneTheHelpDescribes() {
    const std::string analysis = help_names::Plain(PageNamed("Analysis.htm").Text);
    QVERIFY(!analysis.empty());
    for (const Entry& e : context_)
      QVERIFY2(analysis.find(e.Text) != std::string::npos, e.Text.c_str());
  }
};

QTEST_MAIN(HelpNamesTest)
#include "help_names_test.moc"
