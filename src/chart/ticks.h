#pragma once

#include <string>
#include <vector>

#include "chart/scale.h"

// Round tick values and their labels: 1, 2, 5 x 10^n steps on a linear axis, decades (with 2
// and 5 between) on a logarithmic one, decades of the threshold on both sides of a
// symmetric-logarithmic one.
namespace chart {

struct Tick {
  double Value = 0.0;
  std::string Label;  // empty for an unlabelled minor tick
  bool Major = true;
};

// The range an axis finally shows (the data's ends rounded out to ticks) and its ticks.
struct AxisTicks {
  double Lo = 0.0;
  double Hi = 1.0;
  std::vector<Tick> Ticks;
};

// The smallest 1, 2, 5 x 10^n step that cuts span into at most maxTicks - 1 intervals.
double NiceStep(double span, int maxTicks);

// A tick value as text with just the decimals its step needs: "-180", "0.5", "0.25";
// exponent form ("1e-6", "2.5e7") only for very small or very large values.
std::string TickLabel(double value, double step);

// Ends in either order; equal ends, one or two non-finite ends give a sensible range around
// what is known. A finite step > 0 that gives a sane number of ticks is used as given.
// extend rounds the ends out to whole steps.
AxisTicks LinearTicks(double lo, double hi, int maxTicks, bool extend, double step);
// Ends that are not positive and finite are replaced from the other end (or 1..10).
AxisTicks LogTicks(double lo, double hi, int maxLabels);
AxisTicks SymLogTicks(double lo, double hi, double threshold, int maxLabels);

AxisTicks MakeTicks(Scale s, double lo, double hi, double threshold, int maxTicks, bool extend,
                    double step);

}  // namespace chart
