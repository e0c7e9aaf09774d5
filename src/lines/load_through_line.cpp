#include "lines/load_through_line.h"

#include <utility>

#include "touchstone/interpolate.h"
#include "touchstone/texts.h"

namespace lines {

Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::Point> points, double hz) {
  touchstone::Interpolated at = touchstone::InterpolateAt(points, hz);
  Result<rf::TComplex> out;
  out.Value = at.Refl;
  out.Error = std::move(at.Error);
  return out;
}

Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::Point> points,
                                         const Line& line, double hz) {
  const Result<rf::TComplex> load = FileReflectionAt(points, hz);
  if (!load.Ok()) return load;
  return ReflectionThroughLine(line, hz, load.Value);
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
