#include "options.h"

#include "analysis/sweep.h"
#include "rf/input_limits.h"
#include "texts.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace {

using calc::Options;

std::variant<Options, std::string> Parse(std::vector<std::string_view> args) {
  return calc::ParseOptions(args);
}

Options Ok(std::vector<std::string_view> args) {
  auto r = Parse(args);
  if (const auto* e = std::get_if<std::string>(&r)) {
    ADD_FAILURE() << "refused: " << *e;
    return {};
  }
  return std::get<Options>(r);
}

TEST(CalcOptions, DefaultsAreTheWindowsFirstStartValues) {
  const Options o = Ok({});
  EXPECT_EQ(o.In.Va, 4350);
  EXPECT_EQ(o.In.Ia, 0.32);
  EXPECT_EQ(o.In.EffPercent, 72.0);
  EXPECT_EQ(o.In.Src.Refl.Mag, 0.2);
  EXPECT_EQ(o.In.Src.Refl.Pha, 0.0);
  EXPECT_EQ(o.In.Load.Refl.Mag, 0.5);
  EXPECT_EQ(o.In.Load.Refl.Pha, 90.0);
  EXPECT_FALSE(o.In.DirDb.has_value());
  EXPECT_EQ(o.Out, calc::Format::Json);
  EXPECT_EQ(o.Unit, numtext::PowerUnit::Watts);
}

TEST(CalcOptions, ReflectionForms) {
  Options o = Ok({"--load", "-6.0206dB", "--src=1.5SWR@-45"});
  EXPECT_EQ(o.In.Load.Form, rf::ReflForm::Db);
  EXPECT_EQ(o.In.Load.Refl.Rloss, -6.0206);
  EXPECT_NEAR(o.In.Load.Refl.Mag, 0.5, 1e-5);
  EXPECT_EQ(o.In.Load.Refl.Pha, 90.0);  // no phase given: the default stays
  EXPECT_EQ(o.In.Src.Form, rf::ReflForm::Swr);
  EXPECT_EQ(o.In.Src.Refl.Swr, 1.5);
  EXPECT_NEAR(o.In.Src.Refl.Mag, 0.2, 1e-15);
  EXPECT_EQ(o.In.Src.Refl.Pha, -45.0);
  o = Ok({"--load", "1@180", "--src", "20000swr"});
  EXPECT_EQ(o.In.Load.Refl.Mag, 1.0);
  EXPECT_EQ(o.In.Load.Refl.Pha, 180.0);
  EXPECT_EQ(o.In.Src.Refl.Mag, 1.0);  // total reflection from 9999.999 up, as in the window
  EXPECT_EQ(o.In.Src.Refl.Swr, 20000.0);
  o = Ok({"--load", "-160dB"});
  EXPECT_EQ(o.In.Load.Refl.Mag, 0.0);
}

TEST(CalcOptions, EveryOtherOption) {
  const Options o = Ok({"--va", "+100000", "--ia", "1000", "--eff", "0", "--dir", "160", "--format",
                        "text", "--power-unit", "dBkW", "--uncertainty", "--design-directivity",
                        "100", "--design-swr=0.5"});
  EXPECT_EQ(o.In.Va, 100000);
  EXPECT_EQ(o.In.Ia, 1000.0);
  EXPECT_EQ(o.In.EffPercent, 0.0);
  EXPECT_EQ(o.In.DirDb, 160.0);
  EXPECT_EQ(o.Out, calc::Format::Text);
  EXPECT_EQ(o.Unit, numtext::PowerUnit::Dbkw);
  EXPECT_TRUE(o.Add.Uncertainty);
  EXPECT_EQ(o.Add.DesignDirTarget, 1.0);
  EXPECT_EQ(o.Add.DesignSwrTarget, 0.005);
  const Options s = Ok({"--sweep", "directivity", "--points", "1000000"});
  EXPECT_EQ(s.Sweep, analysis::SweepKind::Directivity);
  EXPECT_EQ(s.Points, 1000000);
  EXPECT_EQ(s.Out, calc::Format::Csv);
  EXPECT_EQ(Ok({"--sweep", "round-trip"}).Points, calc::kDefaultPoints);
  EXPECT_EQ(Ok({"--batch"}).Out, calc::Format::Csv);
  EXPECT_EQ(Ok({"--batch", "--format", "json"}).Out, calc::Format::Json);
  EXPECT_TRUE(Ok({"--help", "--va", "1"}).Help);
  EXPECT_TRUE(Ok({"--version"}).Version);
}

struct BadRow {
  std::string name;
  std::vector<std::string_view> args;
  std::string message;  // the whole message, without the program's name
};

