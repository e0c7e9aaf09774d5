// The desktop window driven through real widgets, by keys and mouse, without a display.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "mainwindow/window_layout.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/radio_group.h"
#include "qtui/up_down.h"
#include "qtui/value_cell.h"
#include "startup/lifecycle.h"

namespace {

using qtui::Q;

// The first control whose widget differs from the form's value, or empty when all agree.
QString FirstMismatch(qtui::MainWindow& w) {
  for (const mainwindow::ControlRef& ref : w.Form().Controls()) {
    QWidget* widget = w.Widget(ref.Name);
    const QString name = Q(ref.Name);
    QString bad;
    std::visit(
        [&](auto* c) {
          using T = std::remove_pointer_t<decltype(c)>;
          if constexpr (std::is_same_v<T, mainwindow::FormProps>) {
            if (w.windowTitle() != QString::fromStdString(c->Caption)) bad = name;
          } else {
            if constexpr (!std::is_same_v<T, mainwindow::TabSheet>) {
              if (widget->isEnabled() != c->Enabled) bad = name + " Enabled";
              if (widget->isHidden() == c->Visible) bad = name + " Visible";
            }
            if constexpr (std::is_same_v<T, mainwindow::Edit>) {
              if (static_cast<QLineEdit*>(widget)->text() != QString::fromStdString(c->Text)) {
                bad = name + " Text";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::Label>) {
              if (static_cast<QLabel*>(widget)->text() != QString::fromStdString(c->Caption)) {
                bad = name + " Caption";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::Panel>) {
              if (static_cast<qtui::ValueCell*>(widget)->Caption() !=
                  QString::fromStdString(c->Caption)) {
                bad = name + " Caption";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::DropDown>) {
              if (static_cast<QComboBox*>(widget)->currentIndex() != c->ItemIndex()) {
                bad = name + " ItemIndex";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::CheckBox>) {
              if (static_cast<QCheckBox*>(widget)->isChecked() != c->Checked()) {
                bad = name + " Checked";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::RadioGroup>) {
              if (static_cast<qtui::RadioGroup*>(widget)->ItemIndex() != c->ItemIndex()) {
                bad = name + " ItemIndex";
              }
            } else if constexpr (std::is_same_v<T, mainwindow::PageControl>) {
              auto* pages = static_cast<QTabWidget*>(widget);
              if (pages->currentWidget() != w.Widget(c->ActivePage)) bad = name + " ActivePage";
            }
          }
        },
        ref.Ptr);
    if (!bad.isEmpty()) return bad;
  }
  return {};
}

// WCAG contrast ratio of two colours: 1 (none) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& c) {
    auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text drawn inside a widget against the background it stands on: the
// commonest colour inside the frame is the background, the pixel that stands out most from
// it is the text. 1 for a widget with no text.
double TextContrast(QWidget* w, int inset) {
  const QImage image = w->grab().toImage();
  const QRect inside = image.rect().adjusted(inset, inset, -inset, -inset);
  std::map<QRgb, int> counts;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) ++counts[image.pixel(x, y)];
  }
  if (counts.empty()) return 1.0;
  const QColor background(
      std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return a.second < b.second;
      })->first);
  double best = 1.0;
  for (const auto& [rgb, n] : counts) best = std::max(best, Contrast(QColor(rgb), background));
  return best;
}

// A dark desktop: light text on dark grey, as dark themes give it.
QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(53, 53, 53));
  p.setColor(QPalette::WindowText, QColor(238, 238, 238));
  p.setColor(QPalette::Base, QColor(42, 42, 42));
  p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
  p.setColor(QPalette::Text, QColor(238, 238, 238));
  p.setColor(QPalette::Button, QColor(53, 53, 53));
  p.setColor(QPalette::ButtonText, QColor(238, 238, 238));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
  return p;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<env::ScriptedPlatform> platform_;
  std::unique_ptr<mainwindow::TForm1> form_;
  std::unique_ptr<qtui::MainWindow> window_;

