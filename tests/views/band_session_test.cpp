// The band sheets' state below both windows: files that are refused leave everything as it was,
// the load's port follows the file's kind, a case's files are read before anything changes, and
// the main window's load is the file's at the operating frequency after the line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "views/band_session.h"
#include "worked_example.h"

namespace {

using views::BandChoice;
using views::BandInputs;
using views::BandSession;

constexpr auto kWatts = numtext::PowerUnit::Watts;
constexpr double kPi = 3.141592653589793;
// An eighth of the free-space wavelength at 2.45 GHz: the reflection turns by 90 degrees.
constexpr const char* kEighthAt245 = "0.0152955335750";
constexpr int kWr340 = 2;  // medium index: the TEM line, then WR-284, WR-340

// 0.5 at 0 degrees over 2.40 .. 2.50 GHz.
const std::string kOnePort = "# GHz S MA R 50\n2.40 0.5 0\n2.45 0.5 0\n2.50 0.5 0\n";
// S11 0.2 at 0 degrees, S22 0.8 at 180 degrees.
const std::string kTwoPort =
    "# GHz S MA R 50\n"
    "2.40 0.2 0 0.9 0 0.9 0 0.8 180\n"
    "2.50 0.2 0 0.9 0 0.9 0 0.8 180\n";
// Readable, but far below the waveguide's cutoff (1.74 GHz for WR-340).
const std::string kLowBand = "# GHz S MA R 50\n1.00 0.1 0\n1.10 0.1 0\n";
const std::string kMalformed = "# GHz S MA R 50\n2.40 0.5 zero\n";
const std::string kNoPoints = "# GHz S MA R 50\n! nothing measured\n";

template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& p) {
  return p.param.name;
}

class BandSessionTest : public testing::Test {
 protected:
  std::string File(const std::string& name, const std::string& text) {
    const std::string path = dir_ / name;
    WriteBytes(path, text);
    return path;
  }

  TempDir dir_;
  const rf::ModelState window_ = test_support::WorkedModel();
};

struct RefusedRow {
  const char* name;
  const char* file;  // nullptr: a path where no file is
  const std::string* text;
  std::string messagePrefix;
};

void PrintTo(const RefusedRow& r, std::ostream* os) { *os << r.name; }

class RefusedLoadFile : public BandSessionTest, public testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedLoadFile, LeavesTheFileBeforeItPortBandAndCharts) {
  const RefusedRow& row = GetParam();
  BandSession s;
  BandInputs in;
  in.Medium = kWr340;
  s.SetInputs(in);
  ASSERT_TRUE(s.SetLoadPort(2, window_, kWatts));
  const std::string first = File("first.s2p", kTwoPort);
  ASSERT_TRUE(s.OpenLoad(first, window_, kWatts)) << s.Message();
  // The user narrows the band again after the file opened across its range.
  in.Band = BandChoice::Around;
  in.Centre = "2.45G";
  in.Spread = "20M";
  s.SetInputs(in);
  ASSERT_TRUE(s.Recompute(window_, kWatts)) << s.Message();
  const double operatingMag = s.Evaluation().Operating.LoaRfl.Mag;
  const std::size_t points = s.Powers().Table.Rows.size();

  const std::string path = row.text ? File(row.file, *row.text) : dir_ / "gone.s1p";
  EXPECT_FALSE(s.OpenLoad(path, window_, kWatts));

  EXPECT_EQ(s.Message().substr(0, row.messagePrefix.size()), row.messagePrefix) << s.Message();
  EXPECT_EQ(s.LoadPath(), first);
  ASSERT_TRUE(s.LoadFile().has_value());
  EXPECT_EQ(s.LoadFile()->Name, "first.s2p");
  EXPECT_EQ(s.LoadPort(), 2);
  EXPECT_EQ(s.Inputs().Band, BandChoice::Around);
  EXPECT_DOUBLE_EQ(s.Evaluation().Operating.LoaRfl.Mag, operatingMag);
  EXPECT_EQ(s.Powers().Table.Rows.size(), points);
}

const RefusedRow kRefused[] = {
    {"Malformed", "bad.s1p", &kMalformed, "bad.s1p: line 2, column 10: "},
    {"NoPoints", "empty.s1p", &kNoPoints, "empty.s1p: line 2, column 19: "},
    {"Missing", nullptr, nullptr, "gone.s1p: "},
    {"BelowCutoff", "low.s1p", &kLowBand, "Line: 1 GHz"},
};

INSTANTIATE_TEST_SUITE_P(Rows, RefusedLoadFile, testing::ValuesIn(kRefused), RowName<RefusedRow>);

TEST_F(BandSessionTest, ReaderWithoutPointsIsRefused) {
  BandSession s([](const std::string&, int) { return touchstone::Loaded{}; });
  EXPECT_FALSE(s.OpenLoad("/m/blank.s1p", window_, kWatts));
  EXPECT_EQ(s.Message(), "blank.s1p: the file holds no frequencies");
  EXPECT_FALSE(s.LoadFile().has_value());
}

