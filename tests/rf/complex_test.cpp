#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "double_match.h"
#include "rf/complex.h"

namespace {

using rf_test::kInf;
using rf_test::kNaN;
using rf_test::Matches;

struct PolarCase {
  std::string name;
  friend void PrintTo(const PolarCase& c, std::ostream* os) { *os << c.name; }
  double r;
  double deg;
  double re;
  double im;
};

class PolarDegToRect : public testing::TestWithParam<PolarCase> {};

// The axis angles keep the tiny component that cos and sin of the converted double give.
TEST_P(PolarDegToRect, GivesExactRectangularParts) {
  const PolarCase& c = GetParam();
  rf::TComplex z{kNaN, kNaN};
  rf::CxPolarDegToRect(rf::TComplex{c.r, c.deg}, z);
  EXPECT_TRUE(Matches(c.re, z.Re)) << "Re";
  EXPECT_TRUE(Matches(c.im, z.Im)) << "Im";
}

TEST_P(PolarDegToRect, InPlaceEqualsSeparateRecord) {
  const PolarCase& c = GetParam();
  rf::TComplex separate;
  rf::CxPolarDegToRect(rf::TComplex{c.r, c.deg}, separate);
  rf::TComplex g;
  rf::CxSet(g, c.r, c.deg);
  rf::CxPolarDegToRect(g, g);
  EXPECT_TRUE(Matches(separate.Re, g.Re)) << "Re";
  EXPECT_TRUE(Matches(separate.Im, g.Im)) << "Im";
}

INSTANTIATE_TEST_SUITE_P(
    Complex, PolarDegToRect,
    testing::Values(PolarCase{"UnitAtZero", 1.0, 0.0, 1.0, 0.0},
                    PolarCase{"UnitAt180", 1.0, 180.0, -1.0, 1.2246467991473532e-16},
                    PolarCase{"UnitAtMinus180", 1.0, -180.0, -1.0, -1.2246467991473532e-16},
                    PolarCase{"HalfAt90", 0.5, 90.0, 3.061616997868383e-17, 0.5},
                    PolarCase{"ZeroAt45", 0.0, 45.0, 0.0, 0.0},
                    PolarCase{"ZeroAtMinus135", 0.0, -135.0, 0.0, 0.0},
                    PolarCase{"InfiniteAtZero", kInf, 0.0, kInf, kNaN}),
    [](const testing::TestParamInfo<PolarCase>& row) { return row.param.name; });

TEST(Complex, PolarToRectTakesRadians) {
  rf::TComplex z;
  rf::CxPolarToRect(rf::TComplex{2.0, 0.0}, z);
  EXPECT_TRUE(Matches(2.0, z.Re));
  EXPECT_TRUE(Matches(0.0, z.Im));
  rf::CxPolarToRect(rf::TComplex{2.0, 3.141592653589793 / 2.0}, z);
  EXPECT_TRUE(Matches(2.0, z.Im));
}

TEST(Complex, MulOfImaginaryUnitsIsMinusOne) {
  rf::TComplex z;
  rf::CxMul(rf::TComplex{0.0, 1.0}, rf::TComplex{0.0, 1.0}, z);
  EXPECT_TRUE(Matches(-1.0, z.Re));
  EXPECT_TRUE(Matches(0.0, z.Im));
}

TEST(Complex, MulByOneKeepsValue) {
  rf::TComplex z;
  rf::CxMul(rf::TComplex{-2.5, 7.25}, rf::TComplex{1.0, 0.0}, z);
  EXPECT_TRUE(Matches(-2.5, z.Re));
  EXPECT_TRUE(Matches(7.25, z.Im));
}

TEST(Complex, MulMayWriteIntoItsInput) {
  rf::TComplex a{1.0, 2.0};
  rf::CxMul(a, rf::TComplex{3.0, 4.0}, a);  // (1+2j)(3+4j) = -5+10j
  EXPECT_TRUE(Matches(-5.0, a.Re));
  EXPECT_TRUE(Matches(10.0, a.Im));
}

TEST(Complex, SqrMagHasNoSquareRoot) {
  EXPECT_TRUE(Matches(25.0, rf::CxSqrMag(rf::TComplex{3.0, 4.0})));
  EXPECT_TRUE(Matches(kInf, rf::CxSqrMag(rf::TComplex{0.0, kInf})));
}

}  // namespace
