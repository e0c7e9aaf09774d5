#include "qtui/qpainter_canvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <cmath>

namespace qtui {
namespace {

QColor ToQColor(chart::Color c) { return QColor(c.R, c.G, c.B, c.A); }

QString ToQString(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

bool Finite(chart::Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, const QFont& font)
    : painter_(painter), font_(font) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QPainterCanvas::~QPainterCanvas() {
  while (clipDepth_ > 0) PopClip();
}

QFont QPainterCanvas::FontFor(double size, bool bold) const {
  QFont f = font_;
  // The engine sizes text in pixels, like everything else it lays out.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(std::isfinite(size) ? size : 12.0))));
  f.setBold(bold);
  return f;
}

void QPainterCanvas::Polyline(std::span<const chart::Point> points, const chart::Stroke& stroke) {
  if (points.size() < 2) return;
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const chart::Point& p : points) {
    if (!Finite(p)) return;
    poly.append(QPointF(p.X, p.Y));
  }
  QPen pen(ToQColor(stroke.Colour));
  pen.setWidthF(stroke.Width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  // Dash lengths in line widths, as the SVG canvas writes them.
  if (stroke.Style == chart::Dash::Dashed)
    pen.setDashPattern({5.0, 3.0});
  else if (stroke.Style == chart::Dash::Dotted)
    pen.setDashPattern({1.0, 2.0});
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPolyline(poly);
}

void QPainterCanvas::FillRings(std::span<const std::vector<chart::Point>> rings,
                               chart::Color fill) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const auto& ring : rings) {
    if (ring.size() < 3) continue;
    bool ok = true;
    for (const chart::Point& p : ring) ok = ok && Finite(p);
    if (!ok) continue;
    path.moveTo(ring.front().X, ring.front().Y);
    for (std::size_t i = 1; i < ring.size(); ++i) path.lineTo(ring[i].X, ring[i].Y);
    path.closeSubpath();
  }
  if (path.isEmpty()) return;
  painter_.fillPath(path, ToQColor(fill));
}

void QPainterCanvas::Text(chart::Point anchor, std::string_view text,
                          const chart::TextStyle& style) {
  if (!Finite(anchor) || text.empty()) return;
  const QFont f = FontFor(style.Size, style.Bold);
  const QFontMetricsF m(f);
  const QString s = ToQString(text);
  const double w = m.horizontalAdvance(s);
  double dx = 0.0;
  if (style.H == chart::HAlign::Centre) dx = -w / 2;
  if (style.H == chart::HAlign::Right) dx = -w;
  double dy = 0.0;  // from the anchor to the baseline
  switch (style.V) {
    case chart::VAlign::Top:
      dy = m.ascent();
      break;
    case chart::VAlign::Middle:
      dy = (m.ascent() - m.descent()) / 2;
      break;
    case chart::VAlign::Baseline:
      dy = 0.0;
      break;
    case chart::VAlign::Bottom:
      dy = -m.descent();
      break;
  }
  painter_.setFont(f);
  painter_.setPen(ToQColor(style.Colour));
  if (style.Vertical) {
    painter_.save();
    painter_.translate(anchor.X, anchor.Y);
    painter_.rotate(-90.0);
    painter_.drawText(QPointF(dx, dy), s);
    painter_.restore();
  } else {
    painter_.drawText(QPointF(anchor.X + dx, anchor.Y + dy), s);
  }
}

void QPainterCanvas::PushClip(const chart::Rect& r) {
  painter_.save();
  const auto ok = [](double v) { return std::isfinite(v) ? v : 0.0; };
  painter_.setClipRect(QRectF(ok(r.X), ok(r.Y), std::max(0.0, ok(r.W)), std::max(0.0, ok(r.H))),
                       Qt::IntersectClip);
  ++clipDepth_;
}

void QPainterCanvas::PopClip() {
  // An unmatched pop must not restore a state the caller saved.
  if (clipDepth_ == 0) return;
  --clipDepth_;
  painter_.restore();
}

double QPainterCanvas::TextWidth(std::string_view text, double size) const {
  return QFontMetricsF(FontFor(size, false)).horizontalAdvance(ToQString(text));
}

}  // namespace qtui
