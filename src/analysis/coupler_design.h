#pragma once

#include <optional>
#include <string_view>

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
// +-target; +infinity for ideal couplers and wherever every load short of total reflection
// meets the target; nullopt when not even a matched load reaches it or the target is not a
// positive number. Fed back as the load's SWR (ReflFromSwr) it gives an error of at most the
// target.
std::optional<double> DesignLoadSwr(const rf::ModelState& m, double target);

// Both answers hold for any source, not only for the present one: the error does not depend
// on the power, and the search leaves room for the rounding of every source's own powers.

enum class DesignStatus {
  Ok,
  AnyLoad,          // every load short of total reflection meets the target (SWR answer)
  TotalReflection,  // the load absorbs nothing: no reading is within any relative error
  BeyondRange,      // more than the 160 dB a coupler can be given would be needed
  LeakageAlone,     // the leakage misses the target even on a matched load (SWR answer)
  BadTarget,        // the target is not a positive number
};
std::string_view DesignStatusText(DesignStatus status);

// An answer as shown and as computed. Shown is Exact rounded to Decimals on the safe side
// (directivity up, SWR down), so that the number a user reads and types back still meets the
// target; both NaN unless Status is Ok.
struct DesignAnswer {
  DesignStatus Status = DesignStatus::BadTarget;
  double Exact = 0.0;
  double Shown = 0.0;
  int Decimals = 0;
};
DesignAnswer DirectivityAnswer(const rf::ModelState& m, double target);  // dB decimals
DesignAnswer LoadSwrAnswer(const rf::ModelState& m, double target);      // SWR decimals

}  // namespace analysis
