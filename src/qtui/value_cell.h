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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignRight;
};

}  // namespace qtui
