#include "startup/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "env/file_system.h"
#include "env/scripted_platform.h"
#include "faulty_file_system.h"
#include "mainwindow/form.h"
#include "startup/lifecycle.h"
#include "temp_home.h"

namespace startup {
namespace {

using mainwindow::TForm1;
using startup::tests::TempHome;

const std::string kDefaultsFile =
    "[Zephlane]\n"
    "edAnodeV=4350\n"
    "edAnodeI=0.32\n"
    "edSrcMag=0.2\n"
    "edLoaMag=0.5\n"
    "Top=200\n"
    "Left=0\n"
    "udEff=72\n"
    "udSrcPha=0\n"
    "udDire=20\n"
    "udLoaPha=90\n"
    "cbSrcRfl=0\n"
    "cbSrcMism=0\n"
    "cbLoaRfl=0\n"
    "cbLoaMism=0\n"
    "rgTransmMagUnit=0\n"
    "rgPowMeasUnit=0\n"
    "rgPowerUnit=0\n"
    "rgLoadMeasMagUnit=0\n"
    "chIdeal=1\n";

class SettingsFile : public ::testing::Test {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;
};

TEST_F(SettingsFile, SavedDefaultsReadLineByLine) {
  // State: a window loaded from no file at all, at its design position (0, 200).
  TForm1 form(platform);
  env::TIniFile ini(home.Path() + "/Zephlane.ini");
  LoadSettings(form, ini);
  // Action: save.
  SaveSettings(form, ini);
  // Expected: one section, every key at its default, in key-table order.
  std::ifstream in(ini.FileName(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, kDefaultsFile);
}

// Without a usable position the window opens centred, as at a first start, instead of at the
// screen's corner the missing edges would give.
TEST_F(SettingsFile, OpensCentredUnlessBothEdgesAreStored) {
  struct Row {
    const char* Name;
    const char* Keys;
    bool Centred;
  };
  const Row rows[] = {
      {"BothEdges", "Top=120\nLeft=300\n", false},
      {"BothEdgesOffScreen", "Top=-50\nLeft=99999\n", false},
      {"NoEdges", "edAnodeV=4000\n", true},
      {"TopOnly", "Top=120\n", true},
      {"LeftOnly", "Left=300\n", true},
      {"MalformedTop", "Top=high\nLeft=300\n", true},
      {"MalformedLeft", "Top=120\nLeft=\n", true},
  };
  for (const Row& r : rows) {
    const std::string path = home.Path() + "/" + r.Name + ".ini";
    std::ofstream(path) << "[Zephlane]\n" << r.Keys;
    TForm1 form(platform);
    form.AutoIniFile = std::make_unique<env::TIniFile>(path);
    LoadSettings(form, *form.AutoIniFile);
    EXPECT_EQ(OpensCentred(form), r.Centred) << r.Name;
  }
}

TEST_F(SettingsFile, SaveLeavesOnlyTheOwnSection) {
  const std::string path = home.Path() + "/Zephlane.ini";
  {
    std::ofstream(path) << "[Other]\na=1\n[Empty]\n[Zephlane]\nedAnodeV=4350\nStale=9\n"
                           "[Trailing]\nb=2\n";
  }
  TForm1 form(platform);
  env::TIniFile ini(path);
  LoadSettings(form, ini);
  SaveSettings(form, ini);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, std::vector<std::string>{"Zephlane"});
  EXPECT_EQ(ini.ReadString("Zephlane", "Stale", "gone"), "gone");
}

// The malformed file of a report that grew by megabytes with every close, and a file of ten
// thousand sections: one start and one close leave just the window's own section.
TEST_F(SettingsFile, MalformedFileSavesToTheOwnSectionOnly) {
  std::string many;
  for (int i = 0; i < 10000; ++i) many += "[S" + std::to_string(i) + "]\nk=v\n";
  for (const std::string& bytes : {std::string("[A]\na=b\n; c\n[O\nT\nL=2\n"), many}) {
    home.WriteSettings(bytes);
    TForm1 form(platform);
    Create(form);
    form.Close();
    ASSERT_TRUE(form.Closed());
    const auto saved = home.ReadSettings();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->substr(0, 10), "[Zephlane]");
    EXPECT_EQ(std::count(saved->begin(), saved->end(), '\n'), 20);
  }
}

// A text typed with blanks at its ends and closed without an evaluation comes back as typed.
TEST_F(SettingsFile, EditTextWithBlanksComesBackExactly) {
  {
    TForm1 form(platform);
    Create(form);
    form.edAnodeI.Text = " 0.5  ";
    form.edSrcMag.Text = "\"0.1\"";
    form.Close();
    ASSERT_TRUE(form.Closed());
  }
  TForm1 form(platform);
  env::TIniFile ini(home.SettingsFile());
  LoadSettings(form, ini);
  EXPECT_EQ(form.edAnodeI.Text, " 0.5  ");
  EXPECT_EQ(form.edSrcMag.Text, "\"0.1\"");
}

// One stored control: how a test moves it away from its default, and how it is read back.
struct StoredControl {
  const char* Name;
  std::function<void(TForm1&)> Set;
  std::function<std::string(const TForm1&)> Get;
  std::string Expected;
};

void PrintTo(const StoredControl& c, std::ostream* os) { *os << c.Name; }

class SettingsRoundTrip : public ::testing::TestWithParam<StoredControl> {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;
};

TEST_P(SettingsRoundTrip, RestoresControlValue) {
  const StoredControl& c = GetParam();
  env::TIniFile ini(home.Path() + "/Zephlane.ini");
  {
    // State: a loaded window with one control changed from its default.
    TForm1 saved(platform);
    LoadSettings(saved, ini);
    c.Set(saved);
    // Action: save, then load into a new window.
    SaveSettings(saved, ini);
  }
  TForm1 loaded(platform);
  LoadSettings(loaded, ini);
  // Expected: the control holds the value it was saved with.
  EXPECT_EQ(c.Get(loaded), c.Expected);
}

std::string Int(std::int32_t v) { return std::to_string(v); }

INSTANTIATE_TEST_SUITE_P(
    EveryStoredControl, SettingsRoundTrip,
    ::testing::Values(
        StoredControl{"edAnodeV", [](TForm1& f) { f.edAnodeV.Text = "5000 V?"; },
                      [](const TForm1& f) { return f.edAnodeV.Text; }, "5000 V?"},
        StoredControl{"edAnodeI", [](TForm1& f) { f.edAnodeI.Text = "1,5"; },
                      [](const TForm1& f) { return f.edAnodeI.Text; }, "1,5"},
        StoredControl{"edSrcMag", [](TForm1& f) { f.edSrcMag.Text = "-13.98"; },
                      [](const TForm1& f) { return f.edSrcMag.Text; }, "-13.98"},
        StoredControl{"edLoaMag", [](TForm1& f) { f.edLoaMag.Text = ""; },
                      [](const TForm1& f) { return f.edLoaMag.Text; }, ""},
        StoredControl{"Top", [](TForm1& f) { f.Form1.Top = 345; },
                      [](const TForm1& f) { return Int(f.Form1.Top); }, "345"},
        StoredControl{"Left", [](TForm1& f) { f.Form1.Left = 1234; },
                      [](const TForm1& f) { return Int(f.Form1.Left); }, "1234"},
        StoredControl{
            "udEff", [](TForm1& f) { f.udEff.SetPosition(55); },
            [](const TForm1& f) { return Int(f.udEff.Position()) + " " + f.edEffic.Text; },
            "55 55"},
        StoredControl{
            "udSrcPha", [](TForm1& f) { f.udSrcPha.SetPosition(-175); },
            [](const TForm1& f) { return Int(f.udSrcPha.Position()) + " " + f.edSrcPha.Text; },
            "-175 -175"},
        StoredControl{
            "udDire", [](TForm1& f) { f.udDire.SetPosition(100); },
            [](const TForm1& f) { return Int(f.udDire.Position()) + " " + f.edDire.Text; },
            "100 100"},
        StoredControl{
            "udLoaPha", [](TForm1& f) { f.udLoaPha.SetPosition(180); },
            [](const TForm1& f) { return Int(f.udLoaPha.Position()) + " " + f.edLoaPha.Text; },
            "180 180"},
        StoredControl{"cbSrcRfl", [](TForm1& f) { f.cbSrcRfl.SetItemIndex(2); },
                      [](const TForm1& f) { return Int(f.cbSrcRfl.ItemIndex()); }, "2"},
        StoredControl{"cbSrcMism", [](TForm1& f) { f.cbSrcMism.SetItemIndex(1); },
                      [](const TForm1& f) { return Int(f.cbSrcMism.ItemIndex()); }, "1"},
        StoredControl{"cbLoaRfl", [](TForm1& f) { f.cbLoaRfl.SetItemIndex(-1); },
                      [](const TForm1& f) { return Int(f.cbLoaRfl.ItemIndex()); }, "-1"},
        StoredControl{"cbLoaMism", [](TForm1& f) { f.cbLoaMism.SetItemIndex(2); },
                      [](const TForm1& f) { return Int(f.cbLoaMism.ItemIndex()); }, "2"},
        StoredControl{"rgTransmMagUnit", [](TForm1& f) { f.rgTransmMagUnit.SetItemIndex(2); },
                      [](const TForm1& f) {
                        return Int(f.rgTransmMagUnit.ItemIndex()) + " " + Int(f.SelUnit);
                      },
                      "2 2"},
        StoredControl{"rgPowMeasUnit", [](TForm1& f) { f.rgPowMeasUnit.SetItemIndex(1); },
                      [](const TForm1& f) {
                        return Int(f.rgPowMeasUnit.ItemIndex()) + " " + Int(f.SelErrUnit);
                      },
                      "1 1"},
        StoredControl{"rgPowerUnit", [](TForm1& f) { f.rgPowerUnit.SetItemIndex(3); },
                      [](const TForm1& f) { return Int(f.rgPowerUnit.ItemIndex()); }, "3"},
        StoredControl{"rgLoadMeasMagUnit", [](TForm1& f) { f.rgLoadMeasMagUnit.SetItemIndex(1); },
                      [](const TForm1& f) { return Int(f.rgLoadMeasMagUnit.ItemIndex()); }, "1"},
        StoredControl{"chIdeal", [](TForm1& f) { f.chIdeal.SetChecked(false); },
                      [](const TForm1& f) { return f.chIdeal.Checked() ? "1" : "0"; }, "0"}),
    [](const ::testing::TestParamInfo<StoredControl>& row) { return row.param.Name; });

// A stored value that loading must bring into range or read in its own way.
struct LoadCase {
  const char* Name;
  std::string File;  // the section's lines
  env::ScreenSize Screen;
  std::function<std::string(const TForm1&)> Get;
  std::string Expected;
  std::uint64_t CyclesDuringLoad;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.Name; }

class SettingsLoad : public ::testing::TestWithParam<LoadCase> {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;
};

TEST_P(SettingsLoad, BringsStoredValueIntoRange) {
  const LoadCase& c = GetParam();
  const std::string path = home.Path() + "/Zephlane.ini";
  std::ofstream(path) << "[Zephlane]\n" << c.File;
  platform.Screen = c.Screen;
  TForm1 form(platform);
  form.CplIdeal = true;
  env::TIniFile ini(path);
  LoadSettings(form, ini);
  EXPECT_EQ(c.Get(form), c.Expected);
  EXPECT_EQ(form.CycleCount(), c.CyclesDuringLoad);
}

const env::ScreenSize kFullHd{1920, 1080};

// The test sets CplIdeal before loading; only chIdealClick copies the box into it.
std::string IdealState(const TForm1& f) {
  return std::string(f.chIdeal.Checked() ? "checked" : "unchecked") +
         (f.CplIdeal ? ", no click" : ", clicked");
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, SettingsLoad,
    ::testing::Values(
        LoadCase{"TopAboveScreen", "Top=-50\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.Form1.Top); }, "0", 0},
        LoadCase{"TopBelowScreen", "Top=1075\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.Form1.Top); }, "1070", 0},
        LoadCase{"LeftBeyondScreen", "Left=5000\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.Form1.Left); }, "1910", 0},
        LoadCase{"LeftOnSmallScreen", "Left=1000\n", env::ScreenSize{800, 600},
                 [](const TForm1& f) { return std::to_string(f.Form1.Left); }, "790", 0},
        LoadCase{"TopNotANumberKeepsDesign", "Top=high\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.Form1.Top); }, "200", 0},
        LoadCase{"LoaRflBeyondItemsSelectsNothing", "cbLoaRfl=7\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.cbLoaRfl.ItemIndex()); }, "-1", 0},
        LoadCase{"PowerUnitBeyondItemsTakesLastAndEvaluates", "rgPowerUnit=9\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.rgPowerUnit.ItemIndex()); }, "3", 1},
        LoadCase{"PowerUnitHexadecimal", "rgPowerUnit=0x2\n", kFullHd,
                 [](const TForm1& f) { return std::to_string(f.rgPowerUnit.ItemIndex()); }, "2", 1},
        LoadCase{"UpDownBeyondMaxTakesMax", "udDire=150\n", kFullHd,
                 [](const TForm1& f) { return f.edDire.Text; }, "100", 0},
        LoadCase{"IdealTwoIsChecked", "chIdeal=2\n", kFullHd, IdealState, "checked, no click", 0},
        LoadCase{"IdealYesIsTheDefault", "chIdeal=yes\n", kFullHd, IdealState, "checked, no click",
                 0},
        LoadCase{"IdealZeroUncheckedAndClickRan", "chIdeal=0\n", kFullHd, IdealState,
                 "unchecked, clicked", 0},
        LoadCase{"EmptyAnodeVoltageStaysEmpty", "edAnodeV=\n", kFullHd,
                 [](const TForm1& f) { return "[" + f.edAnodeV.Text + "]"; }, "[]", 0}),
    [](const ::testing::TestParamInfo<LoadCase>& row) { return row.param.Name; });

struct FaultCase {
  const char* Name;
  env::ReplaceStep Fault;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const FaultCase& row, std::ostream* os) { *os << row.Name; }

class SettingsSaveFault : public ::testing::TestWithParam<FaultCase> {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;
};

TEST_P(SettingsSaveFault, LeavesOldFileWhole) {
  // State: a settings file with a foreign section and a stored anode voltage.
  const std::string path = home.Path() + "/Zephlane.ini";
  const std::string old = "[Other]\nx=1\n[Zephlane]\nedAnodeV=1234\n";
  std::ofstream(path) << old;
  TForm1 form(platform);
  env::TIniFile ini(path, zephlane_test::FailingAt(GetParam().Fault));
  LoadSettings(form, ini);
  form.edAnodeV.Text = "999";
  // Action: a save whose replacement fails in the middle.
  EXPECT_THROW(SaveSettings(form, ini), env::IniWriteError);
  // Expected: the old file byte for byte, and the settings object usable for another try.
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
            old);
  env::TIniFile retry(path);
  SaveSettings(form, retry);
  EXPECT_EQ(retry.ReadString("Zephlane", "edAnodeV", ""), "999");
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsSaveFault,
                         ::testing::Values(FaultCase{"FullDisk", env::ReplaceStep::Write},
                                           FaultCase{"FailingSync", env::ReplaceStep::Sync},
                                           FaultCase{"RefusedRename", env::ReplaceStep::Rename}),
                         [](const ::testing::TestParamInfo<FaultCase>& row) {
                           return row.param.Name;
                         });

TEST_F(SettingsFile, GarbageFilesGiveDefaults) {
  // Random bytes, from a fixed seed, in place of the settings: loading and the first cycle
  // must neither fail nor pick anything up.
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 4096);
  for (int round = 0; round < 50; ++round) {
    std::string bytes;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) bytes += static_cast<char>(byte(rng));
    home.WriteSettings(bytes);
    TForm1 form(platform);
    Create(form);
    EXPECT_EQ(form.edAnodeV.Text, "4350") << "round " << round;
    EXPECT_EQ(form.udLoaPha.Position(), 90) << "round " << round;
    EXPECT_TRUE(form.chIdeal.Checked()) << "round " << round;
  }
}

// A measured file shown in the load's edits is not the user's input: a start without the file
// (gone, or forgotten) must show what was typed, in the form the stored list reads it in.
TEST_F(SettingsFile, MeasuredLoadInTheEditsIsNotStored) {
  struct Row {
    std::int32_t form;  // cbLoaRfl's item
    const char* typed;  // 0.5 at 90 degrees, the first-start load, in that form
  };
  for (const Row& row : {Row{0, "0.5"}, Row{1, "-6.02"}, Row{2, "3"}}) {
    env::TIniFile ini(home.Path() + "/Zephlane-" + std::to_string(row.form) + ".ini");
    {
      // State: the first-start load typed, a measured load holding the edits.
      TForm1 saved(platform);
      LoadSettings(saved, ini);
      saved.PrepareForShow();
      saved.cbLoaRfl.SetItemIndex(row.form);
      ASSERT_TRUE(saved.HoldMeasuredLoad({"load.s1p", 2.45e9, {0.0, -0.9}}));
      // Action: save, as closing the window does; a case takes the same values.
      SaveSettings(saved, ini);
      const env::ini::KeyList values = InputValues(saved);
      const auto value = [&](const std::string& key) {
        for (const auto& [k, v] : values)
          if (k == key) return v;
        return std::string("missing");
      };
      EXPECT_EQ(value("edLoaMag"), row.typed) << row.form;
      EXPECT_EQ(value("udLoaPha"), "90") << row.form;
    }
    // Expected: the next start shows the typed load.
    TForm1 loaded(platform);
    LoadSettings(loaded, ini);
    EXPECT_EQ(loaded.edLoaMag.Text, row.typed) << row.form;
    EXPECT_EQ(loaded.edLoaPha.Text, "90") << row.form;
  }
}

}  // namespace
}  // namespace startup
