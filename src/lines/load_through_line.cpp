#include "lines/load_through_line.h"

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
