#include "env/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "temp_dir.h"

namespace {

using env::TIniFile;

struct IntegerRow {
  const char* Name;
  const char* Stored;
  std::int32_t Expected;  // with the default 77
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const IntegerRow& row, std::ostream* os) { *os << row.Name; }

class IniReadInteger : public testing::TestWithParam<IntegerRow> {};

TEST_P(IniReadInteger, ReadsDecimalAndHexWithinThirtyTwoBits) {
  TempDir dir;
  WriteBytes(dir / "a.ini", std::string("[Zephlane]\nk=") + GetParam().Stored + "\n");
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadInteger("Zephlane", "k", 77), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IniReadInteger,
    testing::Values(IntegerRow{"Decimal", "42", 42}, IntegerRow{"Negative", "-5", -5},
                    IntegerRow{"PlusSign", "+7", 7}, IntegerRow{"LeadingZeros", "007", 7},
                    IntegerRow{"DollarHex", "$10", 16}, IntegerRow{"ZeroXHex", "0x1f", 31},
                    IntegerRow{"UpperZeroXHex", "0X1F", 31}, IntegerRow{"NegativeHex", "-$10", -16},
                    IntegerRow{"Largest", "2147483647", 2147483647},
                    IntegerRow{"Smallest", "-2147483648", -2147483647 - 1},
                    IntegerRow{"LargestHex", "$7FFFFFFF", 2147483647},
                    IntegerRow{"JustTooLarge", "2147483648", 77},
                    IntegerRow{"JustTooSmall", "-2147483649", 77},
                    IntegerRow{"HexTooLarge", "$80000000", 77},
                    IntegerRow{"HugeDecimal", "99999999999999999999999", 77},
                    IntegerRow{"Fraction", "3.5", 77}, IntegerRow{"Word", "yes", 77},
                    IntegerRow{"Empty", "", 77}, IntegerRow{"BareDollar", "$", 77},
                    IntegerRow{"BareZeroX", "0x", 77}, IntegerRow{"BareSign", "-", 77},
                    IntegerRow{"DoubleSign", "--5", 77}, IntegerRow{"XWithoutZero", "x10", 77},
                    IntegerRow{"TrailingLetters", "12ab", 77}, IntegerRow{"InnerBlank", "1 2", 77},
                    IntegerRow{"SurroundingBlanks", "  12  ", 12}),
    [](const auto& row) { return std::string(row.param.Name); });

struct BoolRow {
  const char* Name;
  const char* Line;  // the key's line, or empty for a missing key
  bool Default;
  bool Expected;
};

void PrintTo(const BoolRow& row, std::ostream* os) { *os << row.Name; }

class IniReadBool : public testing::TestWithParam<BoolRow> {};

TEST_P(IniReadBool, NonZeroIntegerIsTrueOtherTextTheDefault) {
  TempDir dir;
  WriteBytes(dir / "a.ini", std::string("[Zephlane]\n") + GetParam().Line + "\n");
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadBool("Zephlane", "chIdeal", GetParam().Default),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, IniReadBool,
                         testing::Values(BoolRow{"One", "chIdeal=1", false, true},
                                         BoolRow{"Two", "chIdeal=2", false, true},
                                         BoolRow{"MinusOne", "chIdeal=-1", false, true},
                                         BoolRow{"Zero", "chIdeal=0", true, false},
                                         BoolRow{"YesIsNotANumber", "chIdeal=yes", true, true},
                                         BoolRow{"TrueIsNotANumber", "chIdeal=true", false, false},
                                         BoolRow{"MissingDefaultTrue", "", true, true},
                                         BoolRow{"MissingDefaultFalse", "", false, false}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(IniFile, EmptyValueReadsEmptyNotDefault) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "[Zephlane]\nedAnodeV=\n");
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadString("Zephlane", "edAnodeV", "4350"), "");
}

TEST(IniFile, MissingFileSectionOrKeyReadsDefault) {
  TempDir dir;
  TIniFile missing(dir / "none.ini");
  EXPECT_EQ(missing.ReadString("Zephlane", "edAnodeV", "4350"), "4350");
  EXPECT_EQ(missing.ReadInteger("Zephlane", "udEff", 72), 72);
  WriteBytes(dir / "a.ini", "[Other]\nedAnodeV=1\n[Zephlane]\nudEff=5\n");
  TIniFile ini(dir / "a.ini");
  EXPECT_EQ(ini.ReadString("Zephlane", "edAnodeV", "4350"), "4350");
  EXPECT_EQ(ini.ReadString("Nowhere", "udEff", "x"), "x");
  EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));
}

TEST(IniFile, NamesIgnoreAsciiCase) {
  TempDir dir;
  TIniFile ini(dir / "a.ini");
  ini.WriteInteger("Zephlane", "Top", 12);
  ini.WriteInteger("ZEPHLANE", "TOP", 13);
  EXPECT_EQ(ini.ReadInteger("zephlane", "top", 0), 13);
  EXPECT_EQ(ReadBytes(dir / "a.ini"), NativeLines("[Zephlane]\nTop=13\n"));
}

struct TextRow {
  const char* Name;
  const char* Text;
};

void PrintTo(const TextRow& row, std::ostream* os) { *os << row.Name; }

class IniRoundTrip : public testing::TestWithParam<TextRow> {};

