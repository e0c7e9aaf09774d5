#pragma once

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

}  // namespace touchstone
