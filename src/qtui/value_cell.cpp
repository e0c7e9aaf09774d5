#include "qtui/value_cell.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include "mainwindow/texts.h"
#include "qtui/qt_text.h"

namespace qtui {

namespace {

// A cell reads as one piece of static text: quantity, value and unit. Its inner value label is
// not a child of its own in the accessible tree, or a listener would meet the bare number too.
class CellAccessible : public QAccessibleWidget {
 public:
  explicit CellAccessible(ValueCell* cell) : QAccessibleWidget(cell, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    const auto* cell = static_cast<const ValueCell*>(widget());
    switch (t) {
      case QAccessible::Name:
        return cell->AccessibleQuantity().isEmpty() ? cell->Caption() : cell->AccessibleSentence();
      case QAccessible::Description:
        return cell->AccessibleQuantity();
      case QAccessible::Value:
        return cell->AccessibleValue();
      default:
        return QAccessibleWidget::text(t);
    }
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

QAccessibleInterface* CellAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(ValueCell::staticMetaObject.className())) {
    if (auto* cell = qobject_cast<ValueCell*>(object)) return new CellAccessible(cell);
  }
  return nullptr;
}

}  // namespace

ValueCell::ValueCell(QWidget* parent) : QFrame(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(CellAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
}

void ValueCell::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

QString ValueCell::AccessibleSentence() const {
  if (value_.isEmpty()) return quantity_;
  return quantity_ + Q(mainwindow::spoken::kValueSeparator) + value_;
}

void ValueCell::SetAccessibleTexts(const QString& quantity, const QString& value) {
  if (quantity == quantity_ && value == value_) return;
  const bool valueChanged = value != value_;
  quantity_ = quantity;
  value_ = value;
  if (!QAccessible::isActive()) return;
  QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&nameChanged);
  if (valueChanged) {
    QAccessibleValueChangeEvent valueEvent(this, value_);
    QAccessible::updateAccessibility(&valueEvent);
  }
}

void ValueCell::SetCaptionAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void ValueCell::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (caption_.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  // Keep the caption off the bevel by the bevel's width plus a little air.
  const int inset = frameWidth() + 2;
  // QPainter takes the flags as int, while QFlags<Qt::AlignmentFlag> holds them unsigned.
  const auto flags = static_cast<int>((alignment_ | Qt::AlignVCenter).toInt());
  painter.drawText(rect().adjusted(inset, 0, -inset, 0), flags, caption_);
}

}  // namespace qtui
