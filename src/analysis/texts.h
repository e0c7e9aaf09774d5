#pragma once

#include <string_view>

// Every text the analysis hands to a user: the shapes of the distributions, the messages of
// the readings and the design answers.
namespace analysis {

// How the values of a quantity spread when the phases are unknown, for the help and the
// tables beside the coverage intervals.
inline constexpr std::string_view kShapeFixed = "Fixed: the phases do not change it";
inline constexpr std::string_view kShapeArcsine =
    "U-shaped: most line lengths give values near the limits";
inline constexpr std::string_view kShapeSkewedU =
    "U-shaped and skewed: most line lengths give values near the limits, the high ones rarer and "
    "farther out";
inline constexpr std::string_view kShapeCentralCusp =
    "Peaked in the middle: the two couplers' errors mostly cancel, and rarely add up to the "
    "limits";
inline constexpr std::string_view kShapeDisc =
    "Spread over the disc of possible reflections: values near the nominal case are the most "
    "common, the limits rare";
inline constexpr std::string_view kShapeUndefined =
    "Undefined: the source delivers nothing defined";

// What the readings tell of the truth, when they tell nothing numeric.
inline constexpr std::string_view kTruthOk =
    "The ranges hold every load consistent with the readings";
inline constexpr std::string_view kTruthNoPower =
    "Both readings are zero: there is no power to infer anything from";
inline constexpr std::string_view kTruthInconsistent =
    "No load gives these readings with these couplers: the reflected reading is too high for the "
    "forward one; check the readings, their units and the directivity";
inline constexpr std::string_view kTruthBadInput =
    "A reading must be a finite power of at least 0 W, and the directivity 0 to 160 dB";

// Why a coupler design has no number.
inline constexpr std::string_view kDesignAnyLoad = "any load";
inline constexpr std::string_view kDesignTotalReflection =
    "not reachable: a totally reflecting load absorbs nothing, so no reading is within any "
    "relative error";
inline constexpr std::string_view kDesignBeyondRange =
    "not reachable: more than 160 dB of directivity would be needed";
inline constexpr std::string_view kDesignLeakageAlone =
    "not reachable: the couplers' leakage alone exceeds the target, even on a matched load";
inline constexpr std::string_view kDesignBadTarget = "the target must be a positive number";

// The measurement budget's reasons.
inline constexpr std::string_view kBudgetUnstable =
    "not settled: the interval's ends did not reach two significant digits within the trial limit";
inline constexpr std::string_view kBudgetNoTrials =
    "no leakage phases fit these readings often enough to give a budget";
inline constexpr std::string_view kBudgetBadInput =
    "calibration uncertainties must be finite and at least 0 (a sensor's below 100 %), the "
    "coverage probability between 0 and 1, and the readings possible";

}  // namespace analysis
