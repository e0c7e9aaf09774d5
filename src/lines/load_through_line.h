#pragma once

#include <cmath>
#include <numbers>
#include <span>

#include "lines/band.h"
#include "lines/line.h"
#include "lines/result.h"
#include "rf/complex.h"
#include "touchstone/interpolate.h"
#include "touchstone/reader.h"

// A measured load seen through the line: what the magnetron's side sees at a frequency.
namespace lines {

// The file's reflection at hz (interpolated in magnitude and unwrapped phase, never
// extrapolated), then turned and attenuated by the line's round trip.
Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::Point> points,
                                         const Line& line, double hz);

// The same from points in polar form, for the many frequencies of a sweep.
Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::PolarPoint> points,
                                         const Line& line, double hz);

// A reflection in the polar form the window's model holds: magnitude and phase in degrees.
struct PolarReflection {
  double Mag = 0.0;
  double PhaDeg = 0.0;  // -180..180
};

// The load's (or the source's) reflection across a band, in polar form: a file's, interpolated
// as FileLoadThroughLine interpolates it, or a fixed one, turned and attenuated by the line.
// Made for the many frequencies of a sweep: the line's loss is formed once, the file's segment
// is found from the one before, and no rectangular form is made only to be taken apart again.
// The frequencies may come in any order; the values do not depend on it.
class ReflectionAlongBand {
 public:
  // A file's points (name it in the messages yourself) through the line.
  ReflectionAlongBand(std::span<const touchstone::PolarPoint> points, const Line& line);
  // A fixed reflection through the line.
  ReflectionAlongBand(PolarReflection fixed, const Line& line);
  // A file's points with no line: a source's port match, as FileReflectionAt gives it.
  explicit ReflectionAlongBand(std::span<const touchstone::PolarPoint> points);
  // Inline: a sweep calls it for every frequency.
  Result<PolarReflection> At(double hz);

 private:
  Result<PolarReflection> Refused(double hz) const;

  touchstone::SegmentCursor cursor_;
  bool fromFile_ = false;
  bool throughLine_ = true;
  PolarReflection fixed_;
  Line line_;
  double gain_ = 1.0;
  RoundTrip trip_;
};

// A file's reflection at hz with no line: a source's port match read from a file.
Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::Point> points, double hz);
Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::PolarPoint> points, double hz);

// The window's frequency for a file: its first frequency above 0 Hz; kDefaultFrequencyHz
// without one.
double FirstFrequencyHz(std::span<const touchstone::Point> points);

// The file's whole range, first to last frequency; an error for a file with no positive
// frequency range to sweep (no points, or a first point at 0 Hz).
Result<Band> FileBand(std::span<const touchstone::Point> points);

inline Result<PolarReflection> ReflectionAlongBand::At(double hz) {
  Result<PolarReflection> out;
  PolarReflection at = fixed_;
  if (fromFile_) {
    const touchstone::PolarAt p = cursor_.At(hz);
    if (!p.Inside) return Refused(hz);
    at = {p.Mag, p.PhaRad * (180.0 / std::numbers::pi)};
  }
  if (!throughLine_) {
    out.Value = at;
    return out;
  }
  // What the line cannot carry is refused as RoundTripPhaseDeg refuses it, with its message.
  if (!(hz > trip_.CutoffHz) || !(hz > 0.0) || !std::isfinite(hz)) return Refused(hz);
  const double turns = trip_.Turns(hz);
  double pha = at.PhaDeg - 360.0 * turns;
  if (pha > 180.0) pha -= 360.0;
  if (pha < -180.0) pha += 360.0;
  out.Value = {at.Mag * gain_, pha};
  return out;
}

}  // namespace lines
