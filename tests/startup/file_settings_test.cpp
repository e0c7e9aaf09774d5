#include "startup/file_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "temp_home.h"

namespace startup {
namespace {

using startup::tests::TempHome;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Touch(const std::string& path) { std::ofstream(path) << "# Hz S RI R 50\n1e9 0.1 0\n"; }

TEST(FileSettings, RoundTripsEveryKeyAndDefaultsWithoutASection) {
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  {
    env::TIniFile ini(path);
    EXPECT_EQ(LoadFileSettings(ini), FileSettings{});
  }
  const FileSettings saved{
      home.Path() + "/a b.s1p", home.Path() + "/src.s1p", "2.45G", "0.3", 2, "0.66", "0.1"};
  {
    env::TIniFile ini(path);
    SaveFileSettings(ini, saved);
  }
  env::TIniFile again(path);
  EXPECT_EQ(LoadFileSettings(again), saved);
}

TEST(FileSettings, NoFileNamedLeavesTheSettingsFileAsItWas) {
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  {
    env::TIniFile ini(path);
    ini.WriteString("Zephlane", "edAnodeV", "5000");
  }
  const std::string before = Slurp(path);
  {
    env::TIniFile ini(path);
    SaveFileSettings(ini, FileSettings{});  // never opened: no section appears
  }
  EXPECT_EQ(Slurp(path), before);
  {
    env::TIniFile ini(path);
    FileSettings opened;
    opened.LoadPath = "x.s1p";
    SaveFileSettings(ini, opened);
    SaveFileSettings(ini, FileSettings{});  // forgotten again: the section goes
  }
  EXPECT_EQ(Slurp(path), before);
}

TEST(FileSettings, HandEditedValuesAreBounded) {
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  std::ofstream(path) << "[Files]\nLoadFile=x.s1p\nLineMedium=-4\n";
  env::TIniFile ini(path);
  const FileSettings s = LoadFileSettings(ini);
  EXPECT_EQ(s.LoadPath, "x.s1p");
  EXPECT_EQ(s.Medium, 0);
  EXPECT_EQ(s.LengthM, "0");
}

TEST(FileSettings, MissingFilesAreForgottenWithOneNote) {
  TempHome home;
  const std::string here = home.Path() + "/here.s1p";
  const std::string gone = home.Path() + "/gone.s1p";
  const std::string gone2 = home.Path() + "/gone2.s1p";
  Touch(here);
  struct Row {
    const char* name;
    std::string load;
    std::string src;
    std::string wantLoad;
    std::string wantSrc;
    std::vector<std::string> noteNames;  // empty: no note
  };
  const std::vector<Row> rows{
      {"NoneNamed", "", "", "", "", {}},
      {"BothThere", here, here, here, here, {}},
      {"LoadGone", gone, here, "", here, {gone}},
      {"SourceGone", "", gone, "", "", {gone}},
      {"BothGoneOneNote", gone, gone2, "", "", {gone, gone2}},
      {"AFolderIsNoFile", home.Path(), "", "", "", {home.Path()}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FileSettings s;
    s.LoadPath = r.load;
    s.SrcPath = r.src;
    s.LengthM = "0.5";
    const std::string note = ForgetMissingFiles(s);
    EXPECT_EQ(s.LoadPath, r.wantLoad);
    EXPECT_EQ(s.SrcPath, r.wantSrc);
    EXPECT_EQ(s.LengthM, "0.5");  // the line stays as set
    EXPECT_EQ(note.empty(), r.noteNames.empty()) << note;
    for (const std::string& n : r.noteNames) EXPECT_NE(note.find(n), std::string::npos) << note;
  }
}

// The note about a gone file is given once: the section is saved without it at once, and a
// settings file whose files are all there is not rewritten.
TEST(FileSettings, FilesToRestoreSaysAGoneFileOnce) {
  TempHome home;
  const std::string path = home.Path() + "/Zephlane.ini";
  const std::string here = home.Path() + "/here.s1p";
  Touch(here);
  {
    env::TIniFile ini(path);
    SaveFileSettings(ini, FileSettings{here, "", "2.45G", "0.3", 1, "1", "0"});
  }
  const std::string allThere = Slurp(path);
  std::string note = "stale";
  {
    env::TIniFile ini(path);
    EXPECT_EQ(FilesToRestore(ini, note).LoadPath, here);
  }
  EXPECT_EQ(note, "");
  EXPECT_EQ(Slurp(path), allThere);

  std::filesystem::remove(here);
  {
    env::TIniFile ini(path);
    const FileSettings s = FilesToRestore(ini, note);
    EXPECT_EQ(s.LoadPath, "");
    EXPECT_EQ(s.Frequency, "2.45G");  // the line and frequency stay for the typed load
  }
  EXPECT_NE(note.find(here), std::string::npos) << note;
  env::TIniFile next(path);
  EXPECT_EQ(FilesToRestore(next, note).LoadPath, "");
  EXPECT_EQ(note, "");
}

}  // namespace
}  // namespace startup
