#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/coverage.h"
#include "inputs.h"
#include "options.h"
#include "output_values.h"
#include "rf/model_fields.h"
#include "run_capture.h"

namespace {

using calc_test::Cells;
using calc_test::Lines;
using calc_test::RunCalc;

TEST(CalcRun, JsonHasEveryFieldInOrderWithTheWindowsValues) {
  const auto r = RunCalc({});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto j = nlohmann::ordered_json::parse(r.out);
  std::vector<std::string> keys;
  for (const auto& [k, v] : j.items()) keys.push_back(k);
  ASSERT_EQ(keys.size(), calc::OutputFields().size());
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i], calc::OutputFields()[i].Name());
  // The worked example of the first-start inputs.
  EXPECT_EQ(j["Va"], 4350);
  EXPECT_EQ(j["Pmatch"], 1002.24);
  EXPECT_EQ(j["Pav"], 1044);
  EXPECT_NEAR(j["Pinc"].get<double>(), 992.317, 5e-4);
  EXPECT_NEAR(j["PloadMin"].get<double>(), 621.223, 5e-4);
  EXPECT_EQ(j["CplIdeal"], true);
  EXPECT_TRUE(j["CplDirDb"].is_null());  // ideal couplers have no directivity
  EXPECT_EQ(j["PloadMaxRelat"], 1);
  EXPECT_TRUE(r.out.ends_with("}\n"));
}

TEST(CalcRun, DoublesAreShortestRoundTripAndNonFiniteAreStrings) {
  auto r = RunCalc({"--src", "1", "--load", "1", "--dir", "0"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"Pinc\":\"nan\""), std::string::npos);
  EXPECT_NE(r.out.find("\"LoaRfl.Swr\":\"inf\""), std::string::npos);
  EXPECT_NE(r.out.find("\"MeaMax.Mag\":\"inf\""), std::string::npos);
  EXPECT_TRUE(nlohmann::json::accept(r.out));  // strict RFC 8259
  r = RunCalc({"--load", "1", "--dir", "20"});
  EXPECT_NE(r.out.find("\"PloadMinRelat\":\"-inf\""), std::string::npos);
  EXPECT_NE(r.out.find("\"SrcRfl.Swr\":1.4999999999999998"), std::string::npos);
}

TEST(CalcRun, CsvHasAHeaderAndOneRowOfTheSameFields) {
  const auto r = RunCalc({"--format", "csv", "--dir", "20"});
  ASSERT_EQ(r.status, 0);
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  const auto head = Cells(lines[0]);
  const auto row = Cells(lines[1]);
  ASSERT_EQ(head.size(), calc::OutputFields().size());
  ASSERT_EQ(row.size(), head.size());
  EXPECT_EQ(head[3], "SrcRfl.Mag");
  EXPECT_EQ(row[3], "0.2");
  EXPECT_EQ(head.back(), "PloadMaxRelat");
  EXPECT_EQ(row[36], "false");  // CplIdeal, after the window's unit selections left out
  EXPECT_EQ(row[37], "20");     // CplDirDb
}

