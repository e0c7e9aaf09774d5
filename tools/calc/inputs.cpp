#include "inputs.h"

#include <charconv>
#include <cmath>

#include "rf/first_start.h"
#include "rf/input_limits.h"
#include "text/ascii.h"
#include "texts.h"

namespace calc {

namespace {

using text::EndsWithNoCase;

// shown is the text the message quotes: the whole value the user gave.
std::optional<std::string> Ranged(std::string_view s, rf::InputRange range, RangeWords what,
                                  double& out, std::string_view shown) {
  const auto v = ParseNumber(s);
  if (!v) return NotANumber(shown);
  if (!(*v >= range.Lo && *v <= range.Hi)) return OutOfRange(shown, Expected(what, range));
  out = *v;
  return std::nullopt;
}

}  // namespace

Inputs DefaultInputs() {
  Inputs in;
  in.Va = static_cast<std::int32_t>(rf::kFirstAnodeV);
  in.Ia = rf::kFirstAnodeI;
  in.EffPercent = rf::kFirstEffPercent;
  in.Src.Refl.Mag = rf::kFirstSrcMag;
  in.Src.Refl.Pha = rf::kFirstSrcPha;
  rf::ReflFromMag(in.Src.Refl);
  in.Load.Refl.Mag = rf::kFirstLoaMag;
  in.Load.Refl.Pha = rf::kFirstLoaPha;
  rf::ReflFromMag(in.Load.Refl);
  if (!rf::kFirstIdeal) in.DirDb = rf::kFirstDirDb;
  return in;
}

std::optional<double> ParseNumber(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return std::nullopt;
  double v = 0.0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) {
    return std::nullopt;
  }
  return v;
}

std::optional<std::string> ParseVa(std::string_view s, std::int32_t& out) {
  std::string_view t = s;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  std::int64_t v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || r.ec == std::errc::invalid_argument || r.ptr != t.data() + t.size()) {
    return NotAWholeNumber(s);
  }
  if (r.ec != std::errc() || v < 0 || v > rf::kVaMax)
    return OutOfRange(s, Expected(kRangeVa, rf::kVaRange));
  out = static_cast<std::int32_t>(v);
  return std::nullopt;
}

std::optional<std::string> ParseIa(std::string_view s, double& out) {
  return Ranged(s, rf::kIaRange, kRangeIa, out, s);
}

std::optional<std::string> ParseEff(std::string_view s, double& percent) {
  return Ranged(s, rf::kEffPercentRange, kRangeEff, percent, s);
}

std::optional<std::string> ParseDir(std::string_view s, double& db) {
  return Ranged(s, rf::kDirectivityRange, kRangeDir, db, s);
}

std::optional<std::string> ParseRefl(std::string_view s, ReflInput& out) {
  std::string_view value = s;
  ReflInput r = out;
  if (const auto at = s.find('@'); at != std::string_view::npos) {
    value = s.substr(0, at);
    if (auto e = Ranged(s.substr(at + 1), rf::kPhaseRange, kRangePhase, r.Refl.Pha, s)) {
      return e;
    }
  }
  double v = 0.0;
  if (EndsWithNoCase(value, "db")) {
    if (auto e = Ranged(value.substr(0, value.size() - 2), rf::kRlossRange, kRangeDb, v, s))
      return e;
    r.Form = rf::ReflForm::Db;
    r.Refl.Rloss = v;
    rf::ReflFromRloss(r.Refl);
  } else if (EndsWithNoCase(value, "swr")) {
    if (auto e = Ranged(value.substr(0, value.size() - 3), rf::kSwrRange, kRangeSwr, v, s))
      return e;
    r.Form = rf::ReflForm::Swr;
    r.Refl.Swr = v;
    rf::ReflFromSwr(r.Refl);
  } else {
    if (auto e = Ranged(value, rf::kMagRange, kRangeMag, v, s)) return e;
    r.Form = rf::ReflForm::Mag;
    r.Refl.Mag = v;
    rf::ReflFromMag(r.Refl);
  }
  out = r;
  return std::nullopt;
}

rf::ModelState ComputeModel(const Inputs& in) {
  rf::ModelState m;
  m.Va = in.Va;
  m.Ia = in.Ia;
  m.Eff = in.EffPercent / 100.0;  // as the window reads its per-cent edit
  m.SrcRfl = in.Src.Refl;
  m.LoaRfl = in.Load.Refl;
  m.CplIdeal = !in.DirDb.has_value();
  m.CplDirDb = in.DirDb.value_or(rf::kFirstDirDb);
  rf::ComputeTransmission(m);
  return m;
}

}  // namespace calc