  template <class T>
  T* W(std::string_view name) {
    return qobject_cast<T*>(window_->Widget(name));
  }
  std::uint64_t Cycles() const { return form_->CycleCount(); }
  QString IniPath() const { return home_->path() + "/.config/Brevik/Zephlane/Zephlane.ini"; }
  int Count(env::PlatformEvent::Kind kind) const {
    return static_cast<int>(
        std::count_if(platform_->Events.begin(), platform_->Events.end(),
                      [&](const env::PlatformEvent& e) { return e.What == kind; }));
  }
  void TypeInto(std::string_view edit, const QString& text) {
    QLineEdit* e = W<QLineEdit>(edit);
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClicks(e, text);
  }

 private Q_SLOTS:
  void init() {
    // A fresh, empty home for every test: never the real settings.
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    qputenv("HOME", home_->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_->path() + "/.config").toUtf8());
    Open();
  }

  // Starts the program's window over the current home.
  void Open() {
    window_.reset();
    form_.reset();
    platform_ = std::make_unique<env::ScriptedPlatform>();
    form_ = std::make_unique<mainwindow::TForm1>(*platform_);
    startup::Attach(*form_);
    window_ = std::make_unique<qtui::MainWindow>(*form_);
    window_->Create();
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() {
    window_.reset();
    form_.reset();
    platform_.reset();
    home_.reset();
  }

  void startShowsTheLoadedStateInEveryWidget() {
    // State: first start, no settings. Expected: defaults shown, one cycle, focus on edAnodeV.
    QCOMPARE(FirstMismatch(*window_), QString());
    QCOMPARE(W<QLineEdit>("edAnodeV")->text(), QStringLiteral("4350"));
    QCOMPARE(Cycles(), std::uint64_t{1});
    QCOMPARE(QApplication::focusWidget(), window_->Widget("edAnodeV"));
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("Zephlane V ")));
    QCOMPARE(W<QTabWidget>("pcResults")->currentWidget(), window_->Widget("tsTransm"));
    const QRect screen = window_->screen()->availableGeometry();
    QCOMPARE(window_->pos(), screen.center() - QPoint(window_->width() / 2, window_->height() / 2));
  }

  void typingAndTabRunsOneCycle() {
    const QString before = W<QLabel>("lbPmatch2")->text();
    TypeInto("edAnodeV", QStringLiteral("5000"));
    const auto cycles = Cycles();
    QTest::keyClick(W<QLineEdit>("edAnodeV"), Qt::Key_Tab);
    QCOMPARE(Cycles(), cycles + 1);
    QCOMPARE(form_->Va, 5000);
    QCOMPARE(QApplication::focusWidget(), window_->Widget("edAnodeI"));
    QCOMPARE(Q(form_->Focused()), QStringLiteral("edAnodeI"));
    QVERIFY(W<QLabel>("lbPmatch2")->text() != before);
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void tabGoesRoundTheWindowAndShiftTabBack() {
    // State: first start, focus on edAnodeV. Action: Tab through two full rounds, then
    // Shift+Tab. Expected: every input, button and group of the active sheet in the design's
    // order, round to edAnodeV and on; Shift+Tab from edAnodeV goes to the last control.
    const QStringList round = {
        "edAnodeI",  "edEffic",   "edLoaMag",  "cbLoaRfl",        "edLoaPha",  "cbLoaMism",
        "bEvaluate", "bHelpHtm",  "chIdeal",   "bClose",          "edSrcMag",  "edSrcPha",
        "cbSrcRfl",  "cbSrcMism", "pcResults", "rgTransmMagUnit", "bShowNote", "rgPowerUnit",
        "bHempPdf",  "bTheory",   "edAnodeV"};
    QStringList visited;
    for (int i = 0; i < 2 * round.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << Q(form_->Focused());
      QVERIFY(QApplication::focusWidget() != nullptr);
    }
    QCOMPARE(visited, round + round);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Q(form_->Focused()), QStringLiteral("bTheory"));
    QCOMPARE(QApplication::focusWidget(), window_->Widget("bTheory"));
    // A radio group is entered at its selected button.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    auto* units = W<qtui::RadioGroup>("rgPowerUnit");
    QCOMPARE(QApplication::focusWidget(),
             units->Buttons()[static_cast<std::size_t>(units->ItemIndex())]);
  }

  void everyNumberReadsOnADarkDesktop() {
    // State: a dark desktop palette, every result sheet in turn, couplers not ideal.
    // Expected: the text of every edit and value cell stands out from its background, and the
    // parts that follow the desktop (group captions, buttons) take its colours.
    const QPalette before = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    Open();
    QTest::mouseClick(W<QCheckBox>("chIdeal"), Qt::LeftButton);
    for (const std::string_view sheet : {"tsTransm", "tsPowMeas", "tsLoadMeas"}) {
      QTest::mouseClick(W<QTabWidget>("pcResults")->tabBar(), Qt::LeftButton, {},
                        W<QTabWidget>("pcResults")
                            ->tabBar()
                            ->tabRect(W<QTabWidget>("pcResults")->indexOf(window_->Widget(sheet)))
                            .center());
      for (const mainwindow::ControlRef& ref : form_->Controls()) {
        QWidget* w = window_->Widget(ref.Name);
        if (w == nullptr || !w->isVisible()) continue;
        const bool edit = ref.Kind == mainwindow::ControlKind::Edit;
        const auto* cell = qobject_cast<qtui::ValueCell*>(w);
        if (!edit && cell == nullptr) continue;
        // The Load Meas error boxes stay empty in units other than Mag.
        if (cell != nullptr && cell->Caption().isEmpty() && w->findChildren<QLabel*>().isEmpty()) {
          continue;
        }
        const int inset = cell != nullptr ? cell->frameWidth() + 1 : 3;
        const double contrast = TextContrast(w, inset);
        QVERIFY2(contrast >= 4.5,
                 qPrintable(Q(ref.Name) + " contrast " + QString::number(contrast)));
      }
    }
    // The design's own backgrounds stay as designed.
    QCOMPARE(W<QLineEdit>("edAnodeV")->palette().color(QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(window_->Widget("pnlPincUnit")->palette().color(QPalette::Window),
             QColor(255, 255, 255));
    QCOMPARE(W<QGroupBox>("gbMgInput")->palette().color(QPalette::WindowText),
             DarkPalette().color(QPalette::WindowText));
    QApplication::setPalette(before);
  }

  void tabCaptionsAreNeverCutShort() {
    // State: the desktop gives tab bars a much wider font. Expected: every caption keeps its
    // whole text and fits its tab.
    QFont wide = QApplication::font();
    wide.setPixelSize(22);
    wide.setLetterSpacing(QFont::PercentageSpacing, 130);
    QApplication::setFont(wide, "QTabBar");
    Open();
    QTabBar* tabs = W<QTabWidget>("pcResults")->tabBar();
    QCOMPARE(tabs->elideMode(), Qt::ElideNone);
    for (int i = 0; i < tabs->count(); ++i) {
      const int needed = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
      QVERIFY2(tabs->tabRect(i).width() >= needed, qPrintable(tabs->tabText(i)));
    }
    QApplication::setFont(QFont(), "QTabBar");
  }

  void losingActivationOrOpeningABoxIsNoExit() {
    // State: typing in edAnodeI. Action: another window takes the activation and gives it
    // back. Expected: no OnExit, so no cycle.
    TypeInto("edAnodeI", QStringLiteral("0.4"));
    const auto cycles = Cycles();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), window_->Widget("edAnodeI"));
    QCOMPARE(Cycles(), cycles);
    QCOMPARE(W<QLineEdit>("edAnodeI")->text(), QStringLiteral("0.4"));
    QCOMPARE(Q(form_->Focused()), QStringLiteral("edAnodeI"));
  }

  void evaluateClickWithFocusInEditRunsTwoCycles() {
    TypeInto("edSrcPha", QStringLiteral("47"));
    const auto cycles = Cycles();
    QTest::mouseClick(W<QPushButton>("bEvaluate"), Qt::LeftButton);
    QCOMPARE(Cycles(), cycles + 2);
    // 47 degrees is accepted and the phase up-down moves to its 5-degree grid.
    QCOMPARE(W<QLineEdit>("edSrcPha")->text(), QStringLiteral("47"));
    QCOMPARE(form_->udSrcPha.Position(), 45);
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void enterInEditRunsOneCycleWithoutLeavingIt() {
    TypeInto("edAnodeI", QStringLiteral("0.5"));
    const auto cycles = Cycles();
    QTest::keyClick(W<QLineEdit>("edAnodeI"), Qt::Key_Return);
    QCOMPARE(Cycles(), cycles + 1);
    QCOMPARE(form_->Ia, 0.5);
    QCOMPARE(QApplication::focusWidget(), window_->Widget("edAnodeI"));
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void enterOnAFocusedButtonClicksThatButton() {
    window_->Widget("bShowNote")->setFocus(Qt::TabFocusReason);
    const auto cycles = Cycles();  // leaving edAnodeV ran a cycle
    QTest::keyClick(window_->Widget("bShowNote"), Qt::Key_Return);
    QCOMPARE(Count(env::PlatformEvent::Kind::Message), 1);
    QCOMPARE(Cycles(), cycles);
  }

  void enterOnCheckBoxAndListEvaluates() {
    for (const char* name : {"chIdeal", "cbSrcRfl", "rgPowerUnit"}) {
      QWidget* target = window_->Widget(name);
      if (auto* g = qobject_cast<qtui::RadioGroup*>(target)) target = g->Buttons().front();
      target->setFocus(Qt::TabFocusReason);
      const auto cycles = Cycles();
      QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
      QCOMPARE(Cycles(), cycles + 1);
    }
  }

  void mnemonicsClickTheirButtons() {
    platform_->ConfirmAnswer = false;
    auto cycles = Cycles();
    QTest::keyClick(window_.get(), Qt::Key_E, Qt::AltModifier);
    // The focus moves to the button (leaving the edit is one cycle), then the click follows.
    QTRY_COMPARE(Cycles(), cycles + 2);
    QTest::keyClick(window_.get(), Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(Count(env::PlatformEvent::Kind::Open) + Count(env::PlatformEvent::Kind::Help), 1);
    QTest::keyClick(window_.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(Count(env::PlatformEvent::Kind::Confirm), 1);
    QCOMPARE(platform_->Events.back().Text, std::string(mainwindow::kTerminateQuestion));
    QVERIFY(window_->isVisible());
  }

  void upAndDownKeysInThePhaseEditStepItsUpDown() {
    TypeInto("edSrcPha", QStringLiteral("10"));
    QTest::keyClick(W<QLineEdit>("edSrcPha"), Qt::Key_Return);
    QCOMPARE(form_->udSrcPha.Position(), 10);
    const auto cycles = Cycles();
    QTest::keyClick(W<QLineEdit>("edSrcPha"), Qt::Key_Up);
    QCOMPARE(form_->udSrcPha.Position(), 15);
    QCOMPARE(W<QLineEdit>("edSrcPha")->text(), QStringLiteral("15"));
    QCOMPARE(form_->SrcRfl.Pha, 15.0);
    QTest::keyClick(W<QLineEdit>("edSrcPha"), Qt::Key_Down);
    QTest::keyClick(W<QLineEdit>("edSrcPha"), Qt::Key_Down);
    QCOMPARE(W<QLineEdit>("edSrcPha")->text(), QStringLiteral("5"));
    QCOMPARE(Cycles(), cycles + 3);
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void holdingAnArrowRepeatsAndAClickStepsOnce() {
    auto* ud = W<qtui::UpDown>("udEff");
    QCOMPARE(form_->udEff.Position(), 72);
    QTest::mouseClick(ud->UpArrow(), Qt::LeftButton);
    QCOMPARE(form_->udEff.Position(), 73);
    QCOMPARE(W<QLineEdit>("edEffic")->text(), QStringLiteral("73"));
    // The arrow never takes the focus, so the edit holding it is not left.
    QCOMPARE(QApplication::focusWidget(), window_->Widget("edAnodeV"));
    QTest::mousePress(ud->DownArrow(), Qt::LeftButton);
    QTest::qWait(qtui::UpDown::kRepeatDelayMs + 6 * qtui::UpDown::kRepeatIntervalMs);
    QTest::mouseRelease(ud->DownArrow(), Qt::LeftButton);
    const int after = form_->udEff.Position();
    QVERIFY2(after <= 73 - 4, qPrintable(QString::number(after)));
    QTest::qWait(3 * qtui::UpDown::kRepeatIntervalMs);
    QCOMPARE(form_->udEff.Position(), after);  // released: no more steps
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void idealBoxGreysAndDisablesTheDirectivity() {
    // State: Ideal checked at first start. Action: untick, then tick. Expected: directivity
    // follows, the transmission results stay, the measurement results change.
    auto* edDire = W<QLineEdit>("edDire");
    QVERIFY(!edDire->isEnabled());
    QVERIFY(!window_->Widget("udDire")->isEnabled());
    const QString pinc = W<QLabel>("lbPinc2")->text();
    const QString measured = W<QLabel>("lbPlincMaxV")->text();
    QTest::mouseClick(W<QCheckBox>("chIdeal"), Qt::LeftButton);
    QVERIFY(!form_->chIdeal.Checked());
    QVERIFY(edDire->isEnabled());
    QVERIFY(window_->Widget("udDire")->isEnabled());
    QCOMPARE(edDire->palette().color(QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(W<QLabel>("lbPinc2")->text(), pinc);
    QVERIFY(W<QLabel>("lbPlincMaxV")->text() != measured);
    QTest::mouseClick(W<QCheckBox>("chIdeal"), Qt::LeftButton);
    QVERIFY(!edDire->isEnabled());
    QCOMPARE(edDire->palette().color(QPalette::Disabled, QPalette::Base),
             window_->palette().color(QPalette::Window));
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void pickingUnitsRepresentsWithoutEvaluating() {
    window_->Widget("cbSrcRfl")->setFocus(Qt::TabFocusReason);
    const auto cycles = Cycles();
    QTest::keyClick(window_->Widget("cbSrcRfl"), Qt::Key_Down);  // "Mag" -> "dB"
    QCOMPARE(form_->cbSrcRfl.ItemIndex(), 1);
    QCOMPARE(W<QLineEdit>("edSrcMag")->text(), QString::fromStdString(form_->edSrcMag.Text));
    QVERIFY(W<QLineEdit>("edSrcMag")->text().startsWith(QLatin1Char('-')));
    auto* rg = W<qtui::RadioGroup>("rgTransmMagUnit");
    QTest::mouseClick(rg->Buttons()[1], Qt::LeftButton);
    QCOMPARE(form_->SelUnit, 1);
    QCOMPARE(Cycles(), cycles);
    // The power unit is the one choice that evaluates.
    QTest::mouseClick(W<qtui::RadioGroup>("rgPowerUnit")->Buttons()[1], Qt::LeftButton);
    QCOMPARE(form_->rgPowerUnit.ItemIndex(), 1);
    QCOMPARE(Cycles(), cycles + 1);
    QCOMPARE(W<qtui::ValueCell>("pnlPavUnit")->Caption(), QStringLiteral("dBm"));
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void showNoteShowsTheActiveSheetsNote() {
    QTest::mouseClick(W<QPushButton>("bShowNote"), Qt::LeftButton);
    QCOMPARE(Count(env::PlatformEvent::Kind::Message), 1);
    QCOMPARE(platform_->Events.back().Title, std::string(mainwindow::kAppTitle));
    QCOMPARE(platform_->Events.back().Text, std::string(mainwindow::kNoteTransm));
    QTabBar* tabs = W<QTabWidget>("pcResults")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(Q(form_->pcResults.ActivePage), QStringLiteral("tsLoadMeas"));
    QTest::mouseClick(W<QPushButton>("bShowNote"), Qt::LeftButton);
    QCOMPARE(platform_->Events.back().Text, std::string(mainwindow::kNoteLoadMeas));
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void closingWithNoKeepsEverythingAndEscapeNeverCloses() {
    platform_->ConfirmAnswer = false;
    TypeInto("edAnodeV", QStringLiteral("5000"));
    QTest::keyClick(W<QLineEdit>("edAnodeV"), Qt::Key_Escape);
    QVERIFY(window_->isVisible());
    QCOMPARE(Count(env::PlatformEvent::Kind::Confirm), 0);
    const auto cycles = Cycles();
    window_->close();  // the close box, Alt+F4 and the window menu all arrive here
    QCOMPARE(Count(env::PlatformEvent::Kind::Confirm), 1);
    QVERIFY(window_->isVisible());
    QCOMPARE(W<QLineEdit>("edAnodeV")->text(), QStringLiteral("5000"));  // typed, not read
    QCOMPARE(Cycles(), cycles);
    QTest::mouseClick(W<QPushButton>("bClose"), Qt::LeftButton);
    QCOMPARE(Count(env::PlatformEvent::Kind::Confirm), 2);
    QVERIFY(window_->isVisible());
    QVERIFY(!QFile::exists(IniPath()));
    QCOMPARE(FirstMismatch(*window_), QString());
  }

  void closingWithYesSavesTheInputsAndPosition() {
    TypeInto("edAnodeV", QStringLiteral("5000"));
    QTest::keyClick(W<QLineEdit>("edAnodeV"), Qt::Key_Tab);
    window_->move(120, 80);
    QTest::mouseClick(W<QPushButton>("bClose"), Qt::LeftButton);
    QVERIFY(form_->Closed());
    QTRY_VERIFY(!window_->isVisible());
    QFile ini(IniPath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY(text.contains("edAnodeV=5000"));
    QVERIFY2(text.contains("Left=" + QByteArray::number(window_->x())), text.constData());
  }

  void aNewStartReopensWhereTheUserLeftTheWindow() {
    window_->move(40, 30);
    QTest::mouseClick(W<QPushButton>("bClose"), Qt::LeftButton);
    QVERIFY(form_->Closed());
    Open();
    QCOMPARE(window_->pos(), QPoint(40, 30));
  }

  void aSettingsFileThatCannotBeWrittenKeepsTheWindowOpen() {
    // State: a read-only settings file. Action: close, Yes. Expected: the error box, the window
    // stays, and the next close asks again.
    QFile ini(IniPath());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.close();
    QVERIFY(ini.setPermissions(QFileDevice::ReadOwner));
    window_->close();
    QVERIFY(window_->isVisible());
    QCOMPARE(Count(env::PlatformEvent::Kind::Error), 1);
    QCOMPARE(platform_->Events.back().Title, std::string(mainwindow::kAppTitle));
    QCOMPARE(platform_->Events.back().Text, "Unable to write to " + IniPath().toStdString() + ".");
    window_->close();
    QCOMPARE(Count(env::PlatformEvent::Kind::Confirm), 2);
    QVERIFY(window_->isVisible());
  }

  void windowHasTheDesignedFixedSizeAndNoMaximiseBox() {
    const QSize client(window_->Scale(641), window_->Scale(452));
    QCOMPARE(window_->size(), client);
    QCOMPARE(window_->minimumSize(), client);
    QCOMPARE(window_->maximumSize(), client);
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->Widget("pcResults")->geometry(),
             QRect(0, client.height() - window_->Scale(206), client.width(), window_->Scale(206)));
    QVERIFY(!window_->Widget("bHelpChm")->isVisible());
    QCOMPARE(window_->Widget("bEvaluate")->toolTip(),
             QStringLiteral("Compute results based on the current inputs"));
    QVERIFY(W<QPushButton>("bEvaluate")->isDefault());
    // Three columns: the error units stand side by side on one row.
    const auto& buttons = W<qtui::RadioGroup>("rgPowMeasUnit")->Buttons();
    QCOMPARE(buttons[0]->y(), buttons[2]->y());
    QVERIFY(buttons[0]->x() < buttons[1]->x() && buttons[1]->x() < buttons[2]->x());
  }

  // Every label is sized to the caption it shows, at the start (where labels sharing a caption
  // share one measurement) and after an evaluation has rewritten the value captions.
  void everyLabelFitsTheCaptionItShows() {
    auto firstMisplaced = [&]() -> QString {
      for (const mainwindow::DesignEntry& d : mainwindow::DesignTable()) {
        if (d.Kind != mainwindow::ControlKind::Label) continue;
        auto* label = W<QLabel>(d.Name);
        const QSize hint = label->sizeHint();
        const mainwindow::Extent x = mainwindow::PlaceLabelText(
            d.Alignment, window_->Scale(d.Left), window_->Scale(d.Width), hint.width());
        if (label->geometry() != QRect(x.Left, window_->Scale(d.Top), x.Width, hint.height())) {
          return Q(d.Name) + QStringLiteral(" \"") + label->text() + QLatin1Char('"');
        }
      }
      return {};
    };
    QCOMPARE(firstMisplaced(), QString());
    const QString before = W<QLabel>("lbPav")->text();
    W<QLineEdit>("edAnodeV")->setText(QStringLiteral("12345"));
    QTest::mouseClick(W<QPushButton>("bEvaluate"), Qt::LeftButton);
    QVERIFY(W<QLabel>("lbPav")->text() != before);
    QCOMPARE(firstMisplaced(), QString());
  }

  void noCaptionIsClippedAndNoControlOverlapsAnother() {
    for (const auto& tab : {"tsTransm", "tsPowMeas", "tsLoadMeas"}) {
      W<QTabWidget>("pcResults")->setCurrentWidget(window_->Widget(tab));
      for (const mainwindow::ControlRef& ref : form_->Controls()) {
        QWidget* w = window_->Widget(ref.Name);
        if (w == window_.get() || !w->isVisible()) continue;
        const QString name = Q(ref.Name);
        // Inside its parent.
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
        // Its text fits.
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(w)) needed = label->sizeHint().width();
        if (auto* box = qobject_cast<QCheckBox*>(w)) needed = box->sizeHint().width();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
          needed =
              button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) + 8;
        }
        if (auto* group = qobject_cast<QGroupBox*>(w)) {
          needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
          for (QObject* child : group->children()) {
            if (auto* radio = qobject_cast<QRadioButton*>(child)) {
              // Indicator, spacing and caption must fit; the size hint adds slack for the focus
              // frame.
              const int text = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                               radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                               radio->fontMetrics().horizontalAdvance(radio->text());
              QVERIFY2(text <= radio->width(), qPrintable(radio->text()));
              QVERIFY2(radio->height() >= radio->fontMetrics().height(), qPrintable(radio->text()));
            }
          }
        }
        QVERIFY2(needed <= w->width(), qPrintable(name + " needs " + QString::number(needed)));
        // No overlap with a sibling, but for Show Note over the tab strip, as designed.
        for (QObject* other : w->parentWidget()->children()) {
          auto* o = qobject_cast<QWidget*>(other);
          if (o == nullptr || o == w || !o->isVisible() || o->objectName().isEmpty()) continue;
          const QStringList pair{name, o->objectName()};
          if (pair.contains(QStringLiteral("bShowNote")) &&
              pair.contains(QStringLiteral("pcResults"))) {
            continue;
          }
          QVERIFY2(!w->geometry().intersects(o->geometry()),
                   qPrintable(name + " overlaps " + o->objectName()));
        }
      }
    }
  }

  void screenReadersGetNamesAndCurrentValues() {
    // What assistive technology asks the widgets for, without a bus: each interface's texts.
    auto text = [](QWidget* w, QAccessible::Text t) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
      return iface != nullptr ? iface->text(t) : QStringLiteral("<none>");
    };
    const struct {
      const char* Control;
      const char* Name;
    } named[] = {
        {"edAnodeV", "Anode voltage, V"},
        {"edLoaMag", "Load reflection magnitude"},
        {"cbLoaRfl", "Load reflection magnitude unit"},  // not its current item
        {"chIdeal", "Ideal couplers"},
    };
    for (const auto& n : named) {
      QCOMPARE(text(window_->Widget(n.Control), QAccessible::Name), QString::fromUtf8(n.Name));
    }
    QCOMPARE(text(W<QComboBox>("cbLoaRfl"), QAccessible::Value),
             W<QComboBox>("cbLoaRfl")->currentText());
    auto* updown = W<qtui::UpDown>("udEff");
    QCOMPARE(text(updown->UpArrow(), QAccessible::Name),
             QStringLiteral("Magnetron efficiency, step up"));
    QCOMPARE(text(updown->DownArrow(), QAccessible::Name),
             QStringLiteral("Magnetron efficiency, step down"));
    QCOMPARE(W<QLabel>("lbAnodeV")->buddy(), window_->Widget("edAnodeV"));

    // A cell reads as its quantity, value and unit, and follows every new value.
    auto* cell = W<qtui::ValueCell>("pnlPmatchUnit");
    const QString before = text(cell, QAccessible::Name);
    QCOMPARE(before, QStringLiteral("Power to match: ") + W<QLabel>("lbPmatch2")->text() + " " +
                         cell->Caption());
    QCOMPARE(text(cell, QAccessible::Description), QStringLiteral("Power to match"));
    QCOMPARE(QAccessible::queryAccessibleInterface(cell)->childCount(), 0);
    TypeInto("edAnodeV", QStringLiteral("5000"));
    QTest::keyClick(W<QLineEdit>("edAnodeV"), Qt::Key_Tab);
    const QString after = text(cell, QAccessible::Name);
    QVERIFY2(after != before, qPrintable(after));
    QVERIFY2(after.endsWith(W<QLabel>("lbPmatch2")->text() + " " + cell->Caption()),
             qPrintable(after));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