TEST_F(BandSessionTest, RefusedSourceFileKeepsTheWindowsSource) {
  BandSession s;
  EXPECT_FALSE(s.OpenSource(File("bad.s1p", kMalformed), window_, kWatts));
  EXPECT_EQ(s.Message().substr(0, 9), "bad.s1p: ");
  EXPECT_TRUE(s.SourcePath().empty());
  EXPECT_FALSE(s.SourceFile().has_value());
}

struct PortRow {
  const char* name;
  const char* file;
  int portBefore;
  int expectedPort;
  double expectedMag;  // the operating point's load, before the line (none here)
};

void PrintTo(const PortRow& r, std::ostream* os) { *os << r.name; }

class LoadPortOnOpen : public BandSessionTest, public testing::WithParamInterface<PortRow> {};

TEST_P(LoadPortOnOpen, FollowsTheFilesKind) {
  const PortRow& row = GetParam();
  const std::string name = row.file;
  const bool two = name.find(".s2p") != std::string::npos;
  BandSession s;
  ASSERT_TRUE(s.SetLoadPort(row.portBefore, window_, kWatts));
  ASSERT_TRUE(s.OpenLoad(File(row.file, two ? kTwoPort : kOnePort), window_, kWatts))
      << s.Message();
  EXPECT_EQ(s.LoadPort(), row.expectedPort);
  EXPECT_EQ(s.Inputs().Band, BandChoice::WholeFile);
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, row.expectedMag, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, LoadPortOnOpen,
                         testing::Values(PortRow{"OnePortForcesS11", "load.s1p", 2, 1, 0.5},
                                         PortRow{"OnePortUpperCaseName", "LOAD.S1P", 2, 1, 0.5},
                                         PortRow{"TwoPortKeepsS22", "load.s2p", 2, 2, 0.8},
                                         PortRow{"TwoPortKeepsS11", "load.s2p", 1, 1, 0.2}),
                         RowName<PortRow>);

TEST_F(BandSessionTest, PortChangeRereadsTheFileOrKeepsIt) {
  BandSession s;
  ASSERT_TRUE(s.OpenLoad(File("load.s2p", kTwoPort), window_, kWatts));
  ASSERT_TRUE(s.SetLoadPort(2, window_, kWatts)) << s.Message();
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, 0.8, 1e-9);

  // A one-port file has no S22: the port and the values read stay.
  ASSERT_TRUE(s.OpenLoad(File("one.s1p", kOnePort), window_, kWatts));
  EXPECT_EQ(s.LoadPort(), 1);
  EXPECT_FALSE(s.SetLoadPort(2, window_, kWatts));
  EXPECT_EQ(s.LoadPort(), 1);
  EXPECT_FALSE(s.Message().empty());
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, 0.5, 1e-9);
}

struct CaseRow {
  const char* name;
  bool loadMissing;
  bool sourceMalformed;
  std::string messagePrefix;
};

void PrintTo(const CaseRow& r, std::ostream* os) { *os << r.name; }

class CaseWithRefusedFile : public BandSessionTest, public testing::WithParamInterface<CaseRow> {};

TEST_P(CaseWithRefusedFile, ChangesNothing) {
  const CaseRow& row = GetParam();
  BandSession s;
  BandInputs typed;
  typed.Spread = "20M";
  s.SetInputs(typed);
  ASSERT_TRUE(s.OpenLoad(File("held.s1p", kOnePort), window_, kWatts));
  const BandInputs before = s.Inputs();

  BandInputs caseIn;
  caseIn.Frequency = "2.42G";
  caseIn.LengthM = "1";
  const std::string load = row.loadMissing ? dir_ / "moved.s2p" : File("case.s2p", kTwoPort);
  const std::string src =
      row.sourceMalformed ? File("src.s1p", kMalformed) : File("src.s1p", kOnePort);
  EXPECT_FALSE(s.PutCase(caseIn, 2, load, src, window_, kWatts));

  EXPECT_EQ(s.Message().substr(0, row.messagePrefix.size()), row.messagePrefix) << s.Message();
  EXPECT_EQ(s.Inputs(), before);
  EXPECT_EQ(s.LoadPath(), dir_ / "held.s1p");
  EXPECT_EQ(s.LoadPort(), 1);
  EXPECT_TRUE(s.SourcePath().empty());
  EXPECT_FALSE(s.SourceFile().has_value());
}

INSTANTIATE_TEST_SUITE_P(Rows, CaseWithRefusedFile,
                         testing::Values(CaseRow{"LoadMissing", true, false, "moved.s2p: "},
                                         CaseRow{"SourceMalformed", false, true, "src.s1p: line 2"},
                                         CaseRow{"BothRefusedLoadSaid", true, true, "moved.s2p: "}),
                         RowName<CaseRow>);

