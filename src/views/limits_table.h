#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "rf/model.h"

// The Analysis window's table of limits and coverage intervals for unknown phases, as texts.
// Every power row shares one prefix (W, kW or MW, by the largest power in the table) and so one
// precision: a spread in decibels would have no meaning, so the table keeps watts whatever the
// window shows. Ratios are plain numbers.
namespace views {

// Quantity, Unit, Min, Actual, Max, Mean, Median, Std, Low, High, Distribution.
inline constexpr std::size_t kLimitColumns = 11;
using LimitTableRow = std::array<std::string, kLimitColumns>;

// The coverage probabilities the window offers, the first the default.
inline constexpr std::array<double, 4> kCoverageChoices{0.95, 0.90, 0.99, 0.6827};
// "95 %", "68.27 %".
std::string CoverageText(double p);

std::array<std::string, kLimitColumns> LimitTableHeader(double coverage);
// True for the columns that hold numbers (drawn right-aligned, so the digits line up).
bool LimitColumnIsNumber(std::size_t column);
std::vector<LimitTableRow> LimitsTable(const rf::ModelState& m, double coverage);

}  // namespace views
