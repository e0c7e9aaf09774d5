#include "views/readings_view.h"

#include <algorithm>
#include <cmath>

#include "analysis/texts.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"
#include "views/bound_text.h"
#include "views/texts.h"

namespace views {

namespace {

// One precision per prefix, the same resolution in watts give or take a decade, as the table
// of limits has it.
int PowerDecimals(numtext::PowerScale s) {
  switch (s) {
    case numtext::PowerScale::KW:
      return numtext::kPowerDecimals + 2;
    case numtext::PowerScale::MW:
      return numtext::kPowerDecimals + 3;
    case numtext::PowerScale::Dbm:
    case numtext::PowerScale::Dbw:
    case numtext::PowerScale::Dbkw:
      return numtext::kDbDecimals;
    default:
      return numtext::kPowerDecimals;
  }
}

// A decibel reading keeps its unit for the answers: the user thinks in it. Watts take the
// prefix the largest power needs.
numtext::PowerScale AnswerScale(ReadingUnit forwardUnit, double largestW) {
  switch (forwardUnit) {
    case ReadingUnit::Dbm:
      return numtext::PowerScale::Dbm;
    case ReadingUnit::Dbw:
      return numtext::PowerScale::Dbw;
    case ReadingUnit::Dbkw:
      return numtext::PowerScale::Dbkw;
    default:
      return numtext::ScaleFor(numtext::PowerUnit::Watts, largestW);
  }
}

TruthRow RangeRow(std::string_view name, std::string_view unit, double lo, double hi,
                  int decimals) {
  // An exact value is no bound: rounded to nearest, both ends read the same.
  const bool exact = lo == hi;
  return {std::string(name), std::string(unit),
          BoundText(lo, decimals, exact ? Rounding::Nearest : Rounding::Down),
          BoundText(hi, decimals, exact ? Rounding::Nearest : Rounding::Up)};
}

}  // namespace

ReadingUnit ReadingUnitOfPowerUnitIndex(int index) {
  switch (numtext::PowerUnitOfIndex(index).value_or(numtext::PowerUnit::Watts)) {
    case numtext::PowerUnit::Dbm:
      return ReadingUnit::Dbm;
    case numtext::PowerUnit::Dbw:
      return ReadingUnit::Dbw;
    case numtext::PowerUnit::Dbkw:
      return ReadingUnit::Dbkw;
    default:
      return ReadingUnit::W;
  }
}

std::optional<double> ReadingWatts(std::string_view text, ReadingUnit unit) {
  const std::optional<double> v = ParseDecimal(text);
  if (!v) return std::nullopt;
  const auto fromDb = [&](double refW) { return refW * std::pow(10.0, *v / 10.0); };
  switch (unit) {
    case ReadingUnit::W:
      return *v;
    case ReadingUnit::KW:
      return *v * 1e3;
    case ReadingUnit::MW:
      return *v * 1e6;
    case ReadingUnit::Dbm:
      return fromDb(1e-3);
    case ReadingUnit::Dbw:
      return fromDb(1.0);
    case ReadingUnit::Dbkw:
      return fromDb(1e3);
  }
  return std::nullopt;
}

ParsedReadings ParseReadings(const ReadingsInputs& in) {
  ParsedReadings p;
  const std::optional<double> fwd = ReadingWatts(in.Forward, in.ForwardUnit);
  const std::optional<double> ref = ReadingWatts(in.Reflected, in.ReflectedUnit);
  const std::optional<double> dir = ParseDecimal(in.DirectivityDb);
  if (!fwd) {
    p.Message = kNoForward;
  } else if (!ref) {
    p.Message = kNoReflected;
  } else if (!in.Ideal && !dir) {
    p.Message = kNoDirectivity;
  } else {
    p.Ok = true;
    p.ForwardW = *fwd;
    p.ReflectedW = *ref;
    p.Ideal = in.Ideal;
    p.DirDb = in.Ideal ? 0.0 : *dir;
  }
  return p;
}

std::array<std::string, kTruthColumns> TruthHeader() {
  return {std::string(kColQuantity), std::string(kColUnit), std::string(kColTruthMin),
          std::string(kColTruthMax)};
}

TruthSheet TruthFromInputs(const ReadingsInputs& in) {
  TruthSheet sheet;
  const ParsedReadings p = ParseReadings(in);
  if (!p.Ok) {
    sheet.Message = p.Message;
    return sheet;
  }
  sheet.Truth = analysis::TruthFromReadings(p.ForwardW, p.ReflectedW, p.Ideal, p.DirDb);
  const analysis::Truth& t = sheet.Truth;
  if (t.Status != analysis::TruthStatus::Ok) {
    sheet.Message = std::string(analysis::TruthStatusText(t.Status)) + ".";
    return sheet;
  }
  sheet.Ok = true;
  sheet.Message = std::string(p.Ideal ? kTruthExact : analysis::kTruthOk);
  if (!p.Ideal) sheet.Message += '.';
  const double largest = std::max({t.Pinc.Max, t.Prefl.Max, t.Pload.Max});
  const numtext::PowerScale scale = AnswerScale(in.ForwardUnit, largest);
  const std::string_view unit = numtext::ScaleName(scale);
  const int pd = PowerDecimals(scale);
  const auto power = [&](std::string_view name, const analysis::Range& r) {
    sheet.Rows.push_back(
        RangeRow(name, unit, numtext::InScale(scale, r.Min), numtext::InScale(scale, r.Max), pd));
  };
  power(kRowPinc, t.Pinc);
  power(kRowPrefl, t.Prefl);
  power(kRowPload, t.Pload);
  sheet.Rows.push_back(
      RangeRow(kRowTrueLoadMag, {}, t.MagLo.Mag, t.MagHi.Mag, numtext::kRatioDecimals));
  // 20 log10 M and the SWR rise with the magnitude, so the ends stay the ends.
  sheet.Rows.push_back(
      RangeRow(kRowTrueLoadDb, kUnitDb, t.MagLo.Rloss, t.MagHi.Rloss, numtext::kDbDecimals));
  sheet.Rows.push_back(
      RangeRow(kRowTrueLoadSwr, {}, t.MagLo.Swr, t.MagHi.Swr, numtext::kSwrDecimals));
  return sheet;
}

ReadingsInputs StartingReadings(int powerUnitIndex, bool ideal, double directivityDb) {
  ReadingsInputs in;
  const ReadingUnit unit = ReadingUnitOfPowerUnitIndex(powerUnitIndex);
  const bool decibels = unit != ReadingUnit::W;
  in.Forward = decibels ? "60" : "1000";
  in.Reflected = decibels ? "46.0206" : "40";
  in.ForwardUnit = decibels ? ReadingUnit::Dbm : unit;
  in.ReflectedUnit = in.ForwardUnit;
  in.Ideal = ideal;
  in.DirectivityDb = numtext::FloatToText(directivityDb, numtext::kInputDecimals);
  return in;
}

}  // namespace views
