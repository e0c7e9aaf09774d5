#include "qtui/window_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "mainwindow/accessible_names.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/up_down.h"
#include "qtui/value_cell.h"

namespace qtui {

namespace {

using mainwindow::AccessibleRole;

// On Linux Qt names a pick-only list after its current item, so four unit lists all read "Mag".
// A list given a name of its own reads by that name, its current item being its value.
class NamedListAccessible : public QAccessibleWidget {
 public:
  explicit NamedListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    const auto* list = static_cast<const QComboBox*>(widget());
    switch (t) {
      case QAccessible::Name:
        return list->accessibleName();
      case QAccessible::Value:
        return list->currentText();
      default:
        return QAccessibleWidget::text(t);
    }
  }
};

// Asked once per widget, when assistive technology first meets it: the window names its lists
// while it is built, before it is shown.
QAccessibleInterface* NamedListFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QComboBox")) return nullptr;
  auto* list = qobject_cast<QComboBox*>(object);
  if (list == nullptr || list->isEditable() || list->accessibleName().isEmpty()) return nullptr;
  return new NamedListAccessible(list);
}

// Setting a name announces it, so only a changed one is set.
void SetName(QWidget* w, const QString& name) {
  if (w != nullptr && w->accessibleName() != name) w->setAccessibleName(name);
}

void Refresh(MainWindow& window) {
  const mainwindow::TForm1& f = window.Form();
  for (const mainwindow::AccessibleControl& a : mainwindow::AccessibleControls()) {
    QWidget* w = window.Widget(a.Control);
    if (w == nullptr) continue;
    const QString name = Q(mainwindow::AccessibleName(f, a.Control));
    switch (a.Role) {
      case AccessibleRole::Input:
        SetName(w, name);
        break;
      case AccessibleRole::UnitList:
        if (w->accessibleName().isEmpty()) {
          w->setAccessibleName(name);
          // Filling the list while it was built may already have made Qt's own reading of
          // it; drop that, so the next reader meets the named one.
          QAccessibleInterface* old = QAccessible::queryAccessibleInterface(w);
          if (old != nullptr && dynamic_cast<NamedListAccessible*>(old) == nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
          }
        } else {
          SetName(w, name);
        }
        break;
      case AccessibleRole::UpDown:
        SetName(w, name);
        if (auto* updown = qobject_cast<UpDown*>(w)) {
          SetName(updown->UpArrow(), Q(mainwindow::StepArrowName(f, a.Control, true)));
          SetName(updown->DownArrow(), Q(mainwindow::StepArrowName(f, a.Control, false)));
        }
        break;
      case AccessibleRole::Cell:
        if (auto* cell = qobject_cast<ValueCell*>(w)) {
          cell->SetAccessibleTexts(name, Q(mainwindow::AccessibleCellValue(f, a.Control)));
        }
        break;
    }
  }
}

}  // namespace

void NameForAssistiveTechnology(MainWindow& window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(NamedListFactory);
    return true;
  }();
  (void)factoryInstalled;
  for (const mainwindow::AccessibleControl& a : mainwindow::AccessibleControls()) {
    const std::string_view label = mainwindow::CaptionLabelOf(a.Control);
    if (label.empty()) continue;
    if (auto* l = qobject_cast<QLabel*>(window.Widget(label)))
      l->setBuddy(window.Widget(a.Control));
  }
  Refresh(window);
  QObject::connect(&window, &MainWindow::formChanged, &window, [&window] { Refresh(window); });
}

}  // namespace qtui
