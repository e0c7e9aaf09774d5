#include "chart/scale.h"

#include <cmath>
#include <limits>

namespace chart {

double Forward(Scale s, double v, double threshold) {
  if (!std::isfinite(v)) return std::numeric_limits<double>::quiet_NaN();
  switch (s) {
    case Scale::Linear:
      return v;
    case Scale::Log:
      return v > 0.0 ? std::log10(v) : std::numeric_limits<double>::quiet_NaN();
    case Scale::SymLog:
      return std::copysign(std::log10(1.0 + std::fabs(v) / threshold), v);
  }
  return v;
}

double Inverse(Scale s, double t, double threshold) {
  switch (s) {
    case Scale::Linear:
      return t;
    case Scale::Log:
      return std::pow(10.0, t);
    case Scale::SymLog:
      return std::copysign(threshold * (std::pow(10.0, std::fabs(t)) - 1.0), t);
  }
  return t;
}

double AxisMap::ToPixel(double v) const {
  const double t0 = Forward(Kind, Lo, Threshold);
  const double t1 = Forward(Kind, Hi, Threshold);
  const double t = Forward(Kind, v, Threshold);
  if (!(t1 != t0)) return std::numeric_limits<double>::quiet_NaN();
  return P0 + (t - t0) / (t1 - t0) * (P1 - P0);
}

double AxisMap::FromPixel(double p) const {
  const double t0 = Forward(Kind, Lo, Threshold);
  const double t1 = Forward(Kind, Hi, Threshold);
  if (!(P1 != P0)) return std::numeric_limits<double>::quiet_NaN();
  return Inverse(Kind, t0 + (p - P0) / (P1 - P0) * (t1 - t0), Threshold);
}

}  // namespace chart
