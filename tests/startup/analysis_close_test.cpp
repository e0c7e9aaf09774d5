#include "startup/analysis_close.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "env/file_system.h"
#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "startup/settings.h"
#include "temp_home.h"

namespace startup {
namespace {

using startup::tests::TempHome;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A disk that refuses every rename: the replacement fails as a full or read-only disk fails.
class RefusingFileSystem : public env::NativeFileSystem {
 protected:
  bool Proceed(env::ReplaceStep step) override { return step != env::ReplaceStep::Rename; }
};

TEST(AnalysisOnClose, WritesBesideTheSavedSettingsOnly) {
  struct Row {
    const char* name;
    bool fileExists;
    bool diskRefuses;
    bool written;
  };
  const Row rows[] = {
      // State: the confirmed close wrote the settings. Expected: the section joins them.
      {"BesideSavedSettings", true, false, true},
      // State: the user quit without saving, and there never was a file. Expected: no file
      // made by the window's place alone, so the next start still opens centred.
      {"NoSettingsFile", false, false, false},
      // State: the disk refuses the write. Expected: no error, the file as it was.
      {"DiskRefuses", true, true, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TempHome home;
    env::ScriptedPlatform platform;
    if (r.diskRefuses) platform.ScriptedFiles = std::make_shared<RefusingFileSystem>();
    mainwindow::TForm1 form(platform);
    form.UserDir = home.Path() + "/";
    const std::string path = IniFileName(form);
    const std::string before = "[Zephlane]\nedAnodeV=2500\n";
    if (r.fileExists) std::ofstream(path, std::ios::binary) << before;

    EXPECT_EQ(SaveAnalysisOnClose(form, {40, 50, 900, 700}), r.written);

    EXPECT_EQ(std::filesystem::exists(path), r.fileExists);
    if (!r.fileExists) continue;
    env::TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", ""), "2500");
    if (r.written) {
      const AnalysisPlacement p = LoadAnalysisPlacement(ini);
      EXPECT_TRUE(p.Known);
      EXPECT_EQ(p.At, (Box{40, 50, 900, 700}));
    } else {
      EXPECT_EQ(Slurp(path), before);
    }
  }
}

TEST(AnalysisOnClose, NoSettingsFolderWritesNothing) {
  // State: no per-user folder could be made (UserDir empty), and the working folder happens to
  // hold a file of the settings' name. Expected: that file is not touched.
  TempHome home;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(home.Path());
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  form.UserDir.clear();
  std::ofstream(IniFileName(form), std::ios::binary) << "[Other]\n";
  const bool written = SaveAnalysisOnClose(form, {0, 0, 900, 700});
  const std::string after = Slurp(IniFileName(form));
  std::filesystem::current_path(before);
  EXPECT_FALSE(written);
  EXPECT_EQ(after, "[Other]\n");
}

}  // namespace
}  // namespace startup
