#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

// A radio group: a captioned box whose items are radio buttons laid out in columns, filled
// column by column, evenly over the box below its caption.
namespace qtui {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns,
             QWidget* parent = nullptr);

  const std::vector<QRadioButton*>& Buttons() const { return buttons_; }
  QButtonGroup& Group() { return group_; }
  int ItemIndex() const { return group_.checkedId(); }
  // Selects an item from code; -1 clears the selection. Emits nothing.
  void SetItemIndex(int index);
  // Lays the items out over the box's current size.
  void Arrange();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<QRadioButton*> buttons_;
  QButtonGroup group_;
  int columns_;
};

}  // namespace qtui
