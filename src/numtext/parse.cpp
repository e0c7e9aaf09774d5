#include "numtext/parse.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "text/ascii.h"

namespace numtext {
namespace {

// Every character up to code 32 is blank at the ends; a no-break space is not.
std::string_view TrimBlanks(std::string_view s) { return text::Trim(s, text::IsControlOrSpace); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

using text::EqualsNoCase;

// An integer text: sign, then decimal digits or a prefixed 32-bit hexadecimal pattern.
bool ParseIntText(std::string_view s, std::int32_t& out) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  std::string_view hex;
  if (s.starts_with('$') || s.starts_with('x') || s.starts_with('X')) {
    hex = s.substr(1);
  } else if (s.starts_with("0x") || s.starts_with("0X")) {
    hex = s.substr(2);
  }
  if (hex.data() != nullptr) {
    if (hex.empty()) return false;
    std::uint64_t pattern = 0;
    for (char c : hex) {
      const int d = HexDigitValue(c);
      if (d < 0) return false;
      pattern = pattern * 16 + static_cast<std::uint64_t>(d);
      if (pattern > 0xFFFFFFFFu) return false;
    }
    // Negating in unsigned arithmetic wraps like the 32-bit pattern it is: -$80000000 stays
    // -2147483648 instead of overflowing.
    std::uint32_t bits = static_cast<std::uint32_t>(pattern);
    if (negative) bits = 0u - bits;
    out = static_cast<std::int32_t>(bits);
    return true;
  }
  if (s.empty()) return false;
  // Magnitude limit: one beyond INT32_MAX is allowed only for a negative text.
  const std::int64_t limit =
      negative ? std::int64_t{1} << 31 : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  std::int64_t magnitude = 0;
  for (char c : s) {
    if (!IsDigit(c)) return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return false;
  }
  out = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

// The exponent's digits of a text that parsed whole as a number: the digits at its end, when
// an "e" (and maybe a sign) stands before them; empty when it has no exponent.
std::string_view ExponentDigits(std::string_view s) {
  std::size_t j = s.size();
  while (j > 0 && IsDigit(s[j - 1])) --j;
  std::size_t mark = j;
  if (mark > 0 && (s[mark - 1] == '+' || s[mark - 1] == '-')) --mark;
  if (mark > 0 && (s[mark - 1] == 'e' || s[mark - 1] == 'E')) return s.substr(j);
  return {};
}

// Exponents beyond 1024 either way are refused, leading zeros being fine: a number the
// window's fields hold never needs one.
bool ExponentTooLarge(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
  if (digits.size() > 4) return true;
  int exponent = 0;
  for (char c : digits) exponent = exponent * 10 + (c - '0');
  return exponent > 1024;
}

[[gnu::always_inline]] inline bool ParseFloatText(std::string_view s, double& out);

// The text with every "," read as "."; apart, since few texts hold one and the copy is not
// free.
[[gnu::noinline]] bool ParseCommaText(std::string_view s, double& out) {
  std::string replaced(s);
  for (char& c : replaced) {
    if (c == ',') c = '.';
  }
  return ParseFloatText(replaced, out);
}

// A decimal number text (after blanks were trimmed), "," standing for ".", or NAN/INF words.
//
// The grammar is a sign ("+" or "-"), digits with an optional point (at least one digit in
// all), and an optional exponent "e" or "E" with an optional sign and at least one digit.
// std::from_chars reads that grammar too once the text starts with a digit or a point (it
// refuses "+", which is skipped here, and reads "infinity" and "nan(...)", which such a start
// rules out), so it both checks and converts in one pass; only the exponent's size is checked
// apart. A "," stops it, and only then is the text read again with "." in its place.
[[gnu::always_inline]] inline bool ParseFloatText(std::string_view s, double& out) {
  const bool plus = !s.empty() && s.front() == '+';
  const bool minus = !s.empty() && s.front() == '-';
  const std::size_t mantissaBegin = plus || minus ? 1 : 0;
  if (mantissaBegin >= s.size() || (!IsDigit(s[mantissaBegin]) && s[mantissaBegin] != '.')) {
    if (mantissaBegin < s.size() && s[mantissaBegin] == ',') return ParseCommaText(s, out);
    if (EqualsNoCase(s, "NAN")) {
      out = std::numeric_limits<double>::quiet_NaN();
      return true;
    }
    if (EqualsNoCase(s, "INF") || EqualsNoCase(s, "+INF")) {
      out = std::numeric_limits<double>::infinity();
      return true;
    }
    if (EqualsNoCase(s, "-INF")) {
      out = -std::numeric_limits<double>::infinity();
      return true;
    }
    return false;
  }

  const char* first = s.data() + (plus ? 1 : 0);
  const char* last = s.data() + s.size();
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ptr != last) return *ptr == ',' ? ParseCommaText(s, out) : false;
  // A non-zero double written with an exponent beyond 1024 either way needs more than 700
  // digits in its mantissa to bring it back into range; shorter texts need the check only for
  // a zero or a value out of range.
  constexpr std::size_t kShortestFarExponentText = 700;
  std::string_view exponentDigits;
  if (ec != std::errc() || value == 0.0 || s.size() >= kShortestFarExponentText) {
    exponentDigits = ExponentDigits(s);
    if (ExponentTooLarge(exponentDigits)) return false;
  }
  if (ec == std::errc::result_out_of_range) {
    // The library leaves the value untouched both on overflow and on an underflow to zero.
    // Tell them apart by the decimal position of the first non-zero digit.
    std::int64_t exponent = 0;
    for (char c : exponentDigits) exponent = exponent * 10 + (c - '0');
    std::size_t mantissaEnd = s.size();
    if (!exponentDigits.empty()) {
      const auto digitsAt = static_cast<std::size_t>(exponentDigits.data() - s.data());
      if (s[digitsAt - 1] == '-') exponent = -exponent;
      mantissaEnd = s.find_first_of("eE", mantissaBegin);
    }
    std::int64_t intDigits = 0;
    for (std::size_t k = mantissaBegin; k < mantissaEnd && IsDigit(s[k]); ++k) ++intDigits;
    std::int64_t lead = intDigits;  // position after the first non-zero digit
    for (std::size_t k = mantissaBegin; k < mantissaEnd; ++k) {
      if (s[k] == '.') continue;
      if (s[k] != '0') break;
      --lead;
    }
    if (lead + exponent > 0) return false;  // too large for a double
    value = minus ? -0.0 : 0.0;
  } else if (ec != std::errc()) {
    return false;
  }
  out = value;
  return true;
}

}  // namespace

std::int32_t ClampInt(std::int32_t lo, std::int32_t x, std::int32_t hi) {
  if (x < lo) return lo;
  if (x > hi) return hi;
  return x;
}

double ClampFloat(double lo, double x, double hi) {
  if (lo > x) return lo;
  if (x > hi) return hi;
  return x;
}

std::int32_t TextToInt(std::string_view s, std::int32_t def, std::int32_t min, std::int32_t max,
                       bool clamp) {
  const std::int32_t fallback = ClampInt(min, def, max);
  std::int32_t v = 0;
  if (!ParseIntText(TrimBlanks(s), v)) return fallback;
  if (v < min) return clamp ? min : fallback;
  if (v > max) return clamp ? max : fallback;
  return v;
}

double TextToFloat(std::string_view s, double def, double min, double max, bool clamp) {
  double v = 0.0;
  if (!ParseFloatText(TrimBlanks(s), v)) return def;
  if (min > v) return clamp ? min : def;
  if (v > max) return clamp ? max : def;
  return v;
}

}  // namespace numtext
