#pragma once

#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/legend.h"
#include "chart/scale.h"
#include "chart/style.h"
#include "chart/ticks.h"
#include "chart/xy_chart.h"

// A filled contour map: values on a rectangular grid drawn as bands of colour between levels,
// with a colour scale. Grid values that are not finite (e.g. outside the reflection plane's
// unit circle) leave their cells empty.
namespace chart {

// Z holds X.size() * Y.size() values, row by row: Z[j * X.size() + i] belongs to (X[i], Y[j]).
// X and Y rise strictly.
struct Grid {
  std::vector<double> X{};
  std::vector<double> Y{};
  std::vector<double> Z{};
  bool Valid() const;
  double At(std::size_t i, std::size_t j) const { return Z[j * X.size() + i]; }
};

struct ContourMap {
  std::string Title{};
  Axis X{};
  Axis Y{};
  Grid Values{};
  std::vector<double> Levels{};  // rising; empty: round levels over the finite values
  std::string ScaleTitle{};      // the colour scale's title, with ScaleUnit as "Title (Unit)"
  std::string ScaleUnit{};
  bool ReflectionPlane = false;  // one scale on both axes, the unit circle drawn
  std::vector<Marker> Markers{};
};

// Per band between Levels[k] and Levels[k + 1], the polygons (in grid coordinates) where the
// piecewise-linear surface over the grid's triangles lies within it; values outside the
// outer levels belong to no band.
std::vector<std::vector<std::vector<Point>>> FilledBands(const Grid& g,
                                                         const std::vector<double>& levels);

// Whether a grid cell is cut into triangles along its (x0, y0)-(x1, y1) diagonal: when both of
// its ends have values; otherwise along the other one.
bool MainDiagonal(double z00, double z11);

// The surface's value at (x, y) as drawn; NaN outside the grid or in an empty cell.
double ValueAt(const Grid& g, double x, double y);

struct ContourLayout {
  double Width = 0.0;
  double Height = 0.0;
  Rect Plot{};
  AxisMap X{};
  AxisMap Y{};
  AxisTicks XTicks{};
  AxisTicks YTicks{};
  std::vector<double> Levels{};
  std::vector<Color> BandColours{};
  Rect Scale{};  // the colour bar
  double YTitleX = 0.0;
};

ContourLayout LayoutContour(const ContourMap& map, double width, double height, const Style& style,
                            const TextMeasure& measure);
void DrawContour(Canvas& canvas, const ContourMap& map, const ContourLayout& layout,
                 const Style& style);
ContourLayout DrawContour(Canvas& canvas, const ContourMap& map, double width, double height,
                          const Style& style);

struct ContourReadout {
  bool InPlot = false;
  double X = kAuto;
  double Y = kAuto;
  double Value = kAuto;
};
ContourReadout HoverContour(const ContourMap& map, const ContourLayout& layout, Point pointer);
// "Title (unit): value", then one line per axis; empty outside the plot.
std::string ReadoutText(const ContourMap& map, const ContourReadout& r);

}  // namespace chart
