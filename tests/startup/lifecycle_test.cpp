#include "startup/lifecycle.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "env/scripted_platform.h"
#include "env/user_dir.h"
#include "mainwindow/form.h"
#include "temp_home.h"

namespace startup {
namespace {

using env::PlatformEvent;
using mainwindow::TForm1;
using startup::tests::TempHome;

class Lifecycle : public ::testing::Test {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;

  std::vector<PlatformEvent::Kind> EventKinds() const {
    std::vector<PlatformEvent::Kind> kinds;
    for (const PlatformEvent& e : platform.Events) kinds.push_back(e.What);
    return kinds;
  }
};

TEST_F(Lifecycle, EnvironmentComesFromThePlatform) {
  // State: the platform names the program's folder, its version and a profile folder of its
  // own. Action: the program starts. Expected: the window takes all three from there.
  platform.ScriptedExeDir = "/opt/zephlane/";
  platform.ScriptedExeVersion = "9.8.7.6";
  platform.ScriptedProfile = home.Path() + "/profile";
  TForm1 form(platform);
  Create(form);
  const std::string sep(1, env::PathSeparator());
  const std::string folder = home.Path() + "/profile" + sep + "Brevik" + sep + "Zephlane" + sep;
  EXPECT_EQ(form.Form1.Caption, "Zephlane V 9.8.7.6");
  EXPECT_EQ(form.ExeDir, "/opt/zephlane/");
  EXPECT_EQ(form.PdfHelpFile, "/opt/zephlane/ZephlaneHelp.pdf");
  EXPECT_EQ(form.UserDir, folder);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  ASSERT_TRUE(form.AutoIniFile);
  EXPECT_EQ(form.AutoIniFile->FileName(), folder + "Zephlane.ini");
}

TEST_F(Lifecycle, NoProfileFolderLeavesTheSettingsBesideTheWorkingFolder) {
  // State: the platform finds no profile folder and no version. Expected: no folder is made,
  // the settings file name stands alone, the caption ends after its prefix.
  platform.ScriptedProfile = "";
  platform.ScriptedExeVersion = "";
  TForm1 form(platform);
  Create(form);
  EXPECT_EQ(form.UserDir, "");
  ASSERT_TRUE(form.AutoIniFile);
  EXPECT_EQ(form.AutoIniFile->FileName(), "Zephlane.ini");
  EXPECT_EQ(form.Form1.Caption, "Zephlane V ");
}

TEST_F(Lifecycle, FirstStartCreatesFolderAndShowsDefaults) {
  // State: no settings folder, no file.
  ASSERT_FALSE(std::filesystem::exists(home.Path() + "/.config"));
  // Action: the program starts.
  TForm1 form(platform);
  Create(form);
  // Expected: the folder exists, the default inputs are shown, nothing is written yet.
  EXPECT_TRUE(std::filesystem::is_directory(home.SettingsDir()));
  EXPECT_FALSE(home.ReadSettings().has_value());
  ASSERT_TRUE(form.AutoIniFile);
  EXPECT_EQ(form.AutoIniFile->FileName(), home.SettingsFile());
  EXPECT_EQ(form.Form1.Caption, "Zephlane V 2.1.0.0");
  EXPECT_EQ(form.edAnodeV.Text, "4350");
  EXPECT_EQ(form.edAnodeI.Text, "0.32");
  EXPECT_EQ(form.edEffic.Text, "72");
  EXPECT_EQ(form.edSrcMag.Text, "0.2");
  EXPECT_EQ(form.edLoaMag.Text, "0.5");
  EXPECT_EQ(form.edSrcPha.Text, "0");
  EXPECT_EQ(form.edLoaPha.Text, "90");
  EXPECT_EQ(form.edDire.Text, "20");
  EXPECT_TRUE(form.chIdeal.Checked());
  EXPECT_FALSE(form.edDire.Enabled);
  EXPECT_FALSE(form.udDire.Enabled);
  EXPECT_EQ(form.Va, 4350);
  EXPECT_EQ(form.pcResults.ActivePage, "tsTransm");
  EXPECT_EQ(form.Focused(), "edAnodeV");
  EXPECT_EQ(form.Form1.ClientWidth, 641);
  EXPECT_EQ(form.Form1.ClientHeight, 452);
  EXPECT_FALSE(form.Form1.Resizable);
  EXPECT_TRUE(platform.Events.empty());
}

TEST_F(Lifecycle, HelpPathsLieBesideTheExecutable) {
  TForm1 form(platform);
  Create(form);
  ASSERT_FALSE(form.ExeDir.empty());
  EXPECT_EQ(form.ExeDir.back(), env::PathSeparator());
  EXPECT_EQ(form.ChmHelpFile, form.ExeDir + "ZephlaneHelp.chm");
  EXPECT_EQ(form.PdfHelpFile, form.ExeDir + "ZephlaneHelp.pdf");
  EXPECT_EQ(form.TheoryFile, form.ExeDir + "ZephlaneTheory.pdf");
  const char sep = env::PathSeparator();
  EXPECT_EQ(form.MyHelp.BasePath, form.ExeDir + "WebHelp" + sep + "Content" + sep);
  EXPECT_EQ(form.MyHelp.HelpFile, form.ChmHelpFile);
  EXPECT_EQ(form.MyHelp.Mode, 0);
}

TEST_F(Lifecycle, CloseAnsweredNoSavesNothing) {
  TForm1 form(platform);
  Create(form);
  platform.ConfirmAnswer = false;
  form.Close();
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_EQ(platform.Events[0].What, PlatformEvent::Kind::Confirm);
  EXPECT_EQ(platform.Events[0].Title, "Confirm");
  EXPECT_EQ(platform.Events[0].Text, "Terminate Zephlane?");
  EXPECT_FALSE(form.Closed());
  EXPECT_TRUE(form.AutoIniFile);
  EXPECT_FALSE(home.ReadSettings().has_value());
}

// The third button is there only once a save has failed; a script that looks for it answers
// the ordinary question No.
TEST_F(Lifecycle, FirstCloseOffersNoQuitWithoutSaving) {
  TForm1 form(platform);
  Create(form);
  platform.DiscardAnswer = true;
  form.Close();
  ASSERT_EQ(platform.Events.size(), 1u);
  EXPECT_TRUE(platform.Events[0].DiscardCaption.empty());
  EXPECT_FALSE(platform.Events[0].Answer);
  EXPECT_FALSE(form.Closed());
  EXPECT_FALSE(home.ReadSettings().has_value());
}

TEST_F(Lifecycle, SaveThatWorksAgainAfterAFailureCloses) {
  // State: a save failed because a folder stood where the file belongs.
  std::filesystem::create_directories(home.SettingsFile());
  TForm1 form(platform);
  Create(form);
  form.Close();
  ASSERT_FALSE(form.Closed());
  // Action: the obstacle is gone; close, Yes.
  std::filesystem::remove(home.SettingsFile());
  form.Close();
  // Expected: saved and closed; the question offered the third button, Yes was taken.
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(platform.Events.back().DiscardCaption, "Quit Without Saving");
  EXPECT_TRUE(home.ReadSettings().has_value());
}

TEST_F(Lifecycle, CloseAnsweredYesSavesAndReleases) {
  TForm1 form(platform);
  Create(form);
  form.Close();
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.AutoIniFile);
  const auto text = home.ReadSettings();
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->substr(0, 26), "[Zephlane]\nedAnodeV=4350\ne");
}

