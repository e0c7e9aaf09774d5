#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "double_match.h"
#include "rf/reflection.h"

namespace {

using rf_test::kInf;
using rf_test::kNaN;
using rf_test::Matches;
using rf_test::Tol;

struct ConvCase {
  std::string name;
  friend void PrintTo(const ConvCase& c, std::ostream* os) { *os << c.name; }
  double (*fn)(double);
  double x;
  double expected;
  Tol tol = Tol::Exact;
  double bound = 0.0;
};

class Conversion : public testing::TestWithParam<ConvCase> {};

TEST_P(Conversion, GivesExpectedValue) {
  const ConvCase& c = GetParam();
  EXPECT_TRUE(Matches(c.expected, c.fn(c.x), c.tol, c.bound)) << "argument " << c.x;
}

const double kJustAbove1e8 = std::nextafter(1e-8, 1.0);

INSTANTIATE_TEST_SUITE_P(
    Reflection, Conversion,
    testing::Values(
        ConvCase{"MagToDbOne", rf::MagToDb, 1.0, 0.0},
        ConvCase{"MagToDbHalf", rf::MagToDb, 0.5, -6.0206, Tol::Abs, 5e-5},
        ConvCase{"MagToDbFloorIsStrict", rf::MagToDb, 1e-8, -160.0},
        ConvCase{"MagToDbJustAboveFloor", rf::MagToDb, kJustAbove1e8, -160.0, Tol::Abs, 1e-12},
        ConvCase{"MagToDbSlightlyAboveFloor", rf::MagToDb, 1.0000001e-8, -159.999999, Tol::Abs,
                 5e-7},
        ConvCase{"MagToDbZero", rf::MagToDb, 0.0, -160.0},
        ConvCase{"MagToDbNegative", rf::MagToDb, -0.5, -160.0},
        ConvCase{"MagToDbNaN", rf::MagToDb, kNaN, -160.0},
        ConvCase{"MagToDbInfinity", rf::MagToDb, kInf, kInf},
        ConvCase{"DbToMagZero", rf::DbToMag, 0.0, 1.0},
        ConvCase{"DbToMagMinus20", rf::DbToMag, -20.0, 0.1, Tol::Rel, 1e-15},
        ConvCase{"DbToMagMinus160", rf::DbToMag, -160.0, 1e-8, Tol::Rel, 1e-15},
        ConvCase{"DbToMagMinus3", rf::DbToMag, -3.0, 0.707946, Tol::Abs, 5e-7},
        ConvCase{"PowToDbTwo", rf::PowToDb, 2.0, 3.0103, Tol::Abs, 5e-5},
        ConvCase{"PowToDbZero", rf::PowToDb, 0.0, -kInf},
        ConvCase{"PowToDbNegative", rf::PowToDb, -1.0, kNaN},
        ConvCase{"PowToDbNaN", rf::PowToDb, kNaN, kNaN},
        ConvCase{"PowToDbPlusInfinity", rf::PowToDb, kInf, kInf},
        ConvCase{"PowToDbMinusInfinity", rf::PowToDb, -kInf, -kInf},
        ConvCase{"MagToSwrZero", rf::MagToSwr, 0.0, 1.0},
        ConvCase{"MagToSwrHalf", rf::MagToSwr, 0.5, 3.0},
        ConvCase{"MagToSwrJustBelowBand", rf::MagToSwr, 0.9998, 9999.0, Tol::Abs, 0.05},
        ConvCase{"MagToSwrLowerBandEnd", rf::MagToSwr, 0.9999, kInf},
        ConvCase{"MagToSwrOne", rf::MagToSwr, 1.0, kInf},
        ConvCase{"MagToSwrUpperBandEnd", rf::MagToSwr, 1.0001, kInf},
        ConvCase{"MagToSwrJustAboveBand", rf::MagToSwr, 1.0002, 10001.0, Tol::Abs, 0.05},
        ConvCase{"MagToSwrAboveOne", rf::MagToSwr, 1.5, 5.0},
        ConvCase{"MagToSwrNegative", rf::MagToSwr, -0.5, 1.0 / 3.0, Tol::Rel, 1e-15},
        ConvCase{"MagToSwrNaN", rf::MagToSwr, kNaN, kInf},
        ConvCase{"MagToSwrInfinity", rf::MagToSwr, kInf, kNaN},
        ConvCase{"SwrToMagOne", rf::SwrToMag, 1.0, 0.0},
        ConvCase{"SwrToMagBelowOne", rf::SwrToMag, 0.5, 0.0},
        ConvCase{"SwrToMagThree", rf::SwrToMag, 3.0, 0.5},
        ConvCase{"SwrToMagNearTotal", rf::SwrToMag, 9999.999, 0.99980002, Tol::Abs, 5e-9},
        ConvCase{"DirZeroDb", rf::DirDbToFactor, 0.0, 1.0},
        ConvCase{"DirTwentyDb", rf::DirDbToFactor, 20.0, 0.1, Tol::Rel, 1e-15},
        ConvCase{"DirLargestIsNotZero", rf::DirDbToFactor, 160.0, 1e-8, Tol::Rel, 1e-15}),
    [](const testing::TestParamInfo<ConvCase>& row) { return row.param.name; });

struct InfSignCase {
  std::string name;
  friend void PrintTo(const InfSignCase& c, std::ostream* os) { *os << c.name; }
  double x;
  int sign;
};

class InfSignOf : public testing::TestWithParam<InfSignCase> {};

TEST_P(InfSignOf, TellsOnlyInfinitiesApart) {
  EXPECT_EQ(GetParam().sign, rf::InfSign(GetParam().x));
}

INSTANTIATE_TEST_SUITE_P(Reflection, InfSignOf,
                         testing::Values(InfSignCase{"PlusInfinity", kInf, 1},
                                         InfSignCase{"MinusInfinity", -kInf, -1},
                                         InfSignCase{"NaN", kNaN, 0}, InfSignCase{"Zero", 0.0, 0},
                                         InfSignCase{"LargestFinite", 1.7976931348623157e308, 0},
                                         InfSignCase{"MinusOne", -1.0, 0}),
                         [](const testing::TestParamInfo<InfSignCase>& row) {
                           return row.param.name;
                         });

enum class Rule { FromMag, FromRloss, FromSwr };

struct RuleCase {
  std::string name;
  friend void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }
  Rule rule;
  rf::TRefl in;  // the entered form; the other derived fields are filled with junk
  double mag;
  double rloss;
  double swr;
  double bound = 0.0;  // absolute, for the derived fields only
};

