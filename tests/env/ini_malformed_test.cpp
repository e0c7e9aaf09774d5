#include <gtest/gtest.h>

#include <ostream>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "env/ini_file.h"
#include "memory_file_system.h"

namespace {

using env::TIniFile;

const std::string kPath = "/home/u/Zephlane.ini";

// The window's own section with every value at its default, as a save writes it.
const std::string kOwnFile =
    "[Zephlane]\nedAnodeV=4350\nedAnodeI=0.32\nedSrcMag=0.2\nedLoaMag=0.5\nTop=200\nLeft=0\n"
    "udEff=72\nudSrcPha=0\nudDire=20\nudLoaPha=90\ncbSrcRfl=0\ncbSrcMism=0\ncbLoaRfl=0\n"
    "cbLoaMism=0\nrgTransmMagUnit=0\nrgPowMeasUnit=0\nrgPowerUnit=0\nrgLoadMeasMagUnit=0\n"
    "chIdeal=1\n";

// The window's save: erase every section, then its 19 keys, as one replacement.
void SaveLikeTheWindow(TIniFile& ini) {
  ini.BeginUpdate();
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& s : sections) ini.EraseSection(s);
  for (auto [key, text] : {std::pair{"edAnodeV", "4350"}, std::pair{"edAnodeI", "0.32"},
                           std::pair{"edSrcMag", "0.2"}, std::pair{"edLoaMag", "0.5"}})
    ini.WriteString("Zephlane", key, text);
  for (auto [key, value] :
       {std::pair{"Top", 200}, std::pair{"Left", 0}, std::pair{"udEff", 72},
        std::pair{"udSrcPha", 0}, std::pair{"udDire", 20}, std::pair{"udLoaPha", 90},
        std::pair{"cbSrcRfl", 0}, std::pair{"cbSrcMism", 0}, std::pair{"cbLoaRfl", 0},
        std::pair{"cbLoaMism", 0}, std::pair{"rgTransmMagUnit", 0}, std::pair{"rgPowMeasUnit", 0},
        std::pair{"rgPowerUnit", 0}, std::pair{"rgLoadMeasMagUnit", 0}})
    ini.WriteInteger("Zephlane", key, value);
  ini.WriteBool("Zephlane", "chIdeal", true);
  ini.CommitUpdate();
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string ManySections(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "[S" + std::to_string(i) + "]\nk=v\n";
  return out;
}

struct MalformedRow {
  const char* Name;
  std::string Bytes;
};

void PrintTo(const MalformedRow& row, std::ostream* os) { *os << row.Name; }

class IniMalformedFile : public testing::TestWithParam<MalformedRow> {};

// Each save reads the file once and writes it once, and writes exactly the window's own
// section however the file looked: a malformed file can neither grow nor slow the saves.
TEST_P(IniMalformedFile, SavesOnlyTheOwnSectionReadingAndWritingOnce) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = GetParam().Bytes;
  TIniFile ini(kPath, fs);
  EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 72);
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", "4350"), "4350");
  SaveLikeTheWindow(ini);
  EXPECT_EQ(fs->Files[kPath], NativeLines(kOwnFile));
  // Twenty confirmed closes, each from a fresh start over the file the last one left.
  for (int close = 0; close < 20; ++close) {
    TIniFile next(kPath, fs);
    SaveLikeTheWindow(next);
  }
  EXPECT_EQ(fs->Files[kPath], NativeLines(kOwnFile));
  EXPECT_EQ(fs->Reads, 21);
  EXPECT_EQ(fs->Replacements, 21);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniMalformedFile,
    testing::Values(
        MalformedRow{"IssueExample", "[A]\na=b\n; c\n[O\nT\nL=2\n"},
        MalformedRow{"IssueExampleCrLf", "[A]\r\na=b\r\n; c\r\n[O\r\nT\r\nL=2\r\n"},
        MalformedRow{"LongerVariant", Repeat("[A]\na=b\n; c\n[O\nT\nL=2\n[\n]\n=\n[=]\n", 12)},
        MalformedRow{"HeaderWithoutBracket", "[Zephlane\nudEff=5\nedAnodeV=1\n"},
        MalformedRow{"SectionNameWithLineBreak", "[Zeph\nlane]\nudEff=5\n[Zeph\rlane]\n"},
        MalformedRow{"KeyBeforeAnySection", "udEff=5\nedAnodeV=1\n[Other]\n"},
        MalformedRow{"EmptyHeader", "[]\nudEff=5\n[ ]\nedAnodeV=1\n"},
        MalformedRow{"TenThousandSections", ManySections(10000)},
        MalformedRow{"OnlyLineEnds", std::string(100000, '\n')},
        MalformedRow{"OneLongLine", std::string(100000, '[')}),
    [](const auto& row) { return std::string(row.param.Name); });

