#include "numtext/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "doubles.h"

namespace numtext {
namespace {

using zephlane_test::kInf;
using zephlane_test::kNaN;

struct FormatRow {
  const char* name;
  double x;
  int decimals;
  std::string expected;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.name; }

class FloatToTextTable : public testing::TestWithParam<FormatRow> {};

TEST_P(FloatToTextTable, GivesExpectedText) {
  const FormatRow& r = GetParam();
  EXPECT_EQ(FloatToText(r.x, r.decimals), r.expected);
}

const FormatRow kFormatRows[] = {
    {"Zero", 0.0, 4, "0"},
    {"MinusZero", -0.0, 2, "0"},
    {"BelowZeroThreshold", 5e-13, 4, "0"},
    {"AtZeroThreshold", -1e-12, 20, "0"},
    {"JustAboveZeroThreshold", 1.0000000000000002e-12, 40, "0.0000000000010000000000000002"},
    {"TinyRoundsToZero", 1e-6, 4, "0"},
    {"NegativeTinyRoundsToZeroWithoutSign", -1e-6, 4, "0"},
    {"NegativeRoundsToZeroNoDecimals", -0.4, 0, "0"},
    {"NegativeHalfRoundsAway", -0.00005, 4, "-0.0001"},
    {"NegativeHalf", -0.5, 4, "-0.5"},
    {"Magnitude", 0.3555, 4, "0.3555"},
    {"WholeNumber", 14220.0, 2, "14220"},
    {"IntegerZerosKept", 1000000.0, 2, "1000000"},
    {"NoDecimalsNoPoint", 1000000.0, 0, "1000000"},
    {"NoDecimalsRounds", 2.5, 0, "3"},
    {"NoDecimalsRoundsNegative", -2.5, 0, "-3"},
    {"RoundsDown", 1.23456, 2, "1.23"},
    {"HeldBelowHalfway", 1.005, 2, "1"},
    {"HeldBelowHalfwayToo", 2.675, 2, "2.67"},
    {"ExactHalfwayAway", 0.125, 2, "0.13"},
    {"ExactHalfwayAwayNegative", -0.125, 2, "-0.13"},
    {"ExactHalfwayOddBelow", 0.375, 2, "0.38"},
    {"ExactHalfwayEvenBelow", 0.625, 2, "0.63"},
    {"ExactHalfwayOneDecimal", 1.25, 1, "1.3"},
    {"HeldBelowHalfwayNoCarry", 9.995, 2, "9.99"},
    {"CarryIntoNewDigit", 9.9996, 3, "10"},
    {"NegativeDecimalsAsPositive", 0.3555, -4, "0.3555"},
    {"MinIntDecimals", 0.3555, std::numeric_limits<int>::min(), "0.35549999999999998"},
    {"HugeDecimals", 0.1, std::numeric_limits<int>::max(), "0.10000000000000001"},
    {"SeventeenDigitsThenZeros", 12345678901234.567, 4, "12345678901234.566"},
    {"SeventeenDigitsRounded", 1234567890123.4567, 6, "1234567890123.4568"},
    {"SeventeenDigitsOfOneTenth", 0.1, 20, "0.10000000000000001"},
    {"SeventeenDigitsOfPi", 3.141592653589793, 30, "3.1415926535897931"},
    {"LargestFixed", 99999999999999984.0, 2, "99999999999999984"},
    {"ExponentFromTenToSeventeen", 1e17, 3, "1E017"},
    {"ExponentFourDigits", 1.5e20, 4, "1.5E0020"},
    {"ExponentTwoDigits", 1.5e20, 2, "1.5E20"},
    {"ExponentNoMinimumWidth", 1.5e20, 0, "1.5E20"},
    {"ExponentWidthOnlyUpToFour", 1.5e20, 5, "1.5E20"},
    {"ExponentNegativeDecimals", -1.5e20, -4, "-1.5E0020"},
    {"ExponentSeventeenDigits", 1.2345678901234567e25, 2, "1.2345678901234566E25"},
    {"ExponentLargestDouble", 1.7976931348623157e308, 2, "1.7976931348623157E308"},
    {"ExponentJustBelowPowerOfTen", 99999999999999983616.0, 2, "9.9999999999999984E19"},
    {"PlusInfinity", kInf, 4, "\u221E"},
    {"MinusInfinity", -kInf, 0, "-\u221E"},
    {"NotANumber", kNaN, 2, "NAN"},
    {"NegativeNotANumber", -kNaN, 2, "NAN"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FloatToTextTable, testing::ValuesIn(kFormatRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(IntToText, ShortestDecimalForm) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(40000), "40000");
  EXPECT_EQ(IntToText(-5), "-5");
  EXPECT_EQ(IntToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(IntToText(std::numeric_limits<std::int32_t>::max()), "2147483647");
}

}  // namespace
}  // namespace numtext
