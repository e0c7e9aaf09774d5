#include "qtui/radio_group.h"

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

// Rows share the height below the caption line; the remainder is split above and below.
void RadioGroup::Arrange() {
  const int count = static_cast<int>(buttons_.size());
  if (count == 0) return;
  const int perColumn = (count + columns_ - 1) / columns_;
  const int textHeight = fontMetrics().height();
  // Margins in proportion to the font: 8 and 2 pixels at the design's 15-pixel font.
  const int leftMargin = qRound(textHeight * 8.0 / 15.0);
  const int rightMargin = qRound(textHeight * 2.0 / 15.0);
  const int buttonWidth = (width() - leftMargin - rightMargin) / columns_;
  const int free = std::max(0, height() - textHeight - 5);
  const int buttonHeight = free / perColumn;
  const int topMargin = textHeight + 1 + (free % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    const int left = (i / perColumn) * buttonWidth + leftMargin;
    const int top = (i % perColumn) * buttonHeight + topMargin;
    buttons_[static_cast<std::size_t>(i)]->setGeometry(left, top, buttonWidth, buttonHeight);
  }
}

}  // namespace qtui