// A header that is not one ends the section above: its keys are not given to that section.
TEST(IniFile, BrokenHeaderEndsTheSectionAbove) {
  const auto sections = env::ini::Parse("[Zephlane]\nudEff=5\n[Other\nudEff=7\n[B]\nk=1\n");
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].Name, "Zephlane");
  EXPECT_EQ(sections[0].Keys, (std::vector<std::pair<std::string, std::string>>{{"udEff", "5"}}));
  EXPECT_EQ(sections[1].Name, "B");
}

TEST(IniFile, RepeatedSectionsMergeAndTheLastValueCounts) {
  const auto sections = env::ini::Parse("[A]\nk=1\n[B]\n[a]\nK=2\nj=3\n");
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].Keys,
            (std::vector<std::pair<std::string, std::string>>{{"k", "2"}, {"j", "3"}}));
}

TEST(IniFile, EveryReadServedFromOneParse) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = kOwnFile;
  TIniFile ini(kPath, fs);
  EXPECT_EQ(fs->Reads, 0);  // creating the object touches no file
  for (int i = 0; i < 19; ++i) EXPECT_EQ(ini.ReadInteger("Zephlane", "udDire", 0), 20);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(fs->Reads, 1);
}

struct QuotingRow {
  const char* Name;
  const char* Value;
  const char* Line;  // the key's line in the file
  bool Marked;       // the file starts with the comment that switches quotes on
};

void PrintTo(const QuotingRow& row, std::ostream* os) { *os << row.Name; }

class IniQuoting : public testing::TestWithParam<QuotingRow> {};

