#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "run_capture.h"
#include "temp_dir.h"

namespace {

using calc_test::Cells;
using calc_test::Lines;
using calc_test::RunCalc;
using nlohmann::json;

// A load measured at three frequencies, magnitude and angle.
constexpr const char* kLoad =
    "! applicator\n"
    "# GHz S MA R 50\n"
    "2.40 0.3 10\n"
    "2.45 0.35 20\n"
    "2.50 0.4 30\n";

class CalcMeasured : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = dir_.Path() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  TempDir dir_;
};

TEST_F(CalcMeasured, FileGivesTheLoadAtTheFrequencyInterpolated) {
  const std::string f = Write("load.s1p", kLoad);
  struct Row {
    const char* freq;
    double mag;
    double pha;
  };
  for (const Row& row : {Row{"2.45G", 0.35, 20.0}, Row{"2450 MHz", 0.35, 20.0},
                         Row{"2.425G", 0.325, 15.0}, Row{"2.5G", 0.4, 30.0}}) {
    const auto r = RunCalc({"--load-file", f, "--freq", row.freq});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_NEAR(j["LoaRfl.Mag"].get<double>(), row.mag, 1e-12) << row.freq;
    EXPECT_NEAR(j["LoaRfl.Pha"].get<double>(), row.pha, 1e-9) << row.freq;
  }
  // Without --freq: the file's first frequency.
  const json first = json::parse(RunCalc({"--load-file", f}).out);
  EXPECT_NEAR(first["LoaRfl.Mag"].get<double>(), 0.3, 1e-12);
}

