#include "qtui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>

#include "mainwindow/binding_rules.h"
#include "mainwindow/design_colors.h"
#include "mainwindow/focus_order.h"
#include "mainwindow/push_control.h"
#include "mainwindow/window_layout.h"
#include "qtui/qt_text.h"
#include "qtui/radio_group.h"
#include "qtui/up_down.h"
#include "qtui/value_cell.h"
#include "qtui/window_style.h"
#include "startup/lifecycle.h"
#include "views/caption.h"
#include "views/texts.h"

namespace qtui {

namespace {

using mainwindow::ControlKind;
using mainwindow::DesignEntry;
using mainwindow::TColor;
using mainwindow::TextAlign;

// The user moved the focus: a key or a click. Activation changes and popups (a box opening,
// a list dropping down) move it only for a while and raise nothing.
bool IsUserFocusReason(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

using mainwindow::FlagGuard;

}  // namespace

MainWindow::MainWindow(mainwindow::TForm1& form, QWidget* parent) : QDialog(parent), form_(form) {
  // A main window with a system menu, minimise and close, but no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(false);
  Build();
}

int MainWindow::Scale(int designPx) const {
  return mainwindow::ScaleDesignPx(designPx, buildDpi_ != 0 ? buildDpi_ : logicalDpiX());
}

QWidget* MainWindow::Widget(std::string_view name) const {
  const auto it = widgets_.find(name);
  return it == widgets_.end() ? nullptr : it->second;
}

void MainWindow::Watch(QWidget* widget, std::string_view controlName) {
  focusNames_.emplace(widget, std::string(controlName));
  widget->installEventFilter(this);
}

// Tab and Shift+Tab follow the window's own tab cycle, which goes round at either end and
// enters a radio group at its selected button.
bool MainWindow::focusNextPrevChild(bool next) {
  const auto it = focusNames_.find(QApplication::focusWidget());
  const std::string from = it != focusNames_.end() ? it->second : form_.Focused();
  QWidget* target = FocusWidget(mainwindow::NextTabStop(form_, from, next));
  if (target == nullptr) return false;
  target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

// The widget that holds the focus for a control: a radio group's selected button (else its
// first), the page control's tab bar.
QWidget* MainWindow::FocusWidget(std::string_view name) const {
  QWidget* w = Widget(name);
  if (auto* group = qobject_cast<RadioGroup*>(w)) {
    const std::vector<QRadioButton*>& buttons = group->Buttons();
    if (buttons.empty()) return nullptr;
    return buttons[mainwindow::FocusButtonOfRadioGroup(group->ItemIndex(), buttons.size())];
  }
  if (w == pages_) return pages_->tabBar();
  return w;
}

// A label sizes itself to its caption: from its left edge, around its centre or back from its
// right edge, as its alignment says; never narrower than a centred heading's column.
void MainWindow::PlaceLabel(std::string_view name) {
  const DesignEntry* d = mainwindow::FindDesign(name);
  auto* label = static_cast<QLabel*>(Widget(name));
  const QRect design(Scale(d->Left), Scale(d->Top), Scale(d->Width), Scale(d->Height));
  QSize hint;
  if (placingDeferred_) {
    // Every label is built alike (plain text, no margin or indent, the window's font), so a
    // caption's size does not depend on which label shows it.
    const auto [it, added] = labelHints_.try_emplace(label->text());
    if (added) it->second = label->sizeHint();
    hint = it->second;
  } else {
    hint = label->sizeHint();
  }
  const mainwindow::Extent x =
      mainwindow::PlaceLabelText(d->Alignment, design.left(), design.width(), hint.width());
  label->setGeometry(x.Left, design.top(), x.Width, hint.height());
}

void MainWindow::PlaceAllLabels() {
  for (const DesignEntry& d : mainwindow::DesignTable()) {
    if (d.Kind == ControlKind::Label) PlaceLabel(d.Name);
  }
}

void MainWindow::Create() {
  const FixedDpi sameScreen(*this);
  if (form_.OnCreate) form_.OnCreate();
  const bool firstStart = startup::OpensCentred(form_);
  {
    // The first push rewrites many captions; a label is placed after it, for its final one.
    const FlagGuard deferred(placingDeferred_);
    Push();
    PlaceAllLabels();
    labelHints_.clear();
  }
  const QSize client(Scale(form_.Form1.ClientWidth), Scale(form_.Form1.ClientHeight));
  // A native (global) menu bar takes no room in the window.
  const int bar =
      menuBar_ != nullptr && !menuBar_->isNativeMenuBar() ? menuBar_->sizeHint().height() : 0;
  if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, client.width(), bar);
  client_->setGeometry(0, bar, client.width(), client.height());
  const QSize whole(client.width(), client.height() + bar);
  if (form_.Form1.Resizable) {
    resize(whole);
  } else {
    setFixedSize(whole);
  }
  // The result pages stand on the bottom edge across the whole client width.
  const int pagesHeight = Scale(mainwindow::FindDesign("pcResults")->Height);
  pages_->setGeometry(0, client.height() - pagesHeight, client.width(), pagesHeight);
  Place(firstStart);

  QWidget* focus = FocusWidget(form_.Focused());
  if (focus != nullptr) focus->setFocus(Qt::OtherFocusReason);
}

void MainWindow::SetMenuBar(QMenuBar* bar) {
  menuBar_ = bar;
  bar->setParent(this);
}

void MainWindow::SetCaseName(const QString& name) {
  caseName_ = name;
  setWindowTitle(Title());
}

QString MainWindow::Title() const {
  const std::optional<mainwindow::MeasuredLoad>& load = form_.HeldLoad();
  const std::string note = load ? views::MeasuredLoadNote(load->FileName, load->FreqHz) : "";
  return QString::fromStdString(
      views::WindowCaption(form_.Form1.Caption, caseName_.toStdString(), note));
}

void MainWindow::Place(bool firstStart) {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return;
  const QRect area = s->availableGeometry();
  const mainwindow::WindowPosition at =
      mainwindow::PlaceWindow(firstStart, {form_.Form1.Left, form_.Form1.Top}, width(), height(),
                              {area.x(), area.y(), area.width(), area.height()});
  move(at.Left, at.Top);
}

void MainWindow::Act(const std::function<void()>& action) {
  const bool closed = mainwindow::RunUserAction(
      acting_, form_, [this] { Pull(); }, action, [this] { Push(); });
  if (closed && !closing_) close();
}

void MainWindow::Pull() {
  for (const mainwindow::ControlRef& ref : form_.Controls()) {
    if (ref.Kind != ControlKind::Edit) continue;
    if (const auto* edit = qobject_cast<const QLineEdit*>(Widget(ref.Name))) {
      std::get<mainwindow::Edit*>(ref.Ptr)->Text = edit->text().toStdString();
    }
  }
  if (isVisible()) {
    form_.Form1.Left = x();
    form_.Form1.Top = y();
  }
}

// How the Qt widgets show each control's state; what is shown is decided by PushControl.
struct MainWindow::PushSink {
  MainWindow& Window;
  QWidget* W = nullptr;

