#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "chart/chart.h"

// Any engine chart on screen (an XY chart, a Smith chart or a contour map), drawn through the
// QPainter canvas in the window palette's colours, with the value under the pointer beside it.
namespace qtui {

class AnyChartView : public QWidget {
  Q_OBJECT

 public:
  explicit AnyChartView(QWidget* parent = nullptr);

  void SetChart(chart::AnyChart chart);
  const chart::AnyChart& Chart() const { return chart_; }
  // What the hover shows now; empty when the pointer is over nothing.
  const QString& ReadoutText() const { return readout_; }
  // The hover at a point of the widget, as a mouse move would set it.
  void HoverAt(QPointF at);

  // The chart drawn at the given size, for PNG export, the clipboard and a look at a sheet.
  QImage Render(QSize size) const;

  QSize sizeHint() const override { return {560, 420}; }
  QSize minimumSizeHint() const override { return {240, 160}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  chart::AnyChart chart_;
  QString readout_;
  QPointF readoutAt_;
};

}  // namespace qtui
