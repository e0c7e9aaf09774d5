#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Exact, NaN-aware comparison of doubles: NaN matches NaN, and the sign of zero counts.
namespace numtext_test {

inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

inline testing::AssertionResult SameDouble(double expected, double actual) {
  const bool same = std::isnan(expected)
                        ? std::isnan(actual)
                        : expected == actual && std::signbit(expected) == std::signbit(actual);
  if (same) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "expected " << testing::PrintToString(expected) << ", got "
                                     << testing::PrintToString(actual);
}

}  // namespace numtext_test
