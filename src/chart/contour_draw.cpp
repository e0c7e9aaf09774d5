#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/contour.h"
#include "chart/draw_util.h"
#include "chart/palette.h"

namespace chart {
namespace {

constexpr double kMarkerRadius = 4.5;

std::vector<double> AutoLevels(const Grid& g) {
  double lo = kAuto, hi = kAuto;
  for (const double z : g.Z) {
    if (!std::isfinite(z)) continue;
    lo = std::isnan(lo) ? z : std::min(lo, z);
    hi = std::isnan(hi) ? z : std::max(hi, z);
  }
  if (std::isnan(lo)) return {};
  std::vector<double> levels;
  for (const Tick& t : LinearTicks(lo, hi, 9, true, kAuto).Ticks) levels.push_back(t.Value);
  return levels;
}

bool RisingFinite(const std::vector<double>& v) {
  if (v.size() < 2) return false;
  for (std::size_t i = 0; i < v.size(); ++i)
    if (!std::isfinite(v[i]) || (i > 0 && !(v[i] > v[i - 1]))) return false;
  return true;
}

AxisTicks GridTicks(const Axis& a, const std::vector<double>& values, int maxTicks) {
  const bool fixed = std::isfinite(a.Min) && std::isfinite(a.Max) && a.Min < a.Max;
  const double lo = fixed ? a.Min : values.empty() ? kAuto : values.front();
  const double hi = fixed ? a.Max : values.empty() ? kAuto : values.back();
  AxisTicks t = LinearTicks(lo, hi, maxTicks, false, a.Step);
  return t;
}

double LevelStep(const std::vector<double>& levels) {
  double step = kAuto;
  for (std::size_t k = 1; k < levels.size(); ++k) {
    const double d = levels[k] - levels[k - 1];
    step = std::isnan(step) ? d : std::min(step, d);
  }
  return step;
}

}  // namespace

ContourLayout LayoutContour(const ContourMap& map, double width, double height, const Style& style,
                            const TextMeasure& measure) {
  ContourLayout L;
  L.Width = std::isfinite(width) && width > 0.0 ? width : 0.0;
  L.Height = std::isfinite(height) && height > 0.0 ? height : 0.0;
  L.Levels = RisingFinite(map.Levels) ? map.Levels : AutoLevels(map.Values);
  const std::size_t nb = L.Levels.size() < 2 ? 0 : L.Levels.size() - 1;
  for (std::size_t k = 0; k < nb; ++k)
    L.BandColours.push_back(RampColour(
        style.Colours, nb == 1 ? 0.5 : static_cast<double>(k) / static_cast<double>(nb - 1)));

  const double pad = style.Pad;
  const double top = pad + (map.Title.empty() ? 0.0 : 1.5 * style.TitleSize) +
                     (map.ScaleTitle.empty() ? 0.0 : 1.5 * style.TextSize);
  double scaleLabelW = 0.0;
  const double step = LevelStep(L.Levels);
  for (const double v : L.Levels)
    scaleLabelW = std::max(scaleLabelW, measure(TickLabel(v, step), style.TickSize));
  const double scaleW = nb == 0 ? 0.0 : 1.2 * style.TextSize + 4.0 + scaleLabelW + 2.0 * pad;
  const double xTitleH = AxisTitle(map.X).empty() ? 0.0 : 1.5 * style.TextSize;
  const double yTitleW = AxisTitle(map.Y).empty() ? 0.0 : 1.5 * style.TextSize;
  const double bottom = L.Height - pad - xTitleH - 1.5 * style.TickSize - 4.0;
  double plotH = std::max(1.0, bottom - top);
  L.YTicks = GridTicks(map.Y, map.Values.Y, std::clamp(static_cast<int>(plotH / 45.0) + 1, 3, 11));
  if (map.ReflectionPlane) L.YTicks = LinearTicks(-1.0, 1.0, 5, false, 0.5);
  double yLabelW = 0.0;
  for (const Tick& t : L.YTicks.Ticks)
    yLabelW = std::max(yLabelW, measure(t.Label, style.TickSize));
  double left = pad + yTitleW + yLabelW + 6.0;
  double plotW = std::max(1.0, L.Width - pad - scaleW - left - measure("00", style.TickSize) / 2);
  if (map.ReflectionPlane) {
    // One scale on both axes: circles stay circles.
    const double side = std::min(plotW, plotH);
    left += (plotW - side) / 2.0;
    plotW = plotH = side;
  }
  L.XTicks = map.ReflectionPlane ? LinearTicks(-1.0, 1.0, 5, false, 0.5)
                                 : GridTicks(map.X, map.Values.X,
                                             std::clamp(static_cast<int>(plotW / 70.0) + 1, 3, 11));
  L.Plot = {left, top, plotW, plotH};
  L.YTitleX = left - yLabelW - 6.0 - yTitleW;
  L.X = {Scale::Linear, 1.0, L.XTicks.Lo, L.XTicks.Hi, left, left + plotW};
  L.Y = {Scale::Linear, 1.0, L.YTicks.Lo, L.YTicks.Hi, top + plotH, top};
  L.Scale = {L.Plot.Right() + pad + measure("00", style.TickSize) / 2, top, 1.2 * style.TextSize,
             plotH};
  if (nb == 0) L.Scale = {};
  return L;
}

void DrawContour(Canvas& c, const ContourMap& map, const ContourLayout& L, const Style& s) {
  const Palette& p = s.Colours;
  c.BeginGroup("contour-map");
  c.BeginGroup("background");
  c.FillRect({0, 0, L.Width, L.Height}, p.Background);
  c.FillRect(L.Plot, p.PlotBackground);
  c.EndGroup();
  if (!map.Title.empty()) {
    c.BeginGroup("title");
    c.Text({L.Width / 2, s.Pad}, map.Title,
           {p.Text, s.TitleSize, HAlign::Centre, VAlign::Top, true});
    c.EndGroup();
  }

  c.PushClip(L.Plot);
  c.BeginGroup("bands");
  const auto bands = FilledBands(map.Values, L.Levels);
  const double step = LevelStep(L.Levels);
  for (std::size_t k = 0; k < bands.size(); ++k) {
    if (bands[k].empty()) continue;
    c.BeginGroup("band:" + TickLabel(L.Levels[k], step) + ".." + TickLabel(L.Levels[k + 1], step));
    std::vector<std::vector<Point>> rings;
    rings.reserve(bands[k].size());
    for (const auto& poly : bands[k]) {
      std::vector<Point> ring;
      for (const Point& q : poly)
        ring.push_back({ClampPixel(L.X.ToPixel(q.X)), ClampPixel(L.Y.ToPixel(q.Y))});
      rings.push_back(std::move(ring));
    }
    c.FillRings(rings, L.BandColours[k]);
    c.EndGroup();
  }
  c.EndGroup();
  if (map.ReflectionPlane) {
    c.BeginGroup("unit-circle");
    std::vector<Point> circle;
    for (int i = 0; i <= 360; ++i) {
      const double a = i * std::numbers::pi / 180.0;
      circle.push_back({L.X.ToPixel(std::cos(a)), L.Y.ToPixel(std::sin(a))});
    }
    c.Polyline(circle, {p.Axis, 1.5, Dash::Solid});
    c.EndGroup();
  }
  if (!map.Markers.empty()) {
    c.BeginGroup("markers");
    for (const Marker& m : map.Markers) {
      const double x = L.X.ToPixel(m.X), y = L.Y.ToPixel(m.Y);
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
      c.BeginGroup("marker:" + m.Name);
      DrawMarker(c, {ClampPixel(x), ClampPixel(y)}, kMarkerRadius, m.Shape,
                 m.Colour >= 0 ? SeriesColour(p, m.Colour) : p.Marker, p.Background);
      c.EndGroup();
    }
    c.EndGroup();
  }
  c.PopClip();

  DrawAxes(c, L.Plot, L.X, L.XTicks, L.Y, L.YTicks, map.X, map.Y, L.YTitleX, s);

  if (!L.BandColours.empty()) {
    const Stroke axis{p.Axis, 1.0, Dash::Solid};
    c.BeginGroup("colour-scale");
    const Rect& b = L.Scale;
    const double nb = static_cast<double>(L.BandColours.size());
    for (std::size_t k = 0; k < L.BandColours.size(); ++k) {
      const double y1 = b.Bottom() - b.H * static_cast<double>(k) / nb;
      const double y0 = b.Bottom() - b.H * static_cast<double>(k + 1) / nb;
      c.FillRect({b.X, y0, b.W, y1 - y0}, L.BandColours[k]);
    }
    c.BeginGroup("ticks");
    for (std::size_t k = 0; k < L.Levels.size(); ++k) {
      const double y = b.Bottom() - b.H * static_cast<double>(k) / nb;
      c.Line({b.Right(), y}, {b.Right() + kTickLength, y}, axis);
      c.Text({b.Right() + kTickLength + 2.0, y}, TickLabel(L.Levels[k], step),
             {p.MutedText, s.TickSize, HAlign::Left, VAlign::Middle});
    }
    c.EndGroup();
    Axis scaleAxis{map.ScaleTitle, map.ScaleUnit};
    if (const std::string t = AxisTitle(scaleAxis); !t.empty())
      c.Text({b.Right(), b.Y - 4.0}, t, {p.MutedText, s.TextSize, HAlign::Right, VAlign::Bottom});
    c.EndGroup();
  }
  c.EndGroup();
}

ContourLayout DrawContour(Canvas& canvas, const ContourMap& map, double width, double height,
                          const Style& style) {
  const ContourLayout layout = LayoutContour(
      map, width, height, style,
      [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
  DrawContour(canvas, map, layout, style);
  return layout;
}

ContourReadout HoverContour(const ContourMap& map, const ContourLayout& L, Point p) {
  ContourReadout out;
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !L.Plot.Contains(p)) return out;
  out.InPlot = true;
  out.X = L.X.FromPixel(p.X);
  out.Y = L.Y.FromPixel(p.Y);
  out.Value = ValueAt(map.Values, out.X, out.Y);
  return out;
}

std::string ReadoutText(const ContourMap& map, const ContourReadout& r) {
  if (!r.InPlot) return {};
  std::string s;
  const auto line = [&s](const std::string& title, double v) {
    if (!s.empty()) s += '\n';
    if (!title.empty()) s += title + ": ";
    s += ReadoutNumber(v);
  };
  line(AxisTitle(Axis{map.ScaleTitle, map.ScaleUnit}), r.Value);
  line(AxisTitle(map.X), r.X);
  line(AxisTitle(map.Y), r.Y);
  return s;
}

}  // namespace chart