TEST(CalcRun, TextShowsTheWindowsCellsInThePowerUnit) {
  auto r = RunCalc({"--format", "text", "--dir", "20"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Transmission: Incident Power, Actual Value"), std::string::npos);
  EXPECT_NE(r.out.find(" 992.32 W\n"), std::string::npos);
  EXPECT_NE(r.out.find("Magnetron Output: Power to Match"), std::string::npos);
  EXPECT_NE(r.out.find(" 1 kW\n"), std::string::npos);
  EXPECT_NE(r.out.find(" 1.24 kW\n"), std::string::npos);    // PincMax 1237.33 W
  EXPECT_NE(r.out.find(" 0.381 Mag\n"), std::string::npos);  // MeaMin, 4 decimals trimmed
  r = RunCalc({"--format", "text", "--power-unit", "dBm", "--load", "3swr@90"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(" 59.97 dBm\n"), std::string::npos);  // 992.317 W
  EXPECT_NE(r.out.find(" 3 SWR\n"), std::string::npos);      // the load as entered
  EXPECT_EQ(r.out.find("NAN"), std::string::npos);
}

TEST(CalcRun, TextRowsOfTheExtras) {
  const auto r = RunCalc({"--format", "text", "--dir", "20", "--uncertainty",
                          "--design-directivity", "5", "--design-swr", "1"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Interf (mean)"), std::string::npos);
  EXPECT_EQ(r.out.find("expanded"), std::string::npos);
  EXPECT_NE(r.out.find("PloadReading (interval high, 95 %)"), std::string::npos);
  EXPECT_NE(r.out.find("Design: smallest directivity"), std::string::npos);
  // 34.6004 dB rounded up: 34.60 typed back would miss the 5 % target.
  EXPECT_NE(r.out.find(" 34.61 dB\n"), std::string::npos);
  EXPECT_NE(r.out.find("not reachable"), std::string::npos);  // 1 % at 20 dB: d^2 alone
}

TEST(CalcRun, UncertaintyAndDesignInTheJsonObject) {
  const auto r =
      RunCalc({"--dir", "20", "--uncertainty", "--design-directivity", "5", "--design-swr", "10"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const auto rows = analysis::LimitsAndCoverage(calc::ComputeModel([] {
    calc::Inputs in = calc::DefaultInputs();
    in.DirDb = 20.0;
    return in;
  }()));
  for (const auto& row : rows) {
    const auto& u = j["uncertainty"][std::string(row.Name)];
    EXPECT_EQ(u["mean"].get<double>(), row.Stats.Mean);
    EXPECT_EQ(u["median"].get<double>(), row.Stats.Median);
    EXPECT_EQ(u["std"].get<double>(), row.Stats.Std);
    EXPECT_EQ(u["interval"][0].get<double>(), row.Stats.Low);
    EXPECT_EQ(u["interval"][1].get<double>(), row.Stats.High);
    EXPECT_EQ(u["coverage"].get<double>(), 0.95);
    EXPECT_FALSE(u.contains("expanded"));
  }
  EXPECT_NEAR(j["design"]["directivity_db"].get<double>(), 34.600413, 1e-6);
  EXPECT_NEAR(j["design"]["load_swr"].get<double>(), 1.546586, 1e-6);
  const auto unreachable = RunCalc({"--load", "1", "--design-directivity", "5"});
  const auto ju = nlohmann::json::parse(unreachable.out);
  EXPECT_TRUE(ju["design"]["directivity_db"].is_null());
  EXPECT_NE(ju["design"]["directivity_db_reason"].get<std::string>().find("totally reflecting"),
            std::string::npos);
}

TEST(CalcRun, SweepWritesOneRowPerPointSweptValueFirst) {
  const auto r = RunCalc({"--sweep", "round-trip", "--points", "5", "--dir", "20"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(lines[0].starts_with("phase_deg,Va,Ia,"));
  const char* expected[] = {"-180", "-90", "0", "90", "180"};
  for (int i = 0; i < 5; ++i) {
    const auto cells = Cells(lines[static_cast<std::size_t>(i) + 1]);
    EXPECT_EQ(cells[0], expected[i]);
    EXPECT_EQ(cells.size(), calc::OutputFields().size() + 1);
  }
  const auto d = RunCalc({"--sweep", "directivity", "--points", "61"});
  const auto dl = Lines(d.out);
  ASSERT_EQ(dl.size(), 62u);
  EXPECT_TRUE(dl[0].starts_with("directivity_db,"));
  EXPECT_TRUE(dl[21].starts_with("20,"));
}

TEST(CalcRun, HelpAndVersion) {
  auto r = RunCalc({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Usage: zephlane-calc [OPTION]..."));
  for (const char* opt : {"--va", "--ia", "--eff", "--src", "--load", "--dir", "--format",
                          "--power-unit", "--sweep", "--points", "--uncertainty",
                          "--design-directivity", "--design-swr", "--batch", "--version"}) {
    EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
  }
  r = RunCalc({"--version"});
  EXPECT_EQ(r.out, "zephlane-calc 2.1.0.0\n");
}

// An option the parser knows and the help or the manual page leaves out is an option no
// user finds.
TEST(CalcRun, EveryOptionIsInTheHelpAndTheManualPage) {
  const auto help = RunCalc({"--help"}).out;
  std::ifstream f(ZEPHLANE_CALC_MANPAGE);
  ASSERT_TRUE(f.is_open());
  const std::string man((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  for (const std::string_view name : calc::OptionNames()) {
    EXPECT_NE(help.find(std::string(name) + ' '), std::string::npos) << name;
    std::string roff;  // "--load-file" as the page writes it: \-\-load\-file
    for (const char c : name) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(man.find(roff), std::string::npos) << name;
  }
}

TEST(CalcRun, BadInputWritesNothingButOneMessage) {
  const auto r = RunCalc({"--dir", "20", "--load", "0.5@x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "zephlane-calc: --load: \"0.5@x\" is not a number\n");
}

const char* kBatchHeader = "Va,Ia,Eff,SrcRfl.Mag";

TEST(CalcBatch, OneRowPerInputRowOptionsFillTheRest) {
  const auto r = RunCalc({"--batch", "--eff", "50"},
                         "\xEF\xBB\xBFload, va ,dir\r\n"
                         "0.3@10,4000,30\r\n"
                         "\r\n"
                         "\"1.5swr\",,ideal\r\n"
                         ",1,");  // no line end at the very end
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[0].starts_with(kBatchHeader));
  auto c = Cells(lines[1]);
  EXPECT_EQ(c[0], "4000");
  EXPECT_EQ(c[2], "0.5");  // --eff 50
  EXPECT_EQ(c[8], "0.3");  // LoaRfl.Mag
  EXPECT_EQ(c[9], "10");
  EXPECT_EQ(c[36], "false");  // CplIdeal
  EXPECT_EQ(c[37], "30");
  c = Cells(lines[2]);
  EXPECT_EQ(c[0], "4350");
  EXPECT_EQ(c[11], "1.5");  // LoaRfl.Swr
  EXPECT_EQ(c[36], "true");
  EXPECT_EQ(c[37], "");  // no directivity for ideal couplers
  c = Cells(lines[3]);
  EXPECT_EQ(c[0], "1");
  EXPECT_EQ(c[8], "0.5");
}

TEST(CalcBatch, JsonLinesWithExtras) {
  const auto r = RunCalc({"--batch", "--format", "json", "--uncertainty"}, "dir\n20\n\n10\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& l : lines) {
    const auto j = nlohmann::json::parse(l);
    EXPECT_TRUE(j.contains("uncertainty"));
  }
}

struct BadBatchRow {
  std::string name;
  std::string input;
  std::string message;
  std::size_t rowsWritten;  // output lines before the bad row, header included
};

void PrintTo(const BadBatchRow& row, std::ostream* os) { *os << row.name; }

class CalcBadBatch : public testing::TestWithParam<BadBatchRow> {};

TEST_P(CalcBadBatch, StopsAtTheBadRowWithCompleteRowsOnly) {
  const auto r = RunCalc({"--batch"}, GetParam().input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zephlane-calc: " + GetParam().message + "\n");
  EXPECT_EQ(Lines(r.out).size(), GetParam().rowsWritten);
  EXPECT_TRUE(r.out.empty() || r.out.ends_with("\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBadBatch,
    testing::Values(
        BadBatchRow{"Empty", "", "no header row: the input is empty", 0},
        BadBatchRow{"UnknownColumn", "va,volts\n1,2\n",
                    "line 1, column \"volts\": unknown column (expected va, ia, eff, src, load, "
                    "dir, fwd, ref)",
                    0},
        BadBatchRow{"DuplicateColumn", "va,VA\n", "line 1, column \"VA\": column named twice", 0},
        BadBatchRow{"NotANumber", "va,ia\n1,2\n3,x\n4,5\n",
                    "line 3, column ia: \"x\" is not a number", 2},
        BadBatchRow{"OutOfRange", "load\n0.5\n1.5\n",
                    "line 3, column load: \"1.5\" is out of range: expected a magnitude from 0 "
                    "to 1",
                    2},
        BadBatchRow{"TooFewFields", "va,ia\n1,2\n3\n", "line 3: expected 2 fields, found 1", 2},
        BadBatchRow{"TooManyFields", "va\n1,2\n", "line 2: expected 1 fields, found 2", 1},
        BadBatchRow{"OpenQuote", "va\n\"1\n", "line 2: malformed quoted field", 1},
        BadBatchRow{"TextAfterQuote", "va\n\"1\"x\n", "line 2: malformed quoted field", 1},
        BadBatchRow{"LineTooLong", "va\n" + std::string(70000, '1') + "\n",
                    "line 2: line longer than 65536 bytes", 1}),
    [](const auto& row) { return row.param.name; });

}  // namespace
