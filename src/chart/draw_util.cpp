#include "chart/draw_util.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace chart {

double ClampPixel(double p) { return std::clamp(p, -kFarPixel, kFarPixel); }

std::vector<std::vector<Point>> Runs(const std::vector<double>& x, const std::vector<double>& y,
                                     const AxisMap& mx, const AxisMap& my) {
  std::vector<std::vector<Point>> runs;
  std::vector<Point> run;
  const std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    const double px = mx.ToPixel(x[i]);
    const double py = my.ToPixel(y[i]);
    if (std::isfinite(px) && std::isfinite(py)) {
      run.push_back({ClampPixel(px), ClampPixel(py)});
    } else if (!run.empty()) {
      runs.push_back(std::move(run));
      run.clear();
    }
  }
  if (!run.empty()) runs.push_back(std::move(run));
  return runs;
}

std::vector<Point> MarkerOutline(Point c, double r, MarkerShape shape) {
  std::vector<Point> pts;
  switch (shape) {
    case MarkerShape::Circle:
      for (int i = 0; i < 16; ++i) {
        const double a = 2.0 * std::numbers::pi * i / 16.0;
        pts.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
      }
      break;
    case MarkerShape::Square:
      pts = {{c.X - r, c.Y - r}, {c.X + r, c.Y - r}, {c.X + r, c.Y + r}, {c.X - r, c.Y + r}};
      break;
    case MarkerShape::Diamond:
      r *= 1.3;
      pts = {{c.X, c.Y - r}, {c.X + r, c.Y}, {c.X, c.Y + r}, {c.X - r, c.Y}};
      break;
    case MarkerShape::Triangle:
      r *= 1.3;
      pts = {{c.X, c.Y - r}, {c.X + 0.866 * r, c.Y + 0.5 * r}, {c.X - 0.866 * r, c.Y + 0.5 * r}};
      break;
  }
  return pts;
}

void DrawMarker(Canvas& c, Point centre, double radius, MarkerShape shape, Color fill,
                Color outline) {
  std::vector<Point> pts = MarkerOutline(centre, radius, shape);
  c.FillPolygon(pts, fill);
  pts.push_back(pts.front());
  c.Polyline(pts, {outline, 1.0, Dash::Solid});
}

void DrawDot(Canvas& c, Point centre, double width, Color colour) {
  const std::vector<Point> pts = MarkerOutline(centre, std::max(1.0, width), MarkerShape::Circle);
  c.FillPolygon(pts, colour);
}

std::string ReadoutNumber(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "\u221E" : "-\u221E";
  if (v == 0.0) return "0";
  std::array<char, 48> buf{};
  const auto r =
      std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, 4);
  std::string s(buf.data(), r.ptr);
  const std::size_t e = s.find('e');
  if (e == std::string::npos) return s;
  // "1.2e-06" -> "1.2e-6"
  std::string out = s.substr(0, e + 1);
  std::size_t i = e + 1;
  if (s[i] == '-') out += s[i++];
  if (s[i] == '+') ++i;
  while (i + 1 < s.size() && s[i] == '0') ++i;
  out += s.substr(i);
  return out;
}

int FiniteCount(const std::vector<double>& v) {
  return static_cast<int>(
      std::count_if(v.begin(), v.end(), [](double d) { return std::isfinite(d); }));
}

void DrawAxes(Canvas& c, const Rect& plot, const AxisMap& x, const AxisTicks& xTicks,
              const AxisMap& y, const AxisTicks& yTicks, const Axis& xAxis, const Axis& yAxis,
              double yTitleX, const Style& s) {
  const Palette& p = s.Colours;
  const Rect& r = plot;
  const Stroke axis{p.Axis, 1.0, Dash::Solid};

  c.BeginGroup("axis-x");
  c.Line({r.X, r.Bottom()}, {r.Right(), r.Bottom()}, axis);
  c.BeginGroup("ticks");
  for (const Tick& k : xTicks.Ticks) {
    const double px = x.ToPixel(k.Value);
    if (!std::isfinite(px)) continue;
    c.Line({px, r.Bottom()}, {px, r.Bottom() + (k.Major ? kTickLength : kTickLength / 2)}, axis);
    if (!k.Label.empty())
      c.Text({px, r.Bottom() + kTickLength + 2.0}, k.Label,
             {p.Text, s.TickSize, HAlign::Centre, VAlign::Top});
  }
  c.EndGroup();
  if (const std::string t = AxisTitle(xAxis); !t.empty())
    c.Text({r.X + r.W / 2, r.Bottom() + kTickLength + 2.0 + 1.5 * s.TickSize}, t,
           {p.MutedText, s.TextSize, HAlign::Centre, VAlign::Top});
  c.EndGroup();

  c.BeginGroup("axis-y");
  c.Line({r.X, r.Y}, {r.X, r.Bottom()}, axis);
  c.BeginGroup("ticks");
  for (const Tick& k : yTicks.Ticks) {
    const double py = y.ToPixel(k.Value);
    if (!std::isfinite(py)) continue;
    c.Line({r.X - (k.Major ? kTickLength : kTickLength / 2), py}, {r.X, py}, axis);
    if (!k.Label.empty())
      c.Text({r.X - kTickLength - 2.0, py}, k.Label,
             {p.Text, s.TickSize, HAlign::Right, VAlign::Middle});
  }
  c.EndGroup();
  if (const std::string t = AxisTitle(yAxis); !t.empty())
    c.Text({yTitleX, r.Y + r.H / 2}, t,
           {p.MutedText, s.TextSize, HAlign::Centre, VAlign::Top, false, true});
  c.EndGroup();
}

}  // namespace chart
