#pragma once

#include <optional>

#include "rf/input_limits.h"
#include "rf/model.h"

// Coupler design for the absorbed-power reading: how good a coupler must be for the present
// load, and how bad a load the present coupler tolerates, for a target relative error.
namespace analysis {

// The largest relative deviation of the absorbed-power reading from the true absorbed power,
// either sign: max(1 - PloadMinRelat, PloadMaxRelat - 1); NaN when either is NaN.
double AbsorbedReadingError(const rf::ModelState& m);

// The smallest directivity (dB, 0..160) for which the absorbed-power reading stays within
// +-target (a fraction, 0.05 for 5 %) for the present load; nullopt when even 160 dB does not
// reach it or the target is not a positive number. Fed back as CplDirDb it gives an error of
// at most the target.
std::optional<double> DesignDirectivity(const rf::ModelState& m, double target);

// The largest load SWR for which the present couplers keep the absorbed-power reading within
// +-target; +infinity for ideal couplers; nullopt when not even a matched load reaches it or
// the target is not a positive number. Fed back as the load's SWR (ReflFromSwr) it gives an
// error of at most the target.
std::optional<double> DesignLoadSwr(const rf::ModelState& m, double target);

}  // namespace analysis
