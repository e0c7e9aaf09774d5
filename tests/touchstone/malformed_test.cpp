#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "read_text.h"
#include "touchstone/reader.h"

namespace {

using touchstone_test::ErrorOf;
using touchstone_test::Read;

struct BadRow {
  std::string name;
  std::string text;
  int ports;
  int port;
  std::string message;
};

void PrintTo(const BadRow& row, std::ostream* os) { *os << row.name; }

class MalformedFile : public testing::TestWithParam<BadRow> {};

// One message naming the place, and nothing loaded.
TEST_P(MalformedFile, GivesOneMessageAndNoPoints) {
  const BadRow& row = GetParam();
  const touchstone::Loaded l = Read(row.text, row.ports, row.port);
  EXPECT_EQ(ErrorOf(l), row.message);
  EXPECT_TRUE(l.Points.empty());
}

const std::string kV2Head = "[Version] 2.0\n# GHz RI\n[Number of Ports] 1\n";

INSTANTIATE_TEST_SUITE_P(
    Data, MalformedFile,
    testing::Values(
        BadRow{"Letters", "# GHz\n1 0.5 0\n2 0.5 x\n", 1, 1, "line 3, column 7: expected a number"},
        BadRow{"DecimalComma", "# GHz\n1 0,5 0\n", 1, 1, "line 2, column 3: expected a number"},
        BadRow{"Infinity", "# GHz\n1 inf 0\n", 1, 1, "line 2, column 3: expected a number"},
        BadRow{"NaN", "# GHz\n1 0.5 nan\n", 1, 1, "line 2, column 7: expected a number"},
        BadRow{"Overflow", "# GHz\n1 1e999 0\n", 1, 1,
               "line 2, column 3: the number is out of range"},
        BadRow{"ShortOnePortLine", "# GHz\n1 0.5\n2 0.5 0\n", 1, 1,
               "line 2, column 6: expected a number"},
        BadRow{"LongOnePortLine", "# GHz\n1 0.5 0 7\n", 1, 1,
               "line 2, column 9: expected the end of the line: the data of one frequency is "
               "complete here"},
        BadRow{"TwoPortEndsEarly", "# GHz\n1 .1 0 .2 0 .2 0 .1\n", 2, 1,
               "line 2, column 20: expected a number: the data of the last frequency is "
               "incomplete"},
        BadRow{"Decreasing", "# MHz\n2450 0.5 0\n2440 0.5 0\n", 1, 1,
               "line 3, column 1: frequencies must increase: 2440000000 Hz follows 2450000000 "
               "Hz"},
        BadRow{"Repeated", "# MHz\n2450 0.5 0\n2450 0.5 0\n", 1, 1,
               "line 3, column 1: frequencies must increase: 2450000000 Hz follows 2450000000 "
               "Hz"},
        BadRow{"Negative", "# MHz\n-1 0.5 0\n", 1, 1,
               "line 2, column 1: a frequency cannot be negative"},
        BadRow{"FrequencyTooLarge", "# GHz\n1e300 0.5 0\n", 1, 1,
               "line 2, column 1: the frequency is too large"},
        BadRow{"TwoPortDecreasing",
               "# GHz\n1 .1 0 .2 0 .2 0 .1 0\n2 .1 0 .2 0 .2 0 .1 0\n1.5 .1 0 .2 0 .2 0 .1 0\n", 2,
               1,
               "line 4, column 1: frequencies must increase: 1500000000 Hz follows 2000000000 "
               "Hz"},
        BadRow{"NoiseLineShort", "# GHz\n2 .1 0 .2 0 .2 0 .1 0\n1 1.5 .6 120 .2\n2 1.5 .6 120\n", 2,
               1, "line 4, column 1: noise data holds 5 numbers on each line"},
        BadRow{"NoiseLineLong",
               "# GHz\n2 .1 0 .2 0 .2 0 .1 0\n1 1.5 .6 120 .2\n2 1.5 .6 120 .2 7\n", 2, 1,
               "line 4, column 17: noise data holds 5 numbers on each line"},
        BadRow{"Empty", "", 1, 1, "line 1, column 1: the file holds no network data"},
        BadRow{"OnlyComments", "! nothing\n# GHz\n", 1, 1,
               "line 2, column 6: the file holds no network data"},
        BadRow{"PortsUnknown", "# GHz\n1 0.5 0\n", 0, 1,
               "line 2, column 1: the number of ports is not known: the file's name should end "
               "in .s1p, .s2p, .s3p or .s4p"},
        BadRow{"NoSuchPort", "# GHz\n1 0.5 0\n", 1, 2,
               "line 2, column 1: there is no port 2 in a 1-port file"},
        BadRow{"PortZero", "# GHz\n1 0.5 0\n", 1, 0, "there is no port 0"},
        BadRow{"LineTooLong", "# GHz\n" + std::string(70000, ' ') + "1 0.5 0\n", 1, 1,
               "line 2, column 65537: the line is longer than 65536 bytes"}),
    touchstone_test::RowName());

INSTANTIATE_TEST_SUITE_P(
    OptionLine, MalformedFile,
    testing::Values(
        BadRow{"UnknownField", "# GHz S MA X 50\n", 1, 1,
               "line 1, column 12: unknown option: expected Hz, kHz, MHz, GHz, S, Y, Z, G, H, MA, "
               "DB, RI or R"},
        BadRow{"UnitTwice", "# GHz MHz\n", 1, 1,
               "line 1, column 7: the option line sets this twice"},
        BadRow{"RWithoutValue", "# GHz R\n", 1, 1,
               "line 1, column 8: expected the reference resistance after R"},
        BadRow{"RNotANumber", "#  R fifty\n", 1, 1,
               "line 1, column 6: expected the reference resistance after R"},
        BadRow{"RZero", "# R 0\n", 1, 1,
               "line 1, column 5: the reference resistance must be a positive number of ohms"},
        BadRow{"RNegative", "# R -50\n", 1, 1,
               "line 1, column 5: the reference resistance must be a positive number of ohms"},
        BadRow{"Hybrid", "# GHz H RI\n1 0 0 0 0 0 0 0 0\n", 2, 1,
               "line 1, column 7: G and H parameters cannot be read as a reflection; save the "
               "file with S, Y or Z parameters"},
        BadRow{"HybridG", "#g\n", 2, 1,
               "line 1, column 2: G and H parameters cannot be read as a reflection; save the "
               "file with S, Y or Z parameters"}),
    touchstone_test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Keywords, MalformedFile,
    testing::Values(
        BadRow{"KeywordInVersion1", "# GHz\n[Number of Ports] 1\n", 1, 1,
               "line 2, column 1: a keyword needs [Version] 2.0 as the file's first line"},
        BadRow{"VersionLate", "# GHz\n[Version] 2.0\n", 1, 1,
               "line 2, column 1: [Version] must be the file's first line"},
        BadRow{"VersionUnknown", "[Version] 3.0\n", 1, 1,
               "line 1, column 11: expected version 2.0 or 2.1"},
        BadRow{"Unclosed", "[Version 2.0\n", 1, 1,
               "line 1, column 13: expected ] to close the keyword"},
        BadRow{"Unknown", "[Version] 2.0\n[Number of Pots] 1\n", 1, 1,
               "line 2, column 1: unknown keyword"},
        BadRow{"PortsNotACount", kV2Head + "[Number of Frequencies] 1.5\n", 1, 1,
               "line 4, column 25: expected a whole number above zero"},
        BadRow{"PortsZero", "[Version] 2.0\n[Number of Ports] 0\n", 1, 1,
               "line 2, column 19: expected a whole number above zero"},
        BadRow{"PortsTooMany", "[Version] 2.0\n[Number of Ports] 65\n", 1, 1,
               "line 2, column 19: more than 64 ports cannot be read"},
        BadRow{"PortsTwice", kV2Head + "[Number of Ports] 1\n", 1, 1,
               "line 4, column 1: this keyword appears twice"},
        BadRow{"OrderBeforePorts", "[Version] 2.0\n[Two-Port Data Order] 12_21\n", 1, 1,
               "line 2, column 1: [Number of Ports] must come before this keyword"},
        BadRow{"OrderOnOnePort", kV2Head + "[Two-Port Data Order] 12_21\n", 1, 1,
               "line 4, column 1: [Two-Port Data Order] belongs to 2-port files only"},
        BadRow{"OrderUnknown", "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 12-21\n",
               1, 1, "line 3, column 23: expected 12_21 or 21_12"},
        BadRow{"OrderMissing",
               "[Version] 2.0\n[Number of Ports] 2\n[Number of Frequencies] 1\n[Network Data]\n", 1,
               1,
               "line 4, column 1: a 2-port file needs [Two-Port Data Order] before [Network "
               "Data]"},
        BadRow{"FrequenciesMissing", kV2Head + "[Network Data]\n", 1, 1,
               "line 4, column 1: [Network Data] needs [Number of Frequencies] before it"},
        BadRow{"PortsMissing", "[Version] 2.0\n[Number of Frequencies] 1\n[Network Data]\n", 1, 1,
               "line 3, column 1: [Network Data] needs [Number of Ports] before it"},
        BadRow{"DataBeforeNetworkData", kV2Head + "1 0.5 0\n", 1, 1,
               "line 4, column 1: data outside [Network Data] and [Noise Data]: expected a "
               "keyword"},
        BadRow{"FewerFrequencies",
               kV2Head + "[Number of Frequencies] 2\n[Network Data]\n1 .5 0\n[End]\n", 1, 1,
               "line 7, column 1: [Number of Frequencies] is 2, but the file holds 1"},
        BadRow{"MoreFrequencies",
               kV2Head + "[Number of Frequencies] 1\n[Network Data]\n1 .5 0\n2 .5 0\n[End]\n", 1, 1,
               "line 7, column 6: [Number of Frequencies] is 1, but the file holds more"},
        BadRow{"NoEnd", kV2Head + "[Number of Frequencies] 1\n[Network Data]\n1 .5 0\n", 1, 1,
               "line 6, column 7: the file ends without [End]"},
        BadRow{"ReferenceShort",
               "[Version] 2.0\n[Number of Ports] 2\n[Reference] 50\n[Two-Port Data Order] 12_21\n",
               1, 1,
               "line 4, column 1: [Reference] needs one positive resistance in ohms for each port, "
               "2 in all"},
        BadRow{
            "ReferenceLong", kV2Head + "[Reference] 50 75\n", 1, 1,
            "line 4, column 16: [Reference] needs one positive resistance in ohms for each port, "
            "1 in all"},
        BadRow{
            "ReferenceNegative", kV2Head + "[Reference] -50\n", 1, 1,
            "line 4, column 13: [Reference] needs one positive resistance in ohms for each port, "
            "1 in all"},
        BadRow{"MatrixFormatUnknown", kV2Head + "[Matrix Format] Diagonal\n", 1, 1,
               "line 4, column 17: expected Full, Lower or Upper"},
        BadRow{"MixedMode", kV2Head + "[Mixed-Mode Order] D2,3 D1,4\n", 1, 1,
               "line 4, column 1: mixed-mode data cannot be read as the reflection of one port"},
        BadRow{"NoiseOnOnePort",
               kV2Head + "[Number of Frequencies] 1\n[Network Data]\n1 .5 0\n[Noise Data]\n", 1, 1,
               "line 7, column 1: noise data belongs to 2-port files only"},
        BadRow{"NoiseWithoutCount",
               "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Number of "
               "Frequencies] 1\n[Network Data]\n1 .1 0 .2 0 .2 0 .1 0\n[Noise Data]\n",
               2, 1,
               "line 7, column 1: [Noise Data] needs [Number of Noise Frequencies] before it"},
        BadRow{"NoiseCountShort",
               "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Number of "
               "Frequencies] 1\n[Number of Noise Frequencies] 2\n[Network Data]\n1 .1 0 .2 0 .2 "
               "0 .1 0\n[Noise Data]\n1 1.5 .6 120 .2\n[End]\n",
               2, 1, "line 10, column 1: [Number of Noise Frequencies] is 2, but the file holds 1"},
        BadRow{"HeaderAfterData",
               kV2Head + "[Number of Frequencies] 1\n[Network Data]\n1 .5 0\n[Matrix Format] "
                         "Full\n",
               1, 1, "line 7, column 1: this keyword cannot come here"},
        BadRow{"EndWithoutData", kV2Head + "[End]\n", 1, 1,
               "line 4, column 1: the file holds no network data"}),
    touchstone_test::RowName());

}  // namespace
