#include "numtext/parse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "doubles.h"

namespace numtext {
namespace {

using zephlane_test::kInf;
using zephlane_test::kNaN;
using zephlane_test::SameBits;

constexpr std::int32_t kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kI32Max = std::numeric_limits<std::int32_t>::max();

TEST(ClampInt, LowerLimitIsTestedFirst) {
  EXPECT_EQ(ClampInt(0, -1, 10), 0);
  EXPECT_EQ(ClampInt(0, 11, 10), 10);
  EXPECT_EQ(ClampInt(0, 10, 10), 10);
  // Crossed limits: below Lo gives Lo, above Hi but not below Lo gives Hi.
  EXPECT_EQ(ClampInt(10, 5, 0), 10);
  EXPECT_EQ(ClampInt(10, 20, 0), 0);
}

TEST(ClampFloat, NanPassesAndLowerLimitIsTestedFirst) {
  EXPECT_TRUE(SameBits(kNaN, ClampFloat(0.0, kNaN, 1.0)));
  EXPECT_TRUE(SameBits(0.0, ClampFloat(0.0, -kInf, 1.0)));
  EXPECT_TRUE(SameBits(1.0, ClampFloat(0.0, kInf, 1.0)));
  EXPECT_TRUE(SameBits(0.5, ClampFloat(0.0, 0.5, 1.0)));
  EXPECT_TRUE(SameBits(10.0, ClampFloat(10.0, 5.0, 0.0)));
  EXPECT_TRUE(SameBits(0.0, ClampFloat(10.0, 20.0, 0.0)));
}

struct IntRow {
  const char* name;
  std::string text;
  std::int32_t def, min, max;
  bool clamp;
  std::int32_t expected;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const IntRow& row, std::ostream* os) { *os << row.name; }

class TextToIntTable : public testing::TestWithParam<IntRow> {};

TEST_P(TextToIntTable, GivesExpectedValue) {
  const IntRow& r = GetParam();
  EXPECT_EQ(TextToInt(r.text, r.def, r.min, r.max, r.clamp), r.expected) << '"' << r.text << '"';
}

const IntRow kIntRows[] = {
    {"Plain", "42", 7, 0, 100, true, 42},
    {"BlanksAndControlsAtEnds", " \t\r\n42\x01 ", 7, 0, 100, true, 42},
    {"NoBreakSpaceBefore",
     "\xC2\xA0"
     "42",
     7, 0, 100, true, 7},
    {"NoBreakSpaceAfter", "42\xC2\xA0", 7, 0, 100, true, 7},
    {"PlusSign", "+42", 7, 0, 100, true, 42},
    {"LeadingZeros", "000042", 7, 0, 100, true, 42},
    {"Empty", "", 7, 0, 100, true, 7},
    {"OnlySign", "-", 7, 0, 100, true, 7},
    {"Fraction", "3.5", 7, 0, 100, true, 7},
    {"FractionNoClamp", "3.5", 7, 0, 100, false, 7},
    {"InnerBlank", "4 2", 7, 0, 100, true, 7},
    {"Grouping", "1_0", 7, 0, 100, true, 7},
    {"NotANumberDefaultClamped", "abc", 150, 0, 100, true, 100},
    {"NotANumberDefaultClampedLow", "abc", -3, 0, 100, false, 0},
    {"BelowMinClamped", "-5", 7, 0, 100, true, 0},
    {"BelowMinDefault", "-5", 7, 0, 100, false, 7},
    {"AboveMaxClamped", "101", 7, 0, 100, true, 100},
    {"AboveMaxDefault", "101", 7, 0, 100, false, 7},
    {"EqualsMin", "0", 7, 0, 100, false, 0},
    {"EqualsMax", "100", 7, 0, 100, false, 100},
    {"DollarHex", "$10", 0, kI32Min, kI32Max, true, 16},
    {"ZeroXHex", "0x10", 0, kI32Min, kI32Max, true, 16},
    {"ZeroUpperXHex", "0XfF", 0, kI32Min, kI32Max, true, 255},
    {"LowerXHex", "x10", 0, kI32Min, kI32Max, true, 16},
    {"UpperXHex", "X1a", 0, kI32Min, kI32Max, true, 26},
    {"NegatedHex", "-$10", 0, kI32Min, kI32Max, true, -16},
    {"HexAllOnesIsMinusOne", "$FFFFFFFF", 0, kI32Min, kI32Max, true, -1},
    {"HexSignBitIsMin", "$80000000", 0, kI32Min, kI32Max, true, kI32Min},
    {"NegatedHexMinWraps", "-$80000000", 0, kI32Min, kI32Max, true, kI32Min},
    {"HexLeadingZerosFit", "$000000000010", 0, kI32Min, kI32Max, true, 16},
    {"HexBeyond32Bits", "$100000000", 5, kI32Min, kI32Max, true, 5},
    {"HexNoDigits", "0x", 5, kI32Min, kI32Max, true, 5},
    {"HexBadDigit", "$1G", 5, kI32Min, kI32Max, true, 5},
    {"HexDoubleSign", "-+$1", 5, kI32Min, kI32Max, true, 5},
    {"HexFloat", "0x1p3", 5, kI32Min, kI32Max, true, 5},
    {"Int32Max", "2147483647", 0, kI32Min, kI32Max, true, kI32Max},
    {"Int32Min", "-2147483648", 0, kI32Min, kI32Max, true, kI32Min},
    {"OneAboveInt32Max", "2147483648", 5, kI32Min, kI32Max, true, 5},
    {"OneBelowInt32Min", "-2147483649", 5, kI32Min, kI32Max, true, 5},
    {"ManyDigits", "99999999999999999999999", 5, 0, 100, true, 5},
    {"OneAboveMaxGivesClampedDefault", "2147483648", 500, 0, 100, true, 100},
};

INSTANTIATE_TEST_SUITE_P(Rows, TextToIntTable, testing::ValuesIn(kIntRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct FloatRow {
  const char* name;
  std::string text;
  double expected;  // with default kDefault, limits -1e300..1e300, no clamping
};

constexpr double kDefault = -12345.0;

void PrintTo(const FloatRow& row, std::ostream* os) { *os << row.name; }

class TextToFloatTable : public testing::TestWithParam<FloatRow> {};

TEST_P(TextToFloatTable, GivesExpectedValue) {
  const FloatRow& r = GetParam();
  EXPECT_TRUE(SameBits(r.expected, TextToFloat(r.text, kDefault, -kInf, kInf, false)))
      << '"' << r.text << '"';
}

const FloatRow kFloatRows[] = {
    {"Plain", "0.3555", 0.3555},
    {"CommaIsPoint", "0,3555", 0.3555},
    {"BlanksBothEnds", " 2.5 ", 2.5},
    {"ControlCharsAtEnds",
     "\t\r\n\x1F"
     "2.5\x01\x20",
     2.5},
    {"NoBreakSpaceBefore",
     "\xC2\xA0"
     "2.5",
     kDefault},
    {"NoBreakSpaceAfter", "2.5\xC2\xA0", kDefault},
    {"CommaAndPointTwoPoints", "1,234.5", kDefault},
    {"TwoPoints", "1.5.2", kDefault},
    {"Exponent", "1e3", 1000.0},
    {"NegativeExponent", "-2.5E-1", -0.25},
    {"PlusExponent", "1E+2", 100.0},
    {"PlusPointFive", "+.5", 0.5},
    {"TrailingPoint", "5.", 5.0},
    {"LeadingPoint", ".5", 0.5},
    {"ZerosBothSides", "05.50", 5.5},
    {"NegativeZero", "-0", -0.0},
    {"LonePoint", ".", kDefault},
    {"LoneSign", "+", kDefault},
    {"SignAndPoint", "-.", kDefault},
    {"Empty", "", kDefault},
    {"OnlyBlanks", "  \t ", kDefault},
    {"ExponentWithoutMantissa", "e5", kDefault},
    {"ExponentWithoutDigits", "1e", kDefault},
    {"ExponentOnlySign", "1e+", kDefault},
    {"PointBeforeExponent", "5.e1", 50.0},
    {"DoubleSign", "--1", kDefault},
    {"InnerBlank", "1 0", kDefault},
    {"Underscore", "1_0", kDefault},
    {"HexFloat", "0x1p3", kDefault},
    {"HexInteger", "0x10", kDefault},
    {"DollarHex", "$10", kDefault},
    {"TooLarge", "1e400", kDefault},
    {"TooLargeByDigits",
     "18"
     "0000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000"
     "0000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000",
     kDefault},
    {"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
    {"RoundsToInfinity", "1.7976931348623159e308", kDefault},
    {"ExponentBeyond1024", "0e2000", kDefault},
    {"Exponent1025", "1e-1025", kDefault},
    {"Exponent1024", "0e1024", 0.0},
    {"ExponentLeadingZeros", "1e00000000000000000003", 1000.0},
    {"UnderflowToZero", "1e-400", 0.0},
    {"UnderflowToMinusZero", "-1e-400", -0.0},
    {"UnderflowBelowHalfDenormal", "2e-324", 0.0},
    {"RoundsUpToSmallestDenormal", "3e-324", 4.9406564584124654e-324},
    {"Denormal", "1e-310", 1e-310},
    {"SmallMantissaLargeExponent", "0.0000000001e318", 1e308},
    {"CorrectlyRoundedHalfway", "9007199254740993", 9007199254740992.0},
    {"CorrectlyRoundedAboveHalfway", "9007199254740993.0000000000001", 9007199254740994.0},
    {"NanUpper", "NAN", kNaN},
    {"NanMixed", "nAn", kNaN},
    {"NanWithBlanks", " nan\t", kNaN},
    {"SignedNan", "-nan", kDefault},
    {"NanPayload", "nan(1)", kDefault},
    {"Inf", "inf", kInf},
    {"PlusInf", "+Inf", kInf},
    {"MinusInf", "-INF", -kInf},
    {"Infinity", "infinity", kDefault},
    {"InfinityUpper", "INFINITY", kDefault},
};

INSTANTIATE_TEST_SUITE_P(Rows, TextToFloatTable, testing::ValuesIn(kFloatRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TextToFloat, LimitsClampOrGiveDefault) {
  EXPECT_TRUE(SameBits(1000.0, TextToFloat("inf", 5.0, 0.0, 1000.0, true)));
  EXPECT_TRUE(SameBits(5.0, TextToFloat("inf", 5.0, 0.0, 1000.0, false)));
  EXPECT_TRUE(SameBits(0.0, TextToFloat("-INF", 5.0, 0.0, 1000.0, true)));
  EXPECT_TRUE(SameBits(kNaN, TextToFloat("nan", 5.0, 0.0, 1000.0, true)));
  EXPECT_TRUE(SameBits(0.0, TextToFloat("-1e-9", 5.0, 0.0, 1000.0, true)));
  EXPECT_TRUE(SameBits(5.0, TextToFloat("1000.0001", 5.0, 0.0, 1000.0, false)));
  EXPECT_TRUE(SameBits(0.0, TextToFloat("0", 5.0, 0.0, 1000.0, false)));
  EXPECT_TRUE(SameBits(1000.0, TextToFloat("1000", 5.0, 0.0, 1000.0, false)));
}

TEST(TextToFloat, DefaultIsReturnedUnclamped) {
  // The integer reader clamps its default; the float reader hands the caller's value back.
  EXPECT_TRUE(SameBits(150.0, TextToFloat("abc", 150.0, 0.0, 100.0, true)));
  EXPECT_EQ(TextToInt("abc", 150, 0, 100, true), 100);
}

TEST(TextToFloat, CrossedLimitsTestLowerFirst) {
  EXPECT_TRUE(SameBits(10.0, TextToFloat("5", 7.0, 10.0, 0.0, true)));
  EXPECT_TRUE(SameBits(0.0, TextToFloat("20", 7.0, 10.0, 0.0, true)));
}

}  // namespace
}  // namespace numtext
