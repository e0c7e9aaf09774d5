#include "touchstone/interpolate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "doubles.h"
#include "read_text.h"
#include "rf/complex.h"

namespace {

using zephlane_test::kInf;
using zephlane_test::kNaN;

touchstone::Point At(double hz, double mag, double deg) {
  touchstone::Point p;
  p.FreqHz = hz;
  rf::CxPolarDegToRect(rf::TComplex{mag, deg}, p.Refl);
  return p;
}

// Across the negative real axis: 0.5 at 170 degrees, then 0.7 at -170 degrees, then back.
const std::vector<touchstone::Point> kAcross{At(1e9, 0.5, 170.0), At(2e9, 0.7, -170.0),
                                             At(3e9, 0.3, 170.0), At(4e9, 0.1, -30.0)};

struct InterpRow {
  std::string name;
  double hz;
  double mag;
  double deg;  // compared on the circle: 180 and -180 are one phase
};

void PrintTo(const InterpRow& row, std::ostream* os) { *os << row.name; }

class Interpolation : public testing::TestWithParam<InterpRow> {};

TEST_P(Interpolation, IsLinearInMagnitudeAndUnwrappedPhase) {
  const InterpRow& row = GetParam();
  const touchstone::Interpolated r = touchstone::InterpolateAt(kAcross, row.hz);
  ASSERT_EQ(r.Error, "");
  EXPECT_NEAR(r.Mag, row.mag, 1e-12);
  EXPECT_NEAR(std::remainder(r.PhaDeg - row.deg, 360.0), 0.0, 1e-9);
  EXPECT_GE(r.PhaDeg, -180.0);
  EXPECT_LE(r.PhaDeg, 180.0);
  // The rectangular form is the same reflection.
  EXPECT_NEAR(r.Refl.Re, row.mag * std::cos(row.deg * std::numbers::pi / 180.0), 1e-12);
  EXPECT_NEAR(r.Refl.Im, row.mag * std::sin(row.deg * std::numbers::pi / 180.0), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Points, Interpolation,
    testing::Values(InterpRow{"FirstPoint", 1e9, 0.5, 170.0},
                    InterpRow{"LastPoint", 4e9, 0.1, -30.0},
                    InterpRow{"InnerPoint", 2e9, 0.7, -170.0},
                    InterpRow{"QuarterAcross180", 1.25e9, 0.55, 175.0},
                    InterpRow{"MiddleAcross180", 1.5e9, 0.6, 180.0},
                    InterpRow{"ThreeQuartersAcross180", 1.75e9, 0.65, -175.0},
                    InterpRow{"BackAcross180", 2.5e9, 0.5, 180.0},
                    // 170 to -30 degrees: the shorter way is +160 degrees, through 180.
                    InterpRow{"ShorterWayRound", 3.5e9, 0.2, -110.0}),
    touchstone_test::RowName());

TEST(Interpolation, AtAPointGivesThatPointExactly) {
  for (const touchstone::Point& p : kAcross) {
    const touchstone::Interpolated r = touchstone::InterpolateAt(kAcross, p.FreqHz);
    EXPECT_EQ(r.Refl.Re, p.Refl.Re);
    EXPECT_EQ(r.Refl.Im, p.Refl.Im);
  }
}

TEST(Interpolation, PolarPointsGiveTheSameBits) {
  const std::vector<touchstone::PolarPoint> polar = touchstone::ToPolar(kAcross);
  for (double hz = 0.5e9; hz <= 4.5e9; hz += 0.0625e9) {
    const touchstone::Interpolated a = touchstone::InterpolateAt(kAcross, hz);
    const touchstone::Interpolated b = touchstone::InterpolateAt(polar, hz);
    EXPECT_EQ(a.Error, b.Error) << hz;
    EXPECT_TRUE(zephlane_test::SameBits(a.Mag, b.Mag)) << hz;
    EXPECT_TRUE(zephlane_test::SameBits(a.PhaDeg, b.PhaDeg)) << hz;
    EXPECT_TRUE(zephlane_test::SameBits(a.Refl.Re, b.Refl.Re)) << hz;
    EXPECT_TRUE(zephlane_test::SameBits(a.Refl.Im, b.Refl.Im)) << hz;
  }
}

struct OutsideRow {
  std::string name;
  std::vector<touchstone::Point> points;
  double hz;
  std::string message;
};

void PrintTo(const OutsideRow& row, std::ostream* os) { *os << row.name; }

class NoExtrapolation : public testing::TestWithParam<OutsideRow> {};

TEST_P(NoExtrapolation, GivesAnError) {
  const OutsideRow& row = GetParam();
  EXPECT_EQ(touchstone::InterpolateAt(row.points, row.hz).Error, row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Range, NoExtrapolation,
    testing::Values(
        OutsideRow{"JustBelow", kAcross, 999999999.0,
                   "999999999 Hz lies outside the file's frequencies, 1000000000 Hz to "
                   "4000000000 Hz"},
        OutsideRow{"JustAbove", kAcross, std::nextafter(4e9, kInf),
                   "4000000000.0000005 Hz lies outside the file's frequencies, 1000000000 Hz to "
                   "4000000000 Hz"},
        OutsideRow{"Zero", kAcross, 0.0,
                   "0 Hz lies outside the file's frequencies, 1000000000 Hz to 4000000000 Hz"},
        OutsideRow{"Infinite", kAcross, kInf,
                   "inf Hz lies outside the file's frequencies, 1000000000 Hz to 4000000000 Hz"},
        OutsideRow{"NaN", kAcross, kNaN, "the frequency is not a number"},
        OutsideRow{"Empty", {}, 1e9, "no frequencies are loaded"},
        OutsideRow{"OnePointElsewhere",
                   {At(2.45e9, 0.5, 0.0)},
                   2.5e9,
                   "2500000000 Hz lies outside the file's frequencies, 2450000000 Hz to "
                   "2450000000 Hz"},
        OutsideRow{"OnePointItself", {At(2.45e9, 0.5, 0.0)}, 2.45e9, ""}),
    touchstone_test::RowName());

// A stream that makes up a one-port file of n frequencies as it is read, so that the test never
// holds the text either.
class GeneratedFile : public std::streambuf {
 public:
  explicit GeneratedFile(int n) : n_(n) {}

 protected:
  int_type underflow() override {
    if (i_ >= n_) return traits_type::eof();
    line_ = std::to_string(1000 + i_) + " 0.5 " + std::to_string(i_ % 360 - 180) + "\n";
    ++i_;
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(line_[0]);
  }

 private:
  int n_;
  int i_ = 0;
  std::string line_;
};

TEST(Streaming, ReadsManyFrequenciesOneAtATime) {
  constexpr int kCount = 200'000;
  GeneratedFile file(kCount);
  std::istream in(&file);
  long long count = 0;
  double last = 0.0;
  bool increasing = true;
  const auto error =
      touchstone::ReadStream(in, touchstone::ReadRequest{1, 1}, [&](const touchstone::Point& p) {
        increasing = increasing && p.FreqHz > last;
        last = p.FreqHz;
        ++count;
      });
  ASSERT_FALSE(error) << touchstone::ErrorText(*error);
  EXPECT_EQ(count, kCount);
  EXPECT_TRUE(increasing);
  EXPECT_EQ(last, (1000.0 + kCount - 1) * 1e9);
}

// The cursor of a sweep gives InterpolateAt's magnitude and phase bit for bit, whatever order
// the frequencies come in and wherever the segment before it ended; outside, the same message.
TEST(SegmentCursor, MatchesInterpolateAtInEveryOrder) {
  const std::vector<touchstone::PolarPoint> polar = touchstone::ToPolar(kAcross);
  const std::vector<std::vector<double>> orders = {
      {1e9, 1.25e9, 1.5e9, 2e9, 2.5e9, 3e9, 3.75e9, 4e9},  // a sweep
      {4e9, 3.5e9, 3e9, 2.2e9, 1.1e9, 1e9},                // backwards
      {1.1e9, 3.9e9, 1.2e9, 2e9, 2e9, 2.0000001e9, 4e9},   // jumps and repeats
      {0.5e9, 2.5e9, 5e9, kNaN, 2.5e9, kInf, 1e9},         // outside, then inside again
  };
  for (const auto& order : orders) {
    touchstone::SegmentCursor cursor(polar);
    for (const double hz : order) {
      const touchstone::Interpolated want = touchstone::InterpolateAt(polar, hz);
      const touchstone::PolarAt got = cursor.At(hz);
      ASSERT_EQ(got.Inside, want.Error.empty()) << hz;
      if (!got.Inside) {
        EXPECT_EQ(cursor.ErrorAt(hz), want.Error);
        continue;
      }
      EXPECT_EQ(got.Mag, want.Mag) << hz;
      EXPECT_EQ(got.PhaRad * (180.0 / std::numbers::pi), want.PhaDeg) << hz;
    }
  }
  touchstone::SegmentCursor empty({});
  EXPECT_FALSE(empty.At(1e9).Inside);
  EXPECT_EQ(empty.ErrorAt(1e9),
            touchstone::InterpolateAt(std::span<const touchstone::PolarPoint>{}, 1e9).Error);
}

}  // namespace
