#pragma once

#include <string_view>

// Texts the chart engine itself writes into a picture or a read-out; everything else a chart
// shows (titles, series names, notes) comes from its caller.
namespace chart {

inline constexpr std::string_view kBandLower = "min";
inline constexpr std::string_view kBandUpper = "max";
inline constexpr std::string_view kReflection = "\u0393";
inline constexpr std::string_view kImpedance = "Z";
inline constexpr std::string_view kNormalisedImpedance = "z";
inline constexpr std::string_view kOhm = "\u03A9";
inline constexpr std::string_view kDegree = "\u00B0";
inline constexpr std::string_view kImaginaryUnit = "j";
inline constexpr std::string_view kOpenCircuit = "\u221E";

}  // namespace chart
