#include "lines/frequency.h"

#include <array>
#include <charconv>
#include <cmath>

#include "lines/texts.h"
#include "text/ascii.h"

namespace lines {

namespace {

struct Suffix {
  std::string_view Text;
  double HzPer;
};
constexpr std::array<Suffix, 8> kSuffixes{{{"", 1.0},
                                           {"hz", 1.0},
                                           {"k", 1e3},
                                           {"khz", 1e3},
                                           {"m", 1e6},
                                           {"mhz", 1e6},
                                           {"g", 1e9},
                                           {"ghz", 1e9}}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Result<double> Parse(std::string_view text, bool zeroAllowed) {
  Result<double> out;
  const std::string_view s = text::Trim(text, text::IsSpaceOrTab);
  const bool negative = !s.empty() && s.front() == '-';
  const std::string_view body = negative ? s.substr(1) : s;
  if (text::StartsWithNoCase(body, "inf") || text::StartsWithNoCase(body, "nan")) {
    out.Error = kFrequencyNotFinite;
    return out;
  }
  // from_chars takes no '+' and no blank after the sign; a number starts with a digit or '.'.
  if (body.empty() || !(IsDigit(body.front()) || body.front() == '.')) {
    out.Error = kExpectedFrequency;
    return out;
  }
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // Beyond a double's range on either side: a negative exponent means too small to be
    // told from zero.
    const std::size_t e = s.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
    out.Error = tiny ? kFrequencyZero : kFrequencyTooLarge;
    return out;
  }
  if (ec != std::errc()) {
    out.Error = kExpectedFrequency;
    return out;
  }
  const std::string_view unit =
      text::TrimFront(s.substr(static_cast<std::size_t>(ptr - s.data())), text::IsSpaceOrTab);
  const Suffix* found = nullptr;
  for (const Suffix& x : kSuffixes) {
    if (text::EqualsNoCase(unit, x.Text)) found = &x;
  }
  if (found == nullptr) {
    out.Error = kExpectedFrequency;
    return out;
  }
  const double hz = v * found->HzPer;
  if (negative && v != 0.0) {
    out.Error = kFrequencyNegative;
  } else if (!std::isfinite(hz)) {
    out.Error = kFrequencyTooLarge;
  } else if (hz == 0.0 && !zeroAllowed) {
    out.Error = kFrequencyZero;
  } else {
    out.Value = hz == 0.0 ? 0.0 : hz;  // -0 is 0 Hz
  }
  return out;
}

std::string Shortest(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

}  // namespace

Result<double> ParseFrequency(std::string_view text) { return Parse(text, false); }
Result<double> ParseFrequencyOrZero(std::string_view text) { return Parse(text, true); }

std::string FormatFrequency(double hz) {
  static constexpr std::array<Suffix, 3> kUnits{
      {{kUnitGHz, 1e9}, {kUnitMHz, 1e6}, {kUnitKHz, 1e3}}};
  if (std::isfinite(hz)) {
    for (const Suffix& u : kUnits) {
      if (std::fabs(hz) < u.HzPer) continue;
      std::string t = Shortest(hz / u.HzPer);
      t += u.Text;
      const Result<double> back = ParseFrequency(t);
      if (back.Ok() && back.Value == hz) return t;
      break;
    }
  }
  return Shortest(hz) + std::string(kUnitHz);
}

}  // namespace lines
