#include "views/caption.h"

#include <gtest/gtest.h>

namespace {

// The caption keeps the design's text in the middle whatever else is open, so that a user
// (and a screen reader) finds the program's name where it always is.
TEST(WindowCaption, PutsTheCaseBeforeAndTheMeasuredLoadAfterTheCaption) {
  struct Row {
    const char* caseName;
    const char* load;
    const char* want;
  };
  const Row rows[] = {
      {"", "", "Zephlane"},
      {"tuned", "", "tuned \u2014 Zephlane"},
      {"", "applicator.s1p at 2.45 GHz", "Zephlane \u2014 applicator.s1p at 2.45 GHz"},
      {"tuned", "a.s2p at 915 MHz", "tuned \u2014 Zephlane \u2014 a.s2p at 915 MHz"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(views::WindowCaption("Zephlane", r.caseName, r.load), r.want) << r.caseName << r.load;
  }
}

}  // namespace
