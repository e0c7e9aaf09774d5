#pragma once

#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/scale.h"
#include "chart/style.h"
#include "chart/ticks.h"
#include "chart/xy_chart.h"

// Pieces the chart kinds share: breaking curves at unplaceable points, marker shapes, and
// numbers for read-outs.
namespace chart {

// Device coordinates far outside any picture are pulled in to this distance: a value the
// axis maps a trillion pixels away must not reach a canvas as a number it cannot draw, and
// the clip hides the difference.
inline constexpr double kFarPixel = 1e6;
double ClampPixel(double p);

// The runs of consecutive placeable points of a curve, in pixels.
std::vector<std::vector<Point>> Runs(const std::vector<double>& x, const std::vector<double>& y,
                                     const AxisMap& mx, const AxisMap& my);

std::vector<Point> MarkerOutline(Point centre, double radius, MarkerShape shape);
void DrawMarker(Canvas& c, Point centre, double radius, MarkerShape shape, Color fill,
                Color outline);
// A single placeable point between breaks, drawn as a dot so that it is not lost.
void DrawDot(Canvas& c, Point centre, double width, Color colour);

// A value for a read-out: four significant digits, shortest form ("12.35", "0.5", "1.2e-6",
// "\u221E", "NaN").
std::string ReadoutNumber(double v);

int FiniteCount(const std::vector<double>& v);

inline constexpr double kTickLength = 4.0;
// A plot's two axes: the lines along its bottom and left edges, their ticks (minor ones half as
// long and unlabelled; a tick the axis cannot place is left out), the tick labels and the
// titles, the y title upright at yTitleX.
void DrawAxes(Canvas& c, const Rect& plot, const AxisMap& x, const AxisTicks& xTicks,
              const AxisMap& y, const AxisTicks& yTicks, const Axis& xAxis, const Axis& yAxis,
              double yTitleX, const Style& s);

}  // namespace chart
