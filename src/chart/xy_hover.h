#pragma once

#include <string>

#include "chart/canvas.h"
#include "chart/xy_chart.h"
#include "chart/xy_layout.h"

// The value under the pointer in a laid-out XY chart, as plain data each binding shows.
namespace chart {

struct XyReadout {
  bool Found = false;    // a point lies within reach of the pointer
  std::string Series{};  // its series' name; a band's edge as "Name (min)" or "Name (max)"
  double X = kAuto;      // the point's values
  double Y = kAuto;
  Point At{};           // the point in pixels
  bool InPlot = false;  // the pointer is over the plot; then the axes' values under it:
  double PointerX = kAuto;
  double PointerY = kAuto;
};

// The nearest drawn point (curves, band edges, markers) within maxDistance pixels of the
// pointer, which must be over the plot.
XyReadout HoverXy(const XyChart& chart, const XyLayout& layout, Point pointer,
                  double maxDistance = 24.0);

// "Name", then one line per axis: "Title (unit): value".
std::string ReadoutText(const XyChart& chart, const XyReadout& r);

}  // namespace chart
