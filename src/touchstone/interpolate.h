#pragma once

#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "rf/complex.h"
#include "touchstone/reader.h"

// A file's reflection between its frequencies.
namespace touchstone {

struct Interpolated {
  double Mag = 0.0;
  double PhaDeg = 0.0;  // -180..180
  rf::TComplex Refl;    // the same reflection in rectangular form
  std::string Error;    // empty when the frequency lies within the file's range
};

// The reflection at freqHz, linear in magnitude and in phase between the two neighbouring
// points; the phase is unwrapped between them (it takes the shorter way round, so 170 and
// -170 degrees meet at 180, not at 0). At a point of the file, that point's value. Never
// extrapolated: a frequency outside the file's first to last frequency, an empty file and a
// NaN frequency give an error. points must increase in frequency, as the reader gives them.
Interpolated InterpolateAt(std::span<const Point> points, double freqHz);

// A file's points with their magnitudes and phases formed once, for the many frequencies of a
// sweep; the same results as the points themselves give, bit for bit.
struct PolarPoint {
  double FreqHz = 0.0;
  double Mag = 0.0;
  double PhaRad = 0.0;  // -pi..pi
  rf::TComplex Refl;
};
std::vector<PolarPoint> ToPolar(std::span<const Point> points);
Interpolated InterpolateAt(std::span<const PolarPoint> points, double freqHz);

// The interpolated reflection in polar form alone, for a sweep that turns it further and has
// no use for the rectangular form; Mag and PhaRad are what InterpolateAt gives, bit for bit.
struct PolarAt {
  double Mag = 0.0;
  double PhaRad = 0.0;  // -pi..pi
  bool Inside = false;  // false: outside the file's range, a NaN frequency or no points
};

// Linear in magnitude and in phase from point a to point b at freqHz, the phase's step from a
// to b (the shorter way round, within -pi..pi) given; the phase wrapped into -pi..pi.
inline PolarAt LerpPolar(double hzA, double magA, double phaA, double hzB, double magB, double step,
                         double freqHz) {
  constexpr double kPi = std::numbers::pi;
  const double t = (freqHz - hzA) / (hzB - hzA);
  double pha = phaA + t * step;
  if (pha > kPi) pha -= 2.0 * kPi;
  if (pha < -kPi) pha += 2.0 * kPi;
  return {magA + t * (magB - magA), pha, true};
}

// Walks a file's points with the frequencies of a sweep: each search starts at the segment
// the one before ended in, so an increasing sweep finds its segment in a step or two instead
// of a binary search over the whole file. Any order of frequencies gives the same values.
class SegmentCursor {
 public:
  explicit SegmentCursor(std::span<const PolarPoint> points) : points_(points) {}
  PolarAt At(double freqHz) {
    // Strictly inside the segment the last call ended in: the usual step of a sweep, inline.
    if (stepOf_ == hi_ && hi_ > 0 && hi_ < points_.size()) {
      const PolarPoint& a = points_[hi_ - 1];
      const PolarPoint& b = points_[hi_];
      if (freqHz > a.FreqHz && freqHz < b.FreqHz) return Between(a, b, step_, freqHz);
    }
    return Find(freqHz);
  }
  // The message InterpolateAt gives for a frequency that is not Inside.
  std::string ErrorAt(double freqHz) const;
  // Whether freqHz lies within the file's first to last frequency.
  bool Covers(double freqHz) const {
    return !points_.empty() && freqHz >= points_.front().FreqHz && freqHz <= points_.back().FreqHz;
  }

 private:
  static PolarAt Between(const PolarPoint& a, const PolarPoint& b, double step, double freqHz) {
    return LerpPolar(a.FreqHz, a.Mag, a.PhaRad, b.FreqHz, b.Mag, step, freqHz);
  }
  PolarAt Find(double freqHz);

  std::span<const PolarPoint> points_;
  std::size_t hi_ = 0;
  std::size_t stepOf_ = static_cast<std::size_t>(-1);  // the segment step_ belongs to
  double step_ = 0.0;
};

}  // namespace touchstone
