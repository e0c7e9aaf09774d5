#include "views/readings_view.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

#include "views/bound_text.h"

namespace {

using views::ReadingUnit;
using views::Rounding;

template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& row) {
  return row.param.name;
}

double Number(const std::string& text) {
  double v = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

// A power cell in watts, by the prefix of its row's unit.
double Watts(const views::TruthRow& row, std::size_t column) {
  const double scale = row[1] == "kW" ? 1e3 : row[1] == "MW" ? 1e6 : 1.0;
  return Number(row[column]) * scale;
}

struct Bound {
  const char* name;
  double x;
  int decimals;
  Rounding rounding;
  const char* text;
};
void PrintTo(const Bound& row, std::ostream* os) { *os << row.name; }

class BoundTextRows : public testing::TestWithParam<Bound> {};

TEST_P(BoundTextRows, RoundsToTheSafeSide) {
  const Bound& row = GetParam();
  EXPECT_EQ(views::BoundText(row.x, row.decimals, row.rounding), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, BoundTextRows,
    testing::Values(Bound{"MaxUpNotNearest", 2372.451, 2, Rounding::Up, "2372.46"},
                    Bound{"MinDownNotNearest", 0.09996, 4, Rounding::Down, "0.0999"},
                    Bound{"NearestStays", 0.09996, 4, Rounding::Nearest, "0.1"},
                    // 0.29 is a hair below 29/100 as a double; scaled it is 28.999999999999996.
                    Bound{"DecimalItselfDown", 0.29, 2, Rounding::Down, "0.29"},
                    Bound{"DecimalItselfUp", 1.1, 2, Rounding::Up, "1.1"},
                    Bound{"NegativeDown", -20.001, 2, Rounding::Down, "-20.01"},
                    Bound{"NegativeUp", -20.009, 2, Rounding::Up, "-20"},
                    Bound{"ZeroUp", 0.0, 2, Rounding::Up, "0"},
                    Bound{"OneUp", 1.0, 3, Rounding::Up, "1"},
                    Bound{"InfinityUp", HUGE_VAL, 2, Rounding::Up, "\u221E"},
                    Bound{"MinusInfinityDown", -HUGE_VAL, 2, Rounding::Down, "-\u221E"},
                    Bound{"NanDown", std::nan(""), 2, Rounding::Down, "NAN"}),
    RowName<Bound>);

struct Parse {
  const char* name;
  const char* text;
  ReadingUnit unit;
  double watts;  // NaN: not a number
};
void PrintTo(const Parse& row, std::ostream* os) { *os << row.name; }

class ReadingWattsRows : public testing::TestWithParam<Parse> {};

TEST_P(ReadingWattsRows, ConvertsToWatts) {
  const Parse& row = GetParam();
  const auto w = views::ReadingWatts(row.text, row.unit);
  if (std::isnan(row.watts)) {
    EXPECT_FALSE(w.has_value());
  } else {
    ASSERT_TRUE(w.has_value());
    EXPECT_NEAR(*w, row.watts, 1e-12 * std::fabs(row.watts));
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadingWattsRows,
                         testing::Values(Parse{"Watts", "1000", ReadingUnit::W, 1000.0},
                                         Parse{"CommaPoint", " 2,5 ", ReadingUnit::KW, 2500.0},
                                         Parse{"Megawatts", "1.2", ReadingUnit::MW, 1.2e6},
                                         Parse{"Dbm", "60", ReadingUnit::Dbm, 1000.0},
                                         Parse{"NegativeDbw", "-3", ReadingUnit::Dbw,
                                               0.50118723362727224},
                                         Parse{"Dbkw", "0", ReadingUnit::Dbkw, 1000.0},
                                         Parse{"NegativeWattsPassedOn", "-1", ReadingUnit::W, -1.0},
                                         Parse{"Empty", "", ReadingUnit::W, std::nan("")},
                                         Parse{"UnitTyped", "5 W", ReadingUnit::W, std::nan("")},
                                         Parse{"Infinity", "inf", ReadingUnit::W, std::nan("")},
                                         Parse{"NanText", "nan", ReadingUnit::Dbm, std::nan("")},
                                         Parse{"TwoSigns", "+-1", ReadingUnit::W, std::nan("")}),
                         RowName<Parse>);

views::ReadingsInputs Inputs(const char* fwd, const char* ref, bool ideal, const char* dir,
                             ReadingUnit unit = ReadingUnit::W) {
  views::ReadingsInputs in;
  in.Forward = fwd;
  in.Reflected = ref;
  in.ForwardUnit = in.ReflectedUnit = unit;
  in.Ideal = ideal;
  in.DirectivityDb = dir;
  return in;
}

TEST(TruthSheet, IdealCouplersGiveTheExactTruthRoundedToNearest) {
  // 1 kW forward, 40 W reflected: M = sqrt(0.04) = 0.2, SWR 1.2 / 0.8 = 1.5, 20 log10 0.2.
  const views::TruthSheet s = views::TruthFromInputs(Inputs("1", "40", true, "", ReadingUnit::W));
  ASSERT_FALSE(s.Ok);  // 1 W forward and 40 W reflected: impossible with ideal couplers

  views::ReadingsInputs in = Inputs("1", "0.04", true, "", ReadingUnit::KW);
  const views::TruthSheet t = views::TruthFromInputs(in);
  ASSERT_TRUE(t.Ok) << t.Message;
  ASSERT_EQ(t.Rows.size(), 6u);
  const std::vector<views::TruthRow> expected{{"Incident Power", "kW", "1", "1"},
                                              {"Reflected Power", "kW", "0.04", "0.04"},
                                              {"Absorbed Power", "kW", "0.96", "0.96"},
                                              {"Load reflection, Mag", "", "0.2", "0.2"},
                                              {"Load reflection, dB", "dB", "-13.98", "-13.98"},
                                              {"Load reflection, SWR", "", "1.5", "1.5"}};
  EXPECT_EQ(t.Rows, expected);
}

TEST(TruthSheet, DecibelReadingsAnswerInTheirUnit) {
  const views::TruthSheet t =
      views::TruthFromInputs(Inputs("60", "46.0206", true, "", ReadingUnit::Dbm));
  ASSERT_TRUE(t.Ok) << t.Message;
  EXPECT_EQ(t.Rows[0][1], "dBm");
  EXPECT_EQ(t.Rows[0][2], "60");
  EXPECT_EQ(t.Rows[1][2], "46.02");
}

struct Refused {
  const char* name;
  views::ReadingsInputs in;
  const char* startsWith;
};
void PrintTo(const Refused& row, std::ostream* os) { *os << row.name; }

class TruthRefused : public testing::TestWithParam<Refused> {};

// Readings no load gives, and texts that are no readings, give a message and no numbers.
TEST_P(TruthRefused, GivesAMessageNotNumbers) {
  const Refused& row = GetParam();
  const views::TruthSheet t = views::TruthFromInputs(row.in);
  EXPECT_FALSE(t.Ok);
  EXPECT_TRUE(t.Rows.empty());
  EXPECT_TRUE(t.Message.starts_with(row.startsWith)) << t.Message;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TruthRefused,
    testing::Values(
        Refused{"ReflectedAboveForwardIdeal", Inputs("100", "101", true, ""), "No load gives"},
        // 20 dB couplers: the reflected reading can exceed the forward one only slightly.
        Refused{"ReflectedFarAboveForward", Inputs("100", "200", false, "20"), "No load gives"},
        Refused{"BothZero", Inputs("0", "0", false, "20"), "Both readings are zero"},
        Refused{"NegativeReading", Inputs("-5", "1", false, "20"), "A reading must be"},
        Refused{"DirectivityBeyondRange", Inputs("100", "1", false, "170"), "A reading must be"},
        Refused{"ForwardNotANumber", Inputs("abc", "1", false, "20"), "Type the forward"},
        Refused{"ReflectedEmpty", Inputs("100", "", false, "20"), "Type the reflected"},
        Refused{"DirectivityEmpty", Inputs("100", "1", false, ""), "Type the directivity"}),
    RowName<Refused>);

// The shown bounds hold every (Pinc, M) that a brute force over the two leakage phases finds
// consistent with the readings: for a grid of true loads and phases, the readings they give are
// fed back, and the truth behind them must lie within the rows as shown.
struct Truth {
  const char* name;
  double pinc;
  double mag;
  double dirDb;
};
void PrintTo(const Truth& row, std::ostream* os) { *os << row.name; }

class TruthHoldsTheCause : public testing::TestWithParam<Truth> {};

TEST_P(TruthHoldsTheCause, ShownRangesHoldTheTrueLoad) {
  const Truth& row = GetParam();
  const double d = std::pow(10.0, -row.dirDb / 20.0);
  constexpr int kSteps = 24;
  for (int i = 0; i < kSteps; ++i) {
    for (int j = 0; j < kSteps; ++j) {
      const double psi = 2.0 * std::numbers::pi * i / kSteps;
      const double chi = 2.0 * std::numbers::pi * j / kSteps;
      const double x = d * row.mag;
      const double fwd = row.pinc * (1.0 + x * x + 2.0 * x * std::cos(psi));
      const double ref = row.pinc * (row.mag * row.mag + d * d + 2.0 * x * std::cos(chi));
      views::ReadingsInputs in;
      in.Forward = std::to_string(fwd);
      in.Reflected = std::to_string(ref);
      in.DirectivityDb = std::to_string(row.dirDb);
      // to_string keeps six decimals: the readings typed miss the true ones by 5e-7 W.
      const views::TruthSheet t = views::TruthFromInputs(in);
      ASSERT_TRUE(t.Ok) << t.Message << " psi " << i << " chi " << j;
      const double slack = 1e-6 * row.pinc;
      EXPECT_LE(Watts(t.Rows[0], 2), row.pinc + slack);
      EXPECT_GE(Watts(t.Rows[0], 3), row.pinc - slack);
      const double pload = row.pinc * (1.0 - row.mag * row.mag);
      EXPECT_LE(Watts(t.Rows[2], 2), pload + slack);
      EXPECT_GE(Watts(t.Rows[2], 3), pload - slack);
      EXPECT_LE(Number(t.Rows[3][2]), row.mag + 1e-6);
      EXPECT_GE(Number(t.Rows[3][3]), row.mag - 1e-6);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Loads, TruthHoldsTheCause,
                         testing::Values(Truth{"Matched20dB", 1000.0, 0.0, 20.0},
                                         Truth{"Swr1p5At20dB", 1000.0, 0.2, 20.0},
                                         Truth{"Mag0p6At30dB", 2500.0, 0.6, 30.0},
                                         Truth{"NearTotalAt25dB", 800.0, 0.95, 25.0}),
                         RowName<Truth>);

}  // namespace
