#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/table.h"

namespace {

struct CellRow {
  const char* Name;
  std::string Cell;
  std::string Written;
};

void PrintTo(const CellRow& row, std::ostream* os) { *os << row.Name; }

class CsvCell : public testing::TestWithParam<CellRow> {};

// A typed edit text goes into an export before any evaluation has corrected it; a spreadsheet
// opening the file must show it, never run it.
TEST_P(CsvCell, FormulaTextIsShownAsTextNumbersStayNumbers) {
  std::string out;
  text::AppendCsvField(out, GetParam().Cell);
  EXPECT_EQ(out, GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CsvCell,
    testing::Values(
        CellRow{"CommandFormula", "=cmd|'/C calc'!A0", "'=cmd|'/C calc'!A0"},
        CellRow{"FormulaWithComma", "=HYPERLINK(\"x\",\"y\")",
                "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        CellRow{"PlusFormula", "+1+cmd", "'+1+cmd"}, CellRow{"MinusFormula", "-2+3", "'-2+3"},
        CellRow{"AtFunction", "@SUM(A1)", "'@SUM(A1)"}, CellRow{"LeadingTab", "\t=1", "'\t=1"},
        CellRow{"LeadingCr", "\r=1", "\"'\r=1\""}, CellRow{"BareMinus", "-", "'-"},
        CellRow{"BareEquals", "=", "'="}, CellRow{"MinusWord", "-x", "'-x"},
        CellRow{"MinusThenDot", "-.", "'-."}, CellRow{"ExponentWithoutDigits", "-1e", "'-1e"},
        CellRow{"NumberThenText", "-1.5 W", "'-1.5 W"}, CellRow{"NegativeNumber", "-1.5", "-1.5"},
        CellRow{"PositiveSign", "+7", "+7"}, CellRow{"NegativeExponent", "-1.5e-3", "-1.5e-3"},
        CellRow{"UpperExponent", "-2E+10", "-2E+10"}, CellRow{"NegativeFraction", "-.5", "-.5"},
        CellRow{"TrailingPoint", "-5.", "-5."}, CellRow{"NegativeZero", "-0", "-0"},
        CellRow{"MinusInf", "-inf", "-inf"}, CellRow{"MinusInfinityWord", "-Infinity", "-Infinity"},
        CellRow{"MinusInfinitySign", "-\u221E", "-\u221E"}, CellRow{"PlusNan", "+NAN", "+NAN"},
        CellRow{"PlainText", "Incident power", "Incident power"},
        CellRow{"InnerEquals", "a=b", "a=b"}, CellRow{"Empty", "", ""},
        CellRow{"Infinity", "\u221E", "\u221E"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ResultsTable, CsvNeutralisesEveryColumn) {
  const std::vector<text::ResultRow> rows{{"=1", "-2+3", "@x"}, {"Pinc", "-13.98", "dBm"}};
  EXPECT_EQ(text::ToCsv(rows),
            "Quantity,Value,Unit\r\n"
            "'=1,'-2+3,'@x\r\n"
            "Pinc,-13.98,dBm\r\n");
}

}  // namespace