TEST_F(BandSessionTest, CaseTakesItsFilesPortAndInputs) {
  BandSession s;
  BandInputs caseIn;
  caseIn.Frequency = "2.45G";
  caseIn.Band = BandChoice::WholeFile;
  const std::string load = File("case.s2p", kTwoPort);
  ASSERT_TRUE(s.PutCase(caseIn, 2, load, {}, window_, kWatts));
  EXPECT_TRUE(s.Message().empty()) << s.Message();
  EXPECT_EQ(s.Inputs(), caseIn);
  EXPECT_EQ(s.LoadPath(), load);
  EXPECT_EQ(s.LoadPort(), 2);
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, 0.8, 1e-9);

  // Without a load file the case's port is kept for the next two-port file.
  ASSERT_TRUE(s.PutCase(BandInputs{}, 2, {}, {}, window_, kWatts));
  EXPECT_EQ(s.LoadPort(), 2);
  EXPECT_FALSE(s.LoadFile().has_value());

  // Typed inputs that do not read are kept as saved; the message names the input.
  BandInputs damaged;
  damaged.LengthM = "long";
  ASSERT_TRUE(s.PutCase(damaged, 1, {}, {}, window_, kWatts));
  EXPECT_EQ(s.Inputs().LengthM, "long");
  EXPECT_EQ(s.Message().substr(0, 15), "Line length (m)") << s.Message();
}

TEST_F(BandSessionTest, WindowLoadIsTheFilesAtTheOperatingFrequencyAfterTheLine) {
  BandSession s;
  EXPECT_FALSE(s.WindowLoad().has_value());
  BandInputs in;
  in.Frequency = "2.45G";
  in.LengthM = kEighthAt245;
  s.SetInputs(in);
  ASSERT_TRUE(s.OpenLoad(File("applicator.s1p", kOnePort), window_, kWatts)) << s.Message();
  const auto m = s.WindowLoad();
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->FileName, "applicator.s1p");
  EXPECT_DOUBLE_EQ(m->FreqHz, 2.45e9);
  // There and back along an eighth of a wavelength: 0.5 at 0 degrees becomes 0.5 at -90.
  EXPECT_NEAR(std::hypot(m->Gamma.Re, m->Gamma.Im), 0.5, 1e-6);
  EXPECT_NEAR(std::atan2(m->Gamma.Im, m->Gamma.Re) * 180.0 / kPi, -90.0, 1e-3);
  EXPECT_EQ(s.ActiveNote(), "Showing applicator.s1p at 2.45 GHz");
}

TEST_F(BandSessionTest, ForgetReturnsTheTypedValues) {
  BandSession s;
  ASSERT_TRUE(s.OpenLoad(File("load.s2p", kTwoPort), window_, kWatts));
  ASSERT_TRUE(s.OpenSource(File("src.s1p", kOnePort), window_, kWatts));
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, 0.2, 1e-9);
  EXPECT_NEAR(s.Evaluation().Operating.SrcRfl.Mag, 0.5, 1e-9);

  s.ForgetLoad();
  s.ForgetSource();
  ASSERT_TRUE(s.Recompute(window_, kWatts)) << s.Message();

  EXPECT_EQ(s.Inputs().Band, BandChoice::Around);
  EXPECT_TRUE(s.LoadPath().empty());
  EXPECT_TRUE(s.SourcePath().empty());
  EXPECT_FALSE(s.WindowLoad().has_value());
  EXPECT_TRUE(s.ActiveNote().empty());
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Mag, window_.LoaRfl.Mag, 1e-9);
  EXPECT_NEAR(s.Evaluation().Operating.LoaRfl.Pha, window_.LoaRfl.Pha, 1e-6);
  EXPECT_NEAR(s.Evaluation().Operating.SrcRfl.Mag, window_.SrcRfl.Mag, 1e-9);
}

TEST_F(BandSessionTest, ReaderIsTheBindingsOwn) {
  // A binding may read through its own file access; the session only sees what it returns.
  std::vector<std::pair<std::string, int>> asked;
  BandSession s([&asked](const std::string& path, int port) {
    asked.emplace_back(path, port);
    touchstone::Loaded l;
    l.Points = {{2.4e9, {0.1, 0.0}}, {2.5e9, {0.1, 0.0}}};
    return l;
  });
  ASSERT_TRUE(s.SetLoadPort(2, window_, kWatts));
  ASSERT_TRUE(s.OpenLoad("C:\\Measurements\\horn.s2p", window_, kWatts)) << s.Message();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].second, 2);
#ifdef _WIN32
  EXPECT_EQ(s.LoadFile()->Name, "horn.s2p");
#else
  EXPECT_EQ(s.LoadFile()->Name, "C:\\Measurements\\horn.s2p");
#endif
}

TEST_F(BandSessionTest, MapIsMadeOnceUntilTheNextEvaluation) {
  BandSession s;
  ASSERT_TRUE(s.Recompute(window_, kWatts));
  const std::string power = s.Map(views::MapQuantity::AbsorbedPower, kWatts).Title;
  const std::string error = s.Map(views::MapQuantity::ReadingError, kWatts).Title;
  EXPECT_NE(power, error);
  EXPECT_EQ(s.Map(views::MapQuantity::AbsorbedPower, kWatts).Title, power);
}

}  // namespace
