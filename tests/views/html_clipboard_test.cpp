#include "views/html_clipboard.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Fragment {
  const char* name;
  std::string html;
};
void PrintTo(const Fragment& row, std::ostream* os) { *os << row.name; }

class HtmlClipboard : public testing::TestWithParam<Fragment> {};

// Each offset must land on the text a pasting program looks for there; a count in characters
// instead of bytes, or a header whose length was guessed, cuts the table or pastes markup.
TEST_P(HtmlClipboard, OffsetsPointAtTheDocumentAndTheFragment) {
  const std::string doc = views::HtmlClipboardDocument(GetParam().html);
  const views::HtmlClipboardOffsets o = views::ReadHtmlClipboardOffsets(doc);
  ASSERT_GE(o.StartHtml, 0);
  ASSERT_GE(o.StartFragment, o.StartHtml);
  ASSERT_GE(o.EndFragment, o.StartFragment);
  ASSERT_EQ(o.EndHtml, static_cast<long long>(doc.size()));
  EXPECT_EQ(doc.substr(static_cast<std::size_t>(o.StartHtml), 6), "<html>");
  EXPECT_EQ(doc.substr(static_cast<std::size_t>(o.StartFragment),
                       static_cast<std::size_t>(o.EndFragment - o.StartFragment)),
            GetParam().html);
  EXPECT_EQ(doc.substr(static_cast<std::size_t>(o.EndFragment), 18), "<!--EndFragment-->");
  EXPECT_EQ(doc.rfind("Version:0.9\r\n", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, HtmlClipboard,
    testing::Values(Fragment{"Empty", ""},
                    Fragment{"Table",
                             "<table><tr><td>Incident Power</td><td>1.5</td></tr></table>"},
                    // Multi-byte UTF-8: the offsets count bytes.
                    Fragment{"NonAscii", "<td>\xE2\x88\x9E</td><td>\xC2\xB0</td><td>\xCE\xA9</td>"},
                    // Header words inside the fragment must not be read as the header.
                    Fragment{"HeaderWordsInside", "<p>StartFragment:0000000001 EndHTML:7</p>"},
                    Fragment{"Long", std::string(200000, 'x')}),
    [](const testing::TestParamInfo<Fragment>& p) { return std::string(p.param.name); });

TEST(HtmlClipboardHeader, FieldsHaveTenDigits) {
  const std::string doc = views::HtmlClipboardDocument("<b>x</b>");
  EXPECT_EQ(doc.substr(0, doc.find("<html>")),
            "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000181\r\n"
            "StartFragment:0000000139\r\nEndFragment:0000000147\r\n");
}

TEST(HtmlClipboardHeader, MissingFieldsReadAsMinusOne) {
  const views::HtmlClipboardOffsets o =
      views::ReadHtmlClipboardOffsets("Version:0.9\r\nStartHTML:abc\r\n<html>");
  EXPECT_EQ(o.StartHtml, -1);
  EXPECT_EQ(o.EndHtml, -1);
  EXPECT_EQ(o.StartFragment, -1);
  EXPECT_EQ(o.EndFragment, -1);
}

}  // namespace