TEST_P(IniQuoting, EveryWrittenTextReadsBackExactly) {
  auto fs = std::make_shared<MemoryFileSystem>();
  TIniFile(kPath, fs).WriteString("Zephlane", "edAnodeI", GetParam().Value);
  const std::string& file = fs->Files[kPath];
  EXPECT_NE(file.find(NativeLines(std::string("\nedAnodeI=") + GetParam().Line + "\n")),
            std::string::npos)
      << file;
  EXPECT_EQ(file.rfind(';', 0) == 0, GetParam().Marked) << file;
  EXPECT_EQ(TIniFile(kPath, fs).ReadString("Zephlane", "edAnodeI", "default"), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Texts, IniQuoting,
                         testing::Values(QuotingRow{"Plain", "0.32", "0.32", false},
                                         QuotingRow{"LeadingBlanks", "  2.5", "\"  2.5\"", true},
                                         QuotingRow{"TrailingBlank", "2.5 ", "\"2.5 \"", true},
                                         QuotingRow{"BothEnds", "  2.5 ", "\"  2.5 \"", true},
                                         QuotingRow{"OnlyBlanks", "   ", "\"   \"", true},
                                         QuotingRow{"Tab", "\t1", "\"\t1\"", true},
                                         QuotingRow{"InQuotes", "\"12\"", "\"\"12\"\"", true},
                                         QuotingRow{"LoneQuote", "\"", "\"", false},
                                         QuotingRow{"QuoteAtOneEnd", "12\"", "12\"", false},
                                         QuotingRow{"InnerBlanks", "1 2", "1 2", false},
                                         QuotingRow{"Empty", "", "", false},
                                         QuotingRow{"LineBreaks", "1\n2\r", "\"1\\n2\\r\"", true},
                                         QuotingRow{"BackslashInQuotes", " C:\\n", "\" C:\\\\n\"",
                                                    true},
                                         QuotingRow{"BackslashPlain", "C:\\n", "C:\\n", false}),
                         [](const auto& row) { return std::string(row.param.Name); });

struct EarlierRow {
  const char* Name;
  const char* File;
  const char* Expected;
};

void PrintTo(const EarlierRow& row, std::ostream* os) { *os << row.Name; }

class IniEarlierFile : public testing::TestWithParam<EarlierRow> {};

// Files written before quoting existed hold values verbatim, trimmed.
TEST_P(IniEarlierFile, ReadsAsBefore) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = GetParam().File;
  EXPECT_EQ(TIniFile(kPath, fs).ReadString("Zephlane", "edSrcMag", "default"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniEarlierFile,
    testing::Values(EarlierRow{"Plain", "[Zephlane]\nedSrcMag=0.2\n", "0.2"},
                    EarlierRow{"QuotesStay", "[Zephlane]\nedSrcMag=\"12\"\n", "\"12\""},
                    EarlierRow{"BlanksTrimmed", "[Zephlane]\nedSrcMag = 0.2 \n", "0.2"},
                    EarlierRow{"QuotedBlanksStay", "[Zephlane]\nedSrcMag=\" 1 \"\n", "\" 1 \""},
                    EarlierRow{"ByteOrderMark", "\xEF\xBB\xBF[Zephlane]\nedSrcMag=3\n", "3"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(IniFile, ZeroByteIsAnOrdinaryCharacter) {
  auto fs = std::make_shared<MemoryFileSystem>();
  static const char kBytes[] =
      "[Zephlane]\nedAnodeV=1\0"
      "2\nudEff=5\n";
  fs->Files[kPath] = std::string(kBytes, sizeof kBytes - 1);
  TIniFile ini(kPath, fs);
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", ""), std::string("1\0"
                                                                    "2",
                                                                    3));
  EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 5);
  // A save keeps the byte and everything after it.
  ini.WriteInteger("Zephlane", "udDire", 30);
  TIniFile again(kPath, fs);
  EXPECT_EQ(again.ReadString("Zephlane", "edAnodeV", ""), std::string("1\0"
                                                                      "2",
                                                                      3));
  EXPECT_EQ(again.ReadInteger("Zephlane", "udEff", 72), 5);
}

TEST(IniFile, NamesALineCannotHoldAreRefused) {
  auto fs = std::make_shared<MemoryFileSystem>();
  TIniFile ini(kPath, fs);
  for (const char* section : {"", "A\nB", "A]", " A", "A\r"})
    EXPECT_THROW(ini.WriteString(section, "k", "v"), std::invalid_argument) << section;
  for (const char* key : {"", "a=b", "k\n", "[k", ";k", "#k", "k "})
    EXPECT_THROW(ini.WriteString("S", key, "v"), std::invalid_argument) << key;
  EXPECT_EQ(fs->Replacements, 0);
}

// What Format writes, Parse reads back unchanged.
TEST(IniFile, FormatThenParseGivesTheSameSections) {
  const std::vector<env::ini::Section> sections{
      {"Zephlane", {{"a", " x "}, {"b", "\"q\""}, {"c", ""}, {"d", std::string("\0;", 2)}}},
      {"[Other", {{"k", "=v="}}}};
  const auto back = env::ini::Parse(env::ini::Format(sections));
  ASSERT_EQ(back.size(), sections.size());
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Name, sections[i].Name);
    EXPECT_EQ(back[i].Keys, sections[i].Keys);
  }
}

}  // namespace

namespace {

// A failed save returns the object to the file as it still is, section by section and key by
// key, whatever the update erased, added or changed on the way.
TEST(IniUpdate, FailedSaveReturnsToTheFileContent) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = "[A]\na=1\n[Zephlane]\nedAnodeV=4000\nk=2\n";
  fs->Fail = true;
  TIniFile ini(kPath, fs);
  ini.BeginUpdate();
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const std::string& s : sections) ini.EraseSection(s);
  ini.WriteString("Zephlane", "edAnodeV", "1");
  ini.WriteString("Zephlane", "x", "new");
  ini.WriteString("A", "a", "9");
  ini.WriteString("A", "a", "10");
  ini.EraseSection("A");
  ini.WriteString("C", "c", "3");
  EXPECT_THROW(ini.CommitUpdate(), env::IniWriteError);
  EXPECT_TRUE(ini.LastWriteFailed());
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"A", "Zephlane"}));
  fs->Fail = false;
  ini.WriteString("B", "k", "v");
  EXPECT_FALSE(ini.LastWriteFailed());
  EXPECT_EQ(fs->Files[kPath],
            NativeLines("[A]\na=1\n\n[Zephlane]\nedAnodeV=4000\nk=2\n\n[B]\nk=v\n"));
  EXPECT_EQ(fs->Reads, 1);
}

}  // namespace
