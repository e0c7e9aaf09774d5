#include "touchstone/interpolate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "touchstone/texts.h"

namespace touchstone {

namespace {

std::string Hz(double v) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

Interpolated Polar(double mag, double rad) {
  Interpolated out;
  out.Mag = mag;
  out.PhaDeg = rad * (180.0 / std::numbers::pi);
  out.Refl = rf::TComplex{mag * std::cos(rad), mag * std::sin(rad)};
  return out;
}

double MagOf(const Point& p) { return std::hypot(p.Refl.Re, p.Refl.Im); }
double PhaOf(const Point& p) { return std::atan2(p.Refl.Im, p.Refl.Re); }
double MagOf(const PolarPoint& p) { return p.Mag; }
double PhaOf(const PolarPoint& p) { return p.PhaRad; }

template <class P>
Interpolated Between(std::span<const P> points, double freqHz) {
  Interpolated out;
  if (points.empty()) {
    out.Error = kNoPoints;
    return out;
  }
  if (std::isnan(freqHz)) {
    out.Error = kNotAFrequency;
    return out;
  }
  const double first = points.front().FreqHz;
  const double last = points.back().FreqHz;
  if (freqHz < first || freqHz > last) {
    out.Error = std::string(kOutsideBefore) + Hz(freqHz) + std::string(kOutsideMiddle) + Hz(first) +
                std::string(kOutsideTo) + Hz(last) + std::string(kHz);
    return out;
  }
  const auto hi = std::lower_bound(points.begin(), points.end(), freqHz,
                                   [](const P& p, double f) { return p.FreqHz < f; });
  const P& b = *hi;
  const double magB = MagOf(b);
  const double phaB = PhaOf(b);
  if (b.FreqHz == freqHz || hi == points.begin()) {
    out = Polar(magB, phaB);
    out.Refl = b.Refl;
    return out;
  }
  const P& a = *(hi - 1);
  const double magA = MagOf(a);
  const double phaA = PhaOf(a);
  const double t = (freqHz - a.FreqHz) / (b.FreqHz - a.FreqHz);
  // The step from a to b the shorter way round, within -pi..pi.
  const double step = std::remainder(phaB - phaA, 2.0 * std::numbers::pi);
  double pha = phaA + t * step;
  if (pha > std::numbers::pi) pha -= 2.0 * std::numbers::pi;
  if (pha < -std::numbers::pi) pha += 2.0 * std::numbers::pi;
  return Polar(magA + t * (magB - magA), pha);
}

}  // namespace

std::vector<PolarPoint> ToPolar(std::span<const Point> points) {
  std::vector<PolarPoint> out;
  out.reserve(points.size());
  for (const Point& p : points) out.push_back({p.FreqHz, MagOf(p), PhaOf(p), p.Refl});
  return out;
}

Interpolated InterpolateAt(std::span<const Point> points, double freqHz) {
  return Between(points, freqHz);
}

Interpolated InterpolateAt(std::span<const PolarPoint> points, double freqHz) {
  return Between(points, freqHz);
}

}  // namespace touchstone
