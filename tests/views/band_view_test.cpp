// The band sheets' data: the typed inputs refused with the input's name, the model along the
// band through the line, the band's extremes, the Smith chart's marks and the load-plane map.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "doubles.h"
#include "views/band_charts.h"
#include "views/band_setup.h"
#include "worked_example.h"

namespace {

using views::BandChoice;
using views::BandInputs;
using views::MeasuredFile;
using zephlane_test::WithinOrBothNaN;

// A quarter of the free-space wavelength at 2.45 GHz is 30.591 mm; an eighth turns a
// reflection by 90 degrees there and back.
constexpr double kEighthAt245 = 0.0152955335750;

MeasuredFile TwoPointFile() {
  // 2.40 GHz: 0.3 at 0 degrees; 2.50 GHz: 0.5 at 0 degrees.
  return {"load.s1p", {{2.40e9, {0.3, 0.0}}, {2.50e9, {0.5, 0.0}}}};
}

struct SetupErrorRow {
  const char* name;
  BandInputs in;
  bool withFile;
  std::string expectedPrefix;
};

void PrintTo(const SetupErrorRow& r, std::ostream* os) { *os << r.name; }

BandInputs With(void (*edit)(BandInputs&)) {
  BandInputs in;
  edit(in);
  return in;
}

class BandSetupRefuses : public testing::TestWithParam<SetupErrorRow> {};

TEST_P(BandSetupRefuses, WithTheInputsName) {
  const SetupErrorRow& row = GetParam();
  const MeasuredFile file = TwoPointFile();
  const auto r = views::MakeBandSetup(row.in, row.withFile ? &file : nullptr, nullptr);
  ASSERT_FALSE(r.Ok());
  EXPECT_EQ(r.Error.substr(0, row.expectedPrefix.size()), row.expectedPrefix) << r.Error;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BandSetupRefuses,
    testing::Values(
        SetupErrorRow{"FrequencyText", With([](BandInputs& i) { i.Frequency = "fast"; }), false,
                      "Frequency: expected a frequency"},
        SetupErrorRow{"FrequencyNegative", With([](BandInputs& i) { i.Frequency = "-2.45G"; }),
                      false, "Frequency: a frequency cannot be negative"},
        SetupErrorRow{"FrequencyZero", With([](BandInputs& i) { i.Frequency = "0"; }), false,
                      "Frequency: a frequency must be above zero"},
        SetupErrorRow{"WholeFileWithoutFile",
                      With([](BandInputs& i) { i.Band = BandChoice::WholeFile; }), false,
                      "Band: the whole range needs a load file"},
        SetupErrorRow{"SpreadNegative", With([](BandInputs& i) { i.Spread = "-5M"; }), false,
                      "Spread (\u00b1): "},
        SetupErrorRow{"BandBelowZero", With([](BandInputs& i) {
                        i.Centre = "10M";
                        i.Spread = "50M";
                      }),
                      false, "Band: the band reaches down to zero or below"},
        SetupErrorRow{"CentreText", With([](BandInputs& i) { i.Centre = "2,45G"; }), false,
                      "Band centre: "},
        SetupErrorRow{"LengthWithUnit", With([](BandInputs& i) { i.LengthM = "1.5m"; }), false,
                      "Line length (m): the line's length"},
        SetupErrorRow{"LengthEmpty", With([](BandInputs& i) { i.LengthM = ""; }), false,
                      "Line length (m): "},
        SetupErrorRow{"LengthNegative", With([](BandInputs& i) { i.LengthM = "-1"; }), false,
                      "Line: the line's length"},
        SetupErrorRow{"LengthInfinite", With([](BandInputs& i) { i.LengthM = "inf"; }), false,
                      "Line: the line's length"},
        SetupErrorRow{"LossNegative", With([](BandInputs& i) { i.LossDbPerM = "-0.1"; }), false,
                      "Line: the line's loss"},
        SetupErrorRow{"LossNaN", With([](BandInputs& i) { i.LossDbPerM = "nan"; }), false,
                      "Line: the line's loss"},
        SetupErrorRow{"VelocityFactorZero", With([](BandInputs& i) { i.VelocityFactor = "0"; }),
                      false, "Velocity factor: "},
        SetupErrorRow{"VelocityFactorAboveOne",
                      With([](BandInputs& i) { i.VelocityFactor = "1.01"; }), false,
                      "Velocity factor: "},
        SetupErrorRow{"VelocityFactorText", With([](BandInputs& i) { i.VelocityFactor = "x"; }),
                      false, "Velocity factor: "},
        // WR-340's TE10 cutoff is 1.736 GHz: nothing travels at 915 MHz.
        SetupErrorRow{"WaveguideBelowCutoff", With([](BandInputs& i) {
                        i.Medium = 2;
                        i.Frequency = "915M";
                      }),
                      false, "Line: 915 MHz lies at or below the TE10 cutoff"}),
    [](const testing::TestParamInfo<SetupErrorRow>& row) { return std::string(row.param.name); });

TEST(BandSetup, AFileWithoutPointsIsRefusedByName) {
  const MeasuredFile empty{"empty.s1p", {}};
  const auto r = views::MakeBandSetup(BandInputs{}, nullptr, &empty);
  EXPECT_EQ(r.Error, "empty.s1p: the file holds no frequencies");
}

TEST(BandSetup, DefaultsFollowTheFile) {
  struct Row {
    const char* name;
    bool withFile;
    BandChoice band;
    double freq, from, to;
  };
  const Row rows[] = {
      {"NoFileTakes245", false, BandChoice::Around, 2.45e9, 2.40e9, 2.50e9},
      {"FileTakesItsFirstFrequency", true, BandChoice::Around, 2.40e9, 2.35e9, 2.45e9},
      {"WholeFile", true, BandChoice::WholeFile, 2.40e9, 2.40e9, 2.50e9},
  };
  const MeasuredFile file = TwoPointFile();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BandInputs in;
    in.Band = row.band;
    const auto r = views::MakeBandSetup(in, row.withFile ? &file : nullptr, nullptr);
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_EQ(r.Setup.FreqHz, row.freq);
    EXPECT_EQ(r.Setup.Band.FromHz, row.from);
    EXPECT_EQ(r.Setup.Band.ToHz, row.to);
  }
}