TEST_F(CalcMeasured, TwoPortFilePicksThePortAndASourceFileGivesTheSource) {
  // S11, S21, S12, S22 in magnitude and angle.
  const std::string f = Write("tuner.s2p",
                              "# MHz S MA R 50\n"
                              "2400 0.1 0 0.9 0 0.9 0 0.6 -45\n"
                              "2500 0.1 0 0.9 0 0.9 0 0.6 -45\n");
  const std::string src = Write("circulator.s1p", "# GHz S RI R 50\n2.4 0.05 0\n2.5 0.05 0\n");
  struct Row {
    const char* port;
    double mag;
    double pha;
  };
  for (const Row& row : {Row{"1", 0.1, 0.0}, Row{"2", 0.6, -45.0}}) {
    const auto r =
        RunCalc({"--load-file", f, "--port", row.port, "--src-file", src, "--freq", "2.45G"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_NEAR(j["LoaRfl.Mag"].get<double>(), row.mag, 1e-12) << row.port;
    EXPECT_NEAR(j["LoaRfl.Pha"].get<double>(), row.pha, 1e-9) << row.port;
    EXPECT_NEAR(j["SrcRfl.Mag"].get<double>(), 0.05, 1e-12);
  }
}

TEST_F(CalcMeasured, LineTurnsTheReflectionByItsRoundTrip) {
  // An eighth of a wavelength in free space: there and back turns the load by -90 degrees.
  const double eighth = 299792458.0 / 2.45e9 / 8.0;
  char len[32];
  std::snprintf(len, sizeof len, "%.17g", eighth);
  const auto r =
      RunCalc({"--load", "0.5@90", "--freq", "2.45G", "--line", len, "--medium", "tem:1"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_NEAR(j["LoaRfl.Pha"].get<double>(), 0.0, 1e-4);
  EXPECT_NEAR(j["LoaRfl.Mag"].get<double>(), 0.5, 1e-12);
  // 1 dB/m one way over 0.5 m: 1 dB there and back, in amplitude.
  const auto lossy = RunCalc({"--load", "0.5@90", "--line", "0.5", "--loss", "1"});
  EXPECT_NEAR(json::parse(lossy.out)["LoaRfl.Mag"].get<double>(), 0.5 * std::pow(10.0, -1.0 / 20),
              1e-12);
}

TEST_F(CalcMeasured, FrequencySweepRowsFreqFirstOverTheFileOrTheRange) {
  const std::string f = Write("load.s1p", kLoad);
  auto r = RunCalc({"--load-file", f, "--sweep", "frequency", "--points", "5"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(lines[0].starts_with("freq_hz,Va,"));
  EXPECT_EQ(Cells(lines[1])[0], "2.4e+09");
  EXPECT_EQ(Cells(lines[5])[0], "2.5e+09");
  r = RunCalc({"--load-file", f, "--sweep", "frequency", "--from", "2.42G", "--to", "2.44G",
               "--points", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Cells(lines[2])[0], "2.43e+09");
  // Beyond the file: refused before any row.
  r = RunCalc({"--load-file", f, "--sweep", "frequency", "--from", "2.3G", "--to", "2.44G"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("load.s1p"), std::string::npos) << r.err;
}

TEST_F(CalcMeasured, BandExtremesLieAmongTheSweptValues) {
  const std::string f = Write("load.s1p", kLoad);
  const auto r = RunCalc({"--load-file", f, "--band", "2.45G,40M", "--points", "9"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json band = json::parse(r.out)["band"];
  EXPECT_EQ(band["from_hz"].get<double>(), 2.41e9);
  EXPECT_EQ(band["to_hz"].get<double>(), 2.49e9);
  const auto sweep = RunCalc({"--load-file", f, "--sweep", "frequency", "--from", "2.41G", "--to",
                              "2.49G", "--points", "9"});
  const auto lines = Lines(sweep.out);
  const auto head = Cells(lines[0]);
  const auto col =
      static_cast<std::size_t>(std::find(head.begin(), head.end(), "Pload") - head.begin());
  double lo = INFINITY;
  double hi = -INFINITY;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const double v = std::stod(Cells(lines[i])[col]);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_DOUBLE_EQ(band["Pload"]["min"].get<double>(), lo);
  EXPECT_DOUBLE_EQ(band["Pload"]["max"].get<double>(), hi);
  EXPECT_LT(band["Pload"]["min"].get<double>(), band["Pload"]["max"].get<double>());
}

TEST_F(CalcMeasured, MapCoversTheUnitDiscOnly) {
  const auto r = RunCalc({"--map", "21", "--dir", "20"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "re,im,Pload,reading_error");
  std::size_t inside = 0;
  for (int i = 0; i < 21; ++i) {
    for (int k = 0; k < 21; ++k) {
      const double re = -1.0 + 2.0 * k / 20;
      const double im = 1.0 - 2.0 * i / 20;
      if (re * re + im * im <= 1.0) ++inside;
    }
  }
  EXPECT_EQ(lines.size() - 1, inside);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto c = Cells(lines[i]);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_LE(std::hypot(std::stod(c[0]), std::stod(c[1])), 1.0 + 1e-12);
  }
  // The matched load takes the power to match, which no other load beats by much here.
  EXPECT_NE(r.out.find("\n0,0,1002.24,"), std::string::npos);
}

struct BadMeasured {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the bad file's path, "#" for the good one
  const char* message;
};
void PrintTo(const BadMeasured& row, std::ostream* os) { *os << row.name; }
class CalcBadMeasured : public testing::TestWithParam<BadMeasured> {};

TEST_P(CalcBadMeasured, ExitTwoWithOneMessageNamingTheFileOrOption) {
  TempDir dir;
  const std::string bad = dir.Path() + "/bad.s1p";
  const std::string good = dir.Path() + "/good.s1p";
  std::ofstream(bad, std::ios::binary) << "# GHz S MA R 50\n2.40 0.3 10\n2.45 abc 20\n";
  std::ofstream(good, std::ios::binary) << kLoad;
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args) {
    if (a == "@") a = bad;
    if (a == "#") a = good;
  }
  std::vector<std::string_view> views(args.begin(), args.end());
  const auto r = RunCalc(views);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(Lines(r.err).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBadMeasured,
    testing::Values(
        BadMeasured{"Malformed", {"--load-file", "@"}, "bad.s1p\": line 3, column 6: expected"},
        BadMeasured{"Missing", {"--load-file", "/no/such.s1p"}, "--load-file: \"/no/such.s1p\""},
        BadMeasured{"OutsideFile", {"--load-file", "#", "--freq", "3G"}, "good.s1p\": "},
        BadMeasured{"BadFrequency", {"--freq", "fast"}, "--freq: \"fast\""},
        BadMeasured{"BadMedium", {"--line", "1", "--medium", "WR999"}, "--medium: \"WR999\""},
        BadMeasured{
            "BelowCutoff", {"--line", "1", "--medium", "WR975", "--freq", "500M"}, "cutoff"},
        BadMeasured{"MediumWithoutLine", {"--medium", "WR340"}, "--medium: needs --line"},
        BadMeasured{"PortWithoutFile", {"--port", "2"}, "--port: needs --load-file"},
        BadMeasured{"PortThree", {"--load-file", "#", "--port", "3"}, "--port: \"3\""},
        BadMeasured{"FromWithoutSweep", {"--from", "2G"}, "--from: needs --sweep frequency"},
        BadMeasured{"SweepWithoutRange", {"--sweep", "frequency"}, "--sweep: frequency needs"},
        BadMeasured{"MapOne", {"--map", "1"}, "--map: \"1\" is out of range"},
        BadMeasured{"MapWithExtras", {"--map", "5", "--uncertainty"}, "--map: "},
        BadMeasured{"BandInCsv", {"--band", "2.45G,50M", "--format", "csv"}, "--band: "},
        BadMeasured{"BatchWithFile", {"--batch", "--load-file", "#"}, "--batch: cannot"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
