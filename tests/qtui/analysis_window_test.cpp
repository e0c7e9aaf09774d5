// The Analysis window and the window's context menu, driven through real widgets without a
// display: it follows the main window, its exports read back, the clipboard holds the cells.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_fixture.h"

#include "chart/palette.h"
#include "chart/xy_chart.h"
#include "chart/xy_layout.h"
#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/radio_group.h"
#include "qtui/value_cell.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"
#include "views/texts.h"

namespace {

using qtui::Q;

// The operating points of a chart, one per quantity that has a place on the axes.
std::vector<chart::Marker> Marks(const views::BuiltChart& c) { return c.Chart.Markers; }

}  // namespace

class AnalysisWindowTest : public QObject, protected qtui_test::WindowFixture {
  Q_OBJECT

 private:
  void TypeInto(std::string_view edit, const QString& text) {
    auto* e = qobject_cast<QLineEdit*>(window_->Widget(edit));
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClicks(e, text);
  }
  QString Text(std::string_view label) const {
    return qobject_cast<QLabel*>(window_->Widget(label))->text();
  }
  QString Cell(std::string_view panel) const {
    return qobject_cast<qtui::ValueCell*>(window_->Widget(panel))->Caption();
  }
  QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
  }

 private Q_SLOTS:
  void init() { QVERIFY(StartWindow(true)); }

  void cleanup() { StopWindow(); }

  void contextMenuHoldsTheEntriesWithTheirShortcuts() {
    // State: the window as started. Expected: the entries, in order, with shortcuts that
    // no edit uses; the window takes its menu from them.
    QCOMPARE(window_->contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction*> actions = window_->actions();
    QCOMPARE(actions.size(), 12);
    const QStringList texts{
        QStringLiteral("Analysis\u2026"),          QStringLiteral("Copy Results"),
        QStringLiteral("Copy Results as Numbers"), QStringLiteral("Export Results\u2026"),
        QStringLiteral("Export Report\u2026"),     QStringLiteral("Open Case\u2026"),
        QStringLiteral("Save Case\u2026"),         QStringLiteral("Open Load File\u2026"),
        QStringLiteral("Open Source File\u2026"),  QStringLiteral("Forget Load File"),
        QStringLiteral("Forget Source File"),      QStringLiteral("About Zephlane")};
    const QStringList keys{QStringLiteral("Ctrl+Shift+A"),
                           QStringLiteral("Ctrl+Shift+C"),
                           QString(),
                           QStringLiteral("Ctrl+Shift+E"),
                           QString(),
                           QStringLiteral("Ctrl+O"),
                           QStringLiteral("Ctrl+S"),
                           QString(),
                           QString(),
                           QString(),
                           QString(),
                           QString()};
    for (qsizetype i = 0; i < actions.size(); ++i) {
      QCOMPARE(actions[i]->text(), texts[i]);
      QCOMPARE(actions[i]->shortcut().toString(), keys[i]);
    }
  }

  void shortcutOpensTheAnalysisWindow() {
    // Action: Ctrl+Shift+A in an edit. Expected: the Analysis window, the edit's text kept.
    auto* edit = qobject_cast<QLineEdit*>(window_->Widget("edAnodeV"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(menu_->Analysis() != nullptr);
    QVERIFY(menu_->Analysis()->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("4350"));
  }

  void ctrlCInAnEditStillCopiesTheSelection() {
    // State: part of an edit selected. Action: Ctrl+C. Expected: the selection on the
    // clipboard, not the results table.
    QGuiApplication::clipboard()->clear();
    auto* edit = qobject_cast<QLineEdit*>(window_->Widget("edAnodeV"));
    edit->setFocus();
    edit->setSelection(0, 2);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("43"));
  }

  void copyResultsPutsTheShownCellsOnTheClipboard() {
    // State: dBm chosen, so the texts differ from the defaults. Action: Ctrl+Shift+C.
    // Expected: text and HTML; each row's value and unit are the cell's texts as shown.
    auto* group = qobject_cast<qtui::RadioGroup*>(window_->Widget("rgPowerUnit"));
    QTest::mouseClick(group->Buttons()[1], Qt::LeftButton);
    QTest::keyClick(window_->Widget("edAnodeV"), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime != nullptr);
    QVERIFY(mime->hasHtml());
    QVERIFY(mime->html().contains(QStringLiteral("<table")));
    QStringList lines = mime->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.takeFirst(), QStringLiteral("Quantity\tValue\tUnit"));
    QMap<QString, QStringList> byName;
    for (const QString& line : lines) {
      const QStringList f = line.split(QLatin1Char('\t'));
      QCOMPARE(f.size(), 3);
      byName.insert(f[0], f.mid(1));
    }
    const QString tr = Q(form_->tsTransm.Caption) + QStringLiteral(": ");
    const struct {
      const char* row;
      const char* column;
      const char* value;
      const char* unit;
    } cells[] = {
        {"lbPinc1", "Label38", "lbPinc2", "pnlPincUnit"},
        {"lbPrefl1", "Label27", "lbPrefMin2", "pnlPrefMinUnit"},
        {"lbPload1", "Label28", "lbPloadMax", "pnlPloadMaxU"},
        {"lbInterf1", "Label38", "lbInterf2", "pnlIfcUn"},
    };
    for (const auto& c : cells) {
      const QString name = tr + Text(c.row) + QStringLiteral(", ") + Text(c.column);
      QVERIFY2(byName.contains(name), qPrintable(name));
      QCOMPARE(byName[name][0], Text(c.value));
      QCOMPARE(byName[name][1], Cell(c.unit));
    }
    QCOMPARE(Cell("pnlPincUnit"), QStringLiteral("dBm"));
    const QString anodeV = Q(form_->gbMgInput.Caption) + QStringLiteral(": ") + Text("lbAnodeV");
    QCOMPARE(byName[anodeV][0], QStringLiteral("4350"));
  }

  void exportResultsWritesCsvOnlyWhenSaved() {
    // Action: Export Results cancelled, then saved. Expected: no file, then a CSV whose rows
    // are the window's cells; the settings file untouched by either.
    const QString path = home_->path() + QStringLiteral("/results.csv");
    menu_->ExportResults();
    QCOMPARE(asked_, 1);
    QVERIFY(!QFile::exists(path));
    chosen_ = path;
    menu_->ExportResults();
    const QString csv = QString::fromUtf8(ReadFile(path));
    QVERIFY(csv.startsWith(QStringLiteral("Quantity,Value,Unit\r\n")));
    QVERIFY(csv.contains(QStringLiteral(",4350,V\r\n")));
    QVERIFY(!QFile::exists(home_->path() + "/.config/Brevik/Zephlane/Zephlane.ini"));
  }

  void analysisFollowsAnEvaluation() {
    // State: Analysis open. Action: a new load phase, Enter. Expected: the marker moves to the
    // new round-trip phase, the curves and the table follow the new powers.
    qtui::AnalysisWindow& a = Analysis();
    QCOMPARE(a.Chart(0).Chart.Lines[0].X.size(), std::size_t{views::kPhasePoints});
    const std::vector<chart::Marker> before = Marks(a.Chart(0));
    QCOMPARE(before.size(), std::size_t{3});
    QCOMPARE(before[0].X, 90.0);  // source 0 deg, load 90 deg
    const QString actualBefore = a.Table()->item(2, 3)->text();
    TypeInto("edLoaPha", QStringLiteral("-30"));
    QTest::keyClick(window_->Widget("edLoaPha"), Qt::Key_Return);
    const std::vector<chart::Marker> after = Marks(a.Chart(0));
    QCOMPARE(after.size(), std::size_t{3});
    QCOMPARE(after[0].X, -30.0);
    QVERIFY(after[0].Y != before[0].Y);
    // The widget shows the chart just built.
    QCOMPARE(std::get<chart::XyChart>(a.View(0)->Chart()).Markers[0].X, -30.0);
    QVERIFY(a.Table()->item(2, 3)->text() != actualBefore);
    // The quantity by the caption the window shows it under, its numbers right-aligned.
    QCOMPARE(a.Table()->item(2, 0)->text(), Text("lbPinc1"));
    QVERIFY(a.Table()->item(2, 3)->textAlignment() & Qt::AlignRight);
    QVERIFY(a.Table()->item(2, 0)->textAlignment() & Qt::AlignLeft);
  }

  void analysisFollowsThePowerUnit() {
    // Action: dBW picked. Expected: the power axis and the CSV header in dBW, values in dB.
    qtui::AnalysisWindow& a = Analysis();
    auto* group = qobject_cast<qtui::RadioGroup*>(window_->Widget("rgPowerUnit"));
    QTest::mouseClick(group->Buttons()[2], Qt::LeftButton);
    const views::ChartTable& t = a.Chart(0).Table;
    QCOMPARE(t.Columns[1], std::string("Incident power (dBW)"));
    // 992.32 W at the actual phase: the curve lies near 30 dBW.
    const double y = Marks(a.Chart(0))[0].Y;
    QCOMPARE(QString::fromStdString(a.Chart(0).Chart.Y.Unit), QStringLiteral("dBW"));
    QVERIFY(y > 29.0 && y < 31.0);
    // A chart not on show is redrawn when exported: its data follow the unit too.
    chosen_ = home_->path() + QStringLiteral("/readings.csv");
    QVERIFY(a.ExportCsv(1));
    QVERIFY(ReadFile(chosen_).startsWith(
        "Round-trip phase (deg),\"Incident reading, min (dBW)\",\"Incident reading, max (dBW)\","));
  }

  void chartExportsReadBack() {
    // Action: each chart exported as CSV, PNG and SVG. Expected: files that parse.
    qtui::AnalysisWindow& a = Analysis();
    a.resize(800, 800);
    for (int i = 0; i < qtui::AnalysisWindow::kChartCount; ++i) {
      const QString base = home_->path() + QStringLiteral("/chart") + QString::number(i);
      chosen_ = base + QStringLiteral(".csv");
      QVERIFY(a.ExportCsv(i));
      const QStringList lines =
          QString::fromUtf8(ReadFile(chosen_)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
      const auto columns = static_cast<qsizetype>(a.Chart(i).Table.Columns.size());
      QCOMPARE(lines.size(), static_cast<qsizetype>(a.Chart(i).Table.Rows.size()) + 1);
      for (qsizetype r = 1; r < lines.size(); ++r) {
        const QStringList f = lines[r].split(QLatin1Char(','));
        QCOMPARE(f.size(), columns);
        for (const QString& field : f) {
          bool ok = false;
          field.toDouble(&ok);
          QVERIFY2(ok || field == QStringLiteral("NaN") || field.endsWith("Infinity"),
                   qPrintable(field));
        }
      }
      QCOMPARE(lines[1].split(QLatin1Char(','))[0].toDouble(), i == 2 ? 0.0 : -180.0);

      chosen_ = base + QStringLiteral(".png");
      QVERIFY(a.ExportPng(i));
      const QImage image(chosen_);
      QVERIFY(!image.isNull());
      QVERIFY(image.width() > 100);

      chosen_ = base + QStringLiteral(".svg");
      QVERIFY(a.ExportSvg(i));
      const QByteArray svg = ReadFile(chosen_).trimmed();
      QVERIFY(svg.startsWith("<?xml") || svg.startsWith("<svg"));
      QVERIFY(svg.contains("</svg>"));
    }
  }

  void failedExportKeepsNothingAndSaysSo() {
    // Action: a path in a folder that does not exist. Expected: false, no file, an error box
    // naming the path.
    qtui::AnalysisWindow& a = Analysis();
    chosen_ = home_->path() + QStringLiteral("/missing/chart.csv");
    platform_->Events.clear();
    QVERIFY(!a.ExportCsv(0));
    QVERIFY(!QFile::exists(chosen_));
    QCOMPARE(platform_->Events.size(), std::size_t{1});
    QVERIFY(platform_->Events[0].What == env::PlatformEvent::Kind::Error);
    QVERIFY(QString::fromStdString(platform_->Events[0].Text).contains(chosen_));
  }

  void copyChartPutsImageAndDataOnTheClipboard() {
    qtui::AnalysisWindow& a = Analysis();
    a.CopyChart(2);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime->hasImage());
    QVERIFY(mime->text().startsWith(QStringLiteral("Directivity (dB),")));
  }

  void designAnswersFollowTheTarget() {
    // State: ideal couplers, load 0.5. Expected: a directivity for 5 %, none for a target
    // that is no number; any SWR at all with ideal couplers.
    qtui::AnalysisWindow& a = Analysis();
    a.DesignTarget()->setText(QStringLiteral("5"));
    QVERIFY(a.DesignDirectivityAnswer()->text().endsWith(QStringLiteral(" dB")));
    QCOMPARE(a.DesignSwrAnswer()->text(), Q(views::kInfinite));
    a.DesignTarget()->setText(QStringLiteral("abc"));
    QCOMPARE(a.DesignDirectivityAnswer()->text(), Q(views::kNoTarget));
    a.DesignTarget()->setText(QStringLiteral("0"));
    QCOMPARE(a.DesignSwrAnswer()->text(), Q(views::kNoTarget));
  }

  void closingTheMainWindowEndsTheProgram() {
    // State: Analysis open. Action: Alt+C, Yes. Expected: both windows gone, none left to
    // keep the event loop running; one question, the
    // inputs saved with the Analysis window's place in a section of its own.
    qtui::AnalysisWindow& a = Analysis();
    QVERIFY(a.isVisible());
    a.move(a.x() + 7, a.y());
    a.resize(700, 560);
    platform_->Events.clear();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(form_->Closed());
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(!a.isVisible());
    // What ends the event loop: no visible window left that would keep it running.
    for (QWidget* w : QApplication::topLevelWidgets()) {
      QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
    }
    QVERIFY(!a.testAttribute(Qt::WA_QuitOnClose));
    int confirms = 0;
    for (const env::PlatformEvent& e : platform_->Events)
      confirms += e.What == env::PlatformEvent::Kind::Confirm ? 1 : 0;
    QCOMPARE(confirms, 1);
    const QByteArray ini = ReadFile(IniPath());
    QVERIFY2(ini.contains("[Zephlane]") && ini.contains("edAnodeV=4350"), ini.constData());
    QVERIFY2(ini.contains("[Analysis]") && ini.contains("Width=700") && ini.contains("Height=560"),
             ini.constData());
    // The main window's keys are all in their own section, none in the new one.
    const QByteArray analysis = ini.mid(ini.indexOf("[Analysis]"));
    QVERIFY(!analysis.mid(1).contains("[") ||
            ini.indexOf("[Zephlane]") > ini.indexOf("[Analysis]"));
    QVERIFY(!analysis.left(analysis.indexOf("[Zephlane]")).contains("edAnodeV"));
  }

  void analysisOpensInsideTheWorkAreaAndWhereItWasLeft() {
    // First start: beside the main window, inside the work area, resizable. After a close and
    // a new start: the size and place it was left at.
    qtui::AnalysisWindow& a = Analysis();
    const QRect area = window_->screen()->availableGeometry();
    QVERIFY2(area.contains(a.pos()) && a.width() <= area.width() && a.height() <= area.height(),
             qPrintable(QStringLiteral("%1,%2 %3x%4 in %5,%6 %7x%8")
                            .arg(a.x())
                            .arg(a.y())
                            .arg(a.width())
                            .arg(a.height())
                            .arg(area.x())
                            .arg(area.y())
                            .arg(area.width())
                            .arg(area.height())));
    QVERIFY(a.minimumWidth() < a.maximumWidth());
    a.resize(640, 480);
    a.move(area.x() + 30, area.y() + 40);
    const QPoint at = a.pos();
    QTest::mouseClick(window_->Widget("bClose"), Qt::LeftButton);
    QVERIFY(form_->Closed());
    menu_.reset();
    window_.reset();
    form_ = std::make_unique<mainwindow::TForm1>(*platform_);
    startup::Attach(*form_);
    window_ = std::make_unique<qtui::MainWindow>(*form_);
    menu_ = std::make_unique<qtui::WindowMenu>(*window_);
    window_->Create();
    window_->show();
    menu_->OpenAnalysis();
    QVERIFY(menu_->Placement().Known);
    QCOMPARE(menu_->Analysis()->size(), QSize(640, 480));
    QCOMPARE(menu_->Analysis()->pos(), at);
  }

  void coverageChoiceSetsTheIntervals() {
    // Action: 99 % chosen. Expected: the interval columns named for it and wider for every
    // power row; "U (k=2)" appears nowhere.
    qtui::AnalysisWindow& a = Analysis();
    QTableWidget* t = a.Table();
    QStringList header;
    for (int c = 0; c < t->columnCount(); ++c) header << t->horizontalHeaderItem(c)->text();
    QVERIFY2(header.contains(QStringLiteral("Low (95 %)")), qPrintable(header.join(',')));
    QVERIFY(!header.join(',').contains(QStringLiteral("k=2")));
    const QString low95 = t->item(2, 8)->text();
    const QString high95 = t->item(2, 9)->text();
    const int i99 = a.CoverageChoice()->findText(QStringLiteral("99 %"));
    QVERIFY(i99 >= 0);
    a.CoverageChoice()->setCurrentIndex(i99);
    Q_EMIT a.CoverageChoice()->activated(i99);
    QCOMPARE(t->horizontalHeaderItem(8)->text(), QStringLiteral("Low (99 %)"));
    QVERIFY(t->item(2, 8)->text().toDouble() <= low95.toDouble());
    QVERIFY(t->item(2, 9)->text().toDouble() >= high95.toDouble());
    QVERIFY(t->item(2, 8)->text() != low95 || t->item(2, 9)->text() != high95);
  }

  void chartViewShowsTheValueUnderThePointer() {
    // Hovering the operating point of the powers chart names it with its values; a point far
    // from every curve shows nothing.
    qtui::AnalysisWindow& a = Analysis();
    a.resize(900, 800);
    QTRY_VERIFY(a.View(0)->width() > 300);
    qtui::ChartView* v = a.View(0);
    const chart::Marker& m = a.Chart(0).Chart.Markers[0];
    const std::optional<QPointF> at = v->PixelOf(m.X, m.Y);
    QVERIFY(at.has_value());
    v->HoverAt(*at);
    QVERIFY2(v->ReadoutText().contains(QStringLiteral("90")), qPrintable(v->ReadoutText()));
    v->HoverAt(QPointF(1, 1));
    QVERIFY(v->ReadoutText().isEmpty());
  }

  void darkPaletteKeepsChartTextReadable() {
    // A dark window: the dark chart colours, with body text readable on the plot.
    qtui::AnalysisWindow& a = Analysis();
    QPalette dark = a.palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 34));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    a.View(0)->setPalette(dark);
    const chart::Style s = qtui::ChartStyleFor(*a.View(0));
    QVERIFY(s.Colours.Background == chart::DarkPalette().Background);
    QVERIFY(chart::ContrastRatio(s.Colours.Text, s.Colours.PlotBackground) >= 4.5);
    QVERIFY(chart::ContrastRatio(s.Colours.Text, s.Colours.Background) >= 4.5);
    // The picture itself is dark where it has no drawing.
    const QImage img = a.View(0)->Render(QSize(400, 300));
    QVERIFY(img.pixelColor(1, 1).lightness() < 100);
    a.View(0)->setPalette(QPalette());
    QVERIFY(qtui::ChartStyleFor(*a.View(0)).Colours.Background == chart::LightPalette().Background);
  }

  void f1OpensTheHtmlHelpWithoutLeavingTheEdit() {
    // State: a half-typed anode voltage. Action: F1. Expected: one help request, as the Help
    // (HTML) button makes it, and no evaluation of the half-typed value.
    TypeInto("edAnodeV", QStringLiteral("12"));
    const std::uint64_t cycles = form_->CycleCount();
    platform_->Events.clear();
    QTest::keyClick(window_->Widget("edAnodeV"), Qt::Key_F1);
    QCOMPARE(form_->CycleCount(), cycles);
    QCOMPARE(form_->Focused(), std::string("edAnodeV"));
    QCOMPARE(platform_->Events.size(), std::size_t{1});
    const env::PlatformEvent help = platform_->Events[0];
    platform_->Events.clear();
    window_->Perform([&] { form_->bHelpHtmClick(); });
    QCOMPARE(platform_->Events.size(), std::size_t{1});
    QCOMPARE(static_cast<int>(help.What), static_cast<int>(platform_->Events[0].What));
    QCOMPARE(help.Path, platform_->Events[0].Path);
    QCOMPARE(help.Text, platform_->Events[0].Text);
  }
};

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
