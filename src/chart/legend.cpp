#include "chart/legend.h"

#include <algorithm>

#include "chart/draw_util.h"

namespace chart {
namespace {

constexpr double kMarkerRadius = 4.5;
constexpr double kGap = 6.0;

double SwatchWidth(const Style& s) { return 2.0 * s.TextSize; }

}  // namespace

double LegendRowHeight(const Style& s) { return 1.5 * s.TextSize; }

double LegendEntryWidth(const LegendEntry& e, const Style& s, const TextMeasure& measure) {
  return SwatchWidth(s) + kGap + measure(e.Name, s.TextSize) + 2.0 * s.Pad;
}

double LegendColumnWidth(const std::vector<LegendEntry>& entries, const Style& s,
                         const TextMeasure& measure) {
  double w = 0.0;
  for (const LegendEntry& e : entries) w = std::max(w, LegendEntryWidth(e, s, measure));
  return w;
}

Rect PlaceLegendColumn(std::vector<LegendEntry>& entries, double x, double y, const Style& s,
                       const TextMeasure& measure) {
  const double rowH = LegendRowHeight(s);
  const double y0 = y;
  for (LegendEntry& e : entries) {
    e.Swatch = {x, y + 0.2 * rowH, SwatchWidth(s), 0.6 * rowH};
    e.TextAt = {x + SwatchWidth(s) + kGap, y + 0.5 * rowH};
    y += rowH;
  }
  return {x, y0, LegendColumnWidth(entries, s, measure), y - y0};
}

Rect PlaceLegendRows(std::vector<LegendEntry>& entries, double x, double y, double width,
                     const Style& s, const TextMeasure& measure) {
  const double rowH = LegendRowHeight(s);
  double cx = x, cy = y;
  for (LegendEntry& e : entries) {
    const double w = LegendEntryWidth(e, s, measure);
    if (cx + w > x + width && cx > x) {
      cy += rowH;
      cx = x;
    }
    e.Swatch = {cx, cy + 0.2 * rowH, SwatchWidth(s), 0.6 * rowH};
    e.TextAt = {cx + SwatchWidth(s) + kGap, cy + 0.5 * rowH};
    cx += w;
  }
  return {x, y, width, entries.empty() ? 0.0 : cy + rowH - y};
}

LegendRoom PlanLegend(const std::vector<LegendEntry>& entries, double width, double pad,
                      double maxRightShare, const Style& s, const TextMeasure& measure) {
  LegendRoom room;
  if (entries.empty()) return room;
  const double columnW = LegendColumnWidth(entries, s, measure);
  if (columnW <= maxRightShare * width) {
    room.Right = true;
    room.RightWidth = columnW;
  } else {
    std::vector<LegendEntry> trial = entries;
    room.BelowHeight = PlaceLegendRows(trial, pad, 0.0, width - 2.0 * pad, s, measure).H + pad;
  }
  return room;
}

Rect PlaceLegend(std::vector<LegendEntry>& entries, const LegendRoom& room, double width,
                 double height, double top, double pad, const Style& s,
                 const TextMeasure& measure) {
  if (entries.empty()) return {};
  if (room.Right) return PlaceLegendColumn(entries, width - room.RightWidth, top, s, measure);
  return PlaceLegendRows(entries, pad, height - room.BelowHeight, width - 2.0 * pad, s, measure);
}

void DrawLegend(Canvas& c, const std::vector<LegendEntry>& entries, const Style& s) {
  if (entries.empty()) return;
  c.BeginGroup("legend");
  for (const LegendEntry& e : entries) {
    c.BeginGroup("entry:" + e.Name);
    const Rect& w = e.Swatch;
    const double mid = w.Y + w.H / 2;
    switch (e.Kind) {
      case LegendKind::Line:
        c.Line({w.X, mid}, {w.Right(), mid}, {e.Colour, 2.0, e.Style});
        break;
      case LegendKind::Band:
        // The band's own fill over the plot's background, with its edges: the colour drawn.
        c.FillRect(w, s.Colours.PlotBackground);
        c.FillRect(w, BandFill(e.Colour));
        c.Line({w.X, w.Y}, {w.Right(), w.Y}, {e.Colour, 1.0, Dash::Solid});
        c.Line({w.X, w.Bottom()}, {w.Right(), w.Bottom()}, {e.Colour, 1.0, Dash::Solid});
        break;
      case LegendKind::Marker:
        DrawMarker(c, {w.X + w.W / 2, mid}, kMarkerRadius, e.Shape, e.Colour, s.Colours.Background);
        break;
    }
    c.Text(e.TextAt, e.Name, {s.Colours.Text, s.TextSize, HAlign::Left, VAlign::Middle});
    c.EndGroup();
  }
  c.EndGroup();
}

}  // namespace chart