  // The caption with the open case and the measured load around it, not the bare caption.
  void Title(const std::string&) { Window.setWindowTitle(Window.Title()); }
  void State(const mainwindow::ControlRef&, bool visible, bool enabled) {
    W->setEnabled(enabled);
    if (W->isVisibleTo(W->parentWidget()) != visible) W->setVisible(visible);
  }
  void Sheet(const mainwindow::ControlRef&, bool) {}  // the tab widget shows its page
  void Show(const mainwindow::ControlRef&, const mainwindow::Edit& c) {
    auto* edit = static_cast<QLineEdit*>(W);
    const QString text = QString::fromStdString(c.Text);
    if (edit->text() != text) edit->setText(text);  // keeps the cursor otherwise
    SetColors(edit, QPalette::Base, QPalette::Text, c.Color);
  }
  void Show(const mainwindow::ControlRef& ref, const mainwindow::Label& c) {
    auto* label = static_cast<QLabel*>(W);
    const QString text = QString::fromStdString(c.Caption);
    if (label->text() != text) {
      label->setText(text);
      if (!Window.placingDeferred_) Window.PlaceLabel(ref.Name);
    }
    label->setAutoFillBackground(c.Color != TColor::clBtnFace);
    SetColors(label, QPalette::Window, QPalette::WindowText, c.Color);
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::Panel& c) {
    auto* cell = static_cast<ValueCell*>(W);
    cell->SetCaption(QString::fromStdString(c.Caption));
    SetColors(cell, QPalette::Window, QPalette::WindowText, c.Color);
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::DropDown& c) {
    auto* list = static_cast<QComboBox*>(W);
    if (list->currentIndex() != c.ItemIndex()) list->setCurrentIndex(c.ItemIndex());
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::UpDown&) {}  // steps its edit
  void Show(const mainwindow::ControlRef&, const mainwindow::CheckBox& c) {
    static_cast<QCheckBox*>(W)->setChecked(c.Checked());
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::RadioGroup& c) {
    auto* group = static_cast<RadioGroup*>(W);
    if (group->ItemIndex() != c.ItemIndex()) group->SetItemIndex(c.ItemIndex());
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::Button&, std::string_view tip) {
    W->setToolTip(Q(tip));
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::GroupBox& c) {
    static_cast<QGroupBox*>(W)->setTitle(QString::fromStdString(c.Caption));
  }
  void Show(const mainwindow::ControlRef&, const mainwindow::PageControl& c) {
    const auto& names = Window.sheetNames_;
    const auto it = std::find(names.begin(), names.end(), c.ActivePage);
    if (it != names.end()) Window.pages_->setCurrentIndex(static_cast<int>(it - names.begin()));
  }
};

void MainWindow::Push() {
  PushSink sink{*this};
  for (const mainwindow::ControlRef& ref : form_.Controls()) {
    sink.W = Widget(ref.Name);
    if (sink.W == nullptr) continue;
    const QSignalBlocker block(sink.W);
    mainwindow::PushControl(ref, form_, sink);
  }
  Q_EMIT formChanged();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto it = focusNames_.find(watched);
  if (it == focusNames_.end()) return QDialog::eventFilter(watched, event);
  const std::string& name = it->second;
  if (event->type() == QEvent::FocusIn) {
    // Leaving an edit is its OnExit; the form raises it when it learns where the focus went.
    const auto* focus = static_cast<QFocusEvent*>(event);
    if (IsUserFocusReason(focus->reason()) && name != form_.Focused()) {
      Act([&] { form_.UserFocus(name); });
    }
  } else if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
      // A focused button takes Enter itself; anywhere else Enter is the Evaluate button's.
      Act([&] { form_.UserKeyEnter(); });
      return true;
    }
    if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && mods == Qt::NoModifier) {
      const std::string_view updown = mainwindow::UpDownOfEdit(name);
      if (!updown.empty()) {
        const bool up = key->key() == Qt::Key_Up;
        Act([&] { form_.UserStep(updown, up); });
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      // The window is not a dialog to the user: Escape neither rejects nor closes it.
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Act([&] { form_.UserKeyEnter(); });
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

// Every close request (close box, window menu, Alt+F4, bClose) goes through the form's
// OnClose; the window closes only when the form says so.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (form_.Closed()) {
    event->accept();
    return;
  }
  if (acting_) {  // a close request while a box of this window is open
    event->ignore();
    return;
  }
  {
    const FlagGuard guard(closing_);
    Act([&] { form_.Close(); });
  }
  if (form_.Closed()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace qtui
