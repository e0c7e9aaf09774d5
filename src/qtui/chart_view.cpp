#include "qtui/chart_view.h"

#include <QEvent>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "chart/contour.h"
#include "chart/smith_hover.h"
#include "chart/xy_hover.h"
#include "chart/xy_layout.h"
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

void ChartView::SetChart(chart::AnyChart chart) {
  chart_ = std::move(chart);
  readout_.clear();
  update();
}

QImage ChartView::Render(QSize size) const {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  const chart::Style style = ChartStyleFor(*this);
  const chart::Color bg = style.Colours.Background;
  image.fill(QColor(bg.R, bg.G, bg.B));
  QPainter p(&image);
  QPainterCanvas canvas(p, font());
  chart::Draw(canvas, chart_, size.width(), size.height(), style);
  return image;
}

void ChartView::paintEvent(QPaintEvent*) {
  const chart::Style style = ChartStyleFor(*this);
  QPainter p(this);
  const chart::Color bg = style.Colours.Background;
  p.fillRect(rect(), QColor(bg.R, bg.G, bg.B));
  {
    QPainterCanvas canvas(p, font());
    chart::Draw(canvas, chart_, width(), height(), style);
  }
  if (readout_.isEmpty()) return;
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
  if (ringAtReadout_) {
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(readoutAt_, 4.0, 4.0);
  }
}

std::optional<QPointF> ChartView::PixelOf(double x, double y) const {
  const auto* xy = std::get_if<chart::XyChart>(&chart_);
  if (xy == nullptr) return std::nullopt;
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&scratch);
  QPainterCanvas canvas(p, font());
  const chart::XyLayout l = chart::LayoutXy(
      *xy, width(), height(), ChartStyleFor(*this),
      [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
  return QPointF(l.X.ToPixel(x), l.Y.ToPixel(y));
}

void ChartView::HoverAt(QPointF at) {
  // Laid out as the paint lays it out: the same canvas and font, on a scratch image.
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&scratch);
  QPainterCanvas canvas(p, font());
  const chart::Style style = ChartStyleFor(*this);
  const auto measure = [&canvas](std::string_view t, double size) {
    return canvas.TextWidth(t, size);
  };
  const chart::Point pointer{at.x(), at.y()};
  std::string text;
  std::optional<QPointF> snapped;  // a curve's point the read-out names
  std::visit(
      [&](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, chart::XyChart>) {
          const chart::XyReadout r =
              chart::HoverXy(c, chart::LayoutXy(c, width(), height(), style, measure), pointer);
          if (r.Found) {
            text = chart::ReadoutText(c, r);
            snapped = QPointF(r.At.X, r.At.Y);
          }
        } else if constexpr (std::is_same_v<T, chart::SmithChart>) {
          const chart::SmithReadout r = chart::HoverSmith(
              c, chart::LayoutSmith(c, width(), height(), style, measure), pointer);
          // Away from every mark, what the pointer itself stands on.
          if (r.Found) {
            text = chart::ReadoutText(c, r);
          } else if (r.InChart) {
            text = chart::ReflectionText(c, r.PointerGamma);
          }
        } else {
          const chart::ContourReadout r = chart::HoverContour(
              c, chart::LayoutContour(c, width(), height(), style, measure), pointer);
          if (r.InPlot) text = chart::ReadoutText(c, r);
        }
      },
      chart_);
  const QString shown = QString::fromStdString(text);
  readoutAt_ = snapped.value_or(at);
  ringAtReadout_ = snapped.has_value();
  if (shown != readout_) {
    readout_ = shown;
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
  // A new palette or font (the desktop switched to dark, a larger font) draws anew.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}

}  // namespace qtui
