#pragma once

#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>

#include "chart/chart.h"
#include "chart/style.h"

// One engine chart on screen (an XY chart, a Smith chart or a contour map): laid out for the
// widget's size, drawn through the QPainter canvas in the window palette's colours (light or
// dark) and the desktop's font, with the value under the pointer shown beside it.
namespace qtui {

// The engine's colours and sizes for a widget: the dark palette when the window's background
// is dark, text sizes from the widget's font.
chart::Style ChartStyleFor(const QWidget& widget);

class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(QWidget* parent = nullptr);

  void SetChart(chart::AnyChart chart);
  const chart::AnyChart& Chart() const { return chart_; }
  // Where a point of an XY chart's data lies in the widget as laid out now; none for the other
  // kinds.
  std::optional<QPointF> PixelOf(double x, double y) const;

  // What the hover shows now; empty when the pointer is over nothing.
  const QString& ReadoutText() const { return readout_; }
  // The hover at a point of the widget, as a mouse move would set it.
  void HoverAt(QPointF at);

  // The chart drawn at the given size, for PNG export and the clipboard.
  QImage Render(QSize size) const;

  QSize sizeHint() const override { return {640, 400}; }
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
  bool ringAtReadout_ = false;  // the read-out names a point of a curve, ringed
};

}  // namespace qtui
