#include "qtui/radio_group.h"

#include "mainwindow/window_layout.h"

#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace qtui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), columns_(std::max(1, columns)) {
  int id = 0;
  for (const QString& item : items) {
    auto* b = new QRadioButton(item, this);
    group_.addButton(b, id++);
    buttons_.push_back(b);
  }
}

void RadioGroup::SetItemIndex(int index) {
  const QSignalBlocker blockGroup(&group_);
  if (index < 0 || index >= static_cast<int>(buttons_.size())) {
    // An exclusive group refuses to uncheck its last checked button.
    group_.setExclusive(false);
    for (QRadioButton* b : buttons_) {
      const QSignalBlocker block(b);
      b->setChecked(false);
    }
    group_.setExclusive(true);
    return;
  }
  QRadioButton* b = buttons_[static_cast<std::size_t>(index)];
  const QSignalBlocker block(b);
  b->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  Arrange();
}

void RadioGroup::Arrange() {
  const int count = static_cast<int>(buttons_.size());
  const int textHeight = fontMetrics().height();
  for (int i = 0; i < count; ++i) {
    const mainwindow::ScreenRect r =
        mainwindow::RadioButtonRect(i, count, columns_, width(), height(), textHeight);
    buttons_[static_cast<std::size_t>(i)]->setGeometry(r.Left, r.Top, r.Width, r.Height);
  }
}

}  // namespace qtui
