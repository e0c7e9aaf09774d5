#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"
#include "chart/style.h"
#include "chart/xy_chart.h"

// A chart's legend: one swatch and name per thing drawn, drawn the way the thing itself is.
namespace chart {

// Width of a text at a font size, in pixels: the canvas's own metrics or the estimate.
using TextMeasure = std::function<double(std::string_view, double)>;

enum class LegendKind { Line, Band, Marker };

struct LegendEntry {
  std::string Name{};
  LegendKind Kind = LegendKind::Line;
  Color Colour{};
  Dash Style = Dash::Solid;
  MarkerShape Shape = MarkerShape::Circle;
  Rect Swatch{};
  Point TextAt{};  // left end, vertically centred
};

// Width of one entry, and of the widest.
double LegendEntryWidth(const LegendEntry& e, const Style& s, const TextMeasure& measure);
double LegendColumnWidth(const std::vector<LegendEntry>& entries, const Style& s,
                         const TextMeasure& measure);
double LegendRowHeight(const Style& s);

// Places the entries one under the other from (x, y); returns the box they take.
Rect PlaceLegendColumn(std::vector<LegendEntry>& entries, double x, double y, const Style& s,
                       const TextMeasure& measure);
// Places them in rows that wrap within [x, x + width]; returns the box they take.
Rect PlaceLegendRows(std::vector<LegendEntry>& entries, double x, double y, double width,
                     const Style& s, const TextMeasure& measure);

// Where a chart keeps its legend: a column at its right edge when that is at most
// maxRightShare of the chart's width (the plot keeps most of it), else rows across its bottom.
struct LegendRoom {
  bool Right = false;
  double RightWidth = 0.0;   // kept free at the right
  double BelowHeight = 0.0;  // kept free at the bottom, with its padding
};
LegendRoom PlanLegend(const std::vector<LegendEntry>& entries, double width, double pad,
                      double maxRightShare, const Style& s, const TextMeasure& measure);
// Places the entries in the room planned for them in a chart of the given size, the column
// starting at top; returns the box they take (empty without entries).
Rect PlaceLegend(std::vector<LegendEntry>& entries, const LegendRoom& room, double width,
                 double height, double top, double pad, const Style& s, const TextMeasure& measure);

void DrawLegend(Canvas& c, const std::vector<LegendEntry>& entries, const Style& s);

}  // namespace chart
