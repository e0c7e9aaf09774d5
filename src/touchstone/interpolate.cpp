#include "touchstone/interpolate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

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

}  // namespace

Interpolated InterpolateAt(std::span<const Point> points, double freqHz) {
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
                                   [](const Point& p, double f) { return p.FreqHz < f; });
  const Point& b = *hi;
  const double magB = std::hypot(b.Refl.Re, b.Refl.Im);
  const double phaB = std::atan2(b.Refl.Im, b.Refl.Re);
  if (b.FreqHz == freqHz || hi == points.begin()) {
    out = Polar(magB, phaB);
    out.Refl = b.Refl;
    return out;
  }
  const Point& a = *(hi - 1);
  const double magA = std::hypot(a.Refl.Re, a.Refl.Im);
  const double phaA = std::atan2(a.Refl.Im, a.Refl.Re);
  const double t = (freqHz - a.FreqHz) / (b.FreqHz - a.FreqHz);
  // The step from a to b the shorter way round, within -pi..pi.
  const double step = std::remainder(phaB - phaA, 2.0 * std::numbers::pi);
  double pha = phaA + t * step;
  if (pha > std::numbers::pi) pha -= 2.0 * std::numbers::pi;
  if (pha < -std::numbers::pi) pha += 2.0 * std::numbers::pi;
  return Polar(magA + t * (magB - magA), pha);
}

}  // namespace touchstone
