#include "mainwindow/db_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace mainwindow {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct DbRow {
  const char* name;
  double x;
  std::string expected;
};

void PrintTo(const DbRow& row, std::ostream* os) { *os << row.name; }

class DbTextTable : public testing::TestWithParam<DbRow> {};

TEST_P(DbTextTable, GivesExpectedText) { EXPECT_EQ(DbText(GetParam().x), GetParam().expected); }

const DbRow kDbRows[] = {
    {"One", 1.0, "0"},
    {"Thousand", 1000.0, "30"},
    {"Half", 0.5, "-3.01"},
    {"Zero", 0.0, "-\u221E"},
    {"Negative", -1.0, "NAN"},
    {"PlusInfinity", kInf, "\u221E"},
    {"MinusInfinity", -kInf, "-\u221E"},
    {"NotANumber", kNaN, "NAN"},
};

INSTANTIATE_TEST_SUITE_P(Rows, DbTextTable, testing::ValuesIn(kDbRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace mainwindow
