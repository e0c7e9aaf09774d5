#include "startup/case_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "startup/case_file.h"

namespace startup {
namespace {

std::string Native(const std::string& path) {
  const std::u8string s = std::filesystem::path(path).lexically_normal().u8string();
  return std::string(s.begin(), s.end());
}

// Every field away from its default, so that a field written under one key and read under
// another, or not written at all, shows.
AnalysisCase Unusual() {
  AnalysisCase a;
  a.Coverage = 3;
  a.DesignTarget = " 2,5 ";
  a.Readings.Forward = "1.2k";
  a.Readings.ForwardUnit = views::ReadingUnit::Dbkw;
  a.Readings.Reflected = "=7";
  a.Readings.ReflectedUnit = views::ReadingUnit::MW;
  a.Readings.Ideal = true;
  a.Readings.DirectivityDb = "31";
  a.Budget.Question = views::BudgetQuestion::FromTruth;
  a.Budget.CouplingDb = "0.35";
  a.Budget.CouplingLaw = analysis::CalibrationLaw::Normal;
  a.Budget.SensorPct = "4";
  a.Budget.SensorLaw = analysis::CalibrationLaw::Normal;
  a.Budget.Correlated = true;
  a.Budget.Psi0Deg = "12";
  a.Budget.Chi0Deg = "-40";
  a.Budget.Coverage = views::kCoverageChoices[2];
  a.Budget.Seed = "99";
  a.Band.Frequency = "915M";
  a.Band.Band = views::BandChoice::WholeFile;
  a.Band.Centre = "920M";
  a.Band.Spread = "10M";
  a.Band.LengthM = "1.5";
  a.Band.Medium = views::kMediumCount - 1;
  a.Band.VelocityFactor = "0.66";
  a.Band.LossDbPerM = "0.02";
  a.LoadPort = 2;
  a.LoadFile = Native("/cases/files/applicator.s2p");
  a.SourceFile = Native("/elsewhere/source.s1p");
  return a;
}

TEST(CaseAnalysis, EveryInputComesBackThroughACaseFile) {
  env::ScriptedPlatform platform;
  const mainwindow::TForm1 form(platform);
  const std::set<std::string> files{Unusual().LoadFile, Unusual().SourceFile};
  const auto exists = [&](const std::string& p) { return files.count(p) != 0; };
  const std::string text = FormatCase(CaseFromForm(form, Unusual()), "/cases/a.zcase");
  // The load file beside the case is written relative to it, the other as it is.
  EXPECT_NE(text.find("LoadFile=files/applicator.s2p"), std::string::npos) << text;
  EXPECT_NE(text.find("SourceFile=../elsewhere/source.s1p"), std::string::npos) << text;
  const CaseRead read = ParseCase(text, "/cases/a.zcase", exists);
  ASSERT_EQ(read.Problem, CaseProblem::None) << read.Message;
  EXPECT_EQ(AnalysisOf(read.Case), Unusual());
  // And the default record comes back as itself too (no field has a default the writer skips).
  const CaseRead plain =
      ParseCase(FormatCase(CaseFromForm(form, AnalysisCase{}), "/c/p.zcase"), "/c/p.zcase");
  ASSERT_EQ(plain.Problem, CaseProblem::None) << plain.Message;
  EXPECT_EQ(AnalysisOf(plain.Case), AnalysisCase{});
}

// A case written before the sheets were kept opens with their defaults.
TEST(CaseAnalysis, OlderCasesOpenWithTheSheetsDefaults) {
  env::ScriptedPlatform platform;
  const mainwindow::TForm1 form(platform);
  std::string text = FormatCase(CaseFromForm(form), "/c/old.zcase");
  text.replace(text.find("Format=2"), 8, "Format=1");
  text += "Coverage=2\nDesignTarget=7\n";
  const CaseRead read = ParseCase(text, "/c/old.zcase");
  ASSERT_EQ(read.Problem, CaseProblem::None) << read.Message;
  AnalysisCase expected;
  expected.Coverage = 2;
  expected.DesignTarget = "7";
  EXPECT_EQ(AnalysisOf(read.Case), expected);
}

// A value a sheet could not show, or a key no sheet has, is a damaged case, named in the
// message; the record being read into stays as it was, even past good keys read before.
TEST(CaseAnalysis, ValuesOutsideTheSheetsAreRefused) {
  struct Row {
    std::string key;
    std::string value;
    std::string says;
  };
  const std::vector<Row> rows{
      {"Coverage", "4", "\"Coverage\" does not hold one of its list's choices"},
      {"Coverage", "-1", "one of its list's choices"},
      {"Coverage", "+1", "one of its list's choices"},
      {"Coverage", "1x", "one of its list's choices"},
      {"Coverage", "", "one of its list's choices"},
      {"ReadingForwardUnit", "6", "\"ReadingForwardUnit\""},
      {"ReadingReflectedUnit", "1.0", "\"ReadingReflectedUnit\""},
      {"ReadingIdeal", "2", "\"ReadingIdeal\" does not hold 0 or 1"},
      {"BudgetCorrelated", "yes", "does not hold 0 or 1"},
      {"BudgetQuestion", "2", "\"BudgetQuestion\""},
      {"BudgetCouplingLaw", "2", "\"BudgetCouplingLaw\""},
      {"BudgetCoverage", "4", "\"BudgetCoverage\""},
      {"Band", "2", "\"Band\""},
      {"LineMedium", std::to_string(views::kMediumCount), "\"LineMedium\""},
      {"LoadPort", "0", "\"LoadPort\""},
      {"LoadPort", "3", "\"LoadPort\""},
      {"LoadPort", "99999999999", "\"LoadPort\""},
      {"Colour", "red", "unknown key \"Colour\""},
  };
  for (const Row& r : rows) {
    AnalysisCase into = Unusual();
    const std::string wrong = ReadAnalysisKeys({{"Coverage", "1"}, {r.key, r.value}}, into);
    EXPECT_NE(wrong.find(r.says), std::string::npos) << r.key << "=" << r.value << ": " << wrong;
    EXPECT_EQ(into, Unusual()) << r.key << "=" << r.value;

    // Through the case reader, the same value refuses the whole case.
    env::ScriptedPlatform platform;
    const mainwindow::TForm1 form(platform);
    const std::string text =
        FormatCase(CaseFromForm(form), "/c/bad.zcase") + r.key + "=" + r.value + "\n";
    const CaseRead read = ParseCase(text, "/c/bad.zcase");
    EXPECT_EQ(read.Problem, CaseProblem::Malformed) << r.key << "=" << r.value;
    EXPECT_NE(read.Message.find(r.says), std::string::npos) << read.Message;
  }
  // Keys in another letter case are the same keys.
  AnalysisCase into;
  EXPECT_EQ(ReadAnalysisKeys({{"loadport", "2"}, {"BANDSPREAD", "1M"}}, into), "");
  EXPECT_EQ(into.LoadPort, 2);
  EXPECT_EQ(into.Band.Spread, "1M");
}

TEST(CaseAnalysis, MissingMeasuredFilesAreRefused) {
  struct Row {
    const char* name;
    std::string tail;
    CaseProblem problem;
    std::string says;
  };
  const std::string load = Native("/c/load.s1p");
  const std::string src = Native("/c/src.s1p");
  const std::vector<Row> rows{
      {"Source", "SourceFile=src.s1p\n", CaseProblem::MissingSourceFile,
       "The source file " + src + " named by the case file /c/m.zcase does not exist."},
      {"Load", "LoadFile=load.s1p\n", CaseProblem::MissingLoadFile, "The load file " + load},
      {"LoadBeforeSource", "SourceFile=src.s1p\nLoadFile=load.s1p\n", CaseProblem::MissingLoadFile,
       "The load file"},
      // A damaged case says so first, whatever file it names.
      {"DamagedNamingAGoneFile", "SourceFile=src.s1p\nLoadPort=7\n", CaseProblem::Malformed,
       "\"LoadPort\""},
  };
  env::ScriptedPlatform platform;
  const mainwindow::TForm1 form(platform);
  for (const Row& r : rows) {
    const std::string text = FormatCase(CaseFromForm(form), "/c/m.zcase") + r.tail;
    const CaseRead read = ParseCase(text, "/c/m.zcase", [](const std::string&) { return false; });
    EXPECT_EQ(read.Problem, r.problem) << r.name;
    EXPECT_NE(read.Message.find(r.says), std::string::npos) << r.name << ": " << read.Message;
    EXPECT_NE(read.Message.find("Nothing was changed."), std::string::npos) << r.name;
  }
}

}  // namespace
}  // namespace startup
