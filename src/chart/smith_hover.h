#pragma once

#include <complex>
#include <string>

#include "chart/smith_chart.h"

// The value under the pointer in a laid-out Smith chart, as plain data each binding shows.
namespace chart {

struct SmithReadout {
  bool Found = false;  // a point or a locus vertex lies within reach of the pointer
  std::string Series{};
  Reflection Gamma{};
  std::complex<double> Impedance{};  // ohms, or normalised when the chart has no Z0
  Point At{};
  bool InChart = false;  // the pointer is inside the unit circle; then what lies under it:
  Reflection PointerGamma{};
  std::complex<double> PointerImpedance{};
};

SmithReadout HoverSmith(const SmithChart& chart, const SmithLayout& layout, Point pointer,
                        double maxDistance = 24.0);

// "Name", "Γ = 0.5 ∠ 30°", "Z = 75 + j25 Ω" (or "z = 1.5 + j0.5").
std::string ReadoutText(const SmithChart& chart, const SmithReadout& r);
// The two value lines alone, for a reflection coefficient.
std::string ReflectionText(const SmithChart& chart, Reflection g);

}  // namespace chart
