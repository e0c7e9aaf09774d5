#include "text/json.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace {

struct StringCase {
  const char* Name;
  std::string Input;
  std::string Json;
};
void PrintTo(const StringCase& c, std::ostream* os) { *os << c.Name; }

class JsonString : public testing::TestWithParam<StringCase> {};

TEST_P(JsonString, IsValidUtf8AndEscaped) {
  std::string out;
  text::AppendJsonString(out, GetParam().Input);
  EXPECT_EQ(out, GetParam().Json);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JsonString,
    testing::Values(StringCase{"Plain", "Pinc", "\"Pinc\""},
                    StringCase{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
                    StringCase{"LineEnds", "1\r\n2\t", "\"1\\r\\n2\\t\""},
                    StringCase{"Nul", std::string("x\0y", 3), "\"x\\u0000y\""},
                    StringCase{"Escape", "\x1b[2J", "\"\\u001b[2J\""},
                    StringCase{"Infinity", "\xE2\x88\x9E", "\"\xE2\x88\x9E\""},
                    StringCase{"LoneContinuation", "\x80", "\"\xEF\xBF\xBD\""},
                    StringCase{"Overlong", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                    StringCase{"Surrogate", "\xED\xA0\x80",
                               "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
                    StringCase{"Truncated", "\xE2\x88", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""}),
    [](const testing::TestParamInfo<StringCase>& row) { return std::string(row.param.Name); });

TEST(JsonNumber, ShortestRoundTripAndNonFiniteWords) {
  const auto text = [](double x) {
    std::string out;
    text::AppendRoundTrip(out, x);
    return out;
  };
  EXPECT_EQ(text(0.1), "0.1");
  EXPECT_EQ(text(-0.0), "-0");
  EXPECT_EQ(text(1e300), "1e+300");
  EXPECT_EQ(text(1.4999999999999998), "1.4999999999999998");
  EXPECT_EQ(text(std::numeric_limits<double>::infinity()), "Infinity");
  EXPECT_EQ(text(-std::numeric_limits<double>::infinity()), "-Infinity");
  EXPECT_EQ(text(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(JsonNesting, CountsOutsideStringsAndStopsPastTheLimit) {
  EXPECT_EQ(text::JsonNestingDepth(R"(["type","[[[{"])", 10), 1);
  EXPECT_EQ(text::JsonNestingDepth(R"([["a\"[["]])", 10), 2);
  EXPECT_EQ(text::JsonNestingDepth("[[[[[[", 3), 4);
  EXPECT_EQ(text::JsonNestingDepth("]]]]", 3), 0);
}

}  // namespace
