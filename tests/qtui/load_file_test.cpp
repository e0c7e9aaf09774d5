// The main window's measured files, driven through real widgets without a display: the menu
// bar and the context menu hold the same four actions, a file written here opens in the band
// sheets, a refused or cancelled one changes nothing, and Forget returns to the typed values.
// While an opened load file holds them, the load's edits and the caption follow its frequency
// and line; typing over them ends that, and the settings keep the typed load.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/band_sheet.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"
#include "views/texts.h"

namespace {

using qtui::Q;

constexpr char kLoadS1p[] = "# GHz S MA R 50\n2.40 0.3 0\n2.45 0.4 10\n2.50 0.5 20\n";
constexpr char kBroken[] = "# GHz S MA R 50\n2.40 0.3 0\n2.45 x 0\n";
constexpr char kEmpty[] = "# GHz S MA R 50\n! nothing measured\n";

}  // namespace

class LoadFileTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<env::ScriptedPlatform> platform_;
  std::unique_ptr<mainwindow::TForm1> form_;
  std::unique_ptr<qtui::MainWindow> window_;
  std::unique_ptr<qtui::WindowMenu> menu_;
  QString chosen_;  // what the dialog answers; empty: cancelled

  QString Write(const QString& name, const char* text) {
    const QString path = home_->path() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    return path;
  }
  QAction* InFileMenu(std::string_view text) const {
    for (QAction* top : menu_->MenuBar()->actions()) {
      if (top->menu() == nullptr || top->text() != Q(views::kMenuFile)) continue;
      for (QAction* a : top->menu()->actions())
        if (a->text() == Q(text)) return a;
    }
    return nullptr;
  }
  QString LoadName() const { return menu_->Analysis()->Bands()->LoadName()->text(); }
  QString SourceName() const { return menu_->Analysis()->Bands()->SourceName()->text(); }

  void Start() {
    platform_ = std::make_unique<env::ScriptedPlatform>();
    form_ = std::make_unique<mainwindow::TForm1>(*platform_);
    startup::Attach(*form_);
    window_ = std::make_unique<qtui::MainWindow>(*form_);
    chosen_.clear();
    const auto answer = [this](QWidget*, const QString&, const QString&, const QString&) {
      return chosen_;
    };
    menu_ = std::make_unique<qtui::WindowMenu>(*window_, answer, answer);
    window_->Create();
    window_->show();
    menu_->RestoreFiles();
  }
  // Closes the window as the user does, keeping the settings, and starts the program again.
  void Restart() {
    platform_->ConfirmAnswer = true;
    window_->close();
    QVERIFY(form_->Closed());
    menu_.reset();
    window_.reset();
    form_.reset();
    platform_.reset();
    Start();
  }
  QString Text(std::string_view edit) const {
    return qobject_cast<QLineEdit*>(window_->Widget(edit))->text();
  }
  qtui::BandSheets& Bands() const { return *menu_->Analysis()->Bands(); }
  QString Note(const char* fileAndFrequency) const {
    return Q(views::kCaptionCaseSeparator) + QString::fromUtf8(fileAndFrequency);
  }
  int Messages() const {
    int n = 0;
    for (const env::PlatformEvent& e : platform_->Events)
      n += e.What == env::PlatformEvent::Kind::Message;
    return n;
  }

 private Q_SLOTS:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("HOME", home_->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_->path() + "/.config").toUtf8());
    Start();
  }

  void cleanup() {
    menu_.reset();
    window_.reset();
    form_.reset();
    platform_.reset();
    home_.reset();
  }

  void menuBarAndContextMenuShareTheActions() {
    for (std::string_view text : {views::kOpenLoadFile, views::kOpenSourceFile,
                                  views::kForgetLoadFile, views::kForgetSourceFile}) {
      QAction* bar = InFileMenu(text);
      QVERIFY2(bar != nullptr, qPrintable(Q(text)));
      QVERIFY2(window_->actions().contains(bar), qPrintable(Q(text)));
    }
  }

  void cancelledOrForgottenBeforeAnyFileChangesNothing() {
    QVERIFY(!menu_->OpenLoadFile());
    QVERIFY(!menu_->OpenSourceFile());
    InFileMenu(views::kForgetLoadFile)->trigger();
    InFileMenu(views::kForgetSourceFile)->trigger();
    QVERIFY(menu_->Analysis() == nullptr);  // nothing asked for it
  }

  void openedFileShowsInTheBandSheetsAndForgetReturns() {
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    InFileMenu(views::kOpenLoadFile)->trigger();
    QVERIFY(menu_->Analysis() != nullptr);
    QCOMPARE(LoadName(), QStringLiteral("applicator.s1p"));
    QCOMPARE(SourceName(), Q(views::kFromWindow));
    chosen_ = Write(QStringLiteral("magnetron.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenSourceFile());
    QCOMPARE(SourceName(), QStringLiteral("magnetron.s1p"));
    InFileMenu(views::kForgetLoadFile)->trigger();
    QCOMPARE(LoadName(), Q(views::kFromWindow));
    QCOMPARE(SourceName(), QStringLiteral("magnetron.s1p"));
    InFileMenu(views::kForgetSourceFile)->trigger();
    QCOMPARE(SourceName(), Q(views::kFromWindow));
  }

  void refusedFileKeepsTheOneBefore() {
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenLoadFile());
    const struct {
      const char* name;
      const char* text;
    } refused[] = {{"broken.s1p", kBroken}, {"empty.s1p", kEmpty}};
    for (const auto& r : refused) {
      chosen_ = Write(QLatin1String(r.name), r.text);
      QVERIFY2(!menu_->OpenLoadFile(), r.name);
      QCOMPARE(LoadName(), QStringLiteral("applicator.s1p"));
      QVERIFY2(menu_->Analysis()->Bands()->Message()->text().startsWith(QLatin1String(r.name)),
               r.name);
    }
    chosen_ = home_->path() + QStringLiteral("/not-there.s1p");
    QVERIFY(!menu_->OpenLoadFile());
    QCOMPARE(LoadName(), QStringLiteral("applicator.s1p"));
  }

  void restartKeepsTheFilesAndTheLine() {
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenLoadFile());
    chosen_ = Write(QStringLiteral("magnetron.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenSourceFile());
    menu_->Analysis()->Bands()->Length()->setText(QStringLiteral("0.2"));
    Restart();
    QCOMPARE(Messages(), 0);
    QVERIFY(menu_->Analysis() != nullptr);
    QCOMPARE(LoadName(), QStringLiteral("applicator.s1p"));
    QCOMPARE(SourceName(), QStringLiteral("magnetron.s1p"));
    QCOMPARE(menu_->Analysis()->Bands()->Length()->text(), QStringLiteral("0.2"));
    QVERIFY(!menu_->Analysis()->isVisible());  // the files return without opening a window

    // Forgotten files stay forgotten.
    menu_->ForgetLoadFile();
    menu_->ForgetSourceFile();
    Restart();
    QVERIFY(menu_->Analysis() == nullptr);
  }

  void missingFileAtStartGivesOneNoteAndTheTypedValues() {
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenLoadFile());
    chosen_ = Write(QStringLiteral("magnetron.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenSourceFile());
    Restart();
    QVERIFY(QFile::remove(home_->path() + QStringLiteral("/applicator.s1p")));
    QVERIFY(QFile::remove(home_->path() + QStringLiteral("/magnetron.s1p")));
    Restart();
    QCOMPARE(Messages(), 1);
    QVERIFY(QString::fromStdString(platform_->Events.back().Text).contains("applicator.s1p"));
    QVERIFY(menu_->Analysis() == nullptr);
    Restart();  // the note is given once: the gone files were dropped from the settings
    QCOMPARE(Messages(), 0);
  }

  void openedLoadFileHoldsTheLoadEditsUntilForgotten() {
    // State: the first start's typed load, 0.5 at 90 degrees.
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.5"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("90"));
    const QString typedTitle = window_->windowTitle();
    // Action: a measured load opens.
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenLoadFile());
    // Expected: the file's first frequency's value, and the caption names it.
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.3"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("0"));
    QCOMPARE(window_->windowTitle(), typedTitle + Note("applicator.s1p at 2.4 GHz"));
    // Between two points: halfway in magnitude and in phase.
    Bands().Frequency()->setText(QStringLiteral("2.425G"));
    QVERIFY(Bands().Recompute());
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.35"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("5"));
    QCOMPARE(window_->windowTitle(), typedTitle + Note("applicator.s1p at 2.425 GHz"));
    QVERIFY(form_->HeldLoad().has_value());
    // 1 cm of air line turns the load by 720 * 2.425 GHz * 1 cm / c = 58.24 degrees and keeps
    // its magnitude.
    Bands().Length()->setText(QStringLiteral("0.01"));
    QVERIFY(Bands().Recompute());
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.35"));
    QVERIFY2(Text("edLoaPha").startsWith(QStringLiteral("-53.2")), qPrintable(Text("edLoaPha")));
    // Forgetting the file puts the typed load back.
    InFileMenu(views::kForgetLoadFile)->trigger();
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.5"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("90"));
    QCOMPARE(window_->windowTitle(), typedTitle);
  }

  void typingOverTheFileEndsTheHold() {
    chosen_ = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    QVERIFY(menu_->OpenLoadFile());
    const QString typedTitle = QString::fromStdString(form_->Form1.Caption);
    // The user types a magnitude over the file's and presses Enter.
    auto* mag = qobject_cast<QLineEdit*>(window_->Widget("edLoaMag"));
    mag->selectAll();
    QTest::keyClicks(mag, QStringLiteral("0.7"));
    QTest::keyClick(mag, Qt::Key_Return);
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.7"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("0"));  // what was on screen stays
    QCOMPARE(window_->windowTitle(), typedTitle);
    // The band sheets keep the file; the window no longer follows it.
    Bands().Frequency()->setText(QStringLiteral("2.5G"));
    QVERIFY(Bands().Recompute());
    QCOMPARE(LoadName(), QStringLiteral("applicator.s1p"));
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.7"));
    menu_->ForgetLoadFile();
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.7"));
  }

  void restartShowsTheFileAndKeepsTheTypedValues() {
    const QString path = Write(QStringLiteral("applicator.s1p"), kLoadS1p);
    chosen_ = path;
    QVERIFY(menu_->OpenLoadFile());
    Restart();
    // The file holds the edits again, yet the settings kept the typed load under it.
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.3"));
    menu_->ForgetLoadFile();
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.5"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("90"));
    chosen_ = path;
    QVERIFY(menu_->OpenLoadFile());
    Restart();
    // A file gone by the next start: the typed load.
    QVERIFY(QFile::remove(path));
    Restart();
    QCOMPARE(Messages(), 1);
    QCOMPARE(Text("edLoaMag"), QStringLiteral("0.5"));
    QCOMPARE(Text("edLoaPha"), QStringLiteral("90"));
  }
};

QTEST_MAIN(LoadFileTest)
#include "load_file_test.moc"
