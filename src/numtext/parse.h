#pragma once

#include <cstdint>
#include <string_view>

// User text into bounded numbers. "." is the decimal point whatever the locale; "," reads as ".".
namespace numtext {

std::int32_t ClampInt(std::int32_t lo, std::int32_t x, std::int32_t hi);
double ClampFloat(double lo, double x, double hi);

// Text that is not a number gives the default (clamped into the limits); an out-of-range
// number gives the nearer limit when clamp is true, else the default.
std::int32_t TextToInt(std::string_view s, std::int32_t def, std::int32_t min, std::int32_t max,
                       bool clamp);
// As TextToInt, but the default is returned unchanged even outside the limits; NaN passes.
double TextToFloat(std::string_view s, double def, double min, double max, bool clamp);

}  // namespace numtext