TEST_F(Lifecycle, RestartRestoresWhatTheEvaluationLeft) {
  {
    // State: a running window; the user types a phase off the 5-degree grid, a directivity
    // beyond the up-down's range, and picks dBW.
    TForm1 form(platform);
    Create(form);
    form.UserType("edSrcPha", "12.3");
    form.UserClick("chIdeal");
    form.UserType("edDire", "150");
    form.UserKeyEnter();
    form.UserPick("rgPowerUnit", 2);
    form.UserPick("rgTransmMagUnit", 1);
    form.Close();
    ASSERT_TRUE(form.Closed());
  }
  // Action: a second start.
  TForm1 form(platform);
  Create(form);
  // Expected: the up-down positions, not the typed texts, come back.
  EXPECT_EQ(form.udSrcPha.Position(), 10);
  EXPECT_EQ(form.edSrcPha.Text, "10");
  EXPECT_EQ(form.udDire.Position(), 100);
  EXPECT_EQ(form.edDire.Text, "100");
  EXPECT_FALSE(form.chIdeal.Checked());
  EXPECT_TRUE(form.edDire.Enabled);
  EXPECT_EQ(form.rgPowerUnit.ItemIndex(), 2);
  EXPECT_EQ(form.SelUnit, 1);
  EXPECT_DOUBLE_EQ(form.SrcRfl.Pha, 10.0);
}

