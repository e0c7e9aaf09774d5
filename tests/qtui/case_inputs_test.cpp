// A case holds every input of the Analysis window: saved with every sheet away from its
// defaults, changed, opened again, each sheet is back; a measured file that is refused on
// opening leaves the window and the sheets as they were.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window_fixture.h"

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/band_sheet.h"
#include "qtui/budget_sheet.h"
#include "qtui/main_window.h"
#include "qtui/readings_sheet.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"

namespace {

constexpr char kLoadS2p[] =
    "# GHz S MA R 50\n2.40 0.1 0 0.9 0 0.9 0 0.6 45\n2.50 0.1 0 0.9 0 0.9 0 0.6 45\n";
constexpr char kSourceS1p[] = "# GHz S MA R 50\n2.40 0.2 0\n2.45 0.2 5\n2.50 0.2 10\n";

// What a user sees of the Analysis window's inputs, every sheet, as one list of texts.
QStringList Shown(qtui::AnalysisWindow& a) {
  const qtui::ReadingsSheet& r = *a.Readings();
  const qtui::BudgetSheet& b = *a.Budget();
  const qtui::BandSheets& s = *a.Bands();
  const auto index = [](const QComboBox* c) { return QString::number(c->currentIndex()); };
  const auto box = [](const QCheckBox* c) { return QString::number(c->isChecked()); };
  return {index(a.CoverageChoice()),
          a.DesignTarget()->text(),
          r.Forward()->text(),
          index(r.ForwardUnit()),
          r.Reflected()->text(),
          index(r.ReflectedUnit()),
          box(r.Ideal()),
          r.Directivity()->text(),
          index(b.Question()),
          b.Coupling()->text(),
          index(b.CouplingLaw()),
          b.Sensor()->text(),
          index(b.SensorLaw()),
          box(b.Correlated()),
          b.Psi0()->text(),
          b.Chi0()->text(),
          index(b.CoverageChoice()),
          b.Seed()->text(),
          s.Frequency()->text(),
          index(s.BandChoice()),
          s.Centre()->text(),
          s.Spread()->text(),
          s.Length()->text(),
          index(s.Medium()),
          s.VelocityFactor()->text(),
          s.Loss()->text(),
          index(s.Port()),
          s.LoadPath(),
          s.SourcePath(),
          s.LoadName()->text(),
          s.SourceName()->text()};
}

// Every input away from its default (or to another value than `Fill` gave it before).
void Fill(qtui::AnalysisWindow& a, int variant) {
  const QString v = QString::number(variant);
  qtui::ReadingsSheet& r = *a.Readings();
  qtui::BudgetSheet& b = *a.Budget();
  qtui::BandSheets& s = *a.Bands();
  a.CoverageChoice()->setCurrentIndex(1 + variant);
  a.DesignTarget()->setText(QStringLiteral("2.") + v);
  r.Forward()->setText(QStringLiteral("1.") + v);
  r.ForwardUnit()->setCurrentIndex(1 + variant);
  r.Reflected()->setText(QStringLiteral("8") + v);
  r.ReflectedUnit()->setCurrentIndex(3 + variant);
  r.Ideal()->setChecked(variant == 0);
  r.Directivity()->setText(QStringLiteral("2") + v);
  b.Question()->setCurrentIndex(1 - variant);
  b.Coupling()->setText(QStringLiteral("0.3") + v);
  b.CouplingLaw()->setCurrentIndex(1 - variant);
  b.Sensor()->setText(QStringLiteral("4") + v);
  b.SensorLaw()->setCurrentIndex(1 - variant);
  b.Correlated()->setChecked(variant == 0);
  b.Psi0()->setText(QStringLiteral("1") + v);
  b.Chi0()->setText(QStringLiteral("-2") + v);
  b.CoverageChoice()->setCurrentIndex(2 + variant);
  b.Seed()->setText(QStringLiteral("9") + v);
  s.Centre()->setText(QStringLiteral("2.4") + v + QStringLiteral("G"));
  s.Spread()->setText(QStringLiteral("1") + v + QStringLiteral("M"));
  s.Length()->setText(QStringLiteral("1.") + v);
  s.Medium()->setCurrentIndex(variant);
  s.Loss()->setText(QStringLiteral("0.0") + v);
}

}  // namespace

