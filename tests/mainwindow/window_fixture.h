#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"

// A window on a scripted platform, as the tests drive it.
namespace mainwindow::testing {

// Doubles compared exactly, except that NaN equals NaN.
inline ::testing::AssertionResult SameDouble(double actual, double expected) {
  if ((std::isnan(actual) && std::isnan(expected)) || actual == expected) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << actual << " is not " << expected;
}

// Doubles within an absolute tolerance; NaN equals NaN and infinities must match exactly.
inline ::testing::AssertionResult NearDouble(double actual, double expected, double tol) {
  if (std::isnan(actual) && std::isnan(expected)) return ::testing::AssertionSuccess();
  if (std::isinf(actual) || std::isinf(expected)) return SameDouble(actual, expected);
  if (std::fabs(actual - expected) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within " << tol << " of " << expected;
}

// A freshly constructed window: design values, no start-up run.
class NewWindow : public ::testing::Test {
 protected:
  env::ScriptedPlatform platform;
  TForm1 form{platform};
};

// A window that has gone through the environment-free part of start-up with its design
// inputs: 40000 V, 0.3555 A, 100 %, ideal couplers, Transmission sheet, focus on edAnodeV.
class ShownWindow : public NewWindow {
 protected:
  void SetUp() override { form.PrepareForShow(); }
};

}  // namespace mainwindow::testing
