#include <gtest/gtest.h>

#include <string>

#include "env/ini_file.h"
#include "env/text_encoding.h"
#include "memory_file_system.h"

namespace {

using env::TextEncoding;
using env::TIniFile;

const std::string kPath = "/home/u/Zephlane.ini";

// UTF-16 code units as bytes in the given order, after the byte order mark.
std::string Utf16(std::u16string_view units, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const auto high = static_cast<char>(u >> 8);
    const auto low = static_cast<char>(u & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

std::u16string NativeLines16(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c == u'\n' && env::ini::kLineEnd == "\r\n") out += u'\r';
    out += c;
  }
  return out;
}

struct EncodingRow {
  const char* Name;
  std::string File;     // "[Zephlane]", edSrcMag = "Größe 𝄞", udEff = 5, in the encoding
  std::string Written;  // the file after udEff is written as 6
};

void PrintTo(const EncodingRow& row, std::ostream* os) { *os << row.Name; }

class IniEncoding : public testing::TestWithParam<EncodingRow> {};

// Notepad's "Unicode" and the Windows profile functions use UTF-16 with a byte order mark; such
// a file reads as its text and is written back as it was found.
TEST_P(IniEncoding, ReadsTheTextAndWritesBackInTheSameEncoding) {
  auto fs = std::make_shared<MemoryFileSystem>();
  fs->Files[kPath] = GetParam().File;
  TIniFile ini(kPath, fs);
  EXPECT_EQ(ini.ReadString("Zephlane", "edSrcMag", ""), "Gr\u00f6\u00dfe \U0001D11E");
  EXPECT_EQ(ini.ReadInteger("Zephlane", "udEff", 72), 5);
  ini.WriteInteger("Zephlane", "udEff", 6);
  EXPECT_EQ(fs->Files[kPath], GetParam().Written);
  TIniFile again(kPath, fs);
  EXPECT_EQ(again.ReadString("Zephlane", "edSrcMag", ""), "Gr\u00f6\u00dfe \U0001D11E");
  EXPECT_EQ(again.ReadInteger("Zephlane", "udEff", 72), 6);
}

const std::u16string kText16 = u"[Zephlane]\r\nedSrcMag=Gr\u00f6\u00dfe \U0001D11E\r\nudEff=5\r\n";
const std::u16string kWritten16 = u"[Zephlane]\nedSrcMag=Gr\u00f6\u00dfe \U0001D11E\nudEff=6\n";
const std::string kText8 = "[Zephlane]\r\nedSrcMag=Gr\u00f6\u00dfe \U0001D11E\r\nudEff=5\r\n";
const std::string kWritten8 = "[Zephlane]\nedSrcMag=Gr\u00f6\u00dfe \U0001D11E\nudEff=6\n";

INSTANTIATE_TEST_SUITE_P(
    Files, IniEncoding,
    testing::Values(EncodingRow{"Utf16LittleEndian", Utf16(kText16, false),
                                Utf16(NativeLines16(kWritten16), false)},
                    EncodingRow{"Utf16BigEndian", Utf16(kText16, true),
                                Utf16(NativeLines16(kWritten16), true)},
                    // As earlier versions did: the mark is read over and not written again.
                    EncodingRow{"Utf8WithMark", "\xEF\xBB\xBF" + kText8, NativeLines(kWritten8)},
                    EncodingRow{"Utf8", kText8, NativeLines(kWritten8)}),
    [](const auto& row) { return std::string(row.param.Name); });

struct ConversionRow {
  const char* Name;
  std::string Bytes;  // UTF-16 little-endian with its mark
  std::string Text;   // as UTF-8
};

void PrintTo(const ConversionRow& row, std::ostream* os) { *os << row.Name; }

class Utf16Reading : public testing::TestWithParam<ConversionRow> {};

TEST_P(Utf16Reading, GivesUtf8WithBrokenUnitsReplaced) {
  EXPECT_EQ(env::DetectEncoding(GetParam().Bytes), TextEncoding::Utf16Le);
  EXPECT_EQ(env::ToUtf8(GetParam().Bytes, TextEncoding::Utf16Le), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Units, Utf16Reading,
    testing::Values(
        ConversionRow{"OnlyTheMark", "\xFF\xFE", ""},
        ConversionRow{"Ascii", Utf16(u"a=1", false), "a=1"},
        ConversionRow{"ZeroUnit", Utf16(std::u16string(u"a\0b", 3), false), std::string("a\0b", 3)},
        ConversionRow{"TwoAndThreeBytes", Utf16(u"\u00b5\u221e", false), "\u00b5\u221e"},
        ConversionRow{"SurrogatePair", Utf16(u"\U0001F600", false), "\U0001F600"},
        ConversionRow{"LoneHighSurrogate", Utf16(u"\xD83Dx", false), "\uFFFDx"},
        ConversionRow{"LoneLowSurrogate", Utf16(u"\xDE00", false), "\uFFFD"},
        ConversionRow{"HighSurrogateAtEnd", Utf16(u"x\xD83D", false), "x\uFFFD"},
        ConversionRow{"OddLastByte", Utf16(u"a", false) + "b", "a\uFFFD"}),
    [](const auto& row) { return std::string(row.param.Name); });

struct WritingRow {
  const char* Name;
  std::string Text;  // as UTF-8, maybe ill-formed
  std::u16string Units;
};

void PrintTo(const WritingRow& row, std::ostream* os) { *os << row.Name; }

class Utf16Writing : public testing::TestWithParam<WritingRow> {};

TEST_P(Utf16Writing, WritesTheMarkThenEveryCodePoint) {
  EXPECT_EQ(env::FromUtf8(GetParam().Text, TextEncoding::Utf16Be), Utf16(GetParam().Units, true));
  EXPECT_EQ(env::FromUtf8(GetParam().Text, TextEncoding::Utf16Le), Utf16(GetParam().Units, false));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf16Writing,
    testing::Values(WritingRow{"Empty", "", u""}, WritingRow{"Ascii", "k=v", u"k=v"},
                    WritingRow{"Umlaut", "\u00fc", u"\u00fc"},
                    WritingRow{"Infinity", "-\u221e", u"-\u221e"},
                    WritingRow{"FourBytes", "\U0001D11E", u"\U0001D11E"},
                    WritingRow{"StrayContinuation", "a\x80z", u"a\uFFFDz"},
                    WritingRow{"TruncatedAtEnd", "a\xE2\x88", u"a\uFFFD\uFFFD"},
                    WritingRow{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                    WritingRow{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                    WritingRow{"BeyondUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
