#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Comparisons of doubles for tests, where NaN is a result like any other.
namespace zephlane_test {

inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Exactly the same value: NaN matches NaN, and the sign of zero counts.
inline ::testing::AssertionResult SameBits(double expected, double actual) {
  const bool same = std::isnan(expected)
                        ? std::isnan(actual)
                        : expected == actual && std::signbit(expected) == std::signbit(actual);
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected)
                                       << ", got " << ::testing::PrintToString(actual);
}

// Equal as numbers: NaN matches NaN, +0 equals -0.
inline ::testing::AssertionResult EqualOrBothNaN(double expected, double actual) {
  if ((std::isnan(actual) && std::isnan(expected)) || actual == expected) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected)
                                       << ", got " << ::testing::PrintToString(actual);
}

// Within an absolute tolerance; NaN matches NaN and infinities must match exactly.
inline ::testing::AssertionResult WithinOrBothNaN(double expected, double actual, double tol) {
  if (std::isnan(actual) && std::isnan(expected)) return ::testing::AssertionSuccess();
  if (std::isinf(actual) || std::isinf(expected)) return EqualOrBothNaN(expected, actual);
  if (std::fabs(actual - expected) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within " << tol << " of " << expected;
}

}  // namespace zephlane_test
