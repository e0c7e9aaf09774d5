// The limits table as the window shows it: names by the window's captions, one prefix and one
// precision for every power row, true coverage intervals.
#include "views/limits_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "worked_example.h"

namespace {

using Inputs = test_support::Setup;

double Num(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

std::size_t Decimals(const std::string& s) {
  const std::size_t dot = s.find('.');
  return dot == std::string::npos ? 0 : s.size() - dot - 1;
}

TEST(LimitsTable, NamesByCaptionsAndNoFieldCodes) {
  const auto rows = views::LimitsTable(test_support::WorkedModel(), 0.95);
  const std::vector<std::string> expected{"Interference Factor", "Transducer Gain",
                                          "Incident Power", "Reflected Power", "Absorbed Power"};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(rows[i][0], expected[i]);
  for (const auto& r : rows) {
    for (const char* code : {"Pinc", "Prefl", "Pload", "TrGain", "PloadReading", "Interf"}) {
      EXPECT_NE(r[0], code);
    }
  }
}

TEST(LimitsTable, OnePrefixAndOnePrecisionForEveryPowerRow) {
  // Powers from about 1 W to about a kilowatt in one table: the largest chooses the prefix.
  struct Row {
    const char* name;
    Inputs in;
  };
  Inputs strong;
  strong.load = 0.9;
  Inputs real;
  real.dirDb = 20.0;
  const Row cases[] = {{"WorkedExample", {}}, {"StrongReflection", strong}, {"RealCouplers", real}};
  for (const Row& c : cases) {
    SCOPED_TRACE(c.name);
    const auto rows = views::LimitsTable(test_support::WorkedModel(c.in), 0.95);
    std::string unit;
    std::size_t decimals = 0;
    for (const auto& r : rows) {
      if (r[1].empty()) continue;  // a ratio or an inferred reflection
      if (unit.empty()) {
        unit = r[1];
        decimals = Decimals(r[3]);
      }
      EXPECT_EQ(r[1], unit) << r[0];
      for (std::size_t col = 2; col <= 9; ++col) {
        if (r[col].find_first_of("0123456789") == std::string::npos) continue;  // inf, NaN
        EXPECT_EQ(Decimals(r[col]), decimals) << r[0] << " column " << col << ": " << r[col];
      }
    }
    EXPECT_FALSE(unit.empty());
  }
}

TEST(LimitsTable, IntervalsHaveTheirCoverageAndStayWithinTheLimits) {
  Inputs real;
  real.dirDb = 25.0;
  const rf::ModelState m = test_support::WorkedModel(real);
  const auto r90 = views::LimitsTable(m, 0.90);
  const auto r99 = views::LimitsTable(m, 0.99);
  EXPECT_EQ(views::LimitTableHeader(0.90)[8], "Low (90 %)");
  EXPECT_EQ(views::LimitTableHeader(0.6827)[9], "High (68.27 %)");
  for (const std::string& h : views::LimitTableHeader(0.95))
    EXPECT_EQ(h.find("k=2"), std::string::npos);
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(r90[i][0]);
    EXPECT_LE(Num(r90[i][2]), Num(r90[i][8]));  // min <= low
    EXPECT_LE(Num(r90[i][9]), Num(r90[i][4]));  // high <= max
    EXPECT_LE(Num(r99[i][8]), Num(r90[i][8]));  // more coverage, wider
    EXPECT_GE(Num(r99[i][9]), Num(r90[i][9]));
    EXPECT_FALSE(r90[i][10].empty());  // the law is named
  }
  // A coverage the window cannot mean falls back to the default, never to no interval.
  const auto bad = views::LimitsTable(m, 1.5);
  const auto def = views::LimitsTable(m, 0.95);
  EXPECT_EQ(bad[2][8], def[2][8]);
}

TEST(LimitsTable, NumbersAreTheRightAlignedColumns) {
  const auto header = views::LimitTableHeader(0.95);
  for (std::size_t c = 0; c < views::kLimitColumns; ++c) {
    SCOPED_TRACE(header[c]);
    const bool text = c == 0 || c == 1 || c == views::kLimitColumns - 1;
    EXPECT_EQ(views::LimitColumnIsNumber(c), !text);
  }
}

}  // namespace
