#include "views/design_answers.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "analysis/coupler_design.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "text/ascii.h"
#include "views/texts.h"

namespace views {

namespace {

// A plain decimal number with "." whatever the locale, blanks around it allowed.
std::optional<double> ParsePercent(std::string_view s) {
  s = text::Trim(s, text::IsControlOrSpace);
  if (s.starts_with('+')) s.remove_prefix(1);
  double v = 0.0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

}  // namespace

DesignAnswers AnswerDesign(const rf::ModelState& m, std::string_view targetPercent) {
  const std::optional<double> pct = ParsePercent(targetPercent);
  if (!pct || !(*pct > 0.0) || !std::isfinite(*pct)) {
    return {std::string(kNoTarget), std::string(kNoTarget)};
  }
  DesignAnswers a;
  const std::optional<double> dir = analysis::DesignDirectivity(m, *pct / 100.0);
  if (dir) {
    a.Directivity = numtext::FloatToText(*dir, numtext::kDbDecimals);
    a.Directivity += ' ';
    a.Directivity += kUnitDb;
  } else {
    a.Directivity = std::string(kNotReachable);
  }
  const std::optional<double> swr = analysis::DesignLoadSwr(m, *pct / 100.0);
  if (!swr) {
    a.LoadSwr = std::string(kNotReachable);
  } else if (std::isinf(*swr)) {
    a.LoadSwr = std::string(kInfinite);
  } else {
    a.LoadSwr = numtext::FloatToText(*swr, numtext::kSwrDecimals);
  }
  return a;
}

}  // namespace views
