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

// The frequency reads as the band sheets write it, so the caption and the sheet agree.
TEST(MeasuredLoadNote, NamesTheFileAndTheFrequencyWithItsUnit) {
  struct Row {
    const char* file;
    double hz;
    const char* want;
  };
  const Row rows[] = {
      {"load.s1p", 2.45e9, "load.s1p at 2.45 GHz"},
      {"a.s2p", 915e6, "a.s2p at 915 MHz"},
      {"a.s2p", 2.4501e9, "a.s2p at 2.4501 GHz"},
      {"low.s1p", 50e3, "low.s1p at 50 kHz"},
      {"", 2.45e9, ""},
  };
  for (const Row& r : rows) EXPECT_EQ(views::MeasuredLoadNote(r.file, r.hz), r.want) << r.file;
}

}  // namespace
