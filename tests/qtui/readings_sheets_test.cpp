// The Analysis window's "From readings" and budget sheets, driven through real widgets without
// a display: the truth follows the typing, the budget runs without freezing the window, and the
// help names every control.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_fixture.h"

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/budget_sheet.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/readings_sheet.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"
#include "views/texts.h"

namespace {

using qtui::Q;

QStringList Column(const QTableWidget* t, int column) {
  QStringList out;
  for (int r = 0; r < t->rowCount(); ++r) {
    const QTableWidgetItem* item = t->item(r, column);
    out << (item != nullptr ? item->text() : QString());
  }
  return out;
}

// The help page as plain text: tags gone, the few entities the pages use decoded, white space
// folded, so that a caption broken over two source lines still matches.
QString PlainHelp(const QString& file) {
  QFile f(QStringLiteral(ZEPHLANE_HELP_DIR) + QLatin1Char('/') + file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QString s = QString::fromUtf8(f.readAll());
  s.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return s.simplified();
}

// A caption as a reader looks it up: without the colon that ends a form's label.
QString Caption(QString s) {
  s = s.simplified();
  if (s.endsWith(QLatin1Char(':'))) s.chop(1);
  return s;
}

}  // namespace

class ReadingsSheetsTest : public QObject, protected qtui_test::WindowFixture {
  Q_OBJECT

