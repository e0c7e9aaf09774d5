#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "rf/input_limits.h"
#include "safe_text.h"

// Every text zephlane-calc shows: messages, help, the names of its outputs.
namespace calc {

inline constexpr std::string_view kProgram = "zephlane-calc";

// What a value may be, named in the out-of-range message: the words around its range, whose
// ends come from the limits the window and the calculator share.
struct RangeWords {
  std::string_view Before;
  std::string_view After;
};
inline constexpr RangeWords kRangeVa{"a whole number of volts from ", ""};
inline constexpr RangeWords kRangeIa{"amperes from ", ""};
inline constexpr RangeWords kRangeEff{"per cent from ", ""};
inline constexpr RangeWords kRangeDir{"dB from ", ""};
inline constexpr RangeWords kRangePhase{"a phase from ", " degrees"};
inline constexpr RangeWords kRangeMag{"a magnitude from ", ""};
inline constexpr RangeWords kRangeDb{"a return loss from ", " dB"};
inline constexpr RangeWords kRangeSwr{"an SWR from ", ""};
inline constexpr RangeWords kRangePoints{"a whole number of points from ", ""};
inline constexpr RangeWords kRangeWhole{"a whole number from ", ""};
inline constexpr std::string_view kRangeCoverage = "a probability above 0 and below 1";
inline constexpr std::string_view kRangeReading = "a power of at least 0 W";
inline constexpr std::string_view kRangeAtLeastZero = "a number of at least 0 and below ";
inline constexpr std::string_view kRangeTarget = "a per cent above 0, at most 100";

// A range's end as a plain decimal ("100000", "-160", "0.5"), never in exponent form.
inline std::string RangeEnd(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}
inline std::string Expected(RangeWords w, double lo, double hi) {
  std::string t(w.Before);
  t += RangeEnd(lo);
  t += " to ";
  t += RangeEnd(hi);
  t += w.After;
  return t;
}
inline std::string Expected(RangeWords w, rf::InputRange r) { return Expected(w, r.Lo, r.Hi); }

// Built by appending: GCC 12 at -O3 misreads `const char* + std::string&&` as an overlapping
// copy (a -Wrestrict false positive).
// A value from the input is quoted safe for a terminal and at most kMaxQuotedChars long.
inline std::string Quoted(std::string_view s) {
  std::string q;
  q += '"';
  q += SafeCell(s);
  q += '"';
  return q;
}
inline std::string NotANumber(std::string_view s) { return Quoted(s) + " is not a number"; }
inline std::string NotAWholeNumber(std::string_view s) {
  return Quoted(s) + " is not a whole number";
}
inline std::string OutOfRange(std::string_view s, std::string_view what) {
  return Quoted(s) + " is out of range: expected " + std::string(what);
}

inline constexpr std::string_view kUnknownOption = "unknown option";
inline constexpr std::string_view kNeedsValue = "needs a value";
inline constexpr std::string_view kTakesNoValue = "takes no value";
inline constexpr std::string_view kGivenTwice = "given more than once";
inline constexpr std::string_view kNotAnOption = "unexpected argument";
inline constexpr std::string_view kSeeHelp = " (see --help)";
inline constexpr std::string_view kFormats = "json, csv or text";
inline constexpr std::string_view kPowerUnits = "W, dBm, dBW or dBkW";
inline constexpr std::string_view kSweeps = "load-phase, src-phase, round-trip or directivity";
inline constexpr std::string_view kPointsNeedSweep = "needs --sweep";
inline constexpr std::string_view kSwrNeedsDir = "needs --dir (ideal couplers read exactly)";
inline constexpr std::string_view kSweepWritesCsv = "--sweep writes CSV; use --format csv or none";
inline constexpr std::string_view kSweepAlone =
    "cannot be combined with --sweep, which writes one row per point";
inline constexpr std::string_view kBatchNoText = "--batch writes csv or json lines, not text";
inline constexpr std::string_view kPowerUnitNeedsText =
    "applies to --format text only (JSON and CSV give watts)";
inline constexpr std::string_view kBatchNoSweep = "cannot be combined with --batch";
inline constexpr std::string_view kModelExact = "exact";
inline constexpr std::string_view kModelDisc = "disc";
inline constexpr std::string_view kModels =
    "exact (the magnitude is known) or disc (the magnitude is an upper limit)";
inline constexpr std::string_view kExpectedReading =
    "expected a power such as 1000, 1.2kW, 60dBm or 30dBW (units W, kW, MW, dBm, dBW, dBkW)";
inline constexpr std::string_view kExpectedReadings =
    "expected the forward and the reflected reading as FWD,REF";
inline constexpr std::string_view kCoverageNeeds =
    "needs --uncertainty, --coupling-unc or --sensor-unc";
inline constexpr std::string_view kModelNeedsUncertainty = "needs --uncertainty";
inline constexpr std::string_view kSeedNeedsBudget = "needs --coupling-unc or --sensor-unc";
inline constexpr std::string_view kLawNeedsCoupling = "needs --coupling-unc";
inline constexpr std::string_view kLawNeedsSensor = "needs --sensor-unc";
inline constexpr std::string_view kLawRectangular = "rectangular";
inline constexpr std::string_view kLawNormal = "normal";
inline constexpr std::string_view kLaws =
    "rectangular (the value is the half-width) or normal (the value is the standard deviation)";
inline constexpr std::string_view kExpectedPhaseOffsets =
    "expected the two leakage phase offsets in degrees as PSI0,CHI0";
inline constexpr std::string_view kPortNeedsFile = "needs --load-file";
inline constexpr std::string_view kFileGivesLoad = "cannot be combined with --load-file";
inline constexpr std::string_view kFileGivesSource = "cannot be combined with --src-file";
inline constexpr std::string_view kFreqNeedsFile =
    "needs --load-file, --src-file or --line: nothing else depends on the frequency";
inline constexpr std::string_view kNeedsLine = "needs --line";
inline constexpr std::string_view kNeedsFrequencySweep = "needs --sweep frequency";
inline constexpr std::string_view kFromAndTo = "needs both --from and --to";
inline constexpr std::string_view kFrequencySweepRange =
    "frequency needs --from and --to, --band or a --load-file whose range it sweeps";
inline constexpr std::string_view kMapWritesCsv = "--map writes CSV; use --format csv or none";
inline constexpr std::string_view kMapAlone =
    "writes one row per point of the reflection plane "
    "and cannot be combined with the extras";
inline constexpr std::string_view kBandNeedsJson = "writes its extremes in JSON; use --format json";
inline constexpr std::string_view kBatchNoFiles =
    "cannot be combined with --load-file, --src-file, --freq or --line";
inline constexpr std::string_view kFileHasNoPoints = "the file holds no frequencies";
inline constexpr std::string_view kMapHeader = "re,im,Pload,reading_error\n";
inline constexpr std::string_view kReadingsPrefix = "--readings: ";
inline constexpr std::string_view kBudgetPrefix = "budget: ";

// Batch input.
inline constexpr std::string_view kEmptyInput = "no header row: the input is empty";
inline constexpr std::string_view kUnknownColumn = "unknown column";
inline constexpr std::string_view kDuplicateColumn = "column named twice";
inline constexpr std::string_view kColumns = "va, ia, eff, src, load, dir, fwd, ref";
inline constexpr std::string_view kReadingNeeded =
    "needs a reading (without --readings there is none to take)";
inline constexpr std::string_view kReadingsPair = "fwd and ref go together (or give --readings)";
inline constexpr std::string_view kLineTooLong = "line longer than 65536 bytes";
inline constexpr std::string_view kBadQuotes = "malformed quoted field";
inline std::string FieldCount(std::size_t expected, std::size_t found) {
  return "expected " + std::to_string(expected) + " fields, found " + std::to_string(found);
}
inline constexpr std::string_view kCannotWrite = "cannot write the output";
inline constexpr std::string_view kCannotRead = "cannot read the input";

// Rows of the text format beside the window's cells.
inline constexpr std::string_view kRowMean = " (mean)";
inline constexpr std::string_view kRowMedian = " (median)";
inline constexpr std::string_view kRowStd = " (std)";
inline constexpr std::string_view kRowLow = " (interval low, ";
inline constexpr std::string_view kRowHigh = " (interval high, ";
inline constexpr std::string_view kRowPercentClose = " %)";
inline constexpr int kCoverageDecimals = 1;
inline constexpr std::string_view kRowMin = " (min)";
inline constexpr std::string_view kRowMax = " (max)";
inline constexpr std::string_view kRowTruthPinc = "Truth: Pinc";
inline constexpr std::string_view kRowTruthPrefl = "Truth: Prefl";
inline constexpr std::string_view kRowTruthPload = "Truth: Pload";
inline constexpr std::string_view kRowTruthMag = "Truth: load Mag";
inline constexpr std::string_view kRowBudget = "Budget: Pload";
inline constexpr std::string_view kRowTrials = " (trials)";
inline constexpr std::string_view kRowDesignDir = "Design: smallest directivity";
inline constexpr std::string_view kRowDesignSwr = "Design: largest load SWR";
inline constexpr std::string_view kUnitDb = "dB";
inline constexpr std::string_view kUnitSwr = "SWR";

inline constexpr std::string_view kHelp =
    R"(Usage: zephlane-calc [OPTION]...
Computes the Zephlane model (magnetron power into a mismatched load, measured through
directional couplers) for scripts and batch work. Every input defaults to the desktop
window's first-start value.

Inputs:
  --va V                 anode voltage, whole volts 0..100000 (default 4350)
  --ia A                 anode current, amperes 0..1000 (default 0.32)
  --eff PCT              efficiency, per cent 0..100 (default 72)
  --src VALUE[@PHASE]    source reflection (default 0.2@0)
  --load VALUE[@PHASE]   load reflection (default 0.5@90)
                         VALUE: a magnitude 0..1 (0.2), a return loss -160..0 dB
                         (-13.98dB) or an SWR 1..100000 (1.5swr); PHASE in degrees
                         -180..180 (without it the default phase)
  --dir DB               couplers of this directivity, 0..160 dB (default: ideal)

Measured loads, frequency and line:
  --load-file FILE       the load's reflection from a Touchstone file (.s1p, .s2p)
  --port 1|2             the port of a two-port file: S11 (default) or S22
  --src-file FILE        the source's reflection from a Touchstone file
  --freq HZ              the frequency (2.45G, 915M, 2450000k; default: the load
                         file's first frequency, or 2.45 GHz)
  --line LENGTH_M        a line of this length between the source and the load
  --medium MEDIUM        tem:VF (velocity factor, default tem:1) or a waveguide
                         WR284, WR340, WR430, WR650, WR975
  --loss DB_PER_M        the line's one-way loss (default 0)

Output:
  --format FORMAT        json (default): one object with every model field;
                         csv: a header row and one row; text: the results as the
                         window shows them. Non-finite values: "inf", "-inf",
                         "nan" (strings in JSON, words in CSV)
  --power-unit UNIT      W (default), dBm, dBW or dBkW, for --format text;
                         spreads (standard deviations) stay in watts
  --sweep KIND           load-phase, src-phase, round-trip (-180..180 degrees),
                         directivity (0..60 dB) or frequency: CSV, one row per point
  --from HZ --to HZ      the range of --sweep frequency (default: the load file's
                         whole range, or --band)
  --points N             points of the sweep or the band, ends included,
                         2..1000000 (default 37)
  --band CENTRE,SPREAD   adds "band": the extremes of the absorbed power and the
                         readings over CENTRE-SPREAD..CENTRE+SPREAD (2.45G,50M)
  --map N                CSV re,im,Pload,reading_error over an N x N grid of the
                         load's reflection plane, 2..4001; points outside the unit
                         circle are left out
  --uncertainty          mean, median, standard deviation and the coverage interval
                         for unknown, uniformly distributed phases
  --coverage P           the coverage probability of the intervals, 0..1 (default
                         0.95)
  --src-model MODEL      exact (default): the source's magnitude is known; disc:
                         it is only an upper limit ("SWR <= 1.5"), the reflection
                         anywhere in the disc of that radius
  --load-model MODEL     the same for the load
  --readings FWD,REF     the truth behind the forward and reflected readings (units
                         W, kW, MW, dBm, dBW, dBkW; default W) with the couplers of
                         --dir: the ranges of Pinc, Prefl, Pload and the load's Mag
  --coupling-unc DB      a budget by Monte Carlo: each coupler's coupling factor
                         within +-DB (rectangular)
  --sensor-unc PCT       each power sensor within +-PCT per cent (rectangular);
                         with --readings the budget is of the true absorbed power,
                         without it of the absorbed-power reading
  --coupling-law LAW     rectangular (default) or normal: --coupling-unc is then the
                         standard deviation of each coupling factor, in dB
  --sensor-law LAW       the same for --sensor-unc
  --correlated-phases PSI0,CHI0
                         one pair of fixed couplers on a line of unknown length: the
                         leakage phases are PSI0 + phi and CHI0 - phi (degrees) for
                         one unknown phi, not independent
  --seed N               the generator's seed (default 1): the same seed, the same
                         result
  --design-directivity PCT
                         smallest directivity for which the absorbed-power reading
                         stays within +-PCT per cent for this load
  --design-swr PCT       largest load SWR for which the directivity of --dir keeps
                         the absorbed-power reading within +-PCT per cent; text
                         shows both answers rounded to the safe side
  --batch                read CSV rows of inputs from standard input (header naming
                         any of va,ia,eff,src,load,dir,fwd,ref; a missing column or
                         an empty cell takes the option's value) and write one row
                         per input row: CSV, or JSON lines with --format json
  --help                 show this help and exit
  --version              show the version and exit

Exit status: 0 on success, 2 on bad input (one message on standard error naming the
option, or the file, line and column; no partial output row), 1 when the output cannot
be written.
)";

}  // namespace calc
