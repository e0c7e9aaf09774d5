#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "text/markup.h"

namespace text {
namespace {

struct EscapeRow {
  const char* name;
  std::string in;
  std::string expected;
};
void PrintTo(const EscapeRow& row, std::ostream* os) { *os << row.name; }

class MarkupEscapeTest : public testing::TestWithParam<EscapeRow> {};

TEST_P(MarkupEscapeTest, MakesTextSafeInsideMarkup) {
  EXPECT_EQ(MarkupEscaped(GetParam().in), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkupEscapeTest,
    testing::Values(EscapeRow{"Plain", "Power (W)", "Power (W)"},
                    EscapeRow{"Markup", "<a href=\"x\">&'",
                              "&lt;a href=&quot;x&quot;&gt;&amp;&#39;"},
                    EscapeRow{"Unicode", "\u0393 \u2264 1 \u00b0", "\u0393 \u2264 1 \u00b0"},
                    EscapeRow{"ControlDropped",
                              std::string("a\x01\x1f"
                                          "b\tc",
                                          6),
                              "ab\tc"},
                    EscapeRow{"NulDropped", std::string("a\0b", 3), "ab"},
                    EscapeRow{"LoneContinuation", "a\x80z", "a\uFFFDz"},
                    EscapeRow{"TruncatedSequence", "a\xE2\x88", "a\uFFFD\uFFFD"},
                    EscapeRow{"Overlong", "\xC0\xAF", "\uFFFD\uFFFD"},
                    EscapeRow{"Surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace text
