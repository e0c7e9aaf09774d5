#include "text/ascii.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace {

struct TrimCase {
  const char* Name;
  std::string Input;
  std::string SpaceOrTab;
  std::string ControlOrSpace;
};
void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.Name; }

class AsciiTrim : public testing::TestWithParam<TrimCase> {};

TEST_P(AsciiTrim, KeepsWhatIsNotBlank) {
  const TrimCase& c = GetParam();
  EXPECT_EQ(text::Trim(c.Input, text::IsSpaceOrTab), c.SpaceOrTab);
  EXPECT_EQ(text::Trim(c.Input, text::IsControlOrSpace), c.ControlOrSpace);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AsciiTrim,
    testing::Values(TrimCase{"Empty", "", "", ""}, TrimCase{"AllBlank", " \t ", "", ""},
                    TrimCase{"Inner", " a b\t", "a b", "a b"},
                    TrimCase{"CarriageReturn", "x\r", "x\r", "x"},
                    TrimCase{"Nul", std::string("\0v\0", 3), std::string("\0v\0", 3), "v"},
                    // A no-break space (U+00A0) is text, not a blank.
                    TrimCase{"NoBreakSpace",
                             "\xC2\xA0"
                             "1",
                             "\xC2\xA0"
                             "1",
                             "\xC2\xA0"
                             "1"}),
    [](const testing::TestParamInfo<TrimCase>& row) { return std::string(row.param.Name); });

TEST(AsciiCase, FoldsOnlyLatinLetters) {
  EXPECT_EQ(text::LowerAscii("SWR \xC3\x84@Z[`"), "swr \xC3\x84@z[`");
  EXPECT_TRUE(text::EqualsNoCase("Zephlane", "zEPHLANE"));
  EXPECT_FALSE(text::EqualsNoCase("@", "`"));  // one below A and one below a
  EXPECT_FALSE(text::EqualsNoCase("ab", "abc"));
  EXPECT_TRUE(text::EndsWithNoCase("-13.98DB", "db"));
  EXPECT_FALSE(text::EndsWithNoCase("b", "db"));
  EXPECT_TRUE(text::StartsWithNoCase("WR340", "wr"));
  EXPECT_FALSE(text::StartsWithNoCase("W", "wr"));
}

}  // namespace
