#pragma once

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

// A file's reflection at hz with no line: a source's port match read from a file.
Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::Point> points, double hz);
Result<rf::TComplex> FileReflectionAt(std::span<const touchstone::PolarPoint> points, double hz);

// The window's frequency for a file: its first frequency above 0 Hz; kDefaultFrequencyHz
// without one.
double FirstFrequencyHz(std::span<const touchstone::Point> points);

// The file's whole range, first to last frequency; an error for a file with no positive
// frequency range to sweep (no points, or a first point at 0 Hz).
Result<Band> FileBand(std::span<const touchstone::Point> points);

}  // namespace lines
