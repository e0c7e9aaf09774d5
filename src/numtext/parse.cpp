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

// A decimal number text (after blanks were trimmed and "," replaced), or NAN/INF words.
bool ParseFloatText(std::string_view s, double& out) {
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

  // Validate the grammar first: from_chars on its own would take "infinity", "nan(...)" and
  // refuse a leading "+".
  std::size_t i = 0;
  const std::size_t n = s.size();
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  const std::size_t mantissa_begin = i;
  std::size_t int_digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++int_digits;
  std::size_t frac_digits = 0;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++frac_digits;
  }
  if (int_digits + frac_digits == 0) return false;
  const std::size_t mantissa_end = i;
  std::int64_t exponent = 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool exp_negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
      exp_negative = s[i] == '-';
      ++i;
    }
    if (i == n) return false;
    for (; i < n; ++i) {
      if (!IsDigit(s[i])) return false;
      exponent = exponent * 10 + (s[i] - '0');
      if (exponent > 1024) return false;  // leading zeros are fine, a big exponent is not
    }
    if (exp_negative) exponent = -exponent;
  }
  if (i != n) return false;

  const char* first = s.data() + mantissa_begin - (negative ? 1 : 0);
  const char* last = s.data() + n;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ptr != last) return false;
  if (ec == std::errc::result_out_of_range) {
    // The library leaves the value untouched both on overflow and on an underflow to zero.
    // Tell them apart by the decimal position of the first non-zero digit.
    std::int64_t lead = static_cast<std::int64_t>(int_digits);  // position after that digit
    for (std::size_t k = mantissa_begin; k < mantissa_end; ++k) {
      if (s[k] == '.') continue;
      if (s[k] != '0') break;
      --lead;
    }
    if (lead + exponent > 0) return false;  // too large for a double
    value = negative ? -0.0 : 0.0;
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
  std::string text(TrimBlanks(s));
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  double v = 0.0;
  if (!ParseFloatText(text, v)) return def;
  if (min > v) return clamp ? min : def;
  if (v > max) return clamp ? max : def;
  return v;
}

}  // namespace numtext
