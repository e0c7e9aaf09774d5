#include "text/table.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using text::ResultRow;

const std::vector<ResultRow> kRows{
    {"Transmission: Incident Power, Actual Value", "992.32", "W"},
    {"Interf, \"quoted\"", "\u221E", ""},
    {"Line\nbreak", "a\tb", "<dB> & 'x'"},
};

TEST(ResultsTable, CsvQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(text::ToCsv(kRows),
            "Quantity,Value,Unit\r\n"
            "\"Transmission: Incident Power, Actual Value\",992.32,W\r\n"
            "\"Interf, \"\"quoted\"\"\",\u221E,\r\n"
            "\"Line\nbreak\",a\tb,<dB> & 'x'\r\n");
}

TEST(ResultsTable, TabTextFlattensTabsAndBreaks) {
  EXPECT_EQ(text::ToTabText(kRows),
            "Quantity\tValue\tUnit\n"
            "Transmission: Incident Power, Actual Value\t992.32\tW\n"
            "Interf, \"quoted\"\t\u221E\t\n"
            "Line break\ta b\t<dB> & 'x'\n");
}

TEST(ResultsTable, HtmlEscapesEveryCell) {
  EXPECT_EQ(text::ToHtml(kRows),
            "<table>\n<tr><th>Quantity</th><th>Value</th><th>Unit</th></tr>\n"
            "<tr><td>Transmission: Incident Power, Actual Value</td><td>992.32</td>"
            "<td>W</td></tr>\n"
            "<tr><td>Interf, &quot;quoted&quot;</td><td>\u221E</td><td></td></tr>\n"
            "<tr><td>Line\nbreak</td><td>a\tb</td><td>&lt;dB&gt; &amp; &#39;x&#39;</td></tr>\n"
            "</table>\n");
}

TEST(ResultsTable, EmptyTableKeepsItsHeader) {
  EXPECT_EQ(text::ToCsv({}), "Quantity,Value,Unit\r\n");
  EXPECT_EQ(text::ToTabText({}), "Quantity\tValue\tUnit\n");
}

}  // namespace
