#include "lines/frequency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "lines/band.h"
#include "row_name.h"

namespace {

struct ParseRow {
  std::string name;
  std::string text;
  double hz;          // when error is empty
  std::string error;  // the message, or empty
};

void PrintTo(const ParseRow& row, std::ostream* os) { *os << row.name; }

class ParsesFrequency : public testing::TestWithParam<ParseRow> {};

TEST_P(ParsesFrequency, ToHzOrAMessage) {
  const ParseRow& row = GetParam();
  const lines::Result<double> r = lines::ParseFrequency(row.text);
  EXPECT_EQ(r.Error, row.error);
  if (row.error.empty()) {
    EXPECT_EQ(r.Value, row.hz);
  }
}

const std::string kJunk = "expected a frequency such as 2.45G, 2450M, 2.45 GHz or 2450000000";

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsesFrequency,
    testing::Values(
        ParseRow{"GigaSuffix", "2.45G", 2.45e9, ""}, ParseRow{"MegaSuffix", "2450M", 2.45e9, ""},
        ParseRow{"PlainHz", "2450000000", 2.45e9, ""},
        ParseRow{"SpacedUnit", "2.45 GHz", 2.45e9, ""},
        ParseRow{"KiloHz", "2450000kHz", 2.45e9, ""}, ParseRow{"LowerCase", "915 mhz", 915e6, ""},
        ParseRow{"HzOnly", "50 Hz", 50.0, ""}, ParseRow{"Exponent", "2.45e9", 2.45e9, ""},
        ParseRow{"ExponentAndSuffix", "2.45e3M", 2.45e9, ""},
        ParseRow{"Blanks", " \t2.45G\t ", 2.45e9, ""}, ParseRow{"Smallest", "5e-324", 5e-324, ""},
        ParseRow{"Largest", "1.7976931348623157e308", 1.7976931348623157e308, ""},
        ParseRow{"Negative", "-2.45G", 0.0, "a frequency cannot be negative"},
        ParseRow{"Zero", "0", 0.0, "a frequency must be above zero"},
        ParseRow{"NegativeZero", "-0G", 0.0, "a frequency must be above zero"},
        ParseRow{"Underflow", "1e-400", 0.0, "a frequency must be above zero"},
        ParseRow{"Overflow", "1e400", 0.0, "the frequency is too large"},
        ParseRow{"OverflowBySuffix", "1e300G", 0.0, "the frequency is too large"},
        ParseRow{"Infinity", "inf", 0.0, "a frequency must be a finite number"},
        ParseRow{"NegativeInfinity", "-Infinity", 0.0, "a frequency must be a finite number"},
        ParseRow{"NaN", "NaN", 0.0, "a frequency must be a finite number"},
        ParseRow{"Empty", "", 0.0, kJunk}, ParseRow{"Blank", "   ", 0.0, kJunk},
        ParseRow{"Word", "fast", 0.0, kJunk}, ParseRow{"UnknownSuffix", "2.45T", 0.0, kJunk},
        ParseRow{"SuffixTwice", "2.45GG", 0.0, kJunk}, ParseRow{"Comma", "2,45G", 0.0, kJunk},
        ParseRow{"Plus", "+2.45G", 0.0, kJunk}, ParseRow{"HalfExponent", "2.45e", 0.0, kJunk},
        ParseRow{"SuffixOnly", "GHz", 0.0, kJunk},
        ParseRow{"SpaceInUnit", "2.45 G Hz", 0.0, kJunk}),
    lines_test::RowName());

struct FormatRow {
  std::string name;
  double hz;
  std::string text;
};

void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.name; }

class FormatsFrequency : public testing::TestWithParam<FormatRow> {};

