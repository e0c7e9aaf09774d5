#pragma once

#include <string_view>

#include "rf/reflection.h"

// From the couplers' readings back to the truth: every incident power and load reflection
// magnitude that the forward and reflected readings allow over all leakage phases, in the
// model forward = Pinc |1 + d M e^{j psi}|^2, reflected = Pinc |M e^{j phi} + d e^{j chi}|^2.
namespace analysis {

enum class TruthStatus {
  Ok,
  NoPower,       // both readings 0: nothing to infer from
  Inconsistent,  // no load and no incident power give these readings with these couplers
  BadInput,      // a negative, infinite or NaN reading, or a directivity outside 0..160 dB
};
std::string_view TruthStatusText(TruthStatus status);

struct Range {
  double Min = 0.0;
  double Max = 0.0;
};

struct Truth {
  TruthStatus Status = TruthStatus::BadInput;
  Range Pinc;   // true incident power, W
  Range Prefl;  // true reflected power Pinc M^2, W
  Range Pload;  // true absorbed power Pinc (1 - M^2), W
  Range Mag;    // the load's reflection magnitude M
  // The magnitude's ends in every form (Mag, Rloss, Swr set); the return loss and the SWR
  // rise with the magnitude, so these are their ranges too.
  rf::TRefl MagLo;
  rf::TRefl MagHi;
};

// forward and reflected in watts; dirDb is ignored for ideal couplers, which give the exact
// truth (every Min equal to its Max). Only with Status Ok are the ranges set; otherwise NaN.
Truth TruthFromReadings(double forward, double reflected, bool ideal, double dirDb);

}  // namespace analysis
