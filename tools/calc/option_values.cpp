#include "option_values.h"

#include <charconv>
#include <cmath>

#include "inputs.h"
#include "lines/band.h"
#include "lines/frequency.h"
#include "texts.h"

namespace calc {

namespace {

struct ReadingUnit {
  std::string_view Suffix;
  bool Decibel;
  double Watts;  // the unit in watts, or the reference power of a decibel unit
};
// Longest suffixes first, so that "dBkW" is not read as "kW" after "dB".
constexpr ReadingUnit kReadingUnits[] = {{"dBkW", true, 1000.0}, {"dBm", true, 1e-3},
                                         {"dBW", true, 1.0},     {"kW", false, 1000.0},
                                         {"MW", false, 1e6},     {"W", false, 1.0}};

}  // namespace

std::optional<std::string> ParseCoverageValue(std::string_view s, double& out) {
  const auto v = ParseNumber(s);
  if (!v) return NotANumber(s);
  if (!analysis::ValidCoverage(*v)) return OutOfRange(s, kRangeCoverage);
  out = *v;
  return std::nullopt;
}

std::optional<std::string> ParseMagnitudeModel(std::string_view s, analysis::MagnitudeKnown& out) {
  if (s == kModelExact) {
    out = analysis::MagnitudeKnown::Exactly;
  } else if (s == kModelDisc) {
    out = analysis::MagnitudeKnown::AsUpperLimit;
  } else {
    return Quoted(s) + ": expected " + std::string(kModels);
  }
  return std::nullopt;
}

std::optional<std::string> ParsePowerReading(std::string_view s, double& watts) {
  std::string_view number = s;
  const ReadingUnit* unit = nullptr;
  for (const ReadingUnit& u : kReadingUnits) {
    if (s.ends_with(u.Suffix)) {
      unit = &u;
      number = s.substr(0, s.size() - u.Suffix.size());
      break;
    }
  }
  while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
  const auto v = ParseNumber(number);
  if (!v) return Quoted(s) + ": " + std::string(kExpectedReading);
  double w = *v;
  if (unit != nullptr)
    w = unit->Decibel ? unit->Watts * std::pow(10.0, *v / 10.0) : *v * unit->Watts;
  if (!(w >= 0.0) || !std::isfinite(w)) return OutOfRange(s, kRangeReading);
  watts = w;
  return std::nullopt;
}

std::optional<std::string> ParseReadings(std::string_view s, Readings& out) {
  const auto comma = s.find(',');
  if (comma == std::string_view::npos) return Quoted(s) + ": " + std::string(kExpectedReadings);
  Readings r;
  if (auto e = ParsePowerReading(s.substr(0, comma), r.ForwardW)) return e;
  if (auto e = ParsePowerReading(s.substr(comma + 1), r.ReflectedW)) return e;
  out = r;
  return std::nullopt;
}

std::optional<std::string> ParseNonNegative(std::string_view s, double limit, double& out) {
  const auto v = ParseNumber(s);
  if (!v) return NotANumber(s);
  if (!(*v >= 0.0 && *v < limit)) {
    return OutOfRange(s, std::string(kRangeAtLeastZero) + RangeEnd(limit));
  }
  out = *v;
  return std::nullopt;
}

std::optional<std::string> ParseSeed(std::string_view s, std::uint64_t& out) {
  std::uint64_t v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return NotAWholeNumber(s);
  out = v;
  return std::nullopt;
}

std::optional<std::string> ParseCalibrationLaw(std::string_view s, analysis::CalibrationLaw& out) {
  if (s == kLawRectangular) {
    out = analysis::CalibrationLaw::Rectangular;
  } else if (s == kLawNormal) {
    out = analysis::CalibrationLaw::Normal;
  } else {
    return Quoted(s) + ": expected " + std::string(kLaws);
  }
  return std::nullopt;
}

std::optional<std::string> ParsePhaseOffsets(std::string_view s, double& psi0, double& chi0) {
  const auto comma = s.find(',');
  const auto bad = [&] { return Quoted(s) + ": " + std::string(kExpectedPhaseOffsets); };
  if (comma == std::string_view::npos) return bad();
  const auto a = ParseNumber(s.substr(0, comma));
  const auto b = ParseNumber(s.substr(comma + 1));
  if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return bad();
  psi0 = *a;
  chi0 = *b;
  return std::nullopt;
}

std::optional<std::string> ParseWhole(std::string_view s, int lo, int hi, int& out,
                                      RangeWords what) {
  int v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || r.ec == std::errc::invalid_argument || r.ptr != s.data() + s.size()) {
    return NotAWholeNumber(s);
  }
  if (r.ec != std::errc() || v < lo || v > hi) {
    return OutOfRange(s, Expected(what, lo, hi));
  }
  out = v;
  return std::nullopt;
}

std::optional<std::string> ParseHz(std::string_view s, double& out) {
  const auto f = lines::ParseFrequency(s);
  if (!f.Ok()) return Quoted(s) + ": " + f.Error;
  out = f.Value;
  return std::nullopt;
}

std::optional<std::string> ParseBandValue(std::string_view s, lines::Band& out) {
  const auto b = lines::ParseBand(s);
  if (!b.Ok()) return Quoted(s) + ": " + b.Error;
  out = b.Value;
  return std::nullopt;
}

std::optional<std::string> ParseMediumValue(std::string_view s, lines::Medium& out) {
  const auto m = lines::ParseMedium(s);
  if (!m.Ok()) return Quoted(s) + ": " + m.Error;
  out = m.Value;
  return std::nullopt;
}

}  // namespace calc
