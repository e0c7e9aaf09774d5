#pragma once

#include <string>
#include <variant>

#include "chart/canvas.h"
#include "chart/contour.h"
#include "chart/smith_chart.h"
#include "chart/style.h"
#include "chart/xy_chart.h"

// Any chart the engine draws, for code that exports or shows a chart without caring which
// kind it is: the Analysis window's sheets, the PNG and SVG exports, the report.
namespace chart {

using AnyChart = std::variant<XyChart, SmithChart, ContourMap>;

// Lays the chart out for a picture of width x height pixels and draws it.
void Draw(Canvas& canvas, const AnyChart& chart, double width, double height, const Style& style);

// The chart as one self-contained SVG document, its texts in the given font family.
std::string ToSvg(const AnyChart& chart, double width, double height, const Style& style,
                  const std::string& fontFamily = "sans-serif");

}  // namespace chart
