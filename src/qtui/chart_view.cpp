#include "qtui/chart_view.h"

#include <QEvent>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <utility>

#include "qtui/qpainter_canvas.h"

namespace qtui {

chart::Style ChartStyleFor(const QWidget& widget) {
  chart::Style s;
  // A dark window background asks for the dark chart colours, whatever the theme is called.
  const QColor background = widget.palette().color(QPalette::Window);
  s.Colours = background.lightness() < 128 ? chart::DarkPalette() : chart::LightPalette();
  // The engine measures text in pixels; the desktop's font says how large body text is.
  const double px = QFontInfo(widget.font()).pixelSize();
  if (px > 0.0) {
    s.TextSize = px;
    s.TickSize = px * 11.0 / 12.0;
    s.TitleSize = px * 14.0 / 12.0;
    s.Pad = px * 8.0 / 12.0;
  }
  return s;
}

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::SetChart(chart::XyChart chart) {
  chart_ = std::move(chart);
  laidOut_ = false;
  readout_.clear();
  update();
}

const chart::XyLayout& ChartView::Layout() {
  if (!laidOut_ || layout_.Width != width() || layout_.Height != height()) {
    // Measure as the paint will: the same canvas and font, on a scratch image.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&scratch);
    QPainterCanvas canvas(p, font());
    const chart::Style style = ChartStyleFor(*this);
    layout_ = chart::LayoutXy(
        chart_, width(), height(), style,
        [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
    laidOut_ = true;
  }
  return layout_;
}

QImage ChartView::Render(QSize size) const {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  const chart::Style style = ChartStyleFor(*this);
  const chart::Color bg = style.Colours.Background;
  image.fill(QColor(bg.R, bg.G, bg.B));
  QPainter p(&image);
  QPainterCanvas canvas(p, font());
  chart::DrawXy(canvas, chart_, size.width(), size.height(), style);
  return image;
}

void ChartView::paintEvent(QPaintEvent*) {
  const chart::Style style = ChartStyleFor(*this);
  QPainter p(this);
  const chart::Color bg = style.Colours.Background;
  p.fillRect(rect(), QColor(bg.R, bg.G, bg.B));
  {
    QPainterCanvas canvas(p, font());
    layout_ = chart::DrawXy(canvas, chart_, width(), height(), style);
    laidOut_ = true;
  }
  if (readout_.isEmpty()) return;
  // The read-out in a box beside the point, kept inside the widget.
  const QRectF text = p.fontMetrics().boundingRect(QRect(0, 0, width(), height()),
                                                   Qt::AlignLeft | Qt::TextWordWrap, readout_);
  QRectF box = text.adjusted(-6, -4, 6, 4);
  box.moveTopLeft(readoutAt_ + QPointF(12, 12));
  if (box.right() > width()) box.moveRight(readoutAt_.x() - 12);
  if (box.bottom() > height()) box.moveBottom(readoutAt_.y() - 12);
  const chart::Color fg = style.Colours.Text;
  const chart::Color plot = style.Colours.PlotBackground;
  p.setPen(QColor(fg.R, fg.G, fg.B));
  p.setBrush(QColor(plot.R, plot.G, plot.B, 235));
  p.drawRect(box);
  p.drawText(box.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::TextWordWrap, readout_);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(readoutAt_, 4.0, 4.0);
}

void ChartView::HoverAt(QPointF at) {
  const chart::XyReadout r = chart::HoverXy(chart_, Layout(), {at.x(), at.y()});
  QString text;
  if (r.Found) {
    text = QString::fromStdString(chart::ReadoutText(chart_, r));
    readoutAt_ = QPointF(r.At.X, r.At.Y);
  }
  if (text != readout_) {
    readout_ = text;
    update();
  }
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  HoverAt(event->position());
  QWidget::mouseMoveEvent(event);
}

void ChartView::leaveEvent(QEvent* event) {
  if (!readout_.isEmpty()) {
    readout_.clear();
    update();
  }
  QWidget::leaveEvent(event);
}

void ChartView::changeEvent(QEvent* event) {
  // A new palette or font (the desktop switched to dark, a larger font) lays out again.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
    laidOut_ = false;
    update();
  }
  QWidget::changeEvent(event);
}

}  // namespace qtui