class Completion : public testing::TestWithParam<RuleCase> {};

TEST_P(Completion, DerivesTheOtherFormsAndKeepsTheEnteredOne) {
  const RuleCase& c = GetParam();
  rf::TRefl r = c.in;
  r.Pha = 33.0;
  r.Mism = 0.125;
  switch (c.rule) {
    case Rule::FromMag:
      rf::ReflFromMag(r);
      break;
    case Rule::FromRloss:
      rf::ReflFromRloss(r);
      break;
    case Rule::FromSwr:
      rf::ReflFromSwr(r);
      break;
  }
  const Tol tol = c.bound > 0.0 ? Tol::Abs : Tol::Exact;
  EXPECT_TRUE(Matches(c.mag, r.Mag, c.rule == Rule::FromMag ? Tol::Exact : tol, c.bound)) << "Mag";
  EXPECT_TRUE(Matches(c.rloss, r.Rloss, c.rule == Rule::FromRloss ? Tol::Exact : tol, c.bound))
      << "Rloss";
  EXPECT_TRUE(Matches(c.swr, r.Swr, c.rule == Rule::FromSwr ? Tol::Exact : tol, c.bound)) << "Swr";
  EXPECT_EQ(33.0, r.Pha);
  EXPECT_EQ(0.125, r.Mism);
}

const double kJustAboveMinus160 = std::nextafter(-160.0, 0.0);

INSTANTIATE_TEST_SUITE_P(
    Reflection, Completion,
    testing::Values(
        RuleCase{"MagZero", Rule::FromMag, {0.0, 0, 7, 7, 0}, 0.0, -160.0, 1.0},
        RuleCase{"MagOne", Rule::FromMag, {1.0, 0, 7, 7, 0}, 1.0, 0.0, kInf},
        RuleCase{"MagHalf", Rule::FromMag, {0.5, 0, 7, 7, 0}, 0.5, -6.0206, 3.0, 5e-5},
        RuleCase{"RlossAtFloor", Rule::FromRloss, {7, 0, -160.0, 7, 0}, 0.0, -160.0, 1.0},
        RuleCase{"RlossJustAboveFloor",
                 Rule::FromRloss,
                 {7, 0, kJustAboveMinus160, 7, 0},
                 1e-8,
                 kJustAboveMinus160,
                 1.00000002,
                 1e-12},
        RuleCase{"RlossZero", Rule::FromRloss, {7, 0, 0.0, 7, 0}, 1.0, 0.0, kInf},
        RuleCase{"RlossMinus20", Rule::FromRloss, {7, 0, -20.0, 7, 0}, 0.1, -20.0, 1.22222, 5e-6},
        RuleCase{"SwrOne", Rule::FromSwr, {7, 0, 7, 1.0, 0}, 0.0, -160.0, 1.0},
        RuleCase{"SwrJustBelowTotal",
                 Rule::FromSwr,
                 {7, 0, 7, 9999.998, 0},
                 0.99980002,
                 -0.0017,
                 9999.998,
                 5e-5},
        RuleCase{"SwrAtTotal", Rule::FromSwr, {7, 0, 7, 9999.999, 0}, 1.0, 0.0, 9999.999},
        RuleCase{"SwrAboveTotalIsKept", Rule::FromSwr, {7, 0, 7, 20000.0, 0}, 1.0, 0.0, 20000.0}),
    [](const testing::TestParamInfo<RuleCase>& row) { return row.param.name; });

}  // namespace
