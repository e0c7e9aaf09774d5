#pragma once

#include <cstdint>
#include <string>

// Numbers into display text: fixed decimals, trailing zeros dropped, "∞", "-∞", "NAN".
namespace numtext {

inline constexpr const char* kInfinityText = "\u221E";
inline constexpr const char* kMinusInfinityText = "-\u221E";
inline constexpr const char* kNanText = "NAN";

std::string FloatToText(double x, int decimals);
std::string IntToText(std::int32_t v);

}  // namespace numtext
