#pragma once

#include <string>
#include <vector>

#include "rf/model.h"
#include "rf/model_fields.h"

// The model's fields as the calculator writes them, and its numbers in JSON and CSV. The window's
// own bookkeeping (its unit selections, the measured reflections' phase and mismatch, never set)
// stays out: a script would read 0 as a value, and 0 mismatch as total reflection.
namespace calc {

// The scalar fields a script sees, in the model's declaration order.
const std::vector<rf::ScalarField>& OutputFields();

// Whether a field has a value for this model: the directivity has none with ideal couplers.
bool HasValue(const rf::ScalarField& f, const rf::ModelState& m);

// A double as its shortest round-trip text; JSON has no infinity or NaN, so those come out as
// the strings "inf", "-inf" and "nan", and in CSV as the same words without quotes.
void AppendJsonNumber(std::string& out, double x);
void AppendCsvNumber(std::string& out, double x);

// One field: a JSON value (null where it has none) or a CSV cell (empty where it has none).
void AppendJsonField(std::string& out, const rf::ScalarField& f, const rf::ModelState& m);
void AppendCsvField(std::string& out, const rf::ScalarField& f, const rf::ModelState& m);

}  // namespace calc
