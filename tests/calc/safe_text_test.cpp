#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "options.h"
#include "run_capture.h"
#include "safe_text.h"

namespace {

using calc_test::Lines;
using calc_test::RunCalc;

struct Escape {
  const char* name;
  std::string in;
  std::string want;
};
void PrintTo(const Escape& row, std::ostream* os) { *os << row.name; }
class CalcSafeCell : public testing::TestWithParam<Escape> {};

TEST_P(CalcSafeCell, ControlsAndBrokenUtf8AreEscapedLongCellsCut) {
  EXPECT_EQ(calc::SafeCell(GetParam().in), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcSafeCell,
    testing::Values(Escape{"Plain", "12x", "12x"},
                    Escape{"TerminalTitle", "\x1b]0;owned\x07", "\\x1B]0;owned\\x07"},
                    Escape{"Nul", std::string("a\0b", 3), "a\\x00b"},
                    Escape{"Delete", "a\x7f", "a\\x7F"},
                    Escape{"LoneContinuation", "a\x80z", "a\\x80z"},
                    Escape{"Overlong", "\xC0\xAF", "\\xC0\\xAF"},
                    Escape{"Surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
                    Escape{"CutSequence", "ab\xE2\x88", "ab\\xE2\\x88"},
                    Escape{"GoodUtf8", "\xE2\x88\x9E \xC2\xB0", "\xE2\x88\x9E \xC2\xB0"},
                    Escape{"SixtyFour", std::string(64, 'x'), std::string(64, 'x')},
                    Escape{"SixtyFive", std::string(65, 'x'), std::string(64, 'x') + "..."},
                    // Characters, not bytes: 70 infinity signs are cut after 64 of them.
                    Escape{"WideCharacters",
                           [] {
                             std::string s;
                             for (int i = 0; i < 70; ++i) s += "\xE2\x88\x9E";
                             return s;
                           }(),
                           [] {
                             std::string s;
                             for (int i = 0; i < 64; ++i) s += "\xE2\x88\x9E";
                             return s + "...";
                           }()}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CalcSafeMessage, ABadCellNeverReachesTheTerminalRaw) {
  const std::string evil = "\x1b[2J" + std::string(200, '9') + std::string("\0tail", 5);
  const auto b = RunCalc({"--batch"}, "va\n" + evil + "\n");
  EXPECT_EQ(b.status, 2);
  EXPECT_EQ(b.err.find('\x1b'), std::string::npos);
  EXPECT_NE(b.err.find("\\x1B[2J"), std::string::npos) << b.err;
  EXPECT_NE(b.err.find("...\" is not a whole number"), std::string::npos) << b.err;
  EXPECT_LT(b.err.size(), 160u);
  const auto o = RunCalc({"--ia", "\x1b]0;x\x07"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "zephlane-calc: --ia: \"\\x1B]0;x\\x07\" is not a number\n");
}

struct LineEnds {
  const char* name;
  const char* input;
};
void PrintTo(const LineEnds& row, std::ostream* os) { *os << row.name; }
class CalcLineEnds : public testing::TestWithParam<LineEnds> {};

TEST_P(CalcLineEnds, EveryLineEndSplitsRows) {
  const auto r = RunCalc({"--batch"}, GetParam().input);
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u);  // the header and three rows
  EXPECT_TRUE(lines[1].starts_with("1000,"));
  EXPECT_TRUE(lines[3].starts_with("3000,"));
}

INSTANTIATE_TEST_SUITE_P(Rows, CalcLineEnds,
                         testing::Values(LineEnds{"Lf", "va\n1000\n2000\n3000\n"},
                                         LineEnds{"CrLf", "va\r\n1000\r\n2000\r\n3000\r\n"},
                                         LineEnds{"CrOnly", "va\r1000\r2000\r3000\r"},
                                         LineEnds{"CrOnlyNoLast", "va\r1000\r2000\r3000"},
                                         LineEnds{"Mixed", "va\r\n1000\r2000\n\r3000\n"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CalcLineEnds, CrOnlyBadRowNamesItsLine) {
  const auto r = RunCalc({"--batch"}, "va\r1000\rbad\r3000\r");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zephlane-calc: line 3, column va: \"bad\" is not a whole number\n");
}

}  // namespace
