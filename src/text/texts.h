#pragma once

#include <string_view>

// Texts the analysis writes into its tables and exports.
namespace text {

inline constexpr std::string_view kHeadQuantity = "Quantity";
inline constexpr std::string_view kHeadValue = "Value";
inline constexpr std::string_view kHeadUnit = "Unit";

}  // namespace text
