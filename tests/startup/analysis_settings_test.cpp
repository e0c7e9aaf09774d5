#include "startup/analysis_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "startup/settings.h"
#include "temp_home.h"

namespace startup {
namespace {

using startup::tests::TempHome;

// A 1366x768 screen with a 40 px panel at the bottom, the smallest laptops users have.
const Box kLaptop{0, 0, 1366, 728};
const Box kMain{0, 200, 620, 520};

TEST(AnalysisPlacement, OpensBesideTheMainWindowInsideTheWorkArea) {
  struct Row {
    const char* name;
    AnalysisPlacement saved;
    Box main;
    Box area;
    Box expected;
  };
  const std::vector<Row> rows{
      {"RightOfTheMainWindow", {}, kMain, {0, 0, 1920, 1040}, {620, 200, 860, 840}},
      {"ShrunkToALaptopScreen", {}, kMain, kLaptop, {620, 0, 746, 728}},
      {"LeftWhenTheRightIsFull",
       {},
       {1000, 100, 600, 500},
       {0, 0, 1920, 1040},
       {140, 100, 860, 840}},
      {"NarrowerBesideRatherThanOver", {}, {300, 0, 620, 520}, kLaptop, {920, 0, 446, 728}},
      {"OverItWhenNeitherSideFits", {}, {200, 0, 1000, 520}, kLaptop, {506, 0, 860, 728}},
      {"SavedBoxKept", {true, {50, 60, 700, 500}}, kMain, kLaptop, {50, 60, 700, 500}},
      {"SavedBoxOnAScreenGoneIsIgnored",
       {true, {3000, 60, 700, 500}},
       kMain,
       kLaptop,
       {620, 0, 746, 728}},
      {"SavedBoxLargerThanTheScreenShrinks",
       {true, {-100, 0, 2000, 1200}},
       kMain,
       kLaptop,
       {0, 0, 1366, 728}},
      {"WorkAreaAwayFromTheOrigin",
       {},
       {1920, 30, 620, 520},
       {1920, 30, 1280, 994},
       {2540, 30, 660, 840}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Box b = PlaceAnalysis(r.saved, r.main, 860, 840, r.area);
    EXPECT_EQ(b, r.expected) << b.Left << "," << b.Top << " " << b.Width << "x" << b.Height;
    EXPECT_GE(b.Left, r.area.Left);
    EXPECT_GE(b.Top, r.area.Top);
    EXPECT_LE(b.Left + b.Width, r.area.Left + r.area.Width);
    EXPECT_LE(b.Top + b.Height, r.area.Top + r.area.Height);
  }
}

TEST(AnalysisPlacement, SectionRoundTripsAndRejectsUnusableBoxes) {
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  {
    env::TIniFile ini(path);
    EXPECT_FALSE(LoadAnalysisPlacement(ini).Known);  // no file at all
    SaveAnalysisPlacement(ini, {-20, 30, 900, 700});
  }
  env::TIniFile again(path);
  const AnalysisPlacement p = LoadAnalysisPlacement(again);
  EXPECT_TRUE(p.Known);
  EXPECT_EQ(p.At, (Box{-20, 30, 900, 700}));
  for (const char* text : {"[Analysis]\nWidth=0\nHeight=500\n", "[Analysis]\nWidth=abc\n",
                           "[Analysis]\nLeft=5\nTop=5\n", "[Analysis]\nWidth=-900\nHeight=-9\n"}) {
    SCOPED_TRACE(text);
    std::ofstream(path, std::ios::trunc) << text;
    env::TIniFile bad(path);
    EXPECT_FALSE(LoadAnalysisPlacement(bad).Known);
  }
}

TEST(AnalysisPlacement, TheWindowsSaveKeepsTheAnalysisSection) {
  // State: a file with the Analysis window's section and a foreign one. Action: the main
  // window's save. Expected: its own section rewritten, the Analysis section as it was, the
  // foreign one gone.
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  std::ofstream(path) << "[Other]\na=1\n[Analysis]\nLeft=10\nTop=20\nWidth=800\nHeight=600\n";
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  env::TIniFile ini(path);
  LoadSettings(form, ini);
  SaveSettings(form, ini);
  env::TIniFile after(path);
  std::vector<std::string> sections;
  after.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"Analysis", "Zephlane"}));
  EXPECT_EQ(LoadAnalysisPlacement(after).At, (Box{10, 20, 800, 600}));
  EXPECT_EQ(after.ReadString("Zephlane", "edAnodeV", ""), "4350");
}

}  // namespace
}  // namespace startup
