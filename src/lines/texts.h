#pragma once

#include <string_view>

// Every message about frequencies, bands and lines.
namespace lines {

// Frequencies as the program writes them: "2.45 GHz".
inline constexpr std::string_view kUnitGHz = " GHz";
inline constexpr std::string_view kUnitMHz = " MHz";
inline constexpr std::string_view kUnitKHz = " kHz";
inline constexpr std::string_view kUnitHz = " Hz";

inline constexpr std::string_view kExpectedFrequency =
    "expected a frequency such as 2.45G, 2450M, 2.45 GHz or 2450000000";
inline constexpr std::string_view kFrequencyNegative = "a frequency cannot be negative";
inline constexpr std::string_view kFrequencyZero = "a frequency must be above zero";
inline constexpr std::string_view kFrequencyNotFinite = "a frequency must be a finite number";
inline constexpr std::string_view kFrequencyTooLarge = "the frequency is too large";
inline constexpr std::string_view kSpreadNegative = "the band's spread cannot be negative";

inline constexpr std::string_view kExpectedBand =
    "expected a band as CENTRE,SPREAD such as 2.45G,50M";
inline constexpr std::string_view kBandCentrePrefix = "the band's centre: ";
inline constexpr std::string_view kBandSpreadPrefix = "the band's spread: ";
inline constexpr std::string_view kBandBelowZero = "the band reaches down to zero or below";
inline constexpr std::string_view kBandReversed = "the band's start lies above its end";
inline constexpr std::string_view kBandFromPrefix = "the band's start: ";
inline constexpr std::string_view kBandToPrefix = "the band's end: ";

inline constexpr std::string_view kExpectedMedium =
    "expected a medium: tem:VF with a velocity factor, or a waveguide WR284, WR340, WR430, "
    "WR650 or WR975";
inline constexpr std::string_view kVelocityFactor =
    "the velocity factor must be above 0 and at most 1";
inline constexpr std::string_view kLength =
    "the line's length must be a finite number of metres, 0 or more";
inline constexpr std::string_view kLoss =
    "the line's loss must be a finite number of dB/m, 0 or more";
inline constexpr std::string_view kBelowCutoffBefore = "";
inline constexpr std::string_view kBelowCutoffMiddle = " lies at or below the TE10 cutoff of ";
inline constexpr std::string_view kBelowCutoffAfter = ", ";
inline constexpr std::string_view kTem = "tem";
inline constexpr std::string_view kTemSeparator = ":";

}  // namespace lines
