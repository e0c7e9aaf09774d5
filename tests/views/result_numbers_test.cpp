// Copy Results as Numbers and the charts' CSV headings: every column in words with one unit,
// every value exact, so that a spreadsheet computes with what it is given.
#include "views/result_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "views/chart_data.h"
#include "worked_example.h"

namespace {

using numtext::PowerUnit;
using test_support::WorkedModel;

std::map<std::string, double> ByHeading(const std::vector<views::NumberColumn>& columns) {
  std::map<std::string, double> m;
  for (const views::NumberColumn& c : columns) m[c.Heading] = c.Value;
  return m;
}

TEST(ResultNumbers, PowersInTheChosenUnitNeverScaled) {
  const rf::ModelState m = WorkedModel();
  ASSERT_GT(m.PincMax, 1000.0);  // the window shows these in kW
  struct Row {
    PowerUnit unit;
    const char* heading;
    double expected;
  };
  const std::vector<Row> rows{
      {PowerUnit::Watts, "Incident power, max (W)", m.PincMax},
      {PowerUnit::Watts, "Absorbed power (W)", m.Pload},
      {PowerUnit::Dbm, "Incident power, max (dBm)", 10.0 * std::log10(m.PincMax * 1e3)},
      {PowerUnit::Dbw, "Available power (dBW)", 10.0 * std::log10(m.Pav)},
      {PowerUnit::Dbkw, "Absorbed reading, max (dBkW)", 10.0 * std::log10(m.PloadMaxV / 1e3)},
  };
  for (const Row& r : rows) {
    const auto columns = views::ResultNumbers(m, r.unit);
    const auto by = ByHeading(columns);
    ASSERT_EQ(by.count(r.heading), 1u) << r.heading;
    EXPECT_NEAR(by.at(r.heading), r.expected, 1e-9 * std::fabs(r.expected)) << r.heading;
    std::set<std::string> seen;
    for (const views::NumberColumn& c : columns) {
      EXPECT_TRUE(seen.insert(c.Heading).second) << "twice: " << c.Heading;
      EXPECT_EQ(c.Heading.back(), ')') << c.Heading;  // every heading ends in its unit
      EXPECT_EQ(c.Heading.find("(kW)"), std::string::npos) << c.Heading;
      EXPECT_EQ(c.Heading.find("(MW)"), std::string::npos) << c.Heading;
    }
  }
}

TEST(ResultNumbers, TextReadsBackToTheSameDoubles) {
  const rf::ModelState m = WorkedModel();
  const auto columns = views::ResultNumbers(m, PowerUnit::Watts);
  const std::string text = views::NumbersAsTabText(columns);
  const std::size_t lf = text.find('\n');
  ASSERT_NE(lf, std::string::npos);
  ASSERT_EQ(text.back(), '\n');
  std::string values = text.substr(lf + 1);
  values.pop_back();
  std::vector<std::string> cells;
  std::size_t from = 0;
  for (std::size_t tab; (tab = values.find('\t', from)) != std::string::npos; from = tab + 1)
    cells.push_back(values.substr(from, tab - from));
  cells.push_back(values.substr(from));
  ASSERT_EQ(cells.size(), columns.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!std::isfinite(columns[i].Value)) continue;
    EXPECT_EQ(std::strtod(cells[i].c_str(), nullptr), columns[i].Value) << columns[i].Heading;
  }
  EXPECT_NE(views::NumbersAsHtml(columns).find("<th>Anode voltage (V)</th>"), std::string::npos);
}

TEST(ChartCsv, ColumnsAreWordsWithUnits) {
  const rf::ModelState m = WorkedModel();
  struct Row {
    const char* name;
    std::vector<std::string> columns;
    std::vector<std::string> expected;
  };
  const std::vector<Row> rows{
      {"Powers",
       views::PowerChart(m, PowerUnit::Watts).Table.Columns,
       {"Round-trip phase (deg)", "Incident power (kW)", "Reflected power (kW)",
        "Absorbed power (kW)"}},
      {"Readings",
       views::ReadingChart(m, PowerUnit::Dbm).Table.Columns,
       {"Round-trip phase (deg)", "Incident reading, min (dBm)", "Incident reading, max (dBm)",
        "Reflected reading, min (dBm)", "Reflected reading, max (dBm)",
        "Absorbed reading, min (dBm)", "Absorbed reading, max (dBm)"}},
      {"Directivity",
       views::DirectivityChart(m).Table.Columns,
       {"Directivity (dB)", "Absorbed-power reading error, min (%)",
        "Absorbed-power reading error, max (%)"}},
  };
  for (const Row& r : rows) EXPECT_EQ(r.columns, r.expected) << r.name;
}

}  // namespace
