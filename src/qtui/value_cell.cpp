#include "qtui/value_cell.h"

#include <QPainter>

namespace qtui {

ValueCell::ValueCell(QWidget* parent) : QFrame(parent) {
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
