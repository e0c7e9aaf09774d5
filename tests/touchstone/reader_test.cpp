#include "touchstone/reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "doubles.h"
#include "read_text.h"

namespace {

using touchstone_test::ErrorOf;
using touchstone_test::Read;
using zephlane_test::WithinOrBothNaN;

struct FileRow {
  std::string name;
  std::string text;
  int ports;
  int port;
  double freqHz;  // of the first point
  double re;
  double im;
};

void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

class ReadsFirstPoint : public testing::TestWithParam<FileRow> {};

TEST_P(ReadsFirstPoint, AsWorkedByHand) {
  const FileRow& row = GetParam();
  const touchstone::Loaded l = Read(row.text, row.ports, row.port);
  ASSERT_FALSE(l.Error) << ErrorOf(l);
  ASSERT_FALSE(l.Points.empty());
  EXPECT_EQ(l.Points[0].FreqHz, row.freqHz);
  EXPECT_TRUE(WithinOrBothNaN(row.re, l.Points[0].Refl.Re, 1e-12));
  EXPECT_TRUE(WithinOrBothNaN(row.im, l.Points[0].Refl.Im, 1e-12));
}

// 0.5 at 90 degrees is (0, 0.5); -6.0206 dB is a magnitude of 0.5.
INSTANTIATE_TEST_SUITE_P(
    OptionLine, ReadsFirstPoint,
    testing::Values(
        FileRow{"Missing", "2.45 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"Bare", "#\n2.45 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"Full", "# GHz S MA R 50\n2.45 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"AnyOrder", "# R 50 MA S MHz\n2450 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"AnyCase", "# mhz s ri r 75\n2450 0.3 -0.4\n", 1, 1, 2.45e9, 0.3, -0.4},
        FileRow{"Hz", "# Hz\n2450000000 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"KHz", "# KHZ RI\n2450000 -0.25 0\n", 1, 1, 2.45e9, -0.25, 0.0},
        FileRow{"OnlyFormat", "# DB\n2.45 -6.020599913279624 180\n", 1, 1, 2.45e9, -0.5, 0.0},
        FileRow{"TabsBetween", "#\tGHz\tS\tRI\n2.45\t0.1\t0.2\n", 1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"SecondIgnored", "# GHz RI\n# MHz MA\n2.45 0.1 0.2\n", 1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"AfterDataIgnored", "2.45 0.5 90\n# MHz RI\n2.5 0.5 90\n", 1, 1, 2.45e9, 0.0, 0.5},
        FileRow{"CommentAfter", "# GHz RI ! calibrated\n2.45 0.1 0.2 ! S11\n", 1, 1, 2.45e9, 0.1,
                0.2},
        FileRow{"ZeroHz", "# Hz RI\n-0 0.1 0.2\n", 1, 1, 0.0, 0.1, 0.2},
        FileRow{"SignsAndExponents", "# GHz RI\n+2.45E+00 +1.0e-1 -.2\n", 1, 1, 2.45e9, 0.1, -0.2}),
    touchstone_test::RowName());

// Y and Z data become the reflection with the reference resistance. Version 1 writes them
// divided by R, version 2 in siemens and ohms. The 2-port network is Z = [100 50; 50 50] ohms
// (Y = [0.02 -0.02; -0.02 0.04] S): S11 = (50 * 100 - 2500) / (150 * 100 - 2500) = 0.2 and
// S22 = (0 * 150 - 2500) / 12500 = -0.2. With references 50 and 25 ohms both are 1/7.
INSTANTIATE_TEST_SUITE_P(
    Conversion, ReadsFirstPoint,
    testing::Values(
        FileRow{"ZOnePortNormalised", "# GHz Z RI R 50\n1 2 0\n", 1, 1, 1e9, 1.0 / 3.0, 0.0},
        FileRow{"YOnePortNormalised", "# GHz Y RI R 50\n1 0.5 0\n", 1, 1, 1e9, 1.0 / 3.0, 0.0},
        FileRow{"ZOnePortOpen", "# GHz Z RI\n1 1e300 0\n", 1, 1, 1e9, 1.0, 0.0},
        FileRow{"ZOnePortShort", "# GHz Z RI\n1 0 0\n", 1, 1, 1e9, -1.0, 0.0},
        FileRow{"ZVersion2Ohms",
                "[Version] 2.0\n# GHz Z RI R 50\n[Number of Ports] 1\n[Number of Frequencies] "
                "1\n[Network Data]\n1 50 50\n[End]\n",
                1, 1, 1e9, 0.2, 0.4},
        FileRow{"ZTwoPortS11", "# GHz Z RI R 50\n1 2 0 1 0 1 0 1 0\n", 2, 1, 1e9, 0.2, 0.0},
        FileRow{"ZTwoPortS22", "# GHz Z RI R 50\n1 2 0 1 0 1 0 1 0\n", 2, 2, 1e9, -0.2, 0.0},
        FileRow{"YTwoPortS11", "# GHz Y RI R 50\n1 1 0 -1 0 -1 0 2 0\n", 2, 1, 1e9, 0.2, 0.0},
        FileRow{"YTwoPortS22", "# GHz Y RI R 50\n1 1 0 -1 0 -1 0 2 0\n", 2, 2, 1e9, -0.2, 0.0},
        FileRow{"YTwoPortVersion2",
                "[Version] 2.0\n# GHz Y RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] "
                "12_21\n[Number of Frequencies] 1\n[Network Data]\n1 0.02 0 -0.02 0 -0.02 0 "
                "0.04 0\n[End]\n",
                2, 2, 1e9, -0.2, 0.0},
        FileRow{"ZPerPortReference1",
                "[Version] 2.0\n# GHz Z RI\n[Number of Ports] 2\n[Two-Port Data Order] "
                "21_12\n[Number of Frequencies] 1\n[Reference] 50\n25\n[Network Data]\n1 100 0 "
                "50 0 50 0 50 0\n[End]\n",
                2, 1, 1e9, 1.0 / 7.0, 0.0},
        FileRow{"ZPerPortReference2",
                "[Version] 2.0\n# GHz Z RI\n[Number of Ports] 2\n[Two-Port Data Order] "
                "21_12\n[Number of Frequencies] 1\n[Reference] 50 25\n[Network Data]\n1 100 0 "
                "50 0 50 0 50 0\n[End]\n",
                2, 2, 1e9, 1.0 / 7.0, 0.0},
        // Three ports, uncoupled: each sees only its own impedance, 100, 50 and 25 ohms.
        FileRow{"ZThreePortS11",
                "[Version] 2.0\n# GHz Z RI R 50\n[Number of Ports] 3\n[Number of Frequencies] "
                "1\n[Network Data]\n1 100 0 0 0 0 0\n0 0 50 0 0 0\n0 0 0 0 25 0\n[End]\n",
                3, 1, 1e9, 1.0 / 3.0, 0.0},
        FileRow{"ZThreePortS33",
                "[Version] 2.0\n# GHz Z RI R 50\n[Number of Ports] 3\n[Number of Frequencies] "
                "1\n[Network Data]\n1 100 0 0 0 0 0\n0 0 50 0 0 0\n0 0 0 0 25 0\n[End]\n",
                3, 3, 1e9, -1.0 / 3.0, 0.0},
        FileRow{"ZLowerTriangle",
                "[Version] 2.0\n# GHz Z RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] "
                "12_21\n[Number of Frequencies] 1\n[Matrix Format] Lower\n[Network Data]\n1 100 "
                "0\n50 0 50 0\n[End]\n",
                2, 1, 1e9, 0.2, 0.0}),
    touchstone_test::RowName());

// The port's own element wherever the layout puts it.
INSTANTIATE_TEST_SUITE_P(
    Ports, ReadsFirstPoint,
    testing::Values(
        FileRow{"TwoPortS11", "# GHz S RI\n1 0.11 0 0.21 0 0.12 0 0.22 0\n", 2, 1, 1e9, 0.11, 0},
        FileRow{"TwoPortS22", "# GHz S RI\n1 0.11 0 0.21 0 0.12 0 0.22 0\n", 2, 2, 1e9, 0.22, 0},
        FileRow{"TwoPortAcrossLines", "# GHz S RI\n1 0.11 0 0.21 0\n  0.12 0 0.22 0\n", 2, 2, 1e9,
                0.22, 0},
        FileRow{"ThreePortRows",
                "# GHz S RI\n1 .11 0 .12 0 .13 0\n .21 0 .22 0 .23 0\n .31 0 .32 0 .33 0\n", 3, 2,
                1e9, 0.22, 0},
        FileRow{"FourPortS33",
                "# GHz S RI\n1 .11 0 .12 0 .13 0 .14 0\n .21 0 .22 0 .23 0 .24 0\n .31 0 .32 0 "
                ".33 0 .34 0\n .41 0 .42 0 .43 0 .44 0\n",
                4, 3, 1e9, 0.33, 0},
        FileRow{"ThreePortUpper",
                "[Version] 2.0\n# GHz S RI\n[Number of Ports] 3\n[Number of Frequencies] "
                "1\n[Matrix Format] Upper\n[Network Data]\n1 .11 0 .12 0 .13 0\n .22 0 .23 0\n "
                ".33 0\n[End]\n",
                3, 3, 1e9, 0.33, 0},
        FileRow{"ThreePortLower",
                "[Version] 2.0\n# GHz S RI\n[Number of Ports] 3\n[Number of Frequencies] "
                "1\n[Matrix Format] lower\n[Network Data]\n1 .11 0\n .21 0 .22 0\n .31 0 .32 0 "
                ".33 0\n[End]\n",
                3, 2, 1e9, 0.22, 0}),
    touchstone_test::RowName());

// What text editors and instruments add around the data.
INSTANTIATE_TEST_SUITE_P(
    Text, ReadsFirstPoint,
    testing::Values(
        FileRow{"Bom", "\xEF\xBB\xBF# GHz RI\n2.45 0.1 0.2\n", 1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"BomBeforeVersion",
                "\xEF\xBB\xBF[Version] 2.0\n# GHz RI\n[Number of Ports] 1\n[Number of "
                "Frequencies] 1\n[Network Data]\n2.45 0.1 0.2\n[End]\n",
                1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"CrLf", "! header\r\n# GHz RI\r\n\r\n2.45 0.1 0.2\r\n", 1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"NoFinalNewline", "# GHz RI\n2.45 0.1 0.2", 1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"LeadingBlanks", "\n\n   \t\n  # GHz RI\n\t 2.45  0.1\t0.2  \n", 1, 1, 2.45e9, 0.1,
                0.2},
        FileRow{"KeywordsAnyCase",
                "[VERSION] 2.0\n# GHz RI\n[number of ports] 1\n[NUMBER OF FREQUENCIES] "
                "1\n[network data]\n2.45 0.1 0.2\n[end]\n",
                1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"InformationSkipped",
                "[Version] 2.0\n# GHz RI\n[Number of Ports] 1\n[Begin Information]\nanything "
                "[at all]\n[End Information]\n[Number of Frequencies] 1\n[Network Data]\n2.45 0.1 "
                "0.2\n[End]\n",
                1, 1, 2.45e9, 0.1, 0.2},
        FileRow{"AfterEndIgnored",
                "[Version] 2.0\n# GHz RI\n[Number of Ports] 1\n[Number of Frequencies] "
                "1\n[Network Data]\n2.45 0.1 0.2\n[End]\nwhatever follows\n",
                1, 1, 2.45e9, 0.1, 0.2}),
    touchstone_test::RowName());

// Every order of the four fields reads the same: 2450 MHz, Z data in real and imaginary
// parts divided by R = 100 ohms, z = 3 giving (3 - 1) / (3 + 1).
TEST(OptionLine, EveryOrderOfTheFieldsReadsTheSame) {
  std::vector<std::string> fields{"MHz", "Z", "RI", "R 100"};
  std::sort(fields.begin(), fields.end());
  int orders = 0;
  do {
    std::string line = "#";
    for (const std::string& f : fields) line += " " + f;
    const touchstone::Loaded l = Read(line + "\n2450 3 0\n", 1);
    ASSERT_FALSE(l.Error) << line << ": " << ErrorOf(l);
    EXPECT_EQ(l.Points[0].FreqHz, 2.45e9) << line;
    EXPECT_EQ(l.Points[0].Refl.Re, 0.5) << line;
    ++orders;
  } while (std::next_permutation(fields.begin(), fields.end()));
  EXPECT_EQ(orders, 24);
}

std::vector<double> Frequencies(const touchstone::Loaded& l) {
  std::vector<double> f;
  for (const auto& p : l.Points) f.push_back(p.FreqHz);
  return f;
}

// The same measurement in both versions gives the same points; the noise data is not read as
// network data in either.
TEST(TouchstoneVersions, AgreeAndSkipNoiseData) {
  const std::string v1 =
      "! two frequencies, then noise data\n# MHz S MA R 50\n"
      "2400 0.5 10 0.9 -20 0.9 -20 0.4 30\n"
      "2500 0.6 20 0.9 -25 0.9 -25 0.3 40\n"
      "2400 1.5 0.6 120 0.2\n2500 1.6 0.6 125 0.2\n";
  const std::string v2 =
      "[Version] 2.0\n# MHz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
      "[Number of Frequencies] 2\n[Number of Noise Frequencies] 2\n[Network Data]\n"
      "2400 0.5 10 0.9 -20 0.9 -20 0.4 30\n"
      "2500 0.6 20 0.9 -25 0.9 -25 0.3 40\n"
      "[Noise Data]\n2400 1.5 0.6 120 0.2\n2500 1.6 0.6 125 0.2\n[End]\n";
  for (const int port : {1, 2}) {
    const touchstone::Loaded a = Read(v1, 2, port);
    const touchstone::Loaded b = Read(v2, 0, port);
    ASSERT_FALSE(a.Error) << ErrorOf(a);
    ASSERT_FALSE(b.Error) << ErrorOf(b);
    EXPECT_EQ(Frequencies(a), (std::vector<double>{2.4e9, 2.5e9}));
    ASSERT_EQ(a.Points.size(), b.Points.size());
    for (std::size_t i = 0; i < a.Points.size(); ++i) {
      EXPECT_EQ(a.Points[i].Refl.Re, b.Points[i].Refl.Re);
      EXPECT_EQ(a.Points[i].Refl.Im, b.Points[i].Refl.Im);
    }
  }
  // S22 of the second frequency: 0.3 at 40 degrees.
  const touchstone::Loaded s22 = Read(v1, 2, 2);
  EXPECT_NEAR(std::hypot(s22.Points[1].Refl.Re, s22.Points[1].Refl.Im), 0.3, 1e-15);
  EXPECT_NEAR(std::atan2(s22.Points[1].Refl.Im, s22.Points[1].Refl.Re) * 180 / std::numbers::pi,
              40.0, 1e-12);
}

// A noise line whose frequency equals the last network frequency also starts the noise data.
TEST(TouchstoneVersions, NoiseMayRepeatTheLastFrequency) {
  const touchstone::Loaded l = Read(
      "# GHz\n1 .1 0 .2 0 .2 0 .1 0\n2 .1 0 .2 0 .2 0 .1 0\n2 1.5 .6 120 .2\n3 1.6 .6 125 .2\n", 2);
  ASSERT_FALSE(l.Error) << ErrorOf(l);
  EXPECT_EQ(Frequencies(l), (std::vector<double>{1e9, 2e9}));
}

struct NameRow {
  std::string name;
  int ports;
};

void PrintTo(const NameRow& row, std::ostream* os) { *os << '"' << row.name << '"'; }

class PortsFromName : public testing::TestWithParam<NameRow> {};

TEST_P(PortsFromName, ReadsTheExtension) {
  EXPECT_EQ(touchstone::PortsFromFileName(GetParam().name), GetParam().ports);
}

INSTANTIATE_TEST_SUITE_P(Names, PortsFromName,
                         testing::Values(NameRow{"load.s1p", 1}, NameRow{"LOAD.S2P", 2},
                                         NameRow{"dir.v2/a.s4p", 4}, NameRow{"a.s12p", 12},
                                         NameRow{"a.ts", 0}, NameRow{"a.sp", 0},
                                         NameRow{"a.s0p", 0}, NameRow{"a.s-1p", 0},
                                         NameRow{"a.s1", 0}, NameRow{"s1p", 0}, NameRow{"", 0},
                                         NameRow{"a.s1p.txt", 0}),
                         [](const testing::TestParamInfo<NameRow>& row) {
                           std::string n;
                           for (const char c : row.param.name) {
                             n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return "Row" + std::to_string(row.index) + "_" + n;
                         });

}  // namespace