TEST(BandEvaluation, TheLineTurnsAndAttenuatesTheLoad) {
  struct Row {
    const char* name;
    std::string length, loss;
    int medium;
    double mag, phaDeg;
  };
  // The worked example's load is 0.5 at 90 degrees. An eighth of a wavelength turns it by
  // -90 degrees; 1 m at 1 dB/m takes 2 dB off the round trip: 0.5 * 10^-0.1.
  const Row rows[] = {
      {"NoLine", "0", "0", 0, 0.5, 90.0},
      {"EighthWave", std::to_string(kEighthAt245), "0", 0, 0.5, 0.0},
      {"LossOnly", "0", "1", 0, 0.5, 90.0},
      {"OneMetreLossy", "1", "1", 0, 0.5 * 0.794328234724, std::nan("")},
  };
  const rf::ModelState window = test_support::WorkedModel();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BandInputs in;
    in.LengthM = row.length;
    in.LossDbPerM = row.loss;
    const auto s = views::MakeBandSetup(in, nullptr, nullptr);
    ASSERT_TRUE(s.Ok()) << s.Error;
    const views::BandEvaluation e = views::EvaluateBand(window, s.Setup, 11);
    ASSERT_TRUE(e.Ok()) << e.Error;
    ASSERT_EQ(e.Points.size(), 11u);
    EXPECT_NEAR(e.Operating.LoaRfl.Mag, row.mag, 1e-9);
    if (!std::isnan(row.phaDeg)) {
      // The length is typed to the micrometre: 1 um is 0.006 degrees there and back.
      EXPECT_NEAR(e.Operating.LoaRfl.Pha, row.phaDeg, 0.01);
    }
    EXPECT_EQ(e.Points.front().FreqHz, 2.40e9);
    EXPECT_EQ(e.Points.back().FreqHz, 2.50e9);
  }
}

TEST(BandEvaluation, MatchedSourceAbsorbsTheMismatchFactorAtEveryFrequency) {
  // With a matched source the absorbed power is Pav (1 - |Gl|^2), whatever the line's phase:
  // the file's 0.3 .. 0.5 load gives 0.91 Pav at its first and 0.75 Pav at its last point.
  const rf::ModelState window = test_support::WorkedModel({.src = 0.0});
  const MeasuredFile file = TwoPointFile();
  BandInputs in;
  in.Band = BandChoice::WholeFile;
  in.LengthM = "0.37";
  const auto s = views::MakeBandSetup(in, &file, nullptr);
  ASSERT_TRUE(s.Ok()) << s.Error;
  const views::BandEvaluation e = views::EvaluateBand(window, s.Setup, 3);
  ASSERT_TRUE(e.Ok()) << e.Error;
  EXPECT_NEAR(e.Points[0].Model.Pload, 0.91 * window.Pav, 1e-9 * window.Pav);
  EXPECT_NEAR(e.Points[1].Model.Pload, 0.84 * window.Pav, 1e-9 * window.Pav);
  EXPECT_NEAR(e.Points[2].Model.Pload, 0.75 * window.Pav, 1e-9 * window.Pav);
  EXPECT_NEAR(e.Operating.Pload, 0.91 * window.Pav, 1e-9 * window.Pav);
}

