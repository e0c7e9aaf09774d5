#include "chart/xy_layout.h"

#include <algorithm>
#include <cmath>

#include "chart/draw_util.h"

namespace chart {
namespace {

struct Range {
  double Lo = kAuto;
  double Hi = kAuto;
  void Add(double v, const Axis& a) {
    if (!std::isfinite(Forward(a.Kind, v, a.Threshold))) return;
    if (!(v >= Lo)) Lo = std::isnan(Lo) ? v : std::min(Lo, v);
    if (!(v <= Hi)) Hi = std::isnan(Hi) ? v : std::max(Hi, v);
  }
  void AddAll(const std::vector<double>& vs, const Axis& a) {
    for (const double v : vs) Add(v, a);
  }
};

// Values that count towards a range: only points whose both coordinates the axes can place.
void AddPairs(const std::vector<double>& xs, const std::vector<double>& ys, const Axis& ax,
              const Axis& ay, Range& rx, Range& ry) {
  const std::size_t n = std::min(xs.size(), ys.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(Forward(ax.Kind, xs[i], ax.Threshold)) ||
        !std::isfinite(Forward(ay.Kind, ys[i], ay.Threshold)))
      continue;
    rx.Add(xs[i], ax);
    ry.Add(ys[i], ay);
  }
}

AxisTicks TicksFor(const Axis& a, const Range& data, int maxTicks) {
  const bool fixed = std::isfinite(a.Min) && std::isfinite(a.Max) && a.Min != a.Max &&
                     std::isfinite(Forward(a.Kind, a.Min, a.Threshold)) &&
                     std::isfinite(Forward(a.Kind, a.Max, a.Threshold));
  const double lo = fixed ? std::min(a.Min, a.Max) : std::isfinite(a.Min) ? a.Min : data.Lo;
  const double hi = fixed ? std::max(a.Min, a.Max) : std::isfinite(a.Max) ? a.Max : data.Hi;
  AxisTicks t = MakeTicks(a.Kind, lo, hi, a.Threshold, maxTicks, !fixed, a.Step);
  if (fixed) {
    t.Lo = lo;
    t.Hi = hi;
    const double tol = 1e-9 * (std::fabs(lo) + std::fabs(hi));
    std::erase_if(t.Ticks, [&](const Tick& k) { return k.Value < lo - tol || k.Value > hi + tol; });
  }
  return t;
}

bool Placeable(double x, double y, const Axis& ax, const Axis& ay) {
  return std::isfinite(Forward(ax.Kind, x, ax.Threshold)) &&
         std::isfinite(Forward(ay.Kind, y, ay.Threshold));
}

// Whether a curve has a point the axes can place: a power of 0 W has none on a log axis.
bool AnyPair(const std::vector<double>& xs, const std::vector<double>& ys, const Axis& ax,
             const Axis& ay) {
  const std::size_t n = std::min(xs.size(), ys.size());
  for (std::size_t i = 0; i < n; ++i)
    if (Placeable(xs[i], ys[i], ax, ay)) return true;
  return false;
}

double MaxWidth(const AxisTicks& t, double size, const TextMeasure& measure) {
  double w = 0.0;
  for (const Tick& k : t.Ticks) w = std::max(w, measure(k.Label, size));
  return w;
}

}  // namespace

std::string AxisTitle(const Axis& a) {
  if (a.Unit.empty()) return a.Title;
  if (a.Title.empty()) return a.Unit;
  return a.Title + " (" + a.Unit + ")";
}

Color LineColour(const XyChart& c, const Palette& p, std::size_t i) {
  const int idx = c.Lines[i].Colour;
  return SeriesColour(p, idx >= 0 ? idx : static_cast<int>(i));
}
Color BandColour(const XyChart& c, const Palette& p, std::size_t i) {
  const int idx = c.Bands[i].Colour;
  return SeriesColour(p, idx >= 0 ? idx : static_cast<int>(i));
}
Color MarkerColour(const XyChart& c, const Palette& p, std::size_t i) {
  const int idx = c.Markers[i].Colour;
  return idx >= 0 ? SeriesColour(p, idx) : p.Marker;
}

