#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "options.h"
#include "rf/model.h"

// The calculator's machine-readable output: every scalar model field by its name, in the
// model's declaration order, doubles as their shortest round-trip text and the non-finite
// ones as Infinity, -Infinity and NaN, in JSON and in CSV alike.
namespace calc {

// The CSV header: every field, then the columns of the extras.
void AppendCsvHeader(std::string& out, const Extras& add, std::string_view firstColumn = {});
// One CSV row of the model and its extras, ending in LF.
void AppendCsvRow(std::string& out, const rf::ModelState& m, const Extras& add,
                  std::optional<double> firstValue = std::nullopt);
// One JSON object of the model and its extras, without a line end.
void AppendJsonObject(std::string& out, const rf::ModelState& m, const Extras& add);

}  // namespace calc
