#include "qtui/up_down.h"

#include <QEvent>
#include <QToolButton>

namespace qtui {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setFocusPolicy(Qt::NoFocus);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    // The step happens on the press, as on the desktop's own spinners; Qt's auto-repeat would
    // only step on release, so the repeat is timed here.
    b->setAutoRepeat(false);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::pressed, this, [this] { Press(true); });
  connect(down_, &QToolButton::pressed, this, [this] { Press(false); });
  connect(up_, &QToolButton::released, this, &UpDown::Release);
  connect(down_, &QToolButton::released, this, &UpDown::Release);
  connect(&repeat_, &QTimer::timeout, this, [this] {
    repeat_.setInterval(kRepeatIntervalMs);
    // Stop when the pointer has slid off the held arrow, as a held button stops repeating.
    QToolButton* held = repeatUp_ ? up_ : down_;
    if (held->isDown()) Q_EMIT stepped(repeatUp_);
  });
}

void UpDown::Press(bool up) {
  repeatUp_ = up;
  repeat_.start(kRepeatDelayMs);
  Q_EMIT stepped(up);
}

void UpDown::Release() { repeat_.stop(); }

void UpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) repeat_.stop();
  QWidget::changeEvent(event);
}

}  // namespace qtui
