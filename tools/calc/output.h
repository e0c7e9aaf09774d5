#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "extras.h"
#include "rf/model.h"

// The calculator's machine-readable output: every scalar model field a script needs by its
// name, in the model's declaration order, doubles as their shortest round-trip text; the
// non-finite ones as the words inf, -inf and nan (JSON strings, CSV words), since JSON has no
// numbers for them.
namespace calc {

// The CSV header: every field, then the columns of the extras.
void AppendCsvHeader(std::string& out, const Extras& add, std::string_view firstColumn = {});
// One CSV row of the model and its extras, ending in LF.
void AppendCsvRow(std::string& out, const rf::ModelState& m, const ExtraResults& x,
                  std::optional<double> firstValue = std::nullopt);
// One JSON object of the model and its extras, without a line end. tail, if any, is written
// as further members before the closing brace (it starts with the comma).
void AppendJsonObject(std::string& out, const rf::ModelState& m, const ExtraResults& x,
                      std::string_view tail = {});

}  // namespace calc
