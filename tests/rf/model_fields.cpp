#include "model_fields.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "rf/model_fields.h"

namespace rf_test {

double Field(const rf::ModelState& m, std::string_view name) {
  if (const auto f = rf::FindScalarField(name)) return f->Value(m);
  ADD_FAILURE() << "unknown model field " << std::string(name);
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace rf_test
