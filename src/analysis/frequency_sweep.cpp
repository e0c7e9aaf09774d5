#include "analysis/frequency_sweep.h"

#include <limits>

namespace analysis {

double BandPointHz(double fromHz, double toHz, int i, int n) {
  if (n <= 1 || i <= 0) return fromHz;
  if (i >= n - 1) return toHz;
  return fromHz + (toHz - fromHz) * (static_cast<double>(i) / static_cast<double>(n - 1));
}

void SetPolar(rf::TRefl& r, rf::TComplex z) {
  r.Mag = std::hypot(z.Re, z.Im);
  r.Pha = std::atan2(z.Im, z.Re) * 180.0 / 3.141592653589793;
}

void SetReflection(rf::TRefl& r, rf::TComplex z) {
  SetPolar(r, z);
  rf::ReflFromMag(r);
}

std::vector<double> Column(const std::vector<FrequencyPoint>& points,
                           const rf::ScalarField& field) {
  std::vector<double> out;
  out.reserve(points.size());
  for (const FrequencyPoint& p : points) out.push_back(field.Value(p.Model));
  return out;
}

BandExtremes Extremes(const std::vector<FrequencyPoint>& points, const rf::ScalarField& field) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  BandExtremes e{kNaN, kNaN, kNaN, kNaN};
  for (const FrequencyPoint& p : points) {
    const double v = field.Value(p.Model);
    if (std::isnan(v)) continue;
    if (std::isnan(e.Min) || v < e.Min) {
      e.Min = v;
      e.MinAtHz = p.FreqHz;
    }
    if (std::isnan(e.Max) || v > e.Max) {
      e.Max = v;
      e.MaxAtHz = p.FreqHz;
    }
  }
  return e;
}

}  // namespace analysis
