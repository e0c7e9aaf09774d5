#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "rf/model.h"

// The Analysis window's table of limits and statistics for unknown phases, as texts: powers in
// W, kW or MW by each row's largest value (a spread in decibels would have no meaning, so the
// table keeps watts whatever the window shows), ratios as plain numbers.
namespace views {

inline constexpr std::size_t kLimitColumns = 8;
// Quantity, Unit, Min, Actual, Max, Mean, Std, Expanded.
using LimitTableRow = std::array<std::string, kLimitColumns>;

const std::array<std::string_view, kLimitColumns>& LimitTableHeader();
std::vector<LimitTableRow> LimitsTable(const rf::ModelState& m);

}  // namespace views
