#include "views/design_answers.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "analysis/coupler_design.h"
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

namespace {

// The answer as the user reads it: rounded to the safe side, so that typed back it still
// meets the target; otherwise why there is none.
std::string AnswerText(const analysis::DesignAnswer& a, const rf::ModelState& m,
                       std::string_view unit) {
  switch (a.Status) {
    case analysis::DesignStatus::Ok: {
      std::string t = numtext::FloatToText(a.Shown, a.Decimals);
      if (!unit.empty()) {
        t += ' ';
        t += unit;
      }
      return t;
    }
    case analysis::DesignStatus::AnyLoad:
      return std::string(m.CplIdeal ? kInfinite : analysis::DesignStatusText(a.Status));
    default:
      break;
  }
  std::string t(kNotReachable);
  t += ": ";
  t += analysis::DesignStatusText(a.Status);
  return t;
}

}  // namespace

DesignAnswers AnswerDesign(const rf::ModelState& m, std::string_view targetPercent) {
  const std::optional<double> pct = ParsePercent(targetPercent);
  if (!pct || !(*pct > 0.0) || !std::isfinite(*pct)) {
    return {std::string(kNoTarget), std::string(kNoTarget)};
  }
  const double target = *pct / 100.0;
  return {AnswerText(analysis::DirectivityAnswer(m, target), m, kUnitDb),
          AnswerText(analysis::LoadSwrAnswer(m, target), m, {})};
}

}  // namespace views
