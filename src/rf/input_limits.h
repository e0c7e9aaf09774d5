#pragma once

#include <cstdint>

#include "rf/reflection.h"

// The ranges of the model's inputs: what the window's edits accept (clamping beyond them) and
// what the calculator and the analysis take (refusing beyond them).
namespace rf {

struct InputRange {
  double Lo;
  double Hi;
};

inline constexpr std::int32_t kVaMax = 100000;  // anode voltage, whole volts from 0
inline constexpr InputRange kVaRange{0.0, kVaMax};
inline constexpr InputRange kIaRange{0.0, 1000.0};            // anode current, A
inline constexpr InputRange kEffPercentRange{0.0, 100.0};     // efficiency, per cent
inline constexpr InputRange kPhaseRange{-180.0, 180.0};       // phases, degrees
inline constexpr InputRange kDirectivityRange{0.0, 160.0};    // coupler directivity, dB
inline constexpr InputRange kMagRange{0.0, 1.0};              // reflection magnitude
inline constexpr InputRange kRlossRange{kRlossFloorDb, 0.0};  // return loss, dB
inline constexpr InputRange kSwrRange{1.0, 100000.0};         // standing-wave ratio

}  // namespace rf
