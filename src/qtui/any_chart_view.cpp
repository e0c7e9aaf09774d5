#include "qtui/any_chart_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <type_traits>
#include <utility>

#include "chart/contour.h"
#include "chart/smith_hover.h"
#include "chart/xy_hover.h"
#include "chart/xy_layout.h"
#include "qtui/chart_view.h"
#include "qtui/qpainter_canvas.h"

namespace qtui {

AnyChartView::AnyChartView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void AnyChartView::SetChart(chart::AnyChart chart) {
  chart_ = std::move(chart);
  readout_.clear();
  update();
}

QImage AnyChartView::Render(QSize size) const {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  const chart::Style style = ChartStyleFor(*this);
  const chart::Color bg = style.Colours.Background;
  image.fill(QColor(bg.R, bg.G, bg.B));
  QPainter p(&image);
  QPainterCanvas canvas(p, font());
  chart::Draw(canvas, chart_, size.width(), size.height(), style);
  return image;
}

void AnyChartView::paintEvent(QPaintEvent*) {
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
}

void AnyChartView::HoverAt(QPointF at) {
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
  std::visit(
      [&](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, chart::XyChart>) {
          const chart::XyReadout r =
              chart::HoverXy(c, chart::LayoutXy(c, width(), height(), style, measure), pointer);
          if (r.Found) text = chart::ReadoutText(c, r);
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
  readoutAt_ = at;
  if (shown != readout_) {
    readout_ = shown;
    update();
  }
}

void AnyChartView::mouseMoveEvent(QMouseEvent* event) {
  HoverAt(event->position());
  QWidget::mouseMoveEvent(event);
}

void AnyChartView::leaveEvent(QEvent* event) {
  if (!readout_.isEmpty()) {
    readout_.clear();
    update();
  }
  QWidget::leaveEvent(event);
}

void AnyChartView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}

}  // namespace qtui
