#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "double_match.h"
#include "model_fields.h"
#include "rf/model.h"

namespace {

using rf_test::Exactly;
using rf_test::Expect;
using rf_test::kInf;
using rf_test::kNaN;
using rf_test::Matches;
using rf_test::Relative;
using rf_test::Within;

struct Inputs {
  std::int32_t va = 4350;
  double ia = 0.32;
  double eff = 0.72;
  double srcMag = 0.2;
  double srcPha = 0.0;
  double loaMag = 0.5;
  double loaPha = 90.0;
};

rf::ModelState StateFrom(const Inputs& in) {
  rf::ModelState m;
  m.Va = in.va;
  m.Ia = in.ia;
  m.Eff = in.eff;
  m.SrcRfl.Mag = in.srcMag;
  m.SrcRfl.Pha = in.srcPha;
  m.LoaRfl.Mag = in.loaMag;
  m.LoaRfl.Pha = in.loaPha;
  m.CplDirDb = 20.0;
  return m;
}

struct TransCase {
  std::string name;
  friend void PrintTo(const TransCase& c, std::ostream* os) { *os << c.name; }
  Inputs in;
  std::vector<Expect> expect;
};

class Transmission : public testing::TestWithParam<TransCase> {};

TEST_P(Transmission, GivesExpectedOutputs) {
  const TransCase& c = GetParam();
  rf::ModelState m = StateFrom(c.in);
  rf::ComputeTransmission(m);
  for (const Expect& e : c.expect) {
    EXPECT_TRUE(Matches(e.value, rf_test::Field(m, e.field), e.tol, e.bound)) << e.field;
  }
}

const std::vector<Expect> kWorkedExample = {
    {"Pmatch", 1002.24},     {"Pav", 1044},           {"SrcRfl.Mism", 0.96},  {"LoaRfl.Mism", 0.75},
    {"Interf", 0.990099},    {"InterfMin", 0.826446}, {"InterfMax", 1.23457}, {"TrGain", 0.712871},
    {"TrGainMin", 0.595041}, {"TrGainMax", 0.888889}, {"Pinc", 992.317},      {"PincMin", 828.298},
    {"PincMax", 1237.33},    {"Prefl", 248.079},      {"PreflMin", 207.074},  {"PreflMax", 309.333},
    {"Pload", 744.238},      {"PloadMin", 621.223},   {"PloadMax", 928},
};

// 1 / |1 - Gs Gl|^2 with Gs Gl = 1 - 2j sin(pi as a double): the sine is 1.2246467991473532e-16.
constexpr double kInterfAt180 = 1.0 / (2.4492935982947064e-16 * 2.4492935982947064e-16);

INSTANTIATE_TEST_SUITE_P(
    Rf, Transmission,
    testing::Values(
        TransCase{"WorkedExample", {}, kWorkedExample},
        // A totally reflecting source has infinite available power and delivers nothing defined.
        TransCase{"TotalSourceReflection",
                  {.srcMag = 1.0},
                  {Exactly("SrcRfl.Mism", 0.0),
                   Exactly("Pav", kInf),
                   {"Interf", 0.8},
                   Exactly("TrGain", 0.0),
                   Exactly("TrGainMin", 0.0),
                   Exactly("TrGainMax", 0.0),
                   Exactly("Pinc", kNaN),
                   Exactly("PincMin", kNaN),
                   Exactly("PincMax", kNaN),
                   Exactly("Prefl", kNaN),
                   Exactly("PreflMin", kNaN),
                   Exactly("PreflMax", kNaN),
                   Exactly("Pload", kNaN),
                   Exactly("PloadMin", kNaN),
                   Exactly("PloadMax", kNaN)}},
        TransCase{"TotalSourceReflectionNoPower",
                  {.va = 0, .srcMag = 1.0},
                  {Exactly("Pmatch", 0.0), Exactly("Pav", kNaN), Exactly("Pinc", kNaN),
                   Exactly("Pload", kNaN)}},
        TransCase{"TotalLoadReflection",
                  {.loaMag = 1.0},
                  {Exactly("LoaRfl.Mism", 0.0),
                   Exactly("TrGain", 0.0),
                   Exactly("TrGainMin", 0.0),
                   Exactly("TrGainMax", 0.0),
                   {"Interf", 0.961538},
                   {"Pinc", 963.692},
                   {"Prefl", 963.692},
                   Exactly("Pload", 0.0),
                   Exactly("PloadMin", 0.0),
                   Exactly("PloadMax", 0.0)}},
        TransCase{"MatchedLoad",
                  {.loaMag = 0.0},
                  {Exactly("Interf", 1.0), Exactly("InterfMin", 1.0), Exactly("InterfMax", 1.0),
                   Exactly("Prefl", 0.0), Exactly("PreflMin", 0.0), Exactly("PreflMax", 0.0),
                   Within("Pinc", 1002.24, 1e-9), Within("Pload", 1002.24, 1e-9)}},
        TransCase{"BothTotalInPhase",
                  {.srcMag = 1.0, .loaMag = 1.0, .loaPha = 0.0},
                  {Exactly("Interf", kInf), Exactly("InterfMax", kInf), Exactly("InterfMin", 0.25),
                   Exactly("TrGain", kNaN), Exactly("TrGainMax", kNaN), Exactly("TrGainMin", 0.0),
                   Exactly("Pinc", kNaN), Exactly("PincMin", kNaN), Exactly("PloadMax", kNaN)}},
        // The sine of 180 degrees converted to radians is not 0, so Interf stays finite.
        TransCase{"BothTotalAt180",
                  {.srcMag = 1.0, .srcPha = 180.0, .loaMag = 1.0, .loaPha = 180.0},
                  {Relative("Interf", kInterfAt180, 1e-12), Exactly("InterfMax", kInf),
                   Exactly("InterfMin", 0.25)}},
        TransCase{"PhaseSumZeroGivesMaximum",
                  {.srcPha = 30.0, .loaPha = -30.0},
                  {Relative("Interf", 1.0 / 0.81, 1e-14),
                   {"InterfMax", 1.23457},
                   {"PincMax", 1237.33},
                   Relative("Pinc", 1002.24 / 0.81, 1e-14)}},
        TransCase{"PhaseSum360GivesMaximum",
                  {.srcPha = 180.0, .loaPha = 180.0},
                  {Relative("Interf", 1.0 / 0.81, 1e-14)}},
        TransCase{"PhaseSum180GivesMinimum",
                  {.srcPha = 90.0, .loaPha = 90.0},
                  {Relative("Interf", 1.0 / 1.21, 1e-14),
                   {"InterfMin", 0.826446},
                   Relative("Pload", 1002.24 / 1.21 * 0.75, 1e-14)}},
        TransCase{"PhaseSumMinus180GivesMinimum",
                  {.srcPha = -100.0, .loaPha = -80.0},
                  {Relative("Interf", 1.0 / 1.21, 1e-14)}},
        TransCase{"NoAnodeVoltage",
                  {.va = 0},
                  {Exactly("Pmatch", 0.0),
                   Exactly("Pav", 0.0),
                   Exactly("Pinc", 0.0),
                   Exactly("PincMax", 0.0),
                   Exactly("Prefl", 0.0),
                   Exactly("Pload", 0.0),
                   Exactly("PloadMin", 0.0),
                   {"TrGain", 0.712871}}},
        TransCase{"NoEfficiency",
                  {.eff = 0.0},
                  {Exactly("Pmatch", 0.0), Exactly("PincMin", 0.0), Exactly("PloadMax", 0.0)}},
        // Va is an integer: it must be widened before the product, not truncate the result.
        TransCase{"LargestOperatingPoint",
                  {.va = 100000, .ia = 1000.0, .eff = 1.0, .srcMag = 0.0, .loaMag = 0.0},
                  {Exactly("Pmatch", 1e8), Exactly("Pav", 1e8), Exactly("Pload", 1e8)}}),
    [](const testing::TestParamInfo<TransCase>& row) { return row.param.name; });

// Outputs of an earlier run must not leak into the next one, and the inputs stay as entered.
TEST(Transmission, OverwritesEveryOutputFromTheInputsAlone) {
  rf::ModelState fresh = StateFrom({});
  rf::ComputeTransmission(fresh);

  rf::ModelState stale = StateFrom({});
  stale.Interf = stale.InterfMin = stale.InterfMax = kNaN;
  stale.TrGain = stale.TrGainMin = stale.TrGainMax = kNaN;
  stale.Pav = stale.Pmatch = stale.Pinc = stale.PincMin = stale.PincMax = kNaN;
  stale.Prefl = stale.PreflMin = stale.PreflMax = kNaN;
  stale.Pload = stale.PloadMin = stale.PloadMax = kNaN;
  stale.SrcRfl.Mism = stale.LoaRfl.Mism = kNaN;
  stale.SrcRfl.Rloss = -13.0;
  stale.LoaRfl.Swr = 42.0;
  rf::ComputeTransmission(stale);

  for (const char* f :
       {"SrcRfl.Mism", "LoaRfl.Mism",   "Interf",    "InterfMin", "InterfMax", "TrGain",
        "TrGainMin",   "TrGainMax",     "Pav",       "Pmatch",    "Pinc",      "PincMin",
        "PincMax",     "Prefl",         "PreflMin",  "PreflMax",  "Pload",     "PloadMin",
        "PloadMax",    "PloadMinRelat", "MeaMax.Swr"}) {
    EXPECT_TRUE(Matches(rf_test::Field(fresh, f), rf_test::Field(stale, f))) << f;
  }
  EXPECT_EQ(-13.0, stale.SrcRfl.Rloss);
  EXPECT_EQ(42.0, stale.LoaRfl.Swr);
  EXPECT_EQ(0.2, stale.SrcRfl.Mag);
  EXPECT_EQ(90.0, stale.LoaRfl.Pha);
}

TEST(Transmission, EndsWithTheMeasurementOfItsOwnResults) {
  rf::ModelState m = StateFrom({});
  rf::ComputeTransmission(m);
  EXPECT_TRUE(Matches(895.566, m.PincMinV, rf_test::Tol::Sig6));
  EXPECT_TRUE(Matches(0.723333, m.PloadMinRelat, rf_test::Tol::Sig6));
}

}  // namespace