void PrintTo(const BadRow& row, std::ostream* os) { *os << row.name; }

class CalcBadOptions : public testing::TestWithParam<BadRow> {};

TEST_P(CalcBadOptions, RefusedWithOneMessageNamingTheOption) {
  const auto r = Parse(GetParam().args);
  ASSERT_TRUE(std::holds_alternative<std::string>(r));
  EXPECT_EQ(std::get<std::string>(r), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcBadOptions,
    testing::Values(
        BadRow{"UnknownOption", {"--volts", "1"}, "--volts: unknown option (see --help)"},
        BadRow{"ShortOption", {"-v"}, "-v: unknown option (see --help)"},
        BadRow{"StrayArgument", {"4350"}, "4350: unexpected argument (see --help)"},
        BadRow{"MissingValue", {"--va"}, "--va: needs a value"},
        BadRow{"ValueOnFlag", {"--batch=1"}, "--batch: takes no value"},
        BadRow{"Twice", {"--va", "1", "--va", "2"}, "--va: given more than once"},
        BadRow{"VaNotWhole", {"--va", "4350.5"}, "--va: \"4350.5\" is not a whole number"},
        BadRow{"VaEmpty", {"--va="}, "--va: \"\" is not a whole number"},
        BadRow{"VaNegative",
               {"--va", "-1"},
               "--va: \"-1\" is out of range: expected a whole number of volts from 0 to 100000"},
        BadRow{"VaHuge",
               {"--va", "99999999999999999999"},
               "--va: \"99999999999999999999\" is out of range: expected a whole number of volts "
               "from 0 to 100000"},
        BadRow{"IaComma", {"--ia", "0,32"}, "--ia: \"0,32\" is not a number"},
        BadRow{"IaNaN", {"--ia", "nan"}, "--ia: \"nan\" is not a number"},
        BadRow{"IaInfinite", {"--ia", "inf"}, "--ia: \"inf\" is not a number"},
        BadRow{"IaTooLarge",
               {"--ia", "1000.0001"},
               "--ia: \"1000.0001\" is out of range: expected amperes from 0 to 1000"},
        BadRow{"EffAbove",
               {"--eff", "100.5"},
               "--eff: \"100.5\" is out of range: expected per cent from 0 to 100"},
        BadRow{"DirNegative",
               {"--dir", "-0.1"},
               "--dir: \"-0.1\" is out of range: expected dB from 0 to 160"},
        BadRow{"MagAboveOne",
               {"--load", "1.01"},
               "--load: \"1.01\" is out of range: expected a magnitude from 0 to 1"},
        BadRow{"PositiveDb",
               {"--load", "3dB"},
               "--load: \"3dB\" is out of range: expected a return loss from -160 to 0 dB"},
        BadRow{"SwrBelowOne",
               {"--src", "0.9swr"},
               "--src: \"0.9swr\" is out of range: expected an SWR from 1 to 100000"},
        BadRow{"BareSuffix", {"--src", "swr"}, "--src: \"swr\" is not a number"},
        BadRow{"PhaseBeyond",
               {"--src", "0.2@181"},
               "--src: \"0.2@181\" is out of range: expected a phase from -180 to 180 degrees"},
        BadRow{"PhaseEmpty", {"--src", "0.2@"}, "--src: \"0.2@\" is not a number"},
        BadRow{"Format", {"--format", "xml"}, "--format: \"xml\": expected json, csv or text"},
        BadRow{"PowerUnit",
               {"--power-unit", "dbm"},
               "--power-unit: \"dbm\": expected W, dBm, dBW or dBkW"},
        BadRow{"Sweep",
               {"--sweep", "phase"},
               "--sweep: \"phase\": expected load-phase, src-phase, round-trip or directivity"},
        BadRow{"OnePoint",
               {"--sweep", "src-phase", "--points", "1"},
               "--points: \"1\" is out of range: expected a whole number of points from 2 to "
               "1000000"},
        BadRow{"PointsWithoutSweep", {"--points", "5"}, "--points: needs --sweep"},
        BadRow{"LoadBesideItsFile",
               {"--load-file", "a.s1p", "--load", "0.3"},
               "--load: cannot be combined with --load-file"},
        BadRow{"SrcBesideItsFile",
               {"--src-file", "a.s1p", "--src", "0.3"},
               "--src: cannot be combined with --src-file"},
        BadRow{"FreqWithNothingToChange",
               {"--freq", "915M"},
               "--freq: needs --load-file, --src-file or --line: nothing else depends on the "
               "frequency"},
        BadRow{"ModelWithoutUncertainty",
               {"--load-model", "disc"},
               "--load-model: needs --uncertainty"},
        BadRow{"UnknownModel",
               {"--uncertainty", "--src-model", "limit"},
               "--src-model: \"limit\": expected exact (the magnitude is known) or disc (the "
               "magnitude is an upper limit)"},
        BadRow{"CoverageOne",
               {"--uncertainty", "--coverage", "1"},
               "--coverage: \"1\" is out of range: expected a probability above 0 and below 1"},
        BadRow{
            "SeedWithoutBudget", {"--seed", "3"}, "--seed: needs --coupling-unc or --sensor-unc"},
        BadRow{"SeedNegative",
               {"--sensor-unc", "1", "--seed", "-3"},
               "--seed: \"-3\" is not a whole number"},
        BadRow{"SensorAll",
               {"--sensor-unc", "100"},
               "--sensor-unc: \"100\" is out of range: expected a number of at least 0 and below "
               "100"},
        BadRow{"CouplingLawWithoutCoupling",
               {"--sensor-unc", "1", "--coupling-law", "normal"},
               "--coupling-law: needs --coupling-unc"},
        BadRow{"SensorLawWithoutSensor",
               {"--coupling-unc", "0.1", "--sensor-law", "normal"},
               "--sensor-law: needs --sensor-unc"},
        BadRow{"UnknownLaw",
               {"--sensor-unc", "1", "--sensor-law", "gauss"},
               "--sensor-law: \"gauss\": expected rectangular (the value is the half-width) or "
               "normal (the value is the standard deviation)"},
        BadRow{"CorrelatedWithoutBudget",
               {"--correlated-phases", "0,0"},
               "--correlated-phases: needs --coupling-unc or --sensor-unc"},
        BadRow{"CorrelatedOneOffset",
               {"--sensor-unc", "1", "--correlated-phases", "30"},
               "--correlated-phases: \"30\": expected the two leakage phase offsets in degrees "
               "as PSI0,CHI0"},
        BadRow{"CorrelatedInfinite",
               {"--sensor-unc", "1", "--correlated-phases", "inf,0"},
               "--correlated-phases: \"inf,0\": expected the two leakage phase offsets in "
               "degrees as PSI0,CHI0"},
        BadRow{"ReadingsInSweep",
               {"--sweep", "load-phase", "--readings", "1,0"},
               "--readings: cannot be combined with --sweep, which writes one row per point"},
        BadRow{"ZeroTarget",
               {"--design-directivity", "0"},
               "--design-directivity: \"0\" is out of range: expected a per cent above 0, at "
               "most 100"},
        BadRow{"SwrWithoutDir",
               {"--design-swr", "5"},
               "--design-swr: needs --dir (ideal couplers read exactly)"},
        BadRow{"SweepAsJson",
               {"--sweep", "round-trip", "--format", "json"},
               "--format: --sweep writes CSV; use --format csv or none"},
        BadRow{"SweepWithUncertainty",
               {"--sweep", "round-trip", "--uncertainty"},
               "--uncertainty: cannot be combined with --sweep, which writes one row per point"},
        BadRow{"BatchAsText",
               {"--batch", "--format", "text"},
               "--format: --batch writes csv or json lines, not text"},
        BadRow{"PowerUnitWithJson",
               {"--power-unit", "dBm"},
               "--power-unit: applies to --format text only (JSON and CSV give watts)"},
        BadRow{"BatchWithSweep",
               {"--batch", "--sweep", "round-trip"},
               "--sweep: cannot be combined with --batch"}),
    [](const auto& row) { return row.param.name; });

}  // namespace

// The help states each range in the LO..HI form; it must state the ranges the parsers enforce.
TEST(CalcHelp, StatesTheRangesTheParsersEnforce) {
  struct Row {
    const char* Name;
    double Lo;
    double Hi;
  };
  const Row rows[] = {
      {"anode voltage", rf::kVaRange.Lo, rf::kVaRange.Hi},
      {"magnitude", rf::kMagRange.Lo, rf::kMagRange.Hi},
      {"return loss", rf::kRlossRange.Lo, rf::kRlossRange.Hi},
      {"swr", rf::kSwrRange.Lo, rf::kSwrRange.Hi},
      {"directivity", rf::kDirectivityRange.Lo, rf::kDirectivityRange.Hi},
      {"points", analysis::kMinSweepPoints, calc::kMaxPoints},
  };
  for (const Row& r : rows) {
    const std::string range = calc::RangeEnd(r.Lo) + ".." + calc::RangeEnd(r.Hi);
    EXPECT_NE(calc::kHelp.find(range), std::string_view::npos) << r.Name << ": " << range;
  }
}