 private:
  int TabOf(std::string_view title) {
    QTabWidget* tabs = Analysis().Tabs();
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->tabText(i) == Q(title)) return i;
    }
    return -1;
  }
  qtui::ReadingsSheet& Readings() {
    const int i = TabOf(views::kSheetReadings);
    Analysis().Tabs()->setCurrentIndex(i);
    return *qobject_cast<qtui::ReadingsSheet*>(Analysis().Tabs()->widget(i));
  }
  qtui::BudgetSheet& Budget() {
    const int i = TabOf(views::kSheetBudget);
    Analysis().Tabs()->setCurrentIndex(i);
    return *qobject_cast<qtui::BudgetSheet*>(Analysis().Tabs()->widget(i));
  }
  static void Type(QLineEdit* e, const QString& text) {
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
  }
  // A check box takes a click on its box or its text, not on the empty rest of its row.
  static void Tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }
  static void Pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
  }
  // Saves the sheet's picture where ZEPHLANE_SHOT_DIR points, for a look by eye.
  static void Shot(QWidget* w, const char* name) {
    const QByteArray dir = qgetenv("ZEPHLANE_SHOT_DIR");
    if (dir.isEmpty()) return;
    w->window()->grab().save(QDir(QString::fromUtf8(dir)).filePath(QLatin1String(name)));
  }

 private Q_SLOTS:
  void init() { QVERIFY(StartWindow()); }

  void cleanup() { StopWindow(); }

  void idealCouplersShowTheReadingsAsTheTruth() {
    // State: the sheet's worked case, 1000 W forward and 40 W reflected. Action: tick Ideal
    // couplers. Expected: every range a single value, M 0.2 and SWR 1.5.
    qtui::ReadingsSheet& s = Readings();
    if (!s.Ideal()->isChecked()) Tick(s.Ideal());
    QVERIFY(s.Ideal()->isChecked());
    QVERIFY(!s.Directivity()->isEnabled());
    QCOMPARE(Column(s.Table(), 2), Column(s.Table(), 3));
    QCOMPARE(Column(s.Table(), 2), (QStringList{"1", "0.04", "0.96", "0.2", "-13.98", "1.5"}));
    QCOMPARE(Column(s.Table(), 1).first(), QStringLiteral("kW"));
    Shot(&s, "readings.png");
  }

  void finiteDirectivityWidensTheRangesAroundTheIdealTruth() {
    // State: 20 dB couplers. Expected: each range holds the ideal couplers' value strictly.
    qtui::ReadingsSheet& s = Readings();
    if (s.Ideal()->isChecked()) Tick(s.Ideal());
    Type(s.Directivity(), QStringLiteral("20"));
    QCOMPARE(s.Table()->rowCount(), 6);
    const double ideal[] = {1.0, 0.04, 0.96, 0.2};
    for (int r = 0; r < 4; ++r) {
      QVERIFY(s.Table()->item(r, 2)->text().toDouble() < ideal[r]);
      QVERIFY(s.Table()->item(r, 3)->text().toDouble() > ideal[r]);
    }
  }

  void impossibleReadingsGiveAMessageAndNoRows() {
    // Action: a reflected reading above the forward one with ideal couplers, then a reading
    // that is no number. Expected: the reasons, and an empty table each time.
    qtui::ReadingsSheet& s = Readings();
    if (!s.Ideal()->isChecked()) Tick(s.Ideal());
    Type(s.Reflected(), QStringLiteral("1.5"));
    Pick(s.ReflectedUnit(), 1);  // kW
    QCOMPARE(s.Table()->rowCount(), 0);
    QVERIFY(s.Message()->text().startsWith(QStringLiteral("No load gives")));
    Type(s.Forward(), QStringLiteral("lots"));
    QCOMPARE(s.Table()->rowCount(), 0);
    QCOMPARE(s.Message()->text(), Q(views::kNoForward));
  }

  void budgetRunsOffTheWindowThreadAndPostsItsResult() {
    // Action: Run. Expected: the button greyed while the run lasts, the event loop still
    // turning; then the interval, the trials and the three sources.
    qtui::BudgetSheet& b = Budget();
    QCOMPARE(b.Results()->rowCount(), 0);
    QTest::mouseClick(b.RunButton(), Qt::LeftButton);
    QVERIFY(b.Running());
    QVERIFY(!b.RunButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!b.Running(), 60000);
    QVERIFY(b.RunButton()->isEnabled());
    QCOMPARE(b.Status()->text(), Q(views::kBudgetDone));
    const QStringList names = Column(b.Results(), 0);
    QVERIFY(names.first().startsWith(Q(views::kRowBudgetLowPrefix)));
    const double low = b.Results()->item(0, 1)->text().toDouble();
    const double high = b.Results()->item(1, 1)->text().toDouble();
    QVERIFY(low < high);
    QVERIFY(b.Results()->item(5, 1)->text().toDouble() >= 20000.0);  // at least two blocks
    QCOMPARE(b.Contributions()->rowCount(), 3);
    Shot(&b, "budget.png");
  }

  void changedInputsTakeTheOldResultAway() {
    // State: a budget on show. Action: another sensor calibration, then a reading changed on
    // the other sheet. Expected: no numbers of other inputs, and a call to run again.
    qtui::BudgetSheet& b = Budget();
    QTest::mouseClick(b.RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!b.Running(), 60000);
    QVERIFY(b.Results()->rowCount() > 0);
    Type(b.Sensor(), QStringLiteral("1"));
    QCOMPARE(b.Results()->rowCount(), 0);
    QCOMPARE(b.Status()->text(), Q(views::kBudgetStale));
    QTest::mouseClick(b.RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!b.Running(), 60000);
    Type(Readings().Forward(), QStringLiteral("900"));
    QCOMPARE(Budget().Results()->rowCount(), 0);
  }

  void budgetOfTheMainWindowsLoadFollowsTheMainWindow() {
    // State: the budget of the absorbed-power reading for the main window's load, run.
    // Action: the main window evaluates again. Expected: the result taken away; readings typed
    // on the other sheet leave this question's result alone.
    qtui::BudgetSheet& b = Budget();
    Pick(b.Question(), 1);
    QTest::mouseClick(b.RunButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!b.Running(), 60000);
    QCOMPARE(b.Status()->text(), Q(views::kBudgetDone));
    // Not a readings question: no row counts draws that missed the readings.
    QCOMPARE(b.Results()->rowCount(), 6);
    Type(Readings().Forward(), QStringLiteral("900"));
    QCOMPARE(Budget().Results()->rowCount(), 6);
    window_->Perform([] {});
    QCOMPARE(Budget().Results()->rowCount(), 0);
    QCOMPARE(Budget().Status()->text(), Q(views::kBudgetStale));
  }

  void correlatedPhasesAskForTheirOffsets() {
    // Expected: the offsets greyed until the option is ticked; then an empty one is refused.
    qtui::BudgetSheet& b = Budget();
    QVERIFY(!b.Psi0()->isEnabled());
    Tick(b.Correlated());
    QVERIFY(b.Psi0()->isEnabled());
    Type(b.Chi0(), QString());
    QTest::mouseClick(b.RunButton(), Qt::LeftButton);
    QVERIFY(!b.Running());
    QCOMPARE(b.Status()->text(), Q(views::kNoPhaseOffset));
  }

  void closingDuringARunWaitsForIt() {
    // Action: Run, then close the Analysis window at once. Expected: no crash, no leak of the
    // worker's result into a destroyed sheet (the sanitizer run would tell).
    QTest::mouseClick(Budget().RunButton(), Qt::LeftButton);
    menu_.reset();
  }

  void helpNamesEveryControlOfTheSheets() {
    // Expected: every label, check box, button and list item of both sheets in the help page.
    const QString help = PlainHelp(QStringLiteral("Readings.htm"));
    QVERIFY(!help.isEmpty());
    for (QWidget* sheet : {static_cast<QWidget*>(&Readings()), static_cast<QWidget*>(&Budget())}) {
      QStringList captions;
      for (const QLabel* l : sheet->findChildren<QLabel*>()) {
        if (l->buddy() != nullptr || l->text().endsWith(QLatin1Char(':'))) captions << l->text();
      }
      for (const QAbstractButton* b : sheet->findChildren<QAbstractButton*>()) {
        captions << b->text();
      }
      for (const QComboBox* c : sheet->findChildren<QComboBox*>()) {
        for (int i = 0; i < c->count(); ++i) captions << c->itemText(i);
      }
      for (const QTableWidget* t : sheet->findChildren<QTableWidget*>()) {
        for (int i = 0; i < t->columnCount(); ++i) captions << t->horizontalHeaderItem(i)->text();
      }
      QVERIFY(captions.size() > 10);
      for (const QString& c : captions) {
        if (Caption(c).isEmpty()) continue;
        QVERIFY2(help.contains(Caption(c)), qPrintable(Caption(c)));
      }
    }
  }
};

QTEST_MAIN(ReadingsSheetsTest)
#include "readings_sheets_test.moc"
