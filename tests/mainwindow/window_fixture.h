#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "doubles.h"
#include "env/scripted_platform.h"
#include "mainwindow/form.h"

// A window on a scripted platform, as the tests drive it.
namespace mainwindow::tests {

// The window's checks name the actual value first.
inline ::testing::AssertionResult SameDouble(double actual, double expected) {
  return zephlane_test::EqualOrBothNaN(expected, actual);
}
inline ::testing::AssertionResult NearDouble(double actual, double expected, double tol) {
  return zephlane_test::WithinOrBothNaN(expected, actual, tol);
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

}  // namespace mainwindow::tests