// The band's point at the operating frequency is the operating point, bit for bit, so the
// chart's marker sits on its curve and the table's extremes can include it.
TEST(BandEvaluation, OperatingFrequencyPointIsTheOperatingPoint) {
  const MeasuredFile file = TwoPointFile();
  const rf::ModelState window = test_support::WorkedModel();
  for (const char* medium : {"tem", "guide"}) {
    SCOPED_TRACE(medium);
    BandInputs in;
    in.Frequency = "2.45G";
    in.Spread = "50M";
    in.LengthM = "0.731";
    in.LossDbPerM = "0.3";
    if (std::string(medium) == "guide") in.Medium = views::kMediumTem + 2;
    for (const MeasuredFile* load : {static_cast<const MeasuredFile*>(nullptr), &file}) {
      const auto s = views::MakeBandSetup(in, load, load);
      ASSERT_TRUE(s.Ok()) << s.Error;
      const views::BandEvaluation e = views::EvaluateBand(window, s.Setup, 11);
      ASSERT_TRUE(e.Ok()) << e.Error;
      const rf::ModelState& mid = e.Points[5].Model;
      ASSERT_EQ(e.Points[5].FreqHz, 2.45e9);
      EXPECT_EQ(mid.LoaRfl.Mag, e.Operating.LoaRfl.Mag);
      EXPECT_EQ(mid.LoaRfl.Pha, e.Operating.LoaRfl.Pha);
      EXPECT_EQ(mid.Pload, e.Operating.Pload);
      EXPECT_EQ(mid.PloadMax, e.Operating.PloadMax);
      EXPECT_EQ(mid.PloadMaxV, e.Operating.PloadMaxV);
    }
  }
}

TEST(BandEvaluation, OutsideTheFileIsAnErrorNamingTheFile) {
  struct Row {
    const char* name;
    std::string freq, spread;
  };
  const Row rows[] = {
      {"FrequencyAbove", "2.6G", "0"},
      {"FrequencyBelow", "2.3G", "0"},
      {"BandBeyondTheTop", "2.45G", "60M"},
  };
  const MeasuredFile file = TwoPointFile();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BandInputs in;
    in.Frequency = row.freq;
    in.Centre = "2.45G";
    in.Spread = row.spread;
    const auto s = views::MakeBandSetup(in, &file, nullptr);
    ASSERT_TRUE(s.Ok()) << s.Error;
    const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup);
    EXPECT_EQ(e.Error.rfind("load.s1p: ", 0), 0u) << e.Error;
    EXPECT_TRUE(e.Points.empty());
  }
}

TEST(BandEvaluation, ABandReachingBelowTheGuidesCutoffStopsWithTheLine) {
  // WR-975 cuts off at 605 MHz: 650 MHz travels, the band's lower end at 600 MHz does not.
  BandInputs in;
  in.Medium = 5;
  in.Frequency = "650M";
  in.Centre = "650M";
  in.Spread = "50M";
  const auto s = views::MakeBandSetup(in, nullptr, nullptr);
  ASSERT_TRUE(s.Ok()) << s.Error;
  const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup);
  EXPECT_EQ(e.Error.rfind("Line: 600 MHz lies at or below the TE10 cutoff", 0), 0u) << e.Error;
  EXPECT_TRUE(e.Points.empty());
}

TEST(BandEvaluation, TheSourceFileReplacesTheWindowsSource) {
  const MeasuredFile src{"circulator.s1p", {{2.0e9, {0.0, 0.1}}, {3.0e9, {0.0, 0.1}}}};
  const auto s = views::MakeBandSetup(BandInputs{}, nullptr, &src);
  ASSERT_TRUE(s.Ok()) << s.Error;
  const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup, 5);
  ASSERT_TRUE(e.Ok()) << e.Error;
  EXPECT_NEAR(e.Operating.SrcRfl.Mag, 0.1, 1e-12);
  EXPECT_NEAR(e.Operating.SrcRfl.Pha, 90.0, 1e-9);
  for (const auto& p : e.Points) EXPECT_NEAR(p.Model.SrcRfl.Mag, 0.1, 1e-12);
}

TEST(BandExtremes, AConstantLoadIsTheSameAcrossTheBand) {
  const auto s = views::MakeBandSetup(BandInputs{}, nullptr, nullptr);
  const views::BandEvaluation e = views::EvaluateBand(test_support::WorkedModel(), s.Setup, 5);
  const auto rows = views::BandExtremesTable(e, numtext::PowerScale::W);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[2][0], "Absorbed Power");
  for (const auto& r : rows) {
    SCOPED_TRACE(r[0]);
    EXPECT_EQ(r[1], r[3]);
    EXPECT_EQ(r[2], "2.4 GHz");  // the first frequency where the smallest value is met
  }
  const auto header = views::ExtremesHeader(numtext::PowerScale::KW);
  EXPECT_EQ(header[1], "Min (kW)");
  EXPECT_EQ(header[3], "Max (kW)");
}

TEST(BandExtremes, TheFilesLoadMovesTheExtremesToItsEnds) {
  const rf::ModelState window = test_support::WorkedModel({.src = 0.0});
  const MeasuredFile file = TwoPointFile();
  BandInputs in;
  in.Band = BandChoice::WholeFile;
  const auto s = views::MakeBandSetup(in, &file, nullptr);
  const views::BandEvaluation e = views::EvaluateBand(window, s.Setup, 21);
  const auto rows = views::BandExtremesTable(e, numtext::PowerScale::W);
  // The absorbed power falls as the reflection grows towards 2.5 GHz.
  EXPECT_EQ(rows[2][2], "2.5 GHz");
  EXPECT_EQ(rows[2][4], "2.4 GHz");
}

}  // namespace
