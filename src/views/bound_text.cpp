#include "views/bound_text.h"

#include <charconv>
#include <cmath>

#include "numtext/format.h"
#include "text/ascii.h"

namespace views {

std::string BoundText(double x, int decimals, Rounding r) {
  if (!std::isfinite(x) || r == Rounding::Nearest || decimals < 0 || decimals > 15) {
    return numtext::FloatToText(x, decimals);
  }
  const double scale = std::pow(10.0, decimals);
  const double scaled = x * scale;
  // Beyond 2^53 every double is an integer already at this precision.
  if (!(std::fabs(scaled) < 9007199254740992.0)) return numtext::FloatToText(x, decimals);
  // The nearest candidate, then one step at a time to the safe side: n / scale is the double
  // nearest to the decimal n 10^-decimals, which is what the text of it says.
  double n = std::nearbyint(scaled);
  if (r == Rounding::Down) {
    while (n / scale > x) n -= 1.0;
  } else {
    while (n / scale < x) n += 1.0;
  }
  return numtext::FloatToText(n / scale, decimals);
}

std::optional<double> ParseDecimal(std::string_view s) {
  s = text::Trim(s, text::IsControlOrSpace);
  std::string t(s);
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  std::string_view v = t;
  if (v.starts_with('+')) {
    v.remove_prefix(1);
    if (v.starts_with('-')) return std::nullopt;
  }
  if (v.empty()) return std::nullopt;
  double out = 0.0;
  const auto res = std::from_chars(v.data(), v.data() + v.size(), out);
  if (res.ec != std::errc() || res.ptr != v.data() + v.size()) return std::nullopt;
  // from_chars takes "inf" and "nan", which no user means as a reading.
  if (!std::isfinite(out)) return std::nullopt;
  return out;
}

}  // namespace views
