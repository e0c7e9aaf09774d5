#include "startup/case_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "env/scripted_platform.h"
#include "env/text_encoding.h"
#include "mainwindow/form.h"
#include "startup/settings.h"

namespace startup {
namespace {

using mainwindow::TForm1;

// A disk in memory, and the load files that exist on it.
class Disk : public env::FileSystem {
 public:
  std::map<std::string, std::string> Files;
  bool Refuse = false;
  std::optional<std::string> ReadFile(const std::string& path) override {
    const auto it = Files.find(path);
    if (it == Files.end()) return std::nullopt;
    return it->second;
  }
  bool ReplaceFileAtomically(const std::string& path, const std::string& contents) override {
    if (Refuse) return false;
    Files[path] = contents;
    return true;
  }
};

FileExists Existing(std::set<std::string> paths) {
  return [paths](const std::string& p) { return paths.count(p) != 0; };
}

// A case as the program writes it for the window at its first-start values, with the lines
// of its window section replaced or added by `change` (an empty value removes the key).
std::string CaseText(const std::map<std::string, std::optional<std::string>>& change = {},
                     const std::string& head = "[Case]\nFormat=1\n", const std::string& tail = "") {
  env::ScriptedPlatform platform;
  TForm1 form(platform);
  std::string text = head + "[Zephlane]\n";
  std::map<std::string, std::optional<std::string>> left = change;
  for (const auto& [k, v] : InputValues(form)) {
    const auto it = left.find(k);
    if (it == left.end()) {
      text += k + "=" + v + "\n";
      continue;
    }
    if (it->second) text += k + "=" + *it->second + "\n";
    left.erase(it);
  }
  for (const auto& [k, v] : left)
    if (v) text += k + "=" + *v + "\n";
  return text + tail;
}

TEST(CaseFiles, GoodCasesRead) {
  const std::string good = CaseText();
  ASSERT_EQ(ParseCase(good, "/c/a.zcase").Problem, CaseProblem::None);
  struct Row {
    const char* name;
    std::string text;
  };
  const std::vector<Row> rows{
      {"AsWritten", good},
      {"NamesInAnyCase", CaseText({}, "[CASE]\nformat = 1\n")},
      {"SignedFormat", CaseText({}, "[Case]\nFormat=+1\n")},
      {"AnalysisInputs", CaseText({}, "[Case]\nFormat=1\n", "[Analysis]\nCoverage=2\n")},
      {"EmptyLoadFileIsNone", CaseText({}, "[Case]\nFormat=1\n", "[Analysis]\nLoadFile=\n")},
      {"CrLfLines",
       [&] {
         std::string t;
         for (char c : good) t += c == '\n' ? std::string("\r\n") : std::string(1, c);
         return t;
       }()},
      {"Utf16WithByteOrderMark", env::FromUtf8(good, env::TextEncoding::Utf16Le)},
      {"NegativeIndex", CaseText({{"cbLoaRfl", "-1"}})},
  };
  for (const Row& r : rows) {
    const CaseRead read = ParseCase(r.text, "/c/a.zcase", Existing({}));
    EXPECT_EQ(read.Problem, CaseProblem::None) << r.name << ": " << read.Message;
    EXPECT_EQ(read.Case.Window.size(), InputKeys().size()) << r.name;
  }
}

// Each damaged case is refused with the message naming what is wrong, never half read.
TEST(CaseFiles, DamagedCasesAreRefusedWithTheReason) {
  struct Row {
    const char* name;
    std::string text;
    CaseProblem problem;
    std::string says;
  };
  const std::vector<Row> rows{
      {"Empty", "", CaseProblem::Malformed, "no format line"},
      {"TheSettingsFile", CaseText({}, ""), CaseProblem::Malformed, "no format line"},
      {"FormatNotANumber", CaseText({}, "[Case]\nFormat=one\n"), CaseProblem::Malformed,
       "no version number"},
      {"FormatZero", CaseText({}, "[Case]\nFormat=0\n"), CaseProblem::Malformed,
       "no version number"},
      {"FormatNegative", CaseText({}, "[Case]\nFormat=-2\n"), CaseProblem::Malformed,
       "no version number"},
      {"FormatHuge", CaseText({}, "[Case]\nFormat=99999999999\n"), CaseProblem::Malformed,
       "no version number"},
      {"Newer", CaseText({}, "[Case]\nFormat=3\n"), CaseProblem::Newer, "format 3)"},
      // A newer case says so even when this version could not read its keys.
      {"NewerWithNewKeys", CaseText({{"edFrequency", "2450"}}, "[Case]\nFormat=7\n"),
       CaseProblem::Newer, "reads format 2"},
      {"UnknownHeadKey", CaseText({}, "[Case]\nFormat=1\nAuthor=x\n"), CaseProblem::Malformed,
       "unknown key \"Author\""},
      {"UnknownSection", CaseText({}, "[Case]\nFormat=1\n", "[Extra]\na=1\n"),
       CaseProblem::Malformed, "unknown section \"Extra\""},
      {"UnknownInput", CaseText({{"edAnodeX", "1"}}), CaseProblem::Malformed,
       "unknown key \"edAnodeX\""},
      {"WindowPlaceIsNoInput", CaseText({{"Top", "10"}}), CaseProblem::Malformed,
       "unknown key \"Top\""},
      {"MissingInput", CaseText({{"udDire", std::nullopt}}), CaseProblem::Malformed,
       "lacks the input \"udDire\""},
      {"NoWindowSection", "[Case]\nFormat=1\n", CaseProblem::Malformed, "lacks the input"},
      {"FractionalPosition", CaseText({{"udEff", "72.5"}}), CaseProblem::Malformed,
       "\"udEff\" does not hold a whole number"},
      {"EmptyIndex", CaseText({{"rgPowerUnit", ""}}), CaseProblem::Malformed,
       "\"rgPowerUnit\" does not hold a whole number"},
      {"TwoSigns", CaseText({{"udSrcPha", "+-5"}}), CaseProblem::Malformed, "whole number"},
      {"IndexBeyond32Bits", CaseText({{"cbSrcRfl", "4294967296"}}), CaseProblem::Malformed,
       "whole number"},
      {"FlagNotZeroOrOne", CaseText({{"chIdeal", "2"}}), CaseProblem::Malformed,
       "\"chIdeal\" does not hold 0 or 1"},
      {"FarTooLarge", CaseText() + "; " + std::string(kCaseMaxBytes, 'x') + "\n",
       CaseProblem::Malformed, "far larger"},
  };
  for (const Row& r : rows) {
    const CaseRead read = ParseCase(r.text, "/cases/bad.zcase", Existing({}));
    EXPECT_EQ(read.Problem, r.problem) << r.name;
    EXPECT_NE(read.Message.find(r.says), std::string::npos) << r.name << ": " << read.Message;
    EXPECT_NE(read.Message.find("/cases/bad.zcase"), std::string::npos) << r.name;
    EXPECT_NE(read.Message.find("Nothing was changed."), std::string::npos) << r.name;
  }
}

TEST(CaseFiles, LoadFileIsKeptRelativeToTheCase) {
  struct Row {
    const char* name;
    std::string casePath;
    std::string loadFile;
    std::string written;  // the LoadFile line's value
  };
  const std::vector<Row> rows{
      {"BesideTheCase", "/work/cases/a.zcase", "/work/cases/horn.s1p", "horn.s1p"},
      {"InASubfolder", "/work/cases/a.zcase", "/work/cases/loads/horn.s1p", "loads/horn.s1p"},
      {"InAnotherFolder", "/work/cases/a.zcase", "/work/loads/horn.s1p", "../loads/horn.s1p"},
      {"UntidyPath", "/work/cases/./a.zcase", "/work/cases/x/../horn.s1p", "horn.s1p"},
      {"NameWithBlanks", "/w/a.zcase", "/w/my load .s1p", "my load .s1p"},
  };
  env::ScriptedPlatform platform;
  const TForm1 form(platform);
  for (const Row& r : rows) {
    CaseFile c = CaseFromForm(form);
    c.LoadFile = r.loadFile;
    const std::string text = FormatCase(c, r.casePath);
    const auto sections = env::ini::Parse(text);
    ASSERT_EQ(sections.size(), 3u) << r.name;
    ASSERT_EQ(sections[2].Keys.size(), 1u) << r.name;
    EXPECT_EQ(sections[2].Keys[0].second, r.written) << r.name;

    // Read back it names the same file, which must exist.
    const std::string full = std::filesystem::path(r.loadFile).lexically_normal().string();
    const CaseRead read = ParseCase(text, r.casePath, Existing({full}));
    EXPECT_EQ(read.Problem, CaseProblem::None) << r.name << ": " << read.Message;
    EXPECT_EQ(read.Case.LoadFile, full) << r.name;
    const CaseRead missing = ParseCase(text, r.casePath, Existing({}));
    EXPECT_EQ(missing.Problem, CaseProblem::MissingLoadFile) << r.name;
    EXPECT_NE(missing.Message.find(full), std::string::npos) << missing.Message;
  }
}

// Texts come back as typed, blanks, quotes and backslashes included, and so do the Analysis
// window's inputs and the load file.
TEST(CaseFiles, TextsComeBackAsTyped) {
  env::ScriptedPlatform platform;
  TForm1 saved(platform);
  const std::vector<std::string> texts{" 5000 V? ", "\"0,5\"", "", "0.7\\n", "=1+2", "\xc2\xb0"};
  const env::ini::KeyList analysis{{"Coverage", "1"}, {"DesignTarget", " 2.5 "}};
  // The load file comes back in the platform's own spelling of the path.
  const std::u8string native = std::filesystem::path("/c/l.s1p").lexically_normal().u8string();
  const std::string load(native.begin(), native.end());
  for (const std::string& t : texts) {
    saved.edAnodeV.Text = t;
    saved.edLoaMag.Text = t + t;
    Disk disk;
    ASSERT_TRUE(WriteCase(disk, "/c/t.zcase", CaseFromForm(saved, analysis, load)));
    const CaseRead read = ReadCase(disk, "/c/t.zcase", Existing({load}));
    ASSERT_EQ(read.Problem, CaseProblem::None) << read.Message;
    EXPECT_EQ(read.Case, CaseFromForm(saved, analysis, load)) << t;
  }
}

// Opening a case sets every input, runs one cycle, and leaves the window's place and the
// desktop's memory alone.
TEST(CaseFiles, OpeningSetsEveryInput) {
  env::ScriptedPlatform platform;
  TForm1 saved(platform);
  // The groups and the box first: choosing one runs its handler, which re-presents the rest.
  saved.rgTransmMagUnit.SetItemIndex(2);
  saved.rgPowMeasUnit.SetItemIndex(1);
  saved.rgPowerUnit.SetItemIndex(3);
  saved.rgLoadMeasMagUnit.SetItemIndex(1);
  saved.chIdeal.SetChecked(false);
  saved.edAnodeV.Text = "5000";
  saved.edAnodeI.Text = "0.5";
  saved.edSrcMag.Text = "0.1";
  saved.edLoaMag.Text = "0.7";
  saved.udEff.SetPosition(55);
  saved.udSrcPha.SetPosition(-175);
  saved.udDire.SetPosition(33);
  saved.udLoaPha.SetPosition(180);
  saved.cbSrcRfl.SetItemIndex(0);  // magnitudes
  saved.cbLoaRfl.SetItemIndex(0);
  saved.cbSrcMism.SetItemIndex(1);
  saved.cbLoaMism.SetItemIndex(2);
  const env::ini::KeyList before = InputValues(saved);
  const CaseRead read = ParseCase(FormatCase(CaseFromForm(saved), "/c/a.zcase"), "/c/a.zcase");
  ASSERT_EQ(read.Problem, CaseProblem::None) << read.Message;

  TForm1 opened(platform);
  opened.Form1.Left = 77;
  opened.LastFolder = "/somewhere";
  const std::uint64_t cycles = opened.CycleCount();
  ApplyCase(opened, read.Case);
  EXPECT_EQ(InputValues(opened), before);
  EXPECT_EQ(opened.edEffic.Text, "55");
  EXPECT_EQ(opened.edSrcPha.Text, "-175");
  EXPECT_EQ(opened.edDire.Text, "33");
  EXPECT_EQ(opened.SelUnit, 2);
  EXPECT_EQ(opened.SelErrUnit, 1);
  EXPECT_TRUE(opened.edDire.Enabled);  // follows the Ideal box
  EXPECT_GT(opened.CycleCount(), cycles);
  EXPECT_EQ(opened.Va, 5000);
  EXPECT_DOUBLE_EQ(opened.Eff, 0.55);
  EXPECT_TRUE(platform.Events.empty());
  EXPECT_EQ(opened.Form1.Left, 77);
  EXPECT_EQ(opened.LastFolder, "/somewhere");
}

TEST(CaseFiles, UnreadableAndRefusedFiles) {
  Disk disk;
  const CaseRead read = ReadCase(disk, "/nowhere/x.zcase");
  EXPECT_EQ(read.Problem, CaseProblem::Unreadable);
  EXPECT_NE(read.Message.find("/nowhere/x.zcase"), std::string::npos);
  disk.Refuse = true;
  env::ScriptedPlatform platform;
  TForm1 form(platform);
  EXPECT_FALSE(WriteCase(disk, "/c/x.zcase", CaseFromForm(form)));
  EXPECT_TRUE(disk.Files.empty());
}

TEST(CaseFiles, TitleIsTheFileNameWithoutTheCaseExtension) {
  const std::vector<std::pair<std::string, std::string>> rows{
      {"/home/u/Documents/tuned load.zcase", "tuned load"},
      {"applicator.zcase", "applicator"},
      {"/a/b/c.ini", "c.ini"},
      {"/a/.zcase", ".zcase"},
      {"/a/two.dots.zcase", "two.dots"},
  };
  for (const auto& [path, title] : rows) EXPECT_EQ(CaseTitle(path), title) << path;
}

TEST(CaseFiles, RecentCasesNewestFirstEachOnce) {
  struct Row {
    const char* name;
    std::string stored;
    std::string opened;
    std::vector<std::string> expected;
  };
  const std::vector<Row> rows{
      {"First", "", "/a", {"/a"}},
      {"NewestFirst", "/a\n/b", "/c", {"/c", "/a", "/b"}},
      {"ReopenedMovesToTheTop", "/a\n/b\n/c", "/c", {"/c", "/a", "/b"}},
      {"OldestDropped", "/1\n/2\n/3\n/4\n/5\n/6", "/7", {"/7", "/1", "/2", "/3", "/4", "/5"}},
      {"LineBreakInANameNotKept", "/a", "/b\n/c", {"/a"}},
      {"DamagedValueTidied", "\n/a\r\n/a\n\n/b\n", "/b", {"/b", "/a"}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(RecentCaseList(RememberCase(r.stored, r.opened)), r.expected) << r.name;
  }
}

}  // namespace
}  // namespace startup

namespace startup {
namespace {

// The folder last used and the recent cases live in the settings file, and only when there is
// something to keep.
TEST(CaseFiles, DesktopMemoryKeptInTheSettingsFile) {
  struct Row {
    const char* name;
    std::string folder;
    std::string recent;
  };
  const std::vector<Row> rows{
      {"Nothing", "", ""},
      {"FolderWithBlanks", " /home/u/My Cases ", ""},
      {"TwoRecent", "/c", "/c/a.zcase\n/c/b.zcase"},
  };
  for (const Row& r : rows) {
    auto disk = std::make_shared<Disk>();
    env::ScriptedPlatform platform;
    {
      TForm1 form(platform);
      form.LastFolder = r.folder;
      form.RecentCases = r.recent;
      env::TIniFile ini("/s/Zephlane.ini", disk);
      SaveSettings(form, ini);
    }
    const std::string& text = disk->Files["/s/Zephlane.ini"];
    EXPECT_EQ(text.find("LastFolder") != std::string::npos, !r.folder.empty()) << r.name;
    EXPECT_EQ(text.find("RecentCases") != std::string::npos, !r.recent.empty()) << r.name;
    TForm1 form(platform);
    form.LastFolder = "stale";
    env::TIniFile ini("/s/Zephlane.ini", disk);
    LoadSettings(form, ini);
    EXPECT_EQ(form.LastFolder, r.folder) << r.name;
    EXPECT_EQ(form.RecentCases, r.recent) << r.name;
  }
}

}  // namespace
}  // namespace startup
