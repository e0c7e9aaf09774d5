#pragma once

#include <string>
#include <vector>

#include "numtext/power_unit.h"
#include "rf/model.h"

// The window's inputs and results as numbers a spreadsheet computes with: one column per
// quantity, its one unit in the heading, every value at full precision (the shortest text
// that reads back to the same double). Powers are in the chosen power unit, and in plain
// watts where the window would scale them to kW or MW, so that a column never mixes units.
namespace views {

struct NumberColumn {
  std::string Heading;  // "Incident power, max (W)"
  double Value = 0.0;
};

std::vector<NumberColumn> ResultNumbers(const rf::ModelState& m, numtext::PowerUnit unit);

// A heading line and a value line, tab separated, LF after each.
std::string NumbersAsTabText(const std::vector<NumberColumn>& columns);
// The same as an HTML table of two rows.
std::string NumbersAsHtml(const std::vector<NumberColumn>& columns);

}  // namespace views