XyLayout LayoutXy(const XyChart& chart, double width, double height, const Style& style,
                  const TextMeasure& measure) {
  XyLayout L;
  L.Width = std::isfinite(width) && width > 0.0 ? width : 0.0;
  L.Height = std::isfinite(height) && height > 0.0 ? height : 0.0;
  const double pad = style.Pad;

  const Axis& ax = chart.X;
  const Axis& ay = chart.Y;
  const auto bandHasPoints = [&](const Band& b) {
    return AnyPair(b.X, b.Lower, ax, ay) || AnyPair(b.X, b.Upper, ax, ay);
  };
  Range rx, ry;
  for (const Series& s : chart.Lines) AddPairs(s.X, s.Y, chart.X, chart.Y, rx, ry);
  for (const Band& b : chart.Bands) {
    AddPairs(b.X, b.Lower, chart.X, chart.Y, rx, ry);
    AddPairs(b.X, b.Upper, chart.X, chart.Y, rx, ry);
  }
  for (const Marker& m : chart.Markers) AddPairs({m.X}, {m.Y}, chart.X, chart.Y, rx, ry);
  for (const TargetLine& t : chart.Targets)
    (t.Along == Orientation::Horizontal ? ry : rx)
        .Add(t.Value, t.Along == Orientation::Horizontal ? chart.Y : chart.X);

  // The legend: only what has something to show.
  for (std::size_t i = 0; i < chart.Bands.size(); ++i) {
    const Band& b = chart.Bands[i];
    if (b.Name.empty() || !bandHasPoints(b)) continue;
    L.Legend.push_back({b.Name, LegendKind::Band, BandColour(chart, style.Colours, i)});
  }
  for (std::size_t i = 0; i < chart.Lines.size(); ++i) {
    const Series& s = chart.Lines[i];
    if (s.Name.empty() || !AnyPair(s.X, s.Y, ax, ay)) continue;
    L.Legend.push_back({s.Name, LegendKind::Line, LineColour(chart, style.Colours, i), s.Style});
  }
  for (std::size_t i = 0; i < chart.Markers.size(); ++i) {
    const Marker& m = chart.Markers[i];
    if (m.Name.empty() || !Placeable(m.X, m.Y, ax, ay)) continue;
    L.Legend.push_back(
        {m.Name, LegendKind::Marker, MarkerColour(chart, style.Colours, i), Dash::Solid, m.Shape});
  }
  for (const Series& s : chart.Lines)
    if (!s.EmptyNote.empty() && !AnyPair(s.X, s.Y, ax, ay) &&
        std::find(L.Notes.begin(), L.Notes.end(), s.EmptyNote) == L.Notes.end())
      L.Notes.push_back(s.EmptyNote);
  for (const Band& b : chart.Bands)
    if (!b.EmptyNote.empty() && !bandHasPoints(b) &&
        std::find(L.Notes.begin(), L.Notes.end(), b.EmptyNote) == L.Notes.end())
      L.Notes.push_back(b.EmptyNote);

  const LegendRoom legend = PlanLegend(L.Legend, L.Width, pad, 0.3, style, measure);
  const double top = pad + (chart.Title.empty() ? 0.0 : 1.5 * style.TitleSize);
  const double xTitleH = AxisTitle(chart.X).empty() ? 0.0 : 1.5 * style.TextSize;
  const double yTitleW = AxisTitle(chart.Y).empty() ? 0.0 : 1.5 * style.TextSize;
  const double xLabelsH = 1.5 * style.TickSize;

  const double bottom = L.Height - pad - xTitleH - xLabelsH - legend.BelowHeight - 4.0;
  const double plotH = std::max(1.0, bottom - top);
  L.YTicks = TicksFor(chart.Y, ry, std::clamp(static_cast<int>(plotH / 45.0) + 1, 3, 11));
  const double yLabelW = MaxWidth(L.YTicks, style.TickSize, measure);
  const double left = pad + yTitleW + yLabelW + 6.0;
  const double right = L.Width - pad - legend.RightWidth -
                       0.5 * measure(L.YTicks.Ticks.empty() ? "" : "00", style.TickSize);
  const double plotW = std::max(1.0, right - left);

  // As many x ticks as the labels leave room for.
  int xMax = std::clamp(static_cast<int>(plotW / 70.0) + 1, 3, 13);
  for (;; --xMax) {
    L.XTicks = TicksFor(chart.X, rx, xMax);
    double need = 0.0;
    int labelled = 0;
    for (const Tick& k : L.XTicks.Ticks)
      if (!k.Label.empty()) {
        need = std::max(need, measure(k.Label, style.TickSize));
        ++labelled;
      }
    if (xMax <= 2 || labelled <= 1 || (need + 10.0) * labelled <= plotW) break;
  }

  L.Plot = {left, top, plotW, plotH};
  L.X = {chart.X.Kind, chart.X.Threshold, L.XTicks.Lo, L.XTicks.Hi, left, left + plotW};
  L.Y = {chart.Y.Kind, chart.Y.Threshold, L.YTicks.Lo, L.YTicks.Hi, top + plotH, top};

  L.LegendBox = PlaceLegend(L.Legend, legend, L.Width, L.Height, top, pad, style, measure);
  return L;
}

XyLayout DrawXy(Canvas& canvas, const XyChart& chart, double width, double height,
                const Style& style) {
  const XyLayout layout =
      LayoutXy(chart, width, height, style,
               [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
  DrawXy(canvas, chart, layout, style);
  return layout;
}

}  // namespace chart
