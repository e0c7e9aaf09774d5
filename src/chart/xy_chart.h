#pragma once

#include <limits>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/scale.h"

// An XY chart as plain data: what to draw, not where. The layout places it on a canvas.
namespace chart {

inline constexpr double kAuto = std::numeric_limits<double>::quiet_NaN();

struct Axis {
  std::string Title{};
  std::string Unit{};  // shown as "Title (Unit)"
  Scale Kind = Scale::Linear;
  double Threshold = 1.0;  // where a symmetric-log axis turns from linear to logarithmic
  double Min = kAuto;      // both finite: the range exactly; otherwise from the data
  double Max = kAuto;
  double Step = kAuto;  // a linear axis's tick step, when round 1-2-5 steps do not suit
};

// One curve; a point with a non-finite coordinate (or one the axis cannot place) breaks it.
struct Series {
  std::string Name{};
  std::vector<double> X{};
  std::vector<double> Y{};
  int Colour = -1;  // palette series index; -1 takes the series' own position
  double Width = 1.75;
  Dash Style = Dash::Solid;
  std::string EmptyNote{};  // drawn in the plot when no point is finite
};

// The area between two curves over the same X, e.g. a quantity's min and max over a phase.
struct Band {
  std::string Name{};
  std::vector<double> X{};
  std::vector<double> Lower{};
  std::vector<double> Upper{};
  int Colour = -1;
  std::string EmptyNote{};
};

enum class MarkerShape { Circle, Square, Diamond, Triangle };

struct Marker {
  std::string Name{};
  double X = 0.0;
  double Y = 0.0;
  MarkerShape Shape = MarkerShape::Circle;
  int Colour = -1;  // -1: the palette's marker colour
};

enum class Orientation { Horizontal, Vertical };

struct TargetLine {
  Orientation Along = Orientation::Horizontal;
  double Value = 0.0;
  std::string Label{};
};

struct XyChart {
  std::string Title{};
  Axis X{};
  Axis Y{};
  std::vector<Series> Lines{};
  std::vector<Band> Bands{};
  std::vector<Marker> Markers{};
  std::vector<TargetLine> Targets{};
};

std::string AxisTitle(const Axis& a);

}  // namespace chart
