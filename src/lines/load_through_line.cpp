#include "lines/load_through_line.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "lines/frequency.h"
#include "touchstone/interpolate.h"
#include "touchstone/texts.h"

namespace lines {

namespace {

Result<rf::TComplex> FromInterpolated(touchstone::Interpolated at) {
  Result<rf::TComplex> out;
  out.Value = at.Refl;
  out.Error = std::move(at.Error);
  return out;
}

template <class P>
Result<rf::TComplex> ThroughLine(std::span<const P> points, const Line& line, double hz) {
  const Result<rf::TComplex> load = FromInterpolated(touchstone::InterpolateAt(points, hz));
  if (!load.Ok()) return load;
  return ReflectionThroughLine(line, hz, load.Value);
}

}  // namespace

Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::Point> points, double hz) {
  return FromInterpolated(touchstone::InterpolateAt(points, hz));
}
Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::PolarPoint> points, double hz) {
  return FromInterpolated(touchstone::InterpolateAt(points, hz));
}

Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::Point> points,
                                         const Line& line, double hz) {
  return ThroughLine(points, line, hz);
}
Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::PolarPoint> points,
                                         const Line& line, double hz) {
  return ThroughLine(points, line, hz);
}

ReflectionAlongBand::ReflectionAlongBand(std::span<const touchstone::PolarPoint> points,
                                         const Line& line)
    : ReflectionAlongBand(PolarReflection{}, line) {
  cursor_ = touchstone::SegmentCursor(points);
  fromFile_ = true;
}

ReflectionAlongBand::ReflectionAlongBand(PolarReflection fixed, const Line& line)
    : cursor_({}),
      fixed_(fixed),
      line_(line),
      gain_(RoundTripGain(line)),
      trip_(RoundTripOf(line)) {}

ReflectionAlongBand::ReflectionAlongBand(std::span<const touchstone::PolarPoint> points)
    : cursor_(points), fromFile_(true), throughLine_(false) {}

Result<PolarReflection> ReflectionAlongBand::Refused(double hz) const {
  // What the file does not hold, else what the line cannot carry, each with its message.
  Result<PolarReflection> out;
  out.Error =
      fromFile_ && !cursor_.Covers(hz) ? cursor_.ErrorAt(hz) : RoundTripPhaseDeg(line_, hz).Error;
  return out;
}

double FirstFrequencyHz(std::span<const touchstone::Point> points) {
  for (const touchstone::Point& p : points) {
    if (p.FreqHz > 0.0) return p.FreqHz;
  }
  return kDefaultFrequencyHz;
}

Result<Band> FileBand(std::span<const touchstone::Point> points) {
  if (points.empty()) {
    Result<Band> out;
    out.Error = touchstone::kNoPoints;
    return out;
  }
  return BandBetween(points.front().FreqHz, points.back().FreqHz);
}

}  // namespace lines
