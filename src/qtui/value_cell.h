#pragma once

#include <QFrame>
#include <QString>

// A value cell: a sunken panel that draws its own caption (a unit, or a centred value) and
// may hold an inner value label.
namespace qtui {

class ValueCell : public QFrame {
  Q_OBJECT

 public:
  explicit ValueCell(QWidget* parent = nullptr);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  void SetCaptionAlignment(Qt::Alignment alignment);

  // What assistive technology reads for the cell: its quantity ("Incident power, actual
  // value") and its value with the unit ("992.32 W"), which a painted caption cannot tell.
  // A change is announced to listeners; the value label inside stays out of their view.
  void SetAccessibleTexts(const QString& quantity, const QString& value);
  const QString& AccessibleQuantity() const { return quantity_; }
  const QString& AccessibleValue() const { return value_; }
  // "Incident power, actual value: 992.32 W", or the quantity alone while nothing is shown.
  QString AccessibleSentence() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignRight;
  QString quantity_;
  QString value_;
};

}  // namespace qtui
