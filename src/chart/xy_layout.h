#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"
#include "chart/legend.h"
#include "chart/scale.h"
#include "chart/style.h"
#include "chart/ticks.h"
#include "chart/xy_chart.h"

// Where each element of an XY chart goes in a picture of a given size, and drawing it there.
namespace chart {

struct XyLayout {
  double Width = 0.0;
  double Height = 0.0;
  Rect Plot;
  AxisMap X;
  AxisMap Y;
  AxisTicks XTicks;
  AxisTicks YTicks;
  std::vector<LegendEntry> Legend{};
  Rect LegendBox;
  std::vector<std::string> Notes{};  // the empty series' notes, in order, each once
};

// Colour of line i, band i and marker i as drawn and named in the legend.
Color LineColour(const XyChart& c, const Palette& p, std::size_t i);
Color BandColour(const XyChart& c, const Palette& p, std::size_t i);
Color MarkerColour(const XyChart& c, const Palette& p, std::size_t i);

XyLayout LayoutXy(const XyChart& chart, double width, double height, const Style& style,
                  const TextMeasure& measure);
void DrawXy(Canvas& canvas, const XyChart& chart, const XyLayout& layout, const Style& style);
// Lays out with the canvas's text metrics and draws; returns the layout for hover read-outs.
XyLayout DrawXy(Canvas& canvas, const XyChart& chart, double width, double height,
                const Style& style);

}  // namespace chart
