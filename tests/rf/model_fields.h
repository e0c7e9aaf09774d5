#pragma once

#include <string_view>

#include "rf/model.h"

// Reads a model field by its name, so that table rows can name what they expect.
namespace rf_test {

double Field(const rf::ModelState& m, std::string_view name);

}  // namespace rf_test
