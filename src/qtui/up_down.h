#pragma once

#include <QTimer>
#include <QWidget>

class QToolButton;

// An up-down: a pair of arrows stacked vertically, bound by name to an edit. It never takes
// the focus and holds no position of its own: each press, and each repeat while an arrow is
// held, reports one step; the window's model decides what the step does.
namespace qtui {

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  QToolButton* UpArrow() const { return up_; }
  QToolButton* DownArrow() const { return down_; }

  // Delay before a held arrow starts repeating, and the time between repeats.
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 60;

 Q_SIGNALS:
  void stepped(bool up);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Press(bool up);
  void Release();

  QToolButton* up_;
  QToolButton* down_;
  QTimer repeat_;
  bool repeatUp_ = true;
};

}  // namespace qtui