class CaseInputsTest : public QObject, protected qtui_test::WindowFixture {
  Q_OBJECT

 private:
  QString Write(const QString& name, const char* text) {
    const QString path = home_->path() + QStringLiteral("/") + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(text);
    return path;
  }

 private Q_SLOTS:
  void init() { QVERIFY(StartWindow()); }

  void cleanup() { StopWindow(); }

  void everySheetComesBackFromTheCase() {
    menu_->OpenAnalysis();
    qtui::AnalysisWindow& a = *menu_->Analysis();
    QVERIFY(a.Bands()->OpenLoadPath(Write(QStringLiteral("tuner.s2p"), kLoadS2p)));
    QVERIFY(a.Bands()->OpenSourcePath(Write(QStringLiteral("magnetron.s1p"), kSourceS1p)));
    a.Bands()->Port()->setCurrentIndex(1);
    Q_EMIT a.Bands()->Port()->activated(1);
    Fill(a, 0);
    const QStringList saved = Shown(a);
    QCOMPARE(saved[26], QStringLiteral("1"));  // the second port, read as such
    QVERIFY(menu_->SaveCaseFile(home_->path() + QStringLiteral("/every.zcase")));

    // Another configuration on every sheet, without the files.
    Fill(a, 1);
    a.Bands()->ForgetLoadFile();
    a.Bands()->ForgetSourceFile();
    QVERIFY(Shown(a) != saved);
    QVERIFY(menu_->OpenCaseFile(home_->path() + QStringLiteral("/every.zcase")));
    const QStringList opened = Shown(a);
    for (int i = 0; i < saved.size(); ++i) QCOMPARE(opened[i], saved[i]);
    QCOMPARE(platform_->Events.size(), std::size_t{0});
    // The case's load file is the one in use again: the caption names it.
    QVERIFY2(window_->windowTitle().contains(QStringLiteral("tuner.s2p")),
             qPrintable(window_->windowTitle()));
  }

  void aRefusedFileChangesNothing() {
    menu_->OpenAnalysis();
    qtui::AnalysisWindow& a = *menu_->Analysis();
    const QString source = Write(QStringLiteral("magnetron.s1p"), kSourceS1p);
    QVERIFY(a.Bands()->OpenSourcePath(source));
    Fill(a, 0);
    QVERIFY(menu_->SaveCaseFile(home_->path() + QStringLiteral("/spoilt.zcase")));
    Fill(a, 1);
    a.Bands()->ForgetSourceFile();
    const QStringList before = Shown(a);
    const QString anode = QString::fromStdString(form_->edAnodeV.Text);
    const QString title = window_->windowTitle();
    // The file is there (so the case reads) but no longer a Touchstone file.
    Write(QStringLiteral("magnetron.s1p"), "# GHz S MA R 50\n2.40 x 0\n");
    QVERIFY(!menu_->OpenCaseFile(home_->path() + QStringLiteral("/spoilt.zcase")));
    QCOMPARE(platform_->Events.size(), std::size_t{1});
    const QString message = QString::fromStdString(platform_->Events.back().Text);
    QVERIFY2(message.startsWith(QStringLiteral("magnetron.s1p: ")), qPrintable(message));
    QVERIFY(message.endsWith(QStringLiteral("Nothing was changed.")));
    QCOMPARE(Shown(a), before);
    QCOMPARE(QString::fromStdString(form_->edAnodeV.Text), anode);
    QCOMPARE(window_->windowTitle(), title);
  }
};

QTEST_MAIN(CaseInputsTest)
#include "case_inputs_test.moc"
