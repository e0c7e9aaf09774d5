// The menu bar and the case files, driven through real widgets without a display: the bar
// stands above the specified client area, its entries are the context menu's own actions,
// a saved case opens back to the same inputs, and a damaged one changes nothing.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_fixture.h"

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/radio_group.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"
#include "views/texts.h"

namespace {

using qtui::Q;

// Every action the menu bar holds, its sub-menus' included, with the menu title before it.
QList<QPair<QString, QAction*>> MenuActions(QMenuBar* bar) {
  QList<QPair<QString, QAction*>> all;
  for (QAction* top : bar->actions()) {
    if (top->menu() == nullptr) continue;
    for (QAction* a : top->menu()->actions()) {
      if (!a->isSeparator() && a->menu() == nullptr) all.append({top->text(), a});
    }
  }
  return all;
}

}  // namespace

class MenuBarTest : public QObject, protected qtui_test::WindowFixture {
  Q_OBJECT

 private:
  QLineEdit* Edit(std::string_view name) const {
    return qobject_cast<QLineEdit*>(window_->Widget(name));
  }
  void TypeAndEnter(std::string_view edit, const QString& text) {
    QLineEdit* e = Edit(edit);
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
  }
  QAction* Find(const QString& menu, const QString& text) const {
    for (const auto& [title, a] : MenuActions(menu_->MenuBar()))
      if (title == menu && a->text() == text) return a;
    return nullptr;
  }
  int Count(env::PlatformEvent::Kind kind) const {
    int n = 0;
    for (const env::PlatformEvent& e : platform_->Events) n += e.What == kind;
    return n;
  }

 private Q_SLOTS:
  void init() { QVERIFY(StartWindow(true)); }

  void cleanup() { StopWindow(); }

