#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"

// A canvas that writes one self-contained SVG document (no scripts, no external references):
// for exports, for the report's inline pictures and for tests that read a picture as text.
namespace chart {

class SvgCanvas final : public Canvas {
 public:
  SvgCanvas(double width, double height, std::string fontFamily = "sans-serif");

  void BeginGroup(std::string_view name) override;
  void EndGroup() override;
  void Polyline(std::span<const Point> points, const Stroke& stroke) override;
  void FillRings(std::span<const std::vector<Point>> rings, Color fill) override;
  void Text(Point anchor, std::string_view text, const TextStyle& style) override;
  void PushClip(const Rect& r) override;
  void PopClip() override;

  // The document so far, with every group and clip still open closed.
  std::string Document() const;

 private:
  enum class Open { Group, Clip };
  double width_;
  double height_;
  std::string font_;
  std::string body_;
  std::vector<Open> open_;
  int clipCount_ = 0;
};

}  // namespace chart
