#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "double_match.h"
#include "model_fields.h"
#include "rf/model.h"
#include "worked_example.h"

namespace {

using rf_test::Exactly;
using rf_test::Expect;
using rf_test::kInf;
using rf_test::kNaN;
using rf_test::Matches;
using rf_test::Within;

struct MeasInputs {
  double loaMag = 0.5;
  double pinc = 1000.0;
  double pload = 750.0;
  bool ideal = false;
  double dirDb = 20.0;
};

struct MeasCase {
  std::string name;
  friend void PrintTo(const MeasCase& c, std::ostream* os) { *os << c.name; }
  MeasInputs in;
  std::vector<Expect> expect;
};

class Measurement : public testing::TestWithParam<MeasCase> {};

TEST_P(Measurement, GivesExpectedReadings) {
  const MeasCase& c = GetParam();
  rf::ModelState m;
  m.LoaRfl.Mag = c.in.loaMag;
  m.Pinc = c.in.pinc;
  m.Pload = c.in.pload;
  m.CplIdeal = c.in.ideal;
  m.CplDirDb = c.in.dirDb;
  rf::ComputeMeasurement(m);
  for (const Expect& e : c.expect) {
    EXPECT_TRUE(Matches(e.value, rf_test::Field(m, e.field), e.tol, e.bound)) << e.field;
  }
  // Phase and mismatch of the inferred reflections are never set.
  EXPECT_EQ(0.0, m.MeaMin.Pha);
  EXPECT_EQ(0.0, m.MeaMax.Mism);
}

INSTANTIATE_TEST_SUITE_P(
    Rf, Measurement,
    testing::Values(MeasCase{"IdealCouplers",
                             {.ideal = true},
                             {Exactly("ErrInciMinus", 1.0), Exactly("ErrInciPlus", 1.0),
                              Exactly("ErrReflMinus", 1.0), Exactly("ErrReflPlus", 1.0),
                              Exactly("PincMinV", 1000.0), Exactly("PincMaxV", 1000.0),
                              Exactly("PreflMinV", 250.0), Exactly("PreflMaxV", 250.0),
                              Exactly("PloadMinV", 750.0), Exactly("PloadMaxV", 750.0),
                              Exactly("PloadMinRelat", 1.0), Exactly("PloadMaxRelat", 1.0),
                              Exactly("MeaMin.Mag", 0.5), Exactly("MeaMax.Mag", 0.5),
                              Exactly("MeaMin.Swr", 3.0), Exactly("MeaMax.Swr", 3.0)}},
                    // The directivity is ignored for ideal couplers, even at 0 dB.
                    MeasCase{"IdealIgnoresDirectivity",
                             {.ideal = true, .dirDb = 0.0},
                             {Exactly("ErrInciMinus", 1.0), Exactly("MeaMax.Mag", 0.5)}},
                    MeasCase{"IdealWithoutAbsorbedPower",
                             {.loaMag = 1.0, .pload = 0.0, .ideal = true},
                             {Exactly("PloadMinRelat", kNaN), Exactly("PloadMaxRelat", kNaN),
                              Exactly("PloadMinV", 0.0)}},
                    MeasCase{"IdealMatchedLoad",
                             {.loaMag = 0.0, .pload = 1000.0, .ideal = true},
                             {Exactly("ErrReflMinus", kNaN), Exactly("ErrReflPlus", kNaN),
                              Exactly("MeaMin.Mag", 0.0), Exactly("MeaMax.Mag", 0.0),
                              Exactly("MeaMin.Rloss", -160.0), Exactly("MeaMax.Rloss", -160.0),
                              Exactly("MeaMin.Swr", 1.0), Exactly("MeaMax.Swr", 1.0)}},
                    MeasCase{"TotalLoadReflection20dB",
                             {.loaMag = 1.0, .pload = 0.0},
                             {Within("ErrInciMinus", 0.81, 1e-15),
                              Within("ErrReflMinus", 0.81, 1e-15),
                              Within("ErrInciPlus", 1.21, 1e-15),
                              Within("ErrReflPlus", 1.21, 1e-15),
                              Within("PloadMinV", -400.0, 1e-12),
                              Within("PloadMaxV", 400.0, 1e-12),
                              Exactly("PloadMinRelat", -kInf),
                              Exactly("PloadMaxRelat", kInf),
                              {"MeaMin.Mag", 0.818182},
                              {"MeaMax.Mag", 1.22222},
                              Within("MeaMax.Rloss", 1.743, 5e-4),
                              {"MeaMin.Swr", 10.0},
                              {"MeaMax.Swr", 10.0}}},
                    MeasCase{"MatchedLoad20dB",
                             {.loaMag = 0.0, .pload = 1000.0},
                             {Exactly("ErrReflMinus", kInf),
                              Exactly("ErrReflPlus", kInf),
                              Within("PreflMinV", 10.0, 1e-12),
                              Within("PreflMaxV", 10.0, 1e-12),
                              Within("MeaMin.Mag", -0.1, 1e-16),
                              Exactly("MeaMin.Rloss", -160.0),
                              {"MeaMin.Swr", 0.818182},
                              Within("MeaMax.Mag", 0.1, 1e-16),
                              Within("MeaMax.Rloss", -20.0, 1e-12),
                              {"MeaMax.Swr", 1.22222}}},
                    MeasCase{"ZeroDirectivityTotalLoad",
                             {.loaMag = 1.0, .pload = 0.0, .dirDb = 0.0},
                             {Exactly("ErrInciMinus", 0.0), Exactly("PincMinV", 0.0),
                              Exactly("ErrInciPlus", 4.0), Exactly("MeaMin.Mag", 0.0),
                              Exactly("MeaMax.Mag", kInf), Exactly("MeaMax.Rloss", kInf),
                              Exactly("MeaMax.Swr", kNaN)}},
                    // Leakage larger than the true reflection makes the lower bound negative.
                    MeasCase{"LeakageAboveReflection",
                             {.loaMag = 0.05},
                             {Within("MeaMin.Mag", -0.05 / 1.005, 1e-15),
                              Exactly("MeaMin.Rloss", -160.0), Within("ErrReflMinus", 1.0, 1e-12),
                              Within("ErrReflPlus", 9.0, 1e-12)}},
                    // 160 dB is very good but not ideal: d is 1e-8.
                    MeasCase{"LargestDirectivity",
                             {.dirDb = 160.0},
                             {Within("ErrInciMinus", 0.99999999, 1e-15),
                              Within("ErrInciPlus", 1.00000001, 1e-15),
                              Within("MeaMax.Mag", 0.5 + 1.25e-8, 1e-15)}},
                    MeasCase{"LargestDirectivityMatchedLoad",
                             {.loaMag = 0.0, .pload = 1000.0, .dirDb = 160.0},
                             {Exactly("ErrReflMinus", kInf), Exactly("ErrReflPlus", kInf),
                              Within("MeaMin.Mag", -1e-8, 1e-22)}},
                    // Without a defined incident power only the power-free ratios remain.
                    MeasCase{"UndefinedIncidentPower",
                             {.pinc = kNaN, .pload = kNaN},
                             {Within("ErrInciMinus", 0.9025, 1e-15),
                              Within("ErrReflPlus", 1.44, 1e-15),
                              Exactly("PincMinV", kNaN),
                              Exactly("PincMaxV", kNaN),
                              Exactly("PreflMinV", kNaN),
                              Exactly("PloadMaxV", kNaN),
                              Exactly("PloadMinRelat", kNaN),
                              Exactly("PloadMaxRelat", kNaN),
                              {"MeaMin.Mag", 0.380952},
                              {"MeaMax.Mag", 0.631579}}}),
    [](const testing::TestParamInfo<MeasCase>& row) { return row.param.name; });

TEST(Measurement, WorkedExampleAt20dB) {
  rf::ModelState m = test_support::WorkedInputs({.dirDb = 20.0});
  rf::ComputeTransmission(m);
  const std::vector<Expect> expected = {
      {"ErrInciMinus", 0.9025}, {"ErrInciPlus", 1.1025},     {"PincMinV", 895.566},
      {"PincMaxV", 1094.03},    {"ErrReflMinus", 0.64},      {"ErrReflPlus", 1.44},
      {"PreflMinV", 158.771},   {"PreflMaxV", 357.234},      {"PloadMinV", 538.332},
      {"PloadMaxV", 935.259},   {"PloadMinRelat", 0.723333}, {"PloadMaxRelat", 1.25667},
      {"MeaMin.Mag", 0.380952}, {"MeaMin.Rloss", -8.38259},  {"MeaMin.Swr", 2.23077},
      {"MeaMax.Mag", 0.631579}, {"MeaMax.Rloss", -3.99145},  {"MeaMax.Swr", 4.42857},
  };
  for (const Expect& e : expected) {
    EXPECT_TRUE(Matches(e.value, rf_test::Field(m, e.field), e.tol)) << e.field;
  }
}

// Ideal couplers read the true powers bit for bit, whatever the transmission gave.
TEST(Measurement, IdealCouplersReadTheTruePowersExactly) {
  rf::ModelState m = test_support::WorkedInputs();
  rf::ComputeTransmission(m);
  EXPECT_EQ(m.Pinc, m.PincMinV);
  EXPECT_EQ(m.Pinc, m.PincMaxV);
  EXPECT_EQ(m.Prefl, m.PreflMinV);
  EXPECT_EQ(m.Prefl, m.PreflMaxV);
  EXPECT_EQ(m.Pload, m.PloadMinV);
  EXPECT_EQ(m.Pload, m.PloadMaxV);
  EXPECT_EQ(1.0, m.PloadMinRelat);
  EXPECT_EQ(1.0, m.PloadMaxRelat);
}

// The Ideal box recomputes only the readings; the transmission results stay as they were.
TEST(Measurement, SwitchingIdealTouchesOnlyTheReadings) {
  rf::ModelState m = test_support::WorkedInputs({.dirDb = 20.0});
  rf::ComputeTransmission(m);
  const rf::ModelState before = m;

  m.CplIdeal = true;
  rf::ComputeMeasurement(m);
  for (const char* f : {"SrcRfl.Mism", "LoaRfl.Mism", "Interf", "InterfMin", "InterfMax", "TrGain",
                        "Pav", "Pmatch", "Pinc", "PincMax", "Prefl", "Pload", "PloadMin"}) {
    EXPECT_TRUE(Matches(rf_test::Field(before, f), rf_test::Field(m, f))) << f;
  }
  EXPECT_EQ(20.0, m.CplDirDb);
  EXPECT_EQ(1.0, m.ErrInciMinus);

  m.CplIdeal = false;
  rf::ComputeMeasurement(m);
  for (const char* f : {"ErrInciMinus", "PincMaxV", "ErrReflPlus", "PloadMinV", "PloadMaxRelat",
                        "MeaMin.Mag", "MeaMax.Swr"}) {
    EXPECT_TRUE(Matches(rf_test::Field(before, f), rf_test::Field(m, f))) << f;
  }
}

}  // namespace