TEST_P(IniRoundTrip, TextReadsBackUnchanged) {
  TempDir dir;
  TIniFile ini(dir / "a.ini");
  ini.WriteString("Zephlane", "edSrcMag", GetParam().Text);
  ini.WriteString("Zephlane", "edLoaMag", "after");
  EXPECT_EQ(ini.ReadString("Zephlane", "edSrcMag", "default"), GetParam().Text);
  EXPECT_EQ(ini.ReadString("Zephlane", "edLoaMag", "default"), "after");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IniRoundTrip,
    testing::Values(TextRow{"Number", "0.3555"}, TextRow{"Empty", ""},
                    TextRow{"EqualsSign", "a=b=c"}, TextRow{"LeadingEquals", "=5"},
                    TextRow{"Semicolon", "1;2"}, TextRow{"LeadingSemicolon", ";x"},
                    TextRow{"Hash", "#5"}, TextRow{"Comma", "0,3555"}, TextRow{"Infinity", "∞"},
                    TextRow{"MinusInfinity", "-∞"}, TextRow{"Umlauts", "Größe µW"},
                    TextRow{"Brackets", "[Other]"}, TextRow{"Quotes", "\"12\""},
                    TextRow{"HereDocMarker", "<<<END"}, TextRow{"Backslashes", "C:\\x\\"},
                    TextRow{"InnerBlanks", "1 2  3"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(IniFile, BlanksAtEitherEndSurviveInQuotes) {
  TempDir dir;
  TIniFile(dir / "a.ini").WriteString("Zephlane", "edAnodeI", "  2.5 ");
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadString("Zephlane", "edAnodeI", ""), "  2.5 ");
}

TEST(IniFile, LineBreakInValueCannotStartASection) {
  TempDir dir;
  TIniFile ini(dir / "a.ini");
  ini.WriteString("Zephlane", "edAnodeV", "1\n[Evil]\r\nx=2");
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, std::vector<std::string>{"Zephlane"});
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadString("Zephlane", "edAnodeV", ""), "1\n[Evil]\r\nx=2");
}

TEST(IniFile, ExistingKeyKeepsItsPlaceNewKeyGoesToSectionEnd) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "[A]\na=1\nb=2\n[B]\nc=3\n");
  TIniFile ini(dir / "a.ini");
  ini.WriteString("A", "a", "9");
  ini.WriteString("A", "z", "26");
  ini.WriteBool("C", "on", true);
  EXPECT_EQ(ReadBytes(dir / "a.ini"),
            NativeLines("[A]\na=9\nb=2\nz=26\n\n[B]\nc=3\n\n[C]\non=1\n"));
}

TEST(IniFile, SectionsListedInFileOrder) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "loose=1\n[B]\nk=1\n[A]\n[C]\nk=2\n");
  std::vector<std::string> sections{"stale"};
  TIniFile(dir / "a.ini").ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"B", "A", "C"}));
  TIniFile(dir / "none.ini").ReadSections(sections);
  EXPECT_TRUE(sections.empty());
}

TEST(IniFile, EraseSectionRemovesHeaderAndKeys) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "[A]\nk=1\n[B]\nk=2\n");
  TIniFile ini(dir / "a.ini");
  ini.EraseSection("A");
  EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("B", "k", ""), "2");
  TIniFile missing(dir / "none.ini");
  missing.EraseSection("A");
  EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));
}

// The save of the window: erase every section, then the 19 keys in their fixed order.
TEST(IniFile, SaveLeavesOnlyTheWrittenSectionInWriteOrder) {
  TempDir dir;
  WriteBytes(dir / "a.ini", "; note\n[Old]\na=1\n[Zephlane]\nchIdeal=0\nedAnodeV=1\n[Empty]\n");
  TIniFile ini(dir / "a.ini");
  ini.BeginUpdate();
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const auto& s : sections) ini.EraseSection(s);
  for (auto [key, text] : {std::pair{"edAnodeV", "4350"}, std::pair{"edAnodeI", "0.32"},
                           std::pair{"edSrcMag", "0.2"}, std::pair{"edLoaMag", "0.5"}})
    ini.WriteString("Zephlane", key, text);
  for (auto [key, value] :
       {std::pair{"Top", -8}, std::pair{"Left", 100}, std::pair{"udEff", 72},
        std::pair{"udSrcPha", 0}, std::pair{"udDire", 20}, std::pair{"udLoaPha", 90},
        std::pair{"cbSrcRfl", 0}, std::pair{"cbSrcMism", 0}, std::pair{"cbLoaRfl", 0},
        std::pair{"cbLoaMism", 0}, std::pair{"rgTransmMagUnit", 0}, std::pair{"rgPowMeasUnit", 0},
        std::pair{"rgPowerUnit", 0}, std::pair{"rgLoadMeasMagUnit", 0}})
    ini.WriteInteger("Zephlane", key, value);
  ini.WriteBool("Zephlane", "chIdeal", true);
  ini.CommitUpdate();
  EXPECT_EQ(ReadBytes(dir / "a.ini"),
            NativeLines(
                "[Zephlane]\nedAnodeV=4350\nedAnodeI=0.32\nedSrcMag=0.2\nedLoaMag=0.5\nTop=-8\n"
                "Left=100\nudEff=72\nudSrcPha=0\nudDire=20\nudLoaPha=90\ncbSrcRfl=0\ncbSrcMism=0\n"
                "cbLoaRfl=0\ncbLoaMism=0\nrgTransmMagUnit=0\nrgPowMeasUnit=0\nrgPowerUnit=0\n"
                "rgLoadMeasMagUnit=0\nchIdeal=1\n"));
}

TEST(IniFile, IntegersAndBooleansAreWrittenAsPlainDecimal) {
  TempDir dir;
  TIniFile ini(dir / "a.ini");
  ini.WriteInteger("S", "min", -2147483647 - 1);
  ini.WriteInteger("S", "max", 2147483647);
  ini.WriteBool("S", "no", false);
  EXPECT_EQ(ReadBytes(dir / "a.ini"), NativeLines("[S]\nmin=-2147483648\nmax=2147483647\nno=0\n"));
  EXPECT_EQ(ini.ReadInteger("S", "min", 0), -2147483647 - 1);
}

}  // namespace
