#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// What a chart is drawn on: a few primitives in device pixels (y down), so one layout serves
// the Qt window, the Win32 window and an SVG file.
namespace chart {

struct Color {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  std::uint8_t A = 255;
  friend bool operator==(const Color&, const Color&) = default;
};

struct Point {
  double X = 0.0;
  double Y = 0.0;
};

struct Rect {
  double X = 0.0;
  double Y = 0.0;
  double W = 0.0;
  double H = 0.0;
  double Right() const { return X + W; }
  double Bottom() const { return Y + H; }
  bool Contains(Point p) const { return p.X >= X && p.X <= Right() && p.Y >= Y && p.Y <= Bottom(); }
};

enum class Dash { Solid, Dashed, Dotted };

struct Stroke {
  Color Colour{};
  double Width = 1.0;
  Dash Style = Dash::Solid;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Middle, Baseline, Bottom };

struct TextStyle {
  Color Colour{};
  double Size = 12.0;  // pixels
  HAlign H = HAlign::Left;
  VAlign V = VAlign::Baseline;
  bool Bold = false;
  bool Vertical = false;  // turned a quarter anticlockwise about the anchor, reading upwards
};

// A width estimate for text in a proportional sans-serif face: a canvas without its own
// metrics (the SVG file, whose reader picks the font) lays out with it.
double EstimateTextWidth(std::string_view text, double size);

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Named groups nest; they carry no drawing of their own but let a reader find each element.
  virtual void BeginGroup(std::string_view name) = 0;
  virtual void EndGroup() = 0;

  virtual void Polyline(std::span<const Point> points, const Stroke& stroke) = 0;
  // Rings filled together by the even-odd rule: a ring inside another makes a hole.
  virtual void FillRings(std::span<const std::vector<Point>> rings, Color fill) = 0;
  virtual void Text(Point anchor, std::string_view text, const TextStyle& style) = 0;

  // Clips everything drawn until the matching PopClip to the rectangle (within any outer clip).
  virtual void PushClip(const Rect& r) = 0;
  virtual void PopClip() = 0;

  virtual double TextWidth(std::string_view text, double size) const {
    return EstimateTextWidth(text, size);
  }

  void Line(Point a, Point b, const Stroke& stroke) {
    const Point pts[2] = {a, b};
    Polyline(pts, stroke);
  }
  void FillPolygon(std::span<const Point> points, Color fill) {
    const std::vector<Point> ring(points.begin(), points.end());
    FillRings(std::span<const std::vector<Point>>(&ring, 1), fill);
  }
  void FillRect(const Rect& r, Color fill) {
    const Point pts[4] = {{r.X, r.Y}, {r.Right(), r.Y}, {r.Right(), r.Bottom()}, {r.X, r.Bottom()}};
    FillPolygon(pts, fill);
  }
};

}  // namespace chart