  void barStandsAboveTheClientAreaWhichKeepsItsSize() {
    const QSize client(window_->Scale(641), window_->Scale(452));
    QMenuBar* bar = window_->MenuBar();
    QVERIFY(bar != nullptr && bar->isVisible());
    QCOMPARE(window_->Client()->size(), client);
    QCOMPARE(window_->Client()->pos(), QPoint(0, bar->height()));
    QCOMPARE(window_->size(), QSize(client.width(), client.height() + bar->height()));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    // The result pages still stand on the client area's bottom edge.
    QCOMPARE(window_->Widget("pcResults")->geometry().bottom(), client.height() - 1);
    QStringList titles;
    for (QAction* a : bar->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("E&dit"),
                                  QStringLiteral("&View"), QStringLiteral("Hel&p")}));
    // No menu takes a mnemonic from the window's buttons (&Evaluate, &Help (HTML), &Close).
    for (const QString& t : titles) {
      const QChar key = t.at(t.indexOf(QLatin1Char('&')) + 1).toLower();
      QVERIFY2(key != QLatin1Char('e') && key != QLatin1Char('h') && key != QLatin1Char('c'),
               qPrintable(t));
    }
    // The caption is the form's while no case is open.
    QCOMPARE(window_->windowTitle(), QString::fromStdString(form_->Form1.Caption));
  }

  void everyContextMenuEntryIsInTheMenuBar() {
    const auto inBar = MenuActions(menu_->MenuBar());
    for (QAction* a : window_->actions()) {
      bool found = false;
      for (const auto& entry : inBar) found = found || entry.second == a;
      QVERIFY2(found, qPrintable(a->text()));
    }
    struct Row {
      QString menu;
      QString text;
      QString key;
    };
    const QList<Row> rows{
        {QStringLiteral("&File"), QStringLiteral("Open Case\u2026"), QStringLiteral("Ctrl+O")},
        {QStringLiteral("&File"), QStringLiteral("Save Case\u2026"), QStringLiteral("Ctrl+S")},
        {QStringLiteral("&File"), QStringLiteral("Open Load File\u2026"), QString()},
        {QStringLiteral("&File"), QStringLiteral("Open Source File\u2026"), QString()},
        {QStringLiteral("&File"), QStringLiteral("Forget Load File"), QString()},
        {QStringLiteral("&File"), QStringLiteral("Forget Source File"), QString()},
        {QStringLiteral("&File"), QStringLiteral("Export Results\u2026"),
         QStringLiteral("Ctrl+Shift+E")},
        {QStringLiteral("&File"), QStringLiteral("Export Report\u2026"), QString()},
        {QStringLiteral("&File"), QStringLiteral("Quit"), QStringLiteral("Ctrl+Q")},
        {QStringLiteral("E&dit"), QStringLiteral("Copy Results"), QStringLiteral("Ctrl+Shift+C")},
        {QStringLiteral("E&dit"), QStringLiteral("Copy Results as Numbers"), QString()},
        {QStringLiteral("&View"), QStringLiteral("Analysis\u2026"), QStringLiteral("Ctrl+Shift+A")},
        {QStringLiteral("Hel&p"), QStringLiteral("Contents"), QStringLiteral("F1")},
        {QStringLiteral("Hel&p"), QStringLiteral("Manual (PDF)"), QString()},
        {QStringLiteral("Hel&p"), QStringLiteral("Theory"), QString()},
        {QStringLiteral("Hel&p"), QStringLiteral("About Zephlane"), QString()},
    };
    QCOMPARE(inBar.size(), rows.size());
    for (const Row& r : rows) {
      QAction* a = Find(r.menu, r.text);
      QVERIFY2(a != nullptr, qPrintable(r.text));
      QCOMPARE(a->shortcut().toString(), r.key);
    }
  }

  void menuEntriesDoWhatTheirButtonsAndTheContextMenuDo() {
    // Copy Results from the bar: the cells as shown, as the context menu's entry copies them.
    QGuiApplication::clipboard()->clear();
    Find(QStringLiteral("E&dit"), QStringLiteral("Copy Results"))->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("4350")));
    Find(QStringLiteral("&View"), QStringLiteral("Analysis\u2026"))->trigger();
    QVERIFY(menu_->Analysis() != nullptr && menu_->Analysis()->isVisible());

    // The help entries ask the platform exactly as the window's buttons do.
    struct Row {
      QString text;
      std::function<void()> button;
    };
    const QList<Row> rows{
        {QStringLiteral("Contents"), [this] { form_->bHelpHtmClick(); }},
        {QStringLiteral("Manual (PDF)"), [this] { form_->bHelpPdfClick(); }},
        {QStringLiteral("Theory"), [this] { form_->bTheoryClick(); }},
    };
    for (const Row& r : rows) {
      platform_->Events.clear();
      Find(QStringLiteral("Hel&p"), r.text)->trigger();
      QCOMPARE(platform_->Events.size(), std::size_t{1});
      const env::PlatformEvent byMenu = platform_->Events[0];
      platform_->Events.clear();
      window_->Perform(r.button);
      QCOMPARE(platform_->Events.size(), std::size_t{1});
      QCOMPARE(static_cast<int>(byMenu.What), static_cast<int>(platform_->Events[0].What));
      QCOMPARE(byMenu.Path, platform_->Events[0].Path);
    }

    // Quit asks as the close box does; No keeps the window.
    platform_->Events.clear();
    platform_->ConfirmAnswer = false;
    Find(QStringLiteral("&File"), QStringLiteral("Quit"))->trigger();
    QCOMPARE(Count(env::PlatformEvent::Kind::Confirm), 1);
    QVERIFY(window_->isVisible());
    QVERIFY(!form_->Closed());
  }

  void copyAsNumbersGivesOneUnitPerColumn() {
    // State: the powers shown in kW. Expected: watts, at full precision.
    Find(QStringLiteral("E&dit"), QStringLiteral("Copy Results as Numbers"))->trigger();
    const QStringList lines =
        QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QStringList heads = lines[0].split(QLatin1Char('\t'));
    const QStringList values = lines[1].split(QLatin1Char('\t'));
    QCOMPARE(heads.size(), values.size());
    const qsizetype pinc = heads.indexOf(QStringLiteral("Incident power (W)"));
    QVERIFY(pinc >= 0);
    QCOMPARE(values[pinc].toDouble(), form_->Pinc);
    QVERIFY(!lines[0].contains(QStringLiteral("(kW)")));
    // dBm chosen: the powers follow.
    auto* group = qobject_cast<qtui::RadioGroup*>(window_->Widget("rgPowerUnit"));
    QTest::mouseClick(group->Buttons()[1], Qt::LeftButton);
    menu_->CopyResultsAsNumbers();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Incident power (dBm)")));
  }

  void savedCaseOpensBackToItsInputs() {
    QDir(home_->path()).mkpath(QStringLiteral("cases"));
    const QString path = home_->path() + QStringLiteral("/cases/tuned");
    TypeAndEnter("edAnodeV", QStringLiteral("5000"));
    TypeAndEnter("edLoaMag", QStringLiteral("0.25"));
    auto* group = qobject_cast<qtui::RadioGroup*>(window_->Widget("rgPowerUnit"));
    QTest::mouseClick(group->Buttons()[2], Qt::LeftButton);
    menu_->OpenAnalysis();
    menu_->Analysis()->DesignTarget()->setText(QStringLiteral("2.5"));
    chosen_ = path;
    QVERIFY(menu_->SaveCase());
    QVERIFY(QFile::exists(path + QStringLiteral(".zcase")));  // the extension added
    QCOMPARE(window_->windowTitle(),
             QStringLiteral("tuned \u2014 ") + QString::fromStdString(form_->Form1.Caption));

    // Action: change the inputs, then open the case.
    TypeAndEnter("edAnodeV", QStringLiteral("3000"));
    TypeAndEnter("edLoaMag", QStringLiteral("0.9"));
    QTest::mouseClick(group->Buttons()[0], Qt::LeftButton);
    menu_->Analysis()->DesignTarget()->setText(QStringLiteral("7"));
    const QString pincBefore = window_->Widget("lbPinc2")->property("text").toString();
    chosen_ = path + QStringLiteral(".zcase");
    QVERIFY(Find(QStringLiteral("&File"), QStringLiteral("Open Case\u2026")) != nullptr);
    Find(QStringLiteral("&File"), QStringLiteral("Open Case\u2026"))->trigger();
    // Expected: the inputs as saved, evaluated, the caption naming the case.
    QCOMPARE(Edit("edAnodeV")->text(), QStringLiteral("5000"));
    QCOMPARE(Edit("edLoaMag")->text(), QStringLiteral("0.25"));
    QCOMPARE(group->ItemIndex(), 2);
    QCOMPARE(form_->Va, 5000);
    QVERIFY(window_->Widget("lbPinc2")->property("text").toString() != pincBefore);
    QCOMPARE(menu_->Analysis()->DesignTarget()->text(), QStringLiteral("2.5"));
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("tuned \u2014 ")));
    QCOMPARE(Count(env::PlatformEvent::Kind::Error), 0);
    // The case is the first recent one, and the dialogs start in its folder from now on.
    QCOMPARE(menu_->RecentMenu()->actions().first()->text(), chosen_);
    QCOMPARE(QString::fromStdString(form_->LastFolder), home_->path() + QStringLiteral("/cases"));
  }

  void damagedCaseChangesNothingAndSaysWhy() {
    struct Row {
      const char* name;
      QByteArray bytes;
      QString says;
    };
    const QList<Row> rows{
        {"NotACase", "[Zephlane]\nedAnodeV=1\n", QStringLiteral("no format line")},
        {"Newer", "[Case]\nFormat=9\n", QStringLiteral("newer version")},
        {"BadValue",
         "[Case]\nFormat=1\n[Zephlane]\nedAnodeV=1\nedAnodeI=0.3\nedSrcMag=0.2\nedLoaMag=0.5\n"
         "udEff=seventy\n",
         QStringLiteral("\"udEff\"")},
        {"Binary", QByteArray("\x00\xff\xfe[", 4), QStringLiteral("no format line")},
    };
    TypeAndEnter("edAnodeV", QStringLiteral("4100"));
    const QString title = window_->windowTitle();
    for (const Row& r : rows) {
      const QString path = home_->path() + QStringLiteral("/") + QLatin1String(r.name);
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(r.bytes);
      f.close();
      platform_->Events.clear();
      const std::uint64_t cycles = form_->CycleCount();
      QVERIFY(!menu_->OpenCaseFile(path));
      QCOMPARE(Count(env::PlatformEvent::Kind::Error), 1);
      const QString message = QString::fromStdString(platform_->Events.back().Text);
      QVERIFY2(message.contains(r.says) && message.contains(path), qPrintable(message));
      QCOMPARE(Edit("edAnodeV")->text(), QStringLiteral("4100"));
      QCOMPARE(form_->CycleCount(), cycles);
      QCOMPARE(window_->windowTitle(), title);
      QVERIFY(menu_->CasePath().isEmpty());
    }
    // A missing file says so too.
    platform_->Events.clear();
    QVERIFY(!menu_->OpenCaseFile(home_->path() + QStringLiteral("/gone.zcase")));
    QCOMPARE(Count(env::PlatformEvent::Kind::Error), 1);
  }

  void exportReportWritesOneDocumentWithTheWindowsValues() {
    // Without the Analysis window: its default coverage and target; the charts inline.
    chosen_ = home_->path() + QStringLiteral("/report.html");
    menu_->ExportReport();
    QFile f(chosen_);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.contains(QString::fromStdString(form_->Form1.Caption)));
    QVERIFY(html.contains(QString::fromStdString(form_->lbPinc2.Caption)));
    QVERIFY(html.contains(QStringLiteral("Low (95 %)")));
    QCOMPARE(html.count(QStringLiteral("<svg ")), 3);
  }

  void dialogsStartInTheDocumentsFolderThenTheLastOne() {
    // The XDG documents folder, as the desktop names it.
    const QString docs = home_->path() + QStringLiteral("/Papers");
    QDir(home_->path()).mkpath(QStringLiteral("Papers"));
    QDir(home_->path()).mkpath(QStringLiteral(".config"));
    QFile dirs(home_->path() + QStringLiteral("/.config/user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    dirs.close();
    chosen_.clear();  // cancelled
    menu_->ExportResults();
    QCOMPARE(started_, docs + QStringLiteral("/zephlane-results.csv"));
    QVERIFY(form_->LastFolder.empty());  // a cancelled dialog remembers nothing

    QDir(home_->path()).mkpath(QStringLiteral("out"));
    chosen_ = home_->path() + QStringLiteral("/out/r.csv");
    menu_->ExportResults();
    QVERIFY(QFile::exists(chosen_));
    chosen_.clear();
    menu_->OpenCase();
    QCOMPARE(started_, home_->path() + QStringLiteral("/out"));

    // The folder is kept in the settings file by the confirmed close.
    platform_->ConfirmAnswer = true;
    window_->close();
    QVERIFY(form_->Closed());
    QFile ini(home_->path() + QStringLiteral("/.config/Brevik/Zephlane/Zephlane.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("LastFolder=" + (home_->path() + "/out").toUtf8()));
  }
};

QTEST_MAIN(MenuBarTest)
#include "menu_bar_test.moc"
