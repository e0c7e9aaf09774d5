#pragma once

#include <span>

#include "lines/line.h"
#include "lines/result.h"
#include "rf/complex.h"
#include "touchstone/reader.h"

// A measured load seen through the line: what the magnetron's side sees at a frequency.
namespace lines {

// The file's reflection at hz (interpolated in magnitude and unwrapped phase, never
// extrapolated), then turned and attenuated by the line's round trip.
Result<rf::TComplex> FileLoadThroughLine(std::span<const touchstone::Point> points,
                                         const Line& line, double hz);

}  // namespace lines