// The text reads back to the same frequency, bit for bit.
TEST_P(FormatsFrequency, InTheLargestUnitAndReadsBack) {
  const FormatRow& row = GetParam();
  EXPECT_EQ(lines::FormatFrequency(row.hz), row.text);
  if (row.hz > 0.0 && std::isfinite(row.hz)) {
    EXPECT_EQ(lines::ParseFrequency(row.text).Value, row.hz);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatsFrequency,
    testing::Values(FormatRow{"Magnetron", 2.45e9, "2.45 GHz"},
                    FormatRow{"Industrial", 915e6, "915 MHz"}, FormatRow{"Spread", 50e6, "50 MHz"},
                    FormatRow{"Kilo", 1500.0, "1.5 kHz"}, FormatRow{"JustGiga", 1e9, "1 GHz"},
                    FormatRow{"BelowGiga", 999999999.0, "999.999999 MHz"},
                    FormatRow{"Hz", 7.0, "7 Hz"},
                    FormatRow{"UnitWouldNotReadBack", 1018954480.1599963, "1018954480.1599963 Hz"},
                    FormatRow{"Zero", 0.0, "0 Hz"},
                    FormatRow{"Infinite", std::numeric_limits<double>::infinity(), "inf Hz"}),
    lines_test::RowName());

struct BandRow {
  std::string name;
  std::string text;
  double from;
  double to;
  std::string error;
};

void PrintTo(const BandRow& row, std::ostream* os) { *os << row.name; }

class ParsesBand : public testing::TestWithParam<BandRow> {};

TEST_P(ParsesBand, AsCentreAndSpread) {
  const BandRow& row = GetParam();
  const lines::Result<lines::Band> b = lines::ParseBand(row.text);
  EXPECT_EQ(b.Error, row.error);
  if (row.error.empty()) {
    EXPECT_EQ(b.Value.FromHz, row.from);
    EXPECT_EQ(b.Value.ToHz, row.to);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsesBand,
    testing::Values(
        BandRow{"Magnetron", "2.45G,50M", 2.4e9, 2.5e9, ""},
        BandRow{"Spaced", "2.45 GHz, 50 MHz", 2.4e9, 2.5e9, ""},
        BandRow{"ZeroSpread", "915M,0", 915e6, 915e6, ""},
        BandRow{"NoComma", "2.45G", 0, 0, "expected a band as CENTRE,SPREAD such as 2.45G,50M"},
        BandRow{"TwoCommas", "2.45G,50M,1M", 0, 0,
                "expected a band as CENTRE,SPREAD such as 2.45G,50M"},
        BandRow{"BadCentre", "x,50M", 0, 0,
                "the band's centre: expected a frequency such as 2.45G, 2450M, 2.45 GHz or "
                "2450000000"},
        BandRow{"NegativeSpread", "2.45G,-50M", 0, 0,
                "the band's spread: a frequency cannot be negative"},
        BandRow{"SpreadToZero", "50M,50M", 0, 0, "the band reaches down to zero or below"},
        BandRow{"SpreadBelowZero", "50M,60M", 0, 0, "the band reaches down to zero or below"}),
    lines_test::RowName());

TEST(Band, PointsIncludeBothEndsExactly) {
  const lines::Band b = lines::BandAround(2.45e9, 50e6).Value;
  EXPECT_EQ(lines::BandFrequency(b, 0, 11), 2.4e9);
  EXPECT_EQ(lines::BandFrequency(b, 10, 11), 2.5e9);
  EXPECT_EQ(lines::BandFrequency(b, 5, 11), 2.45e9);
  EXPECT_EQ(lines::BandFrequency(b, 0, 1), 2.45e9);
  EXPECT_EQ(lines::BandCentre(lines::BandBetween(1e9, 3e9).Value), 2e9);
  EXPECT_EQ(lines::BandBetween(3e9, 1e9).Error, "the band's start lies above its end");
  EXPECT_EQ(lines::BandBetween(0.0, 1e9).Error, "the band's start: a frequency must be above zero");
  EXPECT_EQ(lines::BandBetween(1e9, std::numeric_limits<double>::infinity()).Error,
            "the band's end: a frequency must be above zero");
  EXPECT_EQ(lines::BandAround(2.45e9, std::nan("")).Error, "the band's spread cannot be negative");
}

}  // namespace
