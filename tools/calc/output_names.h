#pragma once

#include <array>
#include <string_view>

#include "analysis/readings_truth.h"

// The member and column names of the extras, which scripts rely on.
namespace calc {

inline constexpr std::string_view kUncertainty = "uncertainty";
inline constexpr std::string_view kMean = "mean";
inline constexpr std::string_view kMedian = "median";
inline constexpr std::string_view kStd = "std";
inline constexpr std::string_view kInterval = "interval";
inline constexpr std::string_view kLow = "low";
inline constexpr std::string_view kHigh = "high";
inline constexpr std::string_view kCoverage = "coverage";
inline constexpr std::string_view kTruth = "truth";
inline constexpr std::string_view kMin = "min";
inline constexpr std::string_view kMax = "max";
inline constexpr std::string_view kBudget = "budget";
inline constexpr std::string_view kPload = "Pload";
inline constexpr std::string_view kTrials = "trials";
inline constexpr std::string_view kDesign = "design";
inline constexpr std::string_view kDirectivityDb = "directivity_db";
inline constexpr std::string_view kLoadSwr = "load_swr";
inline constexpr std::string_view kAnyLoad = "any_load";
inline constexpr std::string_view kReason = "_reason";

struct TruthItem {
  std::string_view Name;
  analysis::Range analysis::Truth::*Member;
};
inline constexpr std::array<TruthItem, 4> kTruthItems{{{"Pinc", &analysis::Truth::Pinc},
                                                       {"Prefl", &analysis::Truth::Prefl},
                                                       {"Pload", &analysis::Truth::Pload},
                                                       {"Mag", &analysis::Truth::Mag}}};

}  // namespace calc
