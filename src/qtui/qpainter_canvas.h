#pragma once

#include <QFont>
#include <QPainter>
#include <string_view>

#include "chart/canvas.h"

// The chart engine's canvas on a QPainter: a widget, a QImage for PNG export and the clipboard,
// or a printer. Texts use the face of the font given (the desktop's), at the engine's sizes.
namespace qtui {

class QPainterCanvas final : public chart::Canvas {
 public:
  QPainterCanvas(QPainter& painter, const QFont& font);
  // Clips left open are closed, so the painter is handed back as it came.
  ~QPainterCanvas() override;
  QPainterCanvas(const QPainterCanvas&) = delete;
  QPainterCanvas& operator=(const QPainterCanvas&) = delete;

  void BeginGroup(std::string_view) override {}
  void EndGroup() override {}
  void Polyline(std::span<const chart::Point> points, const chart::Stroke& stroke) override;
  void FillRings(std::span<const std::vector<chart::Point>> rings, chart::Color fill) override;
  void Text(chart::Point anchor, std::string_view text, const chart::TextStyle& style) override;
  void PushClip(const chart::Rect& r) override;
  void PopClip() override;
  double TextWidth(std::string_view text, double size) const override;

 private:
  QFont FontFor(double size, bool bold) const;

  QPainter& painter_;
  QFont font_;
  int clipDepth_ = 0;
};

}  // namespace qtui
