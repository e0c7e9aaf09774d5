// The Analysis window's band sheets on real widgets without a display: files opened through a
// scripted open dialog, faults shown as one message with the charts kept, the three pictures.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <variant>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/band_sheet.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "startup/lifecycle.h"

namespace {

// 0.3, 0.4 and 0.5 from 2.40 to 2.50 GHz.
constexpr char kLoadS1p[] =
    "! an applicator\n# GHz S MA R 50\n2.40 0.3 0\n2.45 0.4 10\n2.50 0.5 20\n";
// S11 0.1, S22 0.6 at 45 degrees.
constexpr char kLoadS2p[] =
    "# GHz S MA R 50\n2.40 0.1 0 0.9 0 0.9 0 0.6 45\n2.50 0.1 0 0.9 0 0.9 0 0.6 45\n";
constexpr char kBroken[] = "# GHz S MA R 50\n2.40 0.3 0\n2.45 x 0\n";
constexpr char kNarrow[] = "# GHz S MA R 50\n2.46 0.3 0\n2.48 0.3 0\n";

}  // namespace

class BandSheetsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<env::ScriptedPlatform> platform_;
  std::unique_ptr<mainwindow::TForm1> form_;
  std::unique_ptr<qtui::MainWindow> window_;
  std::unique_ptr<QTabWidget> tabs_;
  std::unique_ptr<qtui::BandSheets> sheets_;
  QString answer_;  // what the open dialog answers; empty: cancelled
  QString saveAs_;  // what the save dialog answers

  QString Write(const QString& name, const char* text) {
    const QString path = home_->path() + "/" + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(text);
    return path;
  }
  bool Open(const QString& name, const char* text) {
    answer_ = Write(name, text);
    return sheets_->OpenLoadFile();
  }
  void Type(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
  }
  void Pick(QComboBox* c, int index) {
    c->setCurrentIndex(index);
    Q_EMIT c->activated(index);
  }
  std::size_t PowerRows() const { return sheets_->Powers().Table.Rows.size(); }
  double FirstLoadMag() const { return sheets_->Evaluation().Points.front().Model.LoaRfl.Mag; }

 private Q_SLOTS:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("HOME", home_->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_->path() + "/.config").toUtf8());
    platform_ = std::make_unique<env::ScriptedPlatform>();
    form_ = std::make_unique<mainwindow::TForm1>(*platform_);
    startup::Attach(*form_);
    window_ = std::make_unique<qtui::MainWindow>(*form_);
    window_->Create();
    tabs_ = std::make_unique<QTabWidget>();
    answer_.clear();
    saveAs_.clear();
    sheets_ = std::make_unique<qtui::BandSheets>(
        *window_, *tabs_,
        [this](QWidget*, const QString&, const QString&, const QString&) { return answer_; },
        [this](QWidget*, const QString&, const QString&, const QString&) { return saveAs_; });
    tabs_->resize(1100, 700);
    tabs_->show();
  }

  void cleanup() {
    sheets_.reset();
    tabs_.reset();
    window_.reset();
    form_.reset();
    platform_.reset();
    home_.reset();
  }

  void addsThreeSheetsThatStartFromTheWindow() {
    // State: no file. Expected: three sheets, the band around 2.45 GHz from the window's load.
    // The sheets scroll: none asks the Analysis window for more room than a chart page does.
    for (QWidget* page : {sheets_->BandPage(), sheets_->SmithPage(), sheets_->MapPage()}) {
      QVERIFY(page->minimumSizeHint().width() <= 240);
      QVERIFY(page->minimumSizeHint().height() <= 200);
    }
    QCOMPARE(tabs_->count(), 3);
    QCOMPARE(tabs_->tabText(0), QStringLiteral("Band"));
    QCOMPARE(tabs_->tabText(1), QStringLiteral("Smith chart"));
    QCOMPARE(tabs_->tabText(2), QStringLiteral("Load plane"));
    QVERIFY(sheets_->Message()->text().isEmpty());
    QCOMPARE(PowerRows(), std::size_t{views::kBandPoints});
    QCOMPARE(sheets_->Extremes()->rowCount(), 7);
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("the window's reflection"));
    QVERIFY(std::holds_alternative<chart::SmithChart>(sheets_->SmithView()->Chart()));
    // The map is made when its sheet is first shown.
    tabs_->setCurrentWidget(sheets_->MapPage());
    QVERIFY(std::holds_alternative<chart::ContourMap>(sheets_->MapView()->Chart()));
  }

  void opensALoadFileAndShowsWhichFileAndFrequency() {
    // Action: open a one-port file. Expected: the file's name and its whole range, the
    // frequency defaults to its first point, the sweep starts at its first magnitude.
    QVERIFY(Open(QStringLiteral("applicator.s1p"), kLoadS1p));
    QCOMPARE(sheets_->BandChoice()->currentIndex(), 1);
    QVERIFY(sheets_->Message()->text().isEmpty());
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("applicator.s1p"));
    QVERIFY(sheets_->Evaluation().Ok());
    QCOMPARE(sheets_->Evaluation().Points.front().FreqHz, 2.40e9);
    QCOMPARE(sheets_->Evaluation().Points.back().FreqHz, 2.50e9);
    QVERIFY(qAbs(FirstLoadMag() - 0.3) < 1e-12);
    // Forget: the window's load again.
    sheets_->ForgetLoadFile();
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("the window's reflection"));
    QCOMPARE(sheets_->BandChoice()->currentIndex(), 0);
    QVERIFY(sheets_->Message()->text().isEmpty());
    // The whole range without a file is a message.
    Pick(sheets_->BandChoice(), 1);
    QCOMPARE(sheets_->Message()->text(), QStringLiteral("Band: the whole range needs a load file"));
  }

  void refusedFilesAndInputsLeaveTheChartsAsTheyWere() {
    // State: a good file shown. Action: each fault in turn. Expected: one message naming the
    // place, the charts and the file kept.
    QVERIFY(Open(QStringLiteral("applicator.s1p"), kLoadS1p));
    Type(sheets_->Frequency(), QStringLiteral("2.45G"));
    Type(sheets_->Spread(), QStringLiteral("40M"));
    Type(sheets_->Centre(), QStringLiteral("2.45G"));
    Pick(sheets_->BandChoice(), 0);
    QVERIFY(sheets_->Message()->text().isEmpty());
    const std::vector<double> before = sheets_->Powers().Table.Rows.front();

    QVERIFY(!Open(QStringLiteral("broken.s1p"), kBroken));
    QVERIFY2(sheets_->Message()->text().startsWith(QStringLiteral("broken.s1p: line 3, column ")),
             qPrintable(sheets_->Message()->text()));
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("applicator.s1p"));
    QCOMPARE(sheets_->Powers().Table.Rows.front(), before);

    // A file without the typed frequency is refused whole, and the good one stays, with the
    // band as it was chosen.
    QVERIFY(!Open(QStringLiteral("narrow.s1p"), kNarrow));
    QVERIFY2(sheets_->Message()->text().startsWith(QStringLiteral("narrow.s1p: ")),
             qPrintable(sheets_->Message()->text()));
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("applicator.s1p"));
    QCOMPARE(sheets_->BandChoice()->currentIndex(), 0);
    QCOMPARE(sheets_->Powers().Table.Rows.front(), before);

    struct Fault {
      QLineEdit* edit;
      QString text;
      QString prefix;
    };
    const Fault faults[] = {
        {sheets_->Frequency(), QStringLiteral("2.7G"), QStringLiteral("applicator.s1p: ")},
        {sheets_->Frequency(), QStringLiteral("abc"), QStringLiteral("Frequency: ")},
        {sheets_->Length(), QStringLiteral("-1"), QStringLiteral("Line: ")},
        {sheets_->Spread(), QStringLiteral("80M"), QStringLiteral("applicator.s1p: ")},
    };
    for (const Fault& f : faults) {
      const QString old = f.edit->text();
      Type(f.edit, f.text);
      QVERIFY2(sheets_->Message()->text().startsWith(f.prefix),
               qPrintable(sheets_->Message()->text()));
      QCOMPARE(sheets_->Powers().Table.Rows.front(), before);
      Type(f.edit, old);
      QVERIFY2(sheets_->Message()->text().isEmpty(), qPrintable(sheets_->Message()->text()));
    }
  }

  void waveguideBelowCutoffIsAMessage() {
    // Action: WR-340 at 915 MHz. Expected: the cutoff named, the velocity factor disabled.
    Pick(sheets_->Medium(), 2);
    QVERIFY(!sheets_->VelocityFactor()->isEnabled());
    Type(sheets_->Frequency(), QStringLiteral("915M"));
    QVERIFY2(sheets_->Message()->text().contains(QStringLiteral("cutoff")),
             qPrintable(sheets_->Message()->text()));
    Pick(sheets_->Medium(), 0);
    QVERIFY(sheets_->VelocityFactor()->isEnabled());
    QVERIFY(sheets_->Message()->text().isEmpty());
  }

  void portChoosesTheTwoPortsReflection() {
    // Action: S22 of a two-port file, then S22 of a one-port file. Expected: 0.6, then a
    // message and S11 kept.
    QVERIFY(Open(QStringLiteral("tuner.s2p"), kLoadS2p));
    QVERIFY(qAbs(FirstLoadMag() - 0.1) < 1e-12);
    Pick(sheets_->Port(), 1);
    QVERIFY(qAbs(FirstLoadMag() - 0.6) < 1e-12);
    // A one-port file opened while S22 is chosen reads its S11.
    QVERIFY(Open(QStringLiteral("applicator.s1p"), kLoadS1p));
    QCOMPARE(sheets_->Port()->currentIndex(), 0);
    QVERIFY(qAbs(FirstLoadMag() - 0.3) < 1e-12);
    Pick(sheets_->Port(), 1);
    QVERIFY(sheets_->Message()->text().startsWith(QStringLiteral("applicator.s1p: ")));
    QCOMPARE(sheets_->Port()->currentIndex(), 0);
    QVERIFY(qAbs(FirstLoadMag() - 0.3) < 1e-12);
    // A refused file puts the port back as it was.
    Pick(sheets_->Port(), 0);
    QVERIFY(Open(QStringLiteral("tuner.s2p"), kLoadS2p));
    Pick(sheets_->Port(), 1);
    QVERIFY(!Open(QStringLiteral("broken.s1p"), kBroken));
    QCOMPARE(sheets_->Port()->currentIndex(), 1);
    QVERIFY(qAbs(FirstLoadMag() - 0.6) < 1e-12);
  }

  void helpNamesEveryControl() {
    // Expected: every caption, button, list item and sheet name of the band sheets appears in
    // the help page, as the user reads it on screen.
    QFile f(QStringLiteral(ZEPHLANE_HELP_DIR "/Band.htm"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(f.readAll());
    QStringList names;
    for (int i = 0; i < tabs_->count(); ++i) names << tabs_->tabText(i);
    for (QWidget* page : {sheets_->BandPage(), sheets_->SmithPage(), sheets_->MapPage()}) {
      for (auto* l : page->findChildren<QLabel*>()) {
        const bool shown = l == sheets_->Message() || l == sheets_->LoadName() ||
                           l == sheets_->SourceName() || l->text().startsWith("Showing ");
        if (!shown && !l->text().isEmpty()) names << l->text();
      }
      for (auto* b : page->findChildren<QPushButton*>()) names << b->text();
      for (auto* g : page->findChildren<QGroupBox*>()) names << g->title();
      for (auto* c : page->findChildren<QComboBox*>()) {
        for (int i = 0; i < c->count(); ++i) names << c->itemText(i);
      }
    }
    names << sheets_->LoadName()->text();  // the window's reflection
    QVERIFY(names.size() > 30);
    for (const QString& n : names) QVERIFY2(help.contains(n), qPrintable(n));
  }

  void cancelledDialogChangesNothing() {
    answer_.clear();
    QVERIFY(!sheets_->OpenLoadFile());
    QVERIFY(!sheets_->OpenSourceFile());
    QVERIFY(sheets_->Message()->text().isEmpty());
    QCOMPARE(sheets_->LoadName()->text(), QStringLiteral("the window's reflection"));
  }

  void sourceFileReplacesTheWindowsSource() {
    answer_ = Write(QStringLiteral("circulator.s1p"), "# GHz S RI\n2.0 0 0.1\n3.0 0 0.1\n");
    QVERIFY(sheets_->OpenSourceFile());
    QCOMPARE(sheets_->SourceName()->text(), QStringLiteral("circulator.s1p"));
    QVERIFY(qAbs(sheets_->Evaluation().Operating.SrcRfl.Mag - 0.1) < 1e-12);
  }

  void followsTheWindowOnlyWhileShown() {
    // State: another sheet on show. Action: the window's load changes. Expected: the band is
    // evaluated again only when one of the band sheets is shown.
    auto* other = new QWidget;
    tabs_->addTab(other, QStringLiteral("Powers"));
    tabs_->setCurrentWidget(other);
    const double before = FirstLoadMag();
    form_->LoaRfl.Mag = 0.7;
    Q_EMIT window_->formChanged();
    QCOMPARE(FirstLoadMag(), before);
    tabs_->setCurrentWidget(sheets_->SmithPage());
    QVERIFY(qAbs(FirstLoadMag() - 0.7) < 1e-12);
  }

  void exportsEachChartAsPictureAndThePowersAsTable() {
    // Action: each export to a chosen file. Expected: the file starts as its kind does; the
    // powers' table with the frequency first; a cancelled dialog writes nothing.
    using Kind = qtui::BandSheets::ExportKind;
    struct Row {
      int which;
      Kind kind;
      QByteArray start;
    };
    const Row rows[] = {{0, Kind::Png, "\x89PNG"},  {0, Kind::Svg, "<svg"},
                        {0, Kind::Csv, "freq_hz,"}, {1, Kind::Png, "\x89PNG"},
                        {1, Kind::Svg, "<svg"},     {2, Kind::Png, "\x89PNG"},
                        {2, Kind::Svg, "<svg"}};
    int n = 0;
    for (const Row& row : rows) {
      saveAs_ = home_->path() + QStringLiteral("/out%1").arg(n++);
      QVERIFY(sheets_->Export(row.which, row.kind));
      QFile f(saveAs_);
      QVERIFY(f.open(QIODevice::ReadOnly));
      const QByteArray bytes = f.readAll();
      QVERIFY2(bytes.startsWith(row.start) || bytes.contains("\n" + row.start),
               bytes.left(40).constData());
    }
    saveAs_.clear();
    QVERIFY(!sheets_->Export(0, Kind::Csv));
  }

  void mapChoiceSwitchesTheQuantity() {
    tabs_->setCurrentWidget(sheets_->MapPage());
    const auto title = [this] {
      return std::get<chart::ContourMap>(sheets_->MapView()->Chart()).Title;
    };
    QCOMPARE(title(), std::string("Absorbed power over the load's reflection"));
    Pick(sheets_->MapChoice(), 1);
    QCOMPARE(title(), std::string("Absorbed-power reading error over the load's reflection"));
  }

  void hoverReadsTheSmithChartAndTheMap() {
    // Action: the pointer at each chart's centre. Expected: a read-out of what lies there.
    struct Row {
      QWidget* page;
      qtui::ChartView* view;
      QPointF at;  // within the plot, as a share of the view's size
    };
    const Row rows[] = {{sheets_->BandPage(), sheets_->PowersView(), {0.3, 0.2}},
                        {sheets_->SmithPage(), sheets_->SmithView(), {0.5, 0.5}},
                        {sheets_->MapPage(), sheets_->MapView(), {0.5, 0.5}}};
    for (const Row& row : rows) {
      qtui::ChartView* v = row.view;
      tabs_->setCurrentWidget(row.page);
      QVERIFY(QTest::qWaitForWindowExposed(tabs_.get()));
      v->HoverAt(QPointF(v->width() * row.at.x(), v->height() * row.at.y()));
      QVERIFY(!v->ReadoutText().isEmpty());
      v->HoverAt(QPointF(1, 1));  // the corner holds nothing
      QVERIFY(v->ReadoutText().isEmpty());
    }
  }
};

QTEST_MAIN(BandSheetsTest)
#include "band_sheets_test.moc"
