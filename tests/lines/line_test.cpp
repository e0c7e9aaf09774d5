#include "lines/line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>

#include "row_name.h"

namespace {

struct GuideRow {
  std::string name;
  std::string text;
  double cutoffHz;  // c / 2a, worked by hand
};

void PrintTo(const GuideRow& row, std::ostream* os) { *os << row.name; }

class Waveguides : public testing::TestWithParam<GuideRow> {};

TEST_P(Waveguides, HaveTheirTE10Cutoff) {
  const lines::Result<lines::Medium> m = lines::ParseMedium(GetParam().text);
  ASSERT_TRUE(m.Ok()) << m.Error;
  EXPECT_NEAR(lines::CutoffHz(m.Value), GetParam().cutoffHz, 1e-3);
  EXPECT_EQ(lines::ParseMedium(lines::MediumText(m.Value)).Value.BroadWallM, m.Value.BroadWallM);
}

INSTANTIATE_TEST_SUITE_P(Standard, Waveguides,
                         testing::Values(GuideRow{"WR284", "WR-284", 2077967020.6277},
                                         GuideRow{"WR340", "WR340", 1735713628.9949},
                                         GuideRow{"WR340LowerCase", "wr-340", 1735713628.9949},
                                         GuideRow{"WR430", " wr430 ", 1372424729.9029},
                                         GuideRow{"WR650", "WR-650", 907911744.3973},
                                         GuideRow{"WR975", "Wr975", 605274496.2649}),
                         lines_test::RowName());

struct MediumRow {
  std::string name;
  std::string text;
  std::string error;
};

void PrintTo(const MediumRow& row, std::ostream* os) { *os << row.name; }

class MediumText : public testing::TestWithParam<MediumRow> {};

TEST_P(MediumText, IsReadOrRefused) {
  EXPECT_EQ(lines::ParseMedium(GetParam().text).Error, GetParam().error);
}

const std::string kBadMedium =
    "expected a medium: tem:VF with a velocity factor, or a waveguide WR284, WR340, WR430, "
    "WR650 or WR975";
const std::string kBadVf = "the velocity factor must be above 0 and at most 1";

INSTANTIATE_TEST_SUITE_P(
    Texts, MediumText,
    testing::Values(
        MediumRow{"FreeSpace", "tem", ""}, MediumRow{"Coax", "TEM:0.66", ""},
        MediumRow{"VfOne", "tem:1", ""}, MediumRow{"VfTiny", "tem:1e-300", ""},
        MediumRow{"VfZero", "tem:0", kBadVf}, MediumRow{"VfAboveOne", "tem:1.01", kBadVf},
        MediumRow{"VfNegative", "tem:-0.5", kBadVf}, MediumRow{"VfNaN", "tem:nan", kBadVf},
        MediumRow{"VfInf", "tem:inf", kBadVf}, MediumRow{"VfEmpty", "tem:", kBadVf},
        MediumRow{"VfJunk", "tem:0.6x", kBadVf}, MediumRow{"UnknownGuide", "WR-90", kBadMedium},
        MediumRow{"GuideTypo", "WR-3400", kBadMedium}, MediumRow{"Empty", "", kBadMedium}),
    lines_test::RowName());

struct WavelengthRow {
  std::string name;
  std::string medium;
  double hz;
  double lambda;      // m, worked by hand
  std::string error;  // or empty
};

void PrintTo(const WavelengthRow& row, std::ostream* os) { *os << row.name; }

class GuideWavelength : public testing::TestWithParam<WavelengthRow> {};

TEST_P(GuideWavelength, AgainstHandValues) {
  const WavelengthRow& row = GetParam();
  const lines::Result<double> lg =
      lines::GuideWavelength(lines::ParseMedium(row.medium).Value, row.hz);
  EXPECT_EQ(lg.Error, row.error);
  if (row.error.empty()) {
    EXPECT_NEAR(lg.Value, row.lambda, 1e-12);
  }
}

// WR-340 at 2.45 GHz: lambda0 = 122.364 mm, fc = 1.7357 GHz, lambda_g = 173.380 mm.
INSTANTIATE_TEST_SUITE_P(
    Values, GuideWavelength,
    testing::Values(
        WavelengthRow{"FreeSpace", "tem", 2.45e9, 0.12236426857142857, ""},
        WavelengthRow{"Coax", "tem:0.5", 2.45e9, 0.061182134285714285, ""},
        WavelengthRow{"WR340At2G45", "WR340", 2.45e9, 0.1733803059659492, ""},
        WavelengthRow{"WR975At915M", "WR975", 915e6, 0.436889104424845, ""},
        WavelengthRow{"WR340AtCutoff", "WR340", 299792458.0 / (2 * 0.08636), 0,
                      "1.735713628994905 GHz lies at or below the TE10 cutoff of WR-340, "
                      "1.735713628994905 GHz"},
        WavelengthRow{"WR340Below", "WR340", 915e6, 0,
                      "915 MHz lies at or below the TE10 cutoff of WR-340, 1.735713628994905 GHz"},
        WavelengthRow{"ZeroFrequency", "tem", 0.0, 0, "a frequency must be above zero"},
        WavelengthRow{"NaNFrequency", "WR340", std::nan(""), 0, "a frequency must be above zero"}),
    lines_test::RowName());

lines::Line MakeLine(const std::string& medium, double lengthM, double loss = 0.0) {
  return lines::MakeLine(lengthM, lines::ParseMedium(medium).Value, loss).Value;
}

double PhaseDeg(rf::TComplex z) { return std::atan2(z.Im, z.Re) * 180.0 / std::numbers::pi; }

TEST(LineRoundTrip, QuarterWaveTurnsTheReflectionByHalfATurn) {
  for (const std::string medium : {"tem", "tem:0.66", "WR340", "WR284"}) {
    const double lg = lines::GuideWavelength(lines::ParseMedium(medium).Value, 2.45e9).Value;
    const lines::Line line = MakeLine(medium, lg / 4.0);
    EXPECT_NEAR(lines::RoundTripPhaseDeg(line, 2.45e9).Value, -180.0, 1e-9) << medium;
    // An open end (+1) looks like a short (-1) through a quarter wave.
    const rf::TComplex in = lines::ReflectionThroughLine(line, 2.45e9, {1.0, 0.0}).Value;
    EXPECT_NEAR(in.Re, -1.0, 1e-12) << medium;
    EXPECT_NEAR(std::fabs(PhaseDeg(in)), 180.0, 1e-9) << medium;
  }
}

// One metre of WR-340 at 2.45 GHz: -720 / 0.173380 = -4152.72 degrees, 167.28 after wrapping.
TEST(LineRoundTrip, OneMetreOfWR340) {
  const lines::Line line = MakeLine("WR340", 1.0);
  EXPECT_NEAR(lines::RoundTripPhaseDeg(line, 2.45e9).Value, 167.27921669832813, 1e-9);
  const rf::TComplex in = lines::ReflectionThroughLine(line, 2.45e9, {0.0, 0.5}).Value;
  EXPECT_NEAR(std::hypot(in.Re, in.Im), 0.5, 1e-15);
  EXPECT_NEAR(PhaseDeg(in), 167.27921669832813 + 90.0 - 360.0, 1e-9);
}

// 0.5 dB/m over 2 m is 1 dB one way, 2 dB there and back: |Gamma| falls by 10^(-2/20).
TEST(LineRoundTrip, LossCountsBothWays) {
  const lines::Line line = MakeLine("tem", 2.0, 0.5);
  const rf::TComplex in = lines::ReflectionThroughLine(line, 1e9, {0.8, 0.0}).Value;
  EXPECT_NEAR(std::hypot(in.Re, in.Im), 0.8 * 0.7943282347242815, 1e-15);
  // A line of no length changes nothing.
  const rf::TComplex same =
      lines::ReflectionThroughLine(MakeLine("WR340", 0.0, 3.0), 2.45e9, {0.3, -0.4}).Value;
  EXPECT_EQ(same.Re, 0.3);
  EXPECT_EQ(same.Im, -0.4);
  EXPECT_EQ(lines::RoundTripPhaseDeg(MakeLine("WR340", 0.0), 2.45e9).Value, 0.0);
}

TEST(LineRoundTrip, BelowCutoffIsAnError) {
  const lines::Result<rf::TComplex> r =
      lines::ReflectionThroughLine(MakeLine("WR430", 1.0), 1e9, {0.5, 0.0});
  EXPECT_EQ(r.Error, "1 GHz lies at or below the TE10 cutoff of WR-430, 1.3724247299029482 GHz");
}

struct LineRow {
  std::string name;
  double length;
  double loss;
  std::string error;
};

void PrintTo(const LineRow& row, std::ostream* os) { *os << row.name; }

class LineLimits : public testing::TestWithParam<LineRow> {};

TEST_P(LineLimits, RefuseWhatNoLineHas) {
  const LineRow& row = GetParam();
  EXPECT_EQ(lines::MakeLine(row.length, lines::ParseMedium("tem").Value, row.loss).Error,
            row.error);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
const std::string kBadLength = "the line's length must be a finite number of metres, 0 or more";
const std::string kBadLoss = "the line's loss must be a finite number of dB/m, 0 or more";

INSTANTIATE_TEST_SUITE_P(Values, LineLimits,
                         testing::Values(LineRow{"Zero", 0.0, 0.0, ""},
                                         LineRow{"NegativeZero", -0.0, -0.0, ""},
                                         LineRow{"Long", 1e6, 10.0, ""},
                                         LineRow{"NegativeLength", -1.0, 0, kBadLength},
                                         LineRow{"InfiniteLength", kInf, 0, kBadLength},
                                         LineRow{"NaNLength", std::nan(""), 0, kBadLength},
                                         LineRow{"NegativeLoss", 1.0, -0.1, kBadLoss},
                                         LineRow{"InfiniteLoss", 1.0, kInf, kBadLoss},
                                         LineRow{"NaNLoss", 1.0, std::nan(""), kBadLoss}),
                         lines_test::RowName());

}  // namespace
