#pragma once

#include <array>
#include <string_view>

#include "rf/model.h"
#include "rf/reflection.h"

// Statistics beside the worst-case limits, for phases that are unknown, uniformly distributed
// and independent: the line's round-trip phase for the transmission quantities, the two
// couplers' leakage phases for the readings at the actual transmission.
namespace analysis {

inline constexpr double kCoverageFactor = 2.0;  // expanded uncertainty U = k * std

struct Moments {
  double Mean = 0.0;
  double Std = 0.0;
  double Expanded = 0.0;  // kCoverageFactor * Std
};

struct Uncertainty {
  Moments Interf;
  Moments TrGain;
  Moments Pinc;
  Moments Prefl;
  Moments Pload;
  Moments PincReading;
  Moments PreflReading;
  Moments PloadReading;
};

struct UncertaintyItem {
  std::string_view Name;
  Moments Uncertainty::*Member;
  bool IsPower;  // watts; otherwise a dimensionless power ratio
};
inline constexpr std::array<UncertaintyItem, 8> kUncertaintyItems{{
    {"Interf", &Uncertainty::Interf, false},
    {"TrGain", &Uncertainty::TrGain, false},
    {"Pinc", &Uncertainty::Pinc, true},
    {"Prefl", &Uncertainty::Prefl, true},
    {"Pload", &Uncertainty::Pload, true},
    {"PincReading", &Uncertainty::PincReading, true},
    {"PreflReading", &Uncertainty::PreflReading, true},
    {"PloadReading", &Uncertainty::PloadReading, true},
}};

// Closed forms on the model's own minimum and maximum fields; m must be computed.
Uncertainty ComputeUncertainty(const rf::ModelState& m);

// One row of the table of limits and uncertainties: the worst cases the window shows beside
// the statistics for unknown phases. For a reading, Actual is the true value it reads.
struct LimitRow {
  std::string_view Name;  // as in kUncertaintyItems
  bool IsPower;
  double Min;
  double Actual;
  double Max;
  Moments Stats;
};
std::array<LimitRow, kUncertaintyItems.size()> LimitsAndUncertainty(const rf::ModelState& m);

// A quantity c / |1 - r e^{j theta}|^2 (c >= 0) with theta uniform, from its extremes
// lo = c / (1 + r)^2 and hi = c / (1 - r)^2: mean sqrt(lo hi), std sqrt(mean / 2) |sqrt(hi) -
// sqrt(lo)|.
Moments InterferenceMoments(double lo, double hi);
// A quantity A + B cos(phi) with phi uniform, from its extremes A - |B| and A + |B|: mean
// (lo + hi) / 2, std (hi - lo) / (2 sqrt 2).
Moments LeakageMoments(double lo, double hi);

// The load reflection magnitude a measurement can indicate, physically: the reflected
// reading's amplitude is never below |M - d|, so the lower end is |MeaMin.Mag|, never
// negative; the upper end is MeaMax. Mag, Rloss and Swr are set.
struct InferredLoadRange {
  rf::TRefl Lo;
  rf::TRefl Hi;
};
InferredLoadRange InferredLoadReflection(const rf::ModelState& m);

}  // namespace analysis
