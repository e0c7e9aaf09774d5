#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "analysis/coupler_design.h"
#include "analysis/disc_model.h"
#include "analysis/mc_budget.h"
#include "analysis/readings_truth.h"
#include "inputs.h"
#include "run_capture.h"

namespace {

using calc_test::Lines;
using calc_test::RunCalc;
using nlohmann::json;

rf::ModelState ModelWithDir(double db) {
  calc::Inputs in = calc::DefaultInputs();
  in.DirDb = db;
  return calc::ComputeModel(in);
}

struct CoverageCase {
  const char* name;
  std::vector<std::string_view> args;
  analysis::MagnitudeModel model;
  double p;
};
void PrintTo(const CoverageCase& row, std::ostream* os) { *os << row.name; }
class CalcCoverage : public testing::TestWithParam<CoverageCase> {};

TEST_P(CalcCoverage, IntervalsAreTheAnalysisOwnForTheChosenModelAndProbability) {
  std::vector<std::string_view> args{"--dir", "20", "--uncertainty"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const auto r = RunCalc(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  const auto rows = analysis::LimitsAndCoverage(ModelWithDir(20.0), GetParam().model, GetParam().p);
  for (const auto& row : rows) {
    const json& u = j["uncertainty"][std::string(row.Name)];
    EXPECT_EQ(u["interval"][0].get<double>(), row.Stats.Low) << row.Name;
    EXPECT_EQ(u["interval"][1].get<double>(), row.Stats.High) << row.Name;
    EXPECT_EQ(u["median"].get<double>(), row.Stats.Median) << row.Name;
    EXPECT_EQ(u["coverage"].get<double>(), GetParam().p);
    EXPECT_LE(u["interval"][0].get<double>(), u["median"].get<double>());
    EXPECT_LE(u["median"].get<double>(), u["interval"][1].get<double>());
  }
}

constexpr analysis::MagnitudeModel kExact{};
constexpr analysis::MagnitudeModel kLoadDisc{analysis::MagnitudeKnown::Exactly,
                                             analysis::MagnitudeKnown::AsUpperLimit};
constexpr analysis::MagnitudeModel kBothDiscs{analysis::MagnitudeKnown::AsUpperLimit,
                                              analysis::MagnitudeKnown::AsUpperLimit};
INSTANTIATE_TEST_SUITE_P(Rows, CalcCoverage,
                         testing::Values(CoverageCase{"Default", {}, kExact, 0.95},
                                         CoverageCase{"Half", {"--coverage", "0.5"}, kExact, 0.5},
                                         CoverageCase{
                                             "LoadDisc", {"--load-model", "disc"}, kLoadDisc, 0.95},
                                         CoverageCase{"BothDiscs",
                                                      {"--src-model", "disc", "--load-model",
                                                       "disc", "--coverage", "0.99"},
                                                      kBothDiscs,
                                                      0.99}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CalcCoverage, NoMeanPlusTwoStdInAnyFormat) {
  for (const char* format : {"json", "csv", "text"}) {
    const auto r = RunCalc({"--uncertainty", "--dir", "20", "--format", format});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("expanded"), std::string::npos) << format;
    EXPECT_EQ(r.out.find("k=2"), std::string::npos) << format;
  }
}

TEST(CalcCoverage, SpreadsInWattsWhenPowersAreInDecibels) {
  const auto r = RunCalc({"--uncertainty", "--format", "text", "--power-unit", "dBm"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const auto& line : Lines(r.out)) {
    if (line.starts_with("Pload (std)")) {
      EXPECT_TRUE(line.ends_with(" W")) << line;
    }
    if (line.starts_with("Pload (mean)")) {
      EXPECT_TRUE(line.ends_with(" dBm")) << line;
    }
  }
}

TEST(CalcReadings, IdealCouplersGiveTheExactTruthInAnyUnit) {
  const auto r = RunCalc({"--readings", "1kW,20dBW"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json t = json::parse(r.out)["truth"];
  EXPECT_DOUBLE_EQ(t["Pinc"]["min"].get<double>(), 1000.0);
  EXPECT_DOUBLE_EQ(t["Prefl"]["max"].get<double>(), 100.0);
  EXPECT_DOUBLE_EQ(t["Pload"]["min"].get<double>(), 900.0);
  for (const char* q : {"Pinc", "Prefl", "Pload", "Mag"}) EXPECT_EQ(t[q]["min"], t[q]["max"]) << q;
}

TEST(CalcReadings, WithDirectivityTheRangesAreTheAnalysisOwn) {
  const auto r = RunCalc({"--readings", "1000,50W", "--dir", "25"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json t = json::parse(r.out)["truth"];
  const analysis::Truth want = analysis::TruthFromReadings(1000.0, 50.0, false, 25.0);
  EXPECT_EQ(t["Pload"]["min"].get<double>(), want.Pload.Min);
  EXPECT_EQ(t["Pload"]["max"].get<double>(), want.Pload.Max);
  EXPECT_EQ(t["Mag"]["max"].get<double>(), want.Mag.Max);
  EXPECT_LT(want.Pload.Min, 950.0);
  EXPECT_GT(want.Pload.Max, 950.0);
}

struct BadReadings {
  const char* name;
  std::vector<std::string_view> args;
  const char* message;  // a part of the one message
};
void PrintTo(const BadReadings& row, std::ostream* os) { *os << row.name; }
class CalcBadReadings : public testing::TestWithParam<BadReadings> {};

TEST_P(CalcBadReadings, ExitTwoWithTheReason) {
  const auto r = RunCalc(GetParam().args);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(Lines(r.err).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBadReadings,
    testing::Values(
        BadReadings{"ReflectedAboveForward", {"--readings", "1000,1100"}, "No load gives"},
        BadReadings{"NoPower", {"--readings", "0,0"}, "Both readings are zero"},
        BadReadings{"OneReading", {"--readings", "1000"}, "FWD,REF"},
        BadReadings{"MilliNotMega", {"--readings", "1mW,1"}, "expected a power"},
        BadReadings{"Negative", {"--readings", "-1,0"}, "out of range"},
        BadReadings{"CoverageAlone", {"--coverage", "0.9"}, "--coverage: needs"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CalcReadings, BatchColumnsGiveEachRowItsTruth) {
  const auto r = RunCalc({"--batch", "--format", "json"}, "fwd,ref,dir\n1000,10,\n2kW,100,30\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(json::parse(lines[0])["truth"]["Pload"]["min"].get<double>(), 990.0);
  const json second = json::parse(lines[1])["truth"];
  EXPECT_LT(second["Pload"]["min"].get<double>(), 1900.0);
  const auto bad = RunCalc({"--batch"}, "fwd,ref\n1000,10\n10,1000\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("line 3: --readings: No load gives"), std::string::npos) << bad.err;
  EXPECT_EQ(Lines(bad.out).size(), 2u);  // the header and the good row
}

struct BadReadingRows {
  const char* name;
  std::vector<std::string_view> args;
  const char* input;
  const char* message;
};
void PrintTo(const BadReadingRows& row, std::ostream* os) { *os << row.name; }
class CalcBadReadingRows : public testing::TestWithParam<BadReadingRows> {};

// Without --readings a row's readings have no default: a missing one is an error, not 0 W.
TEST_P(CalcBadReadingRows, RefusedWithTheLineAndColumn) {
  const auto r = RunCalc(GetParam().args, GetParam().input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zephlane-calc: " + std::string(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBadReadingRows,
    testing::Values(
        BadReadingRows{"FwdAlone",
                       {"--batch"},
                       "fwd\n1000\n",
                       "line 1: fwd and ref go together (or give --readings)"},
        BadReadingRows{"EmptyRef",
                       {"--batch"},
                       "fwd,ref\n1000,\n",
                       "line 2, column ref: needs a reading (without --readings there is none to "
                       "take)"},
        BadReadingRows{"BadUnit",
                       {"--batch"},
                       "fwd,ref\n1000,3mW\n",
                       "line 2, column ref: \"3mW\": expected a power such as 1000, 1.2kW, 60dBm "
                       "or 30dBW (units W, kW, MW, dBm, dBW, dBkW)"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CalcReadings, BatchFwdAloneTakesRefFromTheOption) {
  const auto r = RunCalc({"--batch", "--readings", "1000,10"}, "fwd\n2000\n\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(",2000,2000,10,10,1990,1990,"), std::string::npos) << r.out;
}

TEST(CalcBudget, SeededReproducibleAndTheAnalysisOwn) {
  const std::vector<std::string_view> args{"--dir",        "20", "--coupling-unc", "0.2",
                                           "--sensor-unc", "3",  "--seed",         "42"};
  const auto a = RunCalc(args);
  const auto b = RunCalc(args);
  ASSERT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  const json p = json::parse(a.out)["budget"]["Pload"];
  analysis::BudgetInputs in;
  in.Coupling.Value = 0.2;
  in.Sensor.Value = 3.0;
  const analysis::BudgetResult want = analysis::ReadingBudget(ModelWithDir(20.0), in, 42);
  EXPECT_EQ(p["interval"][0].get<double>(), want.Low);
  EXPECT_EQ(p["interval"][1].get<double>(), want.High);
  EXPECT_EQ(p["trials"].get<std::size_t>(), want.Trials);
  EXPECT_GT(p["std"].get<double>(), 0.0);
}

TEST(CalcBudget, FromReadingsTheTrueAbsorbedPower) {
  const auto r = RunCalc({"--readings", "1000,50", "--dir", "30", "--sensor-unc", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json p = json::parse(r.out)["budget"]["Pload"];
  analysis::BudgetInputs in;
  in.Sensor.Value = 2.0;
  const auto want = analysis::TruthBudget(1000.0, 50.0, false, 30.0, in, 1);
  EXPECT_EQ(p["interval"][0].get<double>(), want.Low);
  EXPECT_EQ(p["interval"][1].get<double>(), want.High);
}

// The shown answer typed back meets the target: the reason it is rounded to the safe side.
TEST(CalcDesign, ShownDirectivityTypedBackMeetsTheTarget) {
  for (const char* target : {"5", "1", "10", "0.5"}) {
    const auto r = RunCalc({"--format", "text", "--design-directivity", target});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto at = r.out.find("Design: smallest directivity");
    ASSERT_NE(at, std::string::npos);
    // "... 34.61 dB": the value is the word before the unit.
    const std::string line = r.out.substr(at, r.out.find(" dB\n", at) - at);
    const std::string shown = line.substr(line.rfind(' ') + 1);
    const auto back = RunCalc({"--dir", shown});
    ASSERT_EQ(back.status, 0) << shown;
    const json j = json::parse(back.out);
    const double t = std::strtod(target, nullptr) / 100.0;
    EXPECT_GE(j["PloadMinRelat"].get<double>(), 1.0 - t) << shown;
    EXPECT_LE(j["PloadMaxRelat"].get<double>(), 1.0 + t) << shown;
  }
}

TEST(CalcDesign, JsonKeepsTheExactDoubleAndSaysAnyLoad) {
  const auto r = RunCalc({"--dir", "20", "--design-directivity", "5", "--design-swr", "10"});
  const json d = json::parse(r.out)["design"];
  const auto m = ModelWithDir(20.0);
  EXPECT_EQ(d["directivity_db"].get<double>(), analysis::DirectivityAnswer(m, 0.05).Exact);
  EXPECT_EQ(d["load_swr"].get<double>(), analysis::LoadSwrAnswer(m, 0.1).Exact);
  EXPECT_EQ(d["any_load"], false);
  // In a batch each row's dir column decides; ideal couplers read any load exactly.
  const auto b = RunCalc({"--batch", "--format", "json", "--design-swr", "10"}, "dir\n20\nideal\n");
  ASSERT_EQ(b.status, 0) << b.err;
  const auto lines = Lines(b.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(json::parse(lines[0])["design"]["load_swr"].get<double>(),
            analysis::LoadSwrAnswer(m, 0.1).Exact);
  const json ideal = json::parse(lines[1])["design"];
  EXPECT_TRUE(ideal["load_swr"].is_null());
  EXPECT_EQ(ideal["any_load"], true);
}

TEST(CalcDesign, UnreachableTargetsSayWhy) {
  const auto r = RunCalc({"--dir", "20", "--design-swr", "1", "--format", "text"});
  EXPECT_NE(r.out.find("leakage alone"), std::string::npos);
  const auto j = json::parse(RunCalc({"--dir", "20", "--design-swr", "1"}).out)["design"];
  EXPECT_TRUE(j["load_swr"].is_null());
  EXPECT_EQ(j["any_load"], false);
  EXPECT_NE(j["load_swr_reason"].get<std::string>().find("leakage"), std::string::npos);
}

// The calibration laws and the correlated leakage phases reach the budget: each result is the
// analysis's own for the same inputs, bit for bit, and differs from the default's.
struct LawCase {
  const char* name;
  std::vector<std::string_view> args;
  analysis::BudgetInputs in;
};
void PrintTo(const LawCase& row, std::ostream* os) { *os << row.name; }
class CalcBudgetLaws : public testing::TestWithParam<LawCase> {};

TEST_P(CalcBudgetLaws, ResultIsTheAnalysisOwnAndNotTheDefault) {
  const LawCase& row = GetParam();
  std::vector<std::string_view> args{"--dir", "20"};
  args.insert(args.end(), row.args.begin(), row.args.end());
  const auto r = RunCalc(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const json p = json::parse(r.out)["budget"]["Pload"];
  const analysis::BudgetResult want = analysis::ReadingBudget(ModelWithDir(20.0), row.in, 1);
  EXPECT_EQ(p["interval"][0].get<double>(), want.Low);
  EXPECT_EQ(p["interval"][1].get<double>(), want.High);
  analysis::BudgetInputs plain;
  plain.Coupling.Value = row.in.Coupling.Value;
  plain.Sensor.Value = row.in.Sensor.Value;
  const analysis::BudgetResult other = analysis::ReadingBudget(ModelWithDir(20.0), plain, 1);
  EXPECT_NE(p["interval"][1].get<double>(), other.High);
}

analysis::BudgetInputs Budget(double couplingDb, analysis::CalibrationLaw couplingLaw,
                              double sensorPct, analysis::CalibrationLaw sensorLaw,
                              bool correlated = false, double psi0 = 0.0, double chi0 = 0.0) {
  analysis::BudgetInputs in;
  in.Coupling = {couplingDb, couplingLaw};
  in.Sensor = {sensorPct, sensorLaw};
  in.CorrelatedPhases = correlated;
  in.Psi0 = psi0;
  in.Chi0 = chi0;
  return in;
}

constexpr auto kRect = analysis::CalibrationLaw::Rectangular;
constexpr auto kNormal = analysis::CalibrationLaw::Normal;

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBudgetLaws,
    testing::Values(LawCase{"NormalCoupling",
                            {"--coupling-unc", "0.2", "--coupling-law", "normal", "--sensor-unc",
                             "3"},
                            Budget(0.2, kNormal, 3.0, kRect)},
                    LawCase{"NormalSensor",
                            {"--sensor-unc", "3", "--sensor-law", "normal"},
                            Budget(0.0, kRect, 3.0, kNormal)},
                    LawCase{"CorrelatedPhases",
                            {"--sensor-unc", "1", "--correlated-phases", "30,-45"},
                            Budget(0.0, kRect, 1.0, kRect, true, 30.0, -45.0)}),
    [](const testing::TestParamInfo<LawCase>& row) { return std::string(row.param.name); });

}  // namespace