TEST_F(Lifecycle, StartReadsStoredInputsTheirOwnWay) {
  home.WriteSettings(
      "[Zephlane]\ncbSrcRfl=1\nedSrcMag=-13.98\ncbLoaRfl=7\ncbLoaMism=7\nedAnodeV=\n");
  TForm1 form(platform);
  Create(form);
  // The source magnitude is read in dB; the load list without a selection reads a magnitude.
  EXPECT_NEAR(form.SrcRfl.Mag, 0.2, 1e-4);
  EXPECT_EQ(form.cbLoaRfl.ItemIndex(), 0);
  EXPECT_DOUBLE_EQ(form.LoaRfl.Mag, 0.5);
  EXPECT_EQ(form.cbLoaMism.ItemIndex(), -1);
  // An empty anode voltage is 0 V, not the default.
  EXPECT_EQ(form.Va, 0);
}

// A settings path that cannot be written, and how the test makes it so.
struct UnwritableCase {
  const char* Name;
  void (*Prepare)(const TempHome&);
};

void PrintTo(const UnwritableCase& c, std::ostream* os) { *os << c.Name; }

class UnwritableSettings : public ::testing::TestWithParam<UnwritableCase> {
 protected:
  TempHome home;
  env::ScriptedPlatform platform;
};

TEST_P(UnwritableSettings, CloseShowsErrorAndKeepsWindowOpen) {
  // State: a running window whose settings path cannot be replaced.
  GetParam().Prepare(home);
  const auto before = home.ReadSettings();
  TForm1 form(platform);
  Create(form);
  form.edAnodeV.Text = "1000";
  // Action: close, Yes.
  form.Close();
  // Expected: the error box, the window open with its settings object, the old file whole.
  ASSERT_EQ(platform.Events.size(), 2u);
  EXPECT_EQ(platform.Events[1].What, PlatformEvent::Kind::Error);
  EXPECT_EQ(platform.Events[1].Title, "Zephlane");
  EXPECT_EQ(platform.Events[1].Text, "Unable to write to " + home.SettingsFile() + ".");
  EXPECT_FALSE(form.Closed());
  EXPECT_TRUE(form.AutoIniFile);
  EXPECT_EQ(home.ReadSettings(), before);
  // A second close asks again and tries again.
  form.Close();
  ASSERT_EQ(platform.Events.size(), 4u);
  EXPECT_EQ(platform.Events[2].What, PlatformEvent::Kind::Confirm);
  EXPECT_EQ(platform.Events[3].What, PlatformEvent::Kind::Error);
  EXPECT_FALSE(form.Closed());
}

TEST_P(UnwritableSettings, CloseAfterFailedSaveOffersToQuitWithoutSaving) {
  // State: a running window whose save has just failed.
  GetParam().Prepare(home);
  const auto before = home.ReadSettings();
  TForm1 form(platform);
  Create(form);
  form.edAnodeV.Text = "1000";
  form.Close();
  ASSERT_FALSE(form.Closed());
  ASSERT_EQ(platform.Events.size(), 2u);
  EXPECT_TRUE(platform.Events[0].DiscardCaption.empty());
  // Action: close again, first answered No, then Quit Without Saving.
  platform.ConfirmAnswer = false;
  form.Close();
  platform.DiscardAnswer = true;
  form.Close();
  // Expected: both questions offer the third button; No keeps the window, the third button
  // closes it without writing and without another error.
  ASSERT_EQ(platform.Events.size(), 4u);
  for (std::size_t i : {2u, 3u}) {
    EXPECT_EQ(platform.Events[i].What, PlatformEvent::Kind::Confirm);
    EXPECT_EQ(platform.Events[i].Title, "Confirm");
    EXPECT_EQ(platform.Events[i].Text, "Terminate Zephlane?");
    EXPECT_EQ(platform.Events[i].DiscardCaption, "Quit Without Saving");
  }
  EXPECT_FALSE(platform.Events[2].Discarded);
  EXPECT_TRUE(platform.Events[3].Discarded);
  EXPECT_TRUE(form.Closed());
  EXPECT_FALSE(form.AutoIniFile);
  EXPECT_EQ(home.ReadSettings(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritableSettings,
    ::testing::Values(UnwritableCase{"DirectoryInPlaceOfFile",
                                     [](const TempHome& h) {
                                       std::filesystem::create_directories(h.SettingsFile());
                                     }},
                      UnwritableCase{"ReadOnlyFile",
                                     [](const TempHome& h) {
                                       h.WriteSettings("[Zephlane]\nedAnodeV=4000\n");
                                       chmod(h.SettingsFile().c_str(), 0444);
                                     }}),
    [](const ::testing::TestParamInfo<UnwritableCase>& row) { return row.param.Name; });

}  // namespace
}  // namespace startup
