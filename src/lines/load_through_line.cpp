#include "lines/load_through_line.h"

#include "touchstone/interpolate.h"

namespace lines {

Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::Point> points,
                                         const Line& line, double hz) {
  const touchstone::Interpolated load = touchstone::InterpolateAt(points, hz);
  if (!load.Error.empty()) {
    Result<rf::TComplex> out;
    out.Error = load.Error;
    return out;
  }
  return ReflectionThroughLine(line, hz, load.Refl);
}

}  // namespace lines
