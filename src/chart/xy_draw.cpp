#include <cmath>

#include "chart/draw_util.h"
#include "chart/palette.h"
#include "chart/xy_layout.h"

namespace chart {
namespace {

constexpr double kMarkerRadius = 4.5;

void DrawGrid(Canvas& c, const XyLayout& L, const Palette& p) {
  c.BeginGroup("grid");
  const Rect& r = L.Plot;
  for (const Tick& k : L.XTicks.Ticks) {
    const double x = L.X.ToPixel(k.Value);
    if (!std::isfinite(x)) continue;
    c.Line({x, r.Y}, {x, r.Bottom()}, {k.Major ? p.Grid : p.MinorGrid, 1.0, Dash::Solid});
  }
  for (const Tick& k : L.YTicks.Ticks) {
    const double y = L.Y.ToPixel(k.Value);
    if (!std::isfinite(y)) continue;
    c.Line({r.X, y}, {r.Right(), y}, {k.Major ? p.Grid : p.MinorGrid, 1.0, Dash::Solid});
  }
  c.EndGroup();
}

void DrawBand(Canvas& c, const Band& b, const XyLayout& L, Color colour) {
  c.BeginGroup("band:" + b.Name);
  // Filled only where both edges are placeable, edge by edge otherwise.
  const std::size_t n = std::min({b.X.size(), b.Lower.size(), b.Upper.size()});
  std::vector<Point> upper, lower;
  std::vector<std::vector<Point>> rings;
  const auto flush = [&] {
    if (upper.size() >= 2) {
      std::vector<Point> ring = upper;
      ring.insert(ring.end(), lower.rbegin(), lower.rend());
      rings.push_back(std::move(ring));
    }
    upper.clear();
    lower.clear();
  };
  for (std::size_t i = 0; i < n; ++i) {
    const double x = L.X.ToPixel(b.X[i]);
    const double yl = L.Y.ToPixel(b.Lower[i]);
    const double yu = L.Y.ToPixel(b.Upper[i]);
    if (std::isfinite(x) && std::isfinite(yl) && std::isfinite(yu)) {
      upper.push_back({ClampPixel(x), ClampPixel(yu)});
      lower.push_back({ClampPixel(x), ClampPixel(yl)});
    } else {
      flush();
    }
  }
  flush();
  if (!rings.empty()) c.FillRings(rings, BandFill(colour));
  // The edges in the band's own colour, so that where bands overlap each keeps its outline.
  for (const auto* edge : {&b.Lower, &b.Upper})
    for (const auto& run : Runs(b.X, *edge, L.X, L.Y)) {
      if (run.size() == 1)
        DrawDot(c, run.front(), 1.0, colour);
      else
        c.Polyline(run, {colour, 1.0, Dash::Solid});
    }
  c.EndGroup();
}

void DrawTargets(Canvas& c, const XyChart& chart, const XyLayout& L, const Style& s) {
  if (chart.Targets.empty()) return;
  const Rect& r = L.Plot;
  c.BeginGroup("targets");
  for (const TargetLine& t : chart.Targets) {
    const Stroke st{s.Colours.Target, 1.25, Dash::Dashed};
    const TextStyle ts{s.Colours.Target, s.TickSize, HAlign::Right, VAlign::Bottom};
    if (t.Along == Orientation::Horizontal) {
      const double y = L.Y.ToPixel(t.Value);
      if (!std::isfinite(y) || y < r.Y - 0.5 || y > r.Bottom() + 0.5) continue;
      c.BeginGroup("target:" + t.Label);
      c.Line({r.X, y}, {r.Right(), y}, st);
      // Below the line when the line runs along the plot's top edge.
      TextStyle below = ts;
      below.V = VAlign::Top;
      if (!t.Label.empty())
        c.Text({r.Right() - 3.0, y + (y - r.Y < s.TickSize + 2 ? 2.0 : -2.0)}, t.Label,
               y - r.Y < s.TickSize + 2 ? below : ts);
    } else {
      const double x = L.X.ToPixel(t.Value);
      if (!std::isfinite(x) || x < r.X - 0.5 || x > r.Right() + 0.5) continue;
      c.BeginGroup("target:" + t.Label);
      c.Line({x, r.Y}, {x, r.Bottom()}, st);
      if (!t.Label.empty()) {
        // Along the line while it fits in the plot's height; else across, at the top, on the
        // side of the line with more room, so that it never runs over the axis or the data
        // below.
        if (c.TextWidth(t.Label, s.TickSize) + 6.0 <= r.H) {
          TextStyle v = ts;
          v.Vertical = true;
          v.V = VAlign::Bottom;
          c.Text({x - 2.0, r.Y + 3.0}, t.Label, v);
        } else {
          TextStyle across = ts;
          across.V = VAlign::Top;
          const bool left = x - r.X > r.Right() - x;
          across.H = left ? HAlign::Right : HAlign::Left;
          c.Text({left ? x - 3.0 : x + 3.0, r.Y + 2.0}, t.Label, across);
        }
      }
    }
    c.EndGroup();
  }
  c.EndGroup();
}

}  // namespace

void DrawXy(Canvas& c, const XyChart& chart, const XyLayout& L, const Style& s) {
  const Palette& p = s.Colours;
  c.BeginGroup("xy-chart");
  c.BeginGroup("background");
  c.FillRect({0, 0, L.Width, L.Height}, p.Background);
  c.FillRect(L.Plot, p.PlotBackground);
  c.EndGroup();
  if (!chart.Title.empty()) {
    c.BeginGroup("title");
    c.Text({L.Width / 2, s.Pad}, chart.Title,
           {p.Text, s.TitleSize, HAlign::Centre, VAlign::Top, true});
    c.EndGroup();
  }
  DrawGrid(c, L, p);

  c.PushClip(L.Plot);
  if (!chart.Bands.empty()) {
    c.BeginGroup("bands");
    for (std::size_t i = 0; i < chart.Bands.size(); ++i)
      DrawBand(c, chart.Bands[i], L, BandColour(chart, p, i));
    c.EndGroup();
  }
  DrawTargets(c, chart, L, s);
  if (!chart.Lines.empty()) {
    c.BeginGroup("lines");
    for (std::size_t i = 0; i < chart.Lines.size(); ++i) {
      const Series& line = chart.Lines[i];
      const Color colour = LineColour(chart, p, i);
      c.BeginGroup("series:" + line.Name);
      for (const auto& run : Runs(line.X, line.Y, L.X, L.Y)) {
        if (run.size() == 1)
          DrawDot(c, run.front(), line.Width, colour);
        else
          c.Polyline(run, {colour, line.Width, line.Style});
      }
      c.EndGroup();
    }
    c.EndGroup();
  }
  if (!chart.Markers.empty()) {
    c.BeginGroup("markers");
    for (std::size_t i = 0; i < chart.Markers.size(); ++i) {
      const Marker& m = chart.Markers[i];
      const double x = L.X.ToPixel(m.X);
      const double y = L.Y.ToPixel(m.Y);
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
      c.BeginGroup("marker:" + m.Name);
      DrawMarker(c, {ClampPixel(x), ClampPixel(y)}, kMarkerRadius, m.Shape,
                 MarkerColour(chart, p, i), p.Background);
      c.EndGroup();
    }
    c.EndGroup();
  }
  c.PopClip();

  DrawAxes(c, L.Plot, L.X, L.XTicks, L.Y, L.YTicks, chart.X, chart.Y, s.Pad, s);
  if (!L.Notes.empty()) {
    c.BeginGroup("notes");
    const double lineH = 1.4 * s.TextSize;
    double y = L.Plot.Y + L.Plot.H / 2 - lineH * static_cast<double>(L.Notes.size() - 1) / 2;
    for (const std::string& n : L.Notes) {
      c.Text({L.Plot.X + L.Plot.W / 2, y}, n, {p.Text, s.TextSize, HAlign::Centre, VAlign::Middle});
      y += lineH;
    }
    c.EndGroup();
  }
  DrawLegend(c, L.Legend, s);
  c.EndGroup();
}

}  // namespace chart
