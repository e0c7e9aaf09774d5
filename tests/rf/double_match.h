#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "doubles.h"

// NaN-aware comparison of doubles: NaN matches NaN, an infinity matches only the same infinity,
// finite values match within a tolerance chosen by the expectation.
namespace rf_test {

using zephlane_test::kInf;
using zephlane_test::kNaN;

enum class Tol {
  Exact,  // bit-for-bit value (0 and -0 count as equal)
  Sig6,   // expected is the actual value rounded to six significant digits
  Abs,    // |actual - expected| <= bound
  Rel,    // |actual - expected| <= bound * |expected|
};

// A six-significant-digit figure stands for every value within half a unit of its last digit.
inline double Sig6Bound(double expected) {
  if (expected == 0.0) return 0.0;
  const double exponent = std::floor(std::log10(std::fabs(expected)));
  return 0.5 * std::pow(10.0, exponent - 5.0) * (1.0 + 1e-9);
}

inline testing::AssertionResult Matches(double expected, double actual, Tol tol = Tol::Exact,
                                        double bound = 0.0) {
  double limit = 0.0;
  switch (tol) {
    case Tol::Exact:
      limit = 0.0;
      break;
    case Tol::Sig6:
      limit = Sig6Bound(expected);
      break;
    case Tol::Abs:
      limit = bound;
      break;
    case Tol::Rel:
      limit = bound * std::fabs(expected);
      break;
  }
  return zephlane_test::WithinOrBothNaN(expected, actual, limit);
}

// One expected field value of a table row.
struct Expect {
  std::string field;
  double value;
  Tol tol = Tol::Sig6;
  double bound = 0.0;
};

inline Expect Exactly(std::string field, double value) {
  return {std::move(field), value, Tol::Exact};
}
inline Expect Within(std::string field, double value, double abs) {
  return {std::move(field), value, Tol::Abs, abs};
}
inline Expect Relative(std::string field, double value, double rel) {
  return {std::move(field), value, Tol::Rel, rel};
}

}  // namespace rf_test
