#pragma once

// How many decimals each kind of quantity is shown with (trailing zeros then dropped).
namespace numtext {

inline constexpr int kPowerDecimals = 2;    // watts, kilowatts, megawatts
inline constexpr int kDbDecimals = 2;       // decibels: powers, ratios, return losses
inline constexpr int kPercentDecimals = 2;  // per cent
inline constexpr int kRatioDecimals = 4;    // magnitudes and plain ratios
inline constexpr int kSwrDecimals = 3;      // standing-wave ratios
inline constexpr int kInputDecimals = 4;    // input values written back into their edits

}  // namespace numtext
