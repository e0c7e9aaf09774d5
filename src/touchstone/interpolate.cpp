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
std::string RangeError(std::span<const P> points, double freqHz) {
  if (points.empty()) return std::string(kNoPoints);
  if (std::isnan(freqHz)) return std::string(kNotAFrequency);
  return std::string(kOutsideBefore) + Hz(freqHz) + std::string(kOutsideMiddle) +
         Hz(points.front().FreqHz) + std::string(kOutsideTo) + Hz(points.back().FreqHz) +
         std::string(kHz);
}

template <class P>
bool InRange(std::span<const P> points, double freqHz) {
  return !points.empty() && freqHz >= points.front().FreqHz && freqHz <= points.back().FreqHz;
}

// The phase step of the segment from points[hi - 1] to points[hi], the shorter way round,
// within -pi..pi.
template <class P>
double SegmentStep(std::span<const P> points, std::size_t hi) {
  if (hi == 0) return 0.0;
  return std::remainder(PhaOf(points[hi]) - PhaOf(points[hi - 1]), 2.0 * std::numbers::pi);
}

// Between points[hi - 1] and points[hi], the first point at or above freqHz, whose segment's
// step is given; at points[hi] itself (or the first point) its own value.
template <class P>
PolarAt PolarBetween(std::span<const P> points, std::size_t hi, double step, double freqHz) {
  const P& b = points[hi];
  if (b.FreqHz == freqHz || hi == 0) return {MagOf(b), PhaOf(b), true};
  const P& a = points[hi - 1];
  return LerpPolar(a.FreqHz, MagOf(a), PhaOf(a), b.FreqHz, MagOf(b), step, freqHz);
}

template <class P>
std::size_t FirstAtOrAbove(std::span<const P> points, std::size_t from, double freqHz) {
  const auto hi = std::lower_bound(points.begin() + static_cast<std::ptrdiff_t>(from), points.end(),
                                   freqHz, [](const P& p, double f) { return p.FreqHz < f; });
  return static_cast<std::size_t>(hi - points.begin());
}

template <class P>
Interpolated Between(std::span<const P> points, double freqHz) {
  Interpolated out;
  if (!InRange(points, freqHz)) {
    out.Error = RangeError(points, freqHz);
    return out;
  }
  const std::size_t hi = FirstAtOrAbove(points, 0, freqHz);
  const PolarAt at = PolarBetween(points, hi, SegmentStep(points, hi), freqHz);
  out = Polar(at.Mag, at.PhaRad);
  // At a point of the file, the file's own rectangular value.
  if (points[hi].FreqHz == freqHz || hi == 0) out.Refl = points[hi].Refl;
  return out;
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

PolarAt SegmentCursor::Find(double freqHz) {
  if (!InRange(points_, freqHz)) return {};
  // The segment before still holds it, or the next one does: the usual steps of a sweep.
  const bool below = hi_ >= points_.size() || (hi_ > 0 && points_[hi_ - 1].FreqHz >= freqHz);
  if (below) {
    hi_ = FirstAtOrAbove(points_, 0, freqHz);
  } else if (points_[hi_].FreqHz < freqHz) {
    ++hi_;
    if (points_[hi_].FreqHz < freqHz) hi_ = FirstAtOrAbove(points_, hi_, freqHz);
  }
  // A segment's step is formed once for all the frequencies that fall in it.
  if (hi_ != stepOf_) {
    step_ = SegmentStep(points_, hi_);
    stepOf_ = hi_;
  }
  return PolarBetween(points_, hi_, step_, freqHz);
}

std::string SegmentCursor::ErrorAt(double freqHz) const { return RangeError(points_, freqHz); }

}  // namespace touchstone
