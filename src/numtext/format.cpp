#include "numtext/format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace numtext {
namespace {

// Magnitudes at or below this are shown as "0": the model's round-off, not a value.
constexpr double kZeroThreshold = 1e-12;
// Significant digits a display text carries; places beyond them are written as "0".
constexpr int kMaxSignificant = 17;
// From this decimal exponent of the leading digit on, the exponent form is used.
constexpr int kExponentFormFrom = 17;
// A fixed text of |x| > 1e-12 ends its significant digits at place 10^-28 at the latest
// (leading digit at 10^-12, 17 digits). Every further decimal would be a "0" that zero
// removal takes off again, so decimal counts beyond this give the same text.
constexpr int kMaxUsefulDecimals = 12 + kMaxSignificant - 1;

// An exact decimal expansion: digits[0, point) are the integer digits, the rest the fraction.
// digits[0] is always a spare '0' so that rounding can carry into it.
struct Decimal {
  std::string digits;
  int point = 0;
};

// Number of binary places after the point in the exact value of a finite ax > 0; that is also
// the number of decimal places its exact decimal expansion needs.
int ExactFractionDigits(double ax) {
  int exp2 = 0;
  const double f = std::frexp(ax, &exp2);  // ax = f * 2^exp2, 0.5 <= f < 1
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(f, 53));
  const int trailing = std::countr_zero(mantissa);
  return std::max(0, 53 - exp2 - trailing);
}

// Every double is a finite binary fraction, so to_chars with as many decimals as it has binary
// places writes it exactly, with no rounding at all.
Decimal ExactDecimal(double ax) {
  // Largest double: 309 integer digits; smallest denormal: 1074 decimals.
  std::array<char, 309 + 1 + 1074 + 8> buf{};
  const int frac = ExactFractionDigits(ax);
  const auto res =
      std::to_chars(buf.data(), buf.data() + buf.size(), ax, std::chars_format::fixed, frac);
  Decimal d;
  d.digits.reserve(static_cast<std::size_t>(res.ptr - buf.data()) + 1);
  d.digits.push_back('0');
  d.point = 1;
  bool after_point = false;
  for (const char* p = buf.data(); p != res.ptr; ++p) {
    if (*p == '.') {
      after_point = true;
      continue;
    }
    d.digits.push_back(*p);
    if (!after_point) ++d.point;
  }
  return d;
}

// Decimal exponent of the leading non-zero digit; the value must not be zero.
int LeadingPlace(const Decimal& d) {
  const auto i = d.digits.find_first_not_of('0');
  return d.point - 1 - static_cast<int>(i);
}

// Rounds to a multiple of 10^place; the first dropped digit decides, so an exact half goes away
// from zero and everything else to the nearer multiple. Keeps at least the digits down to place.
void RoundAt(Decimal& d, int place) {
  const int keep = d.point - place;  // >= 1 for every caller: digits[0] is the spare zero
  const auto k = static_cast<std::size_t>(keep);
  if (k >= d.digits.size()) {
    d.digits.resize(k, '0');
    return;
  }
  const bool up = d.digits[k] >= '5';
  d.digits.resize(k);
  if (!up) return;
  for (auto i = k; i-- > 0;) {
    if (d.digits[i] != '9') {
      ++d.digits[i];
      return;
    }
    d.digits[i] = '0';
  }
}

std::string ExponentText(bool negative, Decimal d, int decimals) {
  RoundAt(d, LeadingPlace(d) - (kMaxSignificant - 1));
  const int lead = LeadingPlace(d);
  const auto first = d.digits.find_first_not_of('0');
  const auto last = d.digits.find_last_not_of('0');
  std::string text;
  if (negative) text += '-';
  text += d.digits[first];
  if (last > first) {
    text += '.';
    text.append(d.digits, first + 1, last - first);
  }
  text += 'E';
  std::array<char, 16> exp{};
  const auto res = std::to_chars(exp.data(), exp.data() + exp.size(), lead);
  const int width = static_cast<int>(res.ptr - exp.data());
  if (decimals <= 4 && width < decimals)
    text.append(static_cast<std::size_t>(decimals - width), '0');
  text.append(exp.data(), res.ptr);
  return text;
}

std::string FixedText(bool negative, Decimal d, int decimals) {
  RoundAt(d, std::max(-decimals, LeadingPlace(d) - (kMaxSignificant - 1)));
  // Places after the seventeenth significant digit down to the last decimal are zeros.
  d.digits.resize(static_cast<std::size_t>(d.point + decimals), '0');
  const bool zero = d.digits.find_first_not_of('0') == std::string::npos;
  const auto int_begin =
      std::min(d.digits.find_first_not_of('0'), static_cast<std::size_t>(d.point - 1));
  std::string text;
  if (negative && !zero) text += '-';
  text.append(d.digits, int_begin, static_cast<std::size_t>(d.point) - int_begin);
  if (decimals > 0) {
    text += '.';
    text.append(d.digits, static_cast<std::size_t>(d.point), std::string::npos);
    // Zeros after the point carry no information; neither does a bare point.
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

// Powers of ten up to 10^17, exact in both uint64 and double.
constexpr std::array<std::uint64_t, 18> kPow10 = [] {
  std::array<std::uint64_t, 18> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();
// Decimal counts up to this take the integer path below (the window uses 2 to 4): with
// m < 2^53 and 5^4 < 2^10 the product m * 5^decimals fits in 64 bits.
constexpr int kFastDecimalsMax = 4;

// The fixed text of a finite |x| > 1e-12 with |x| < 10^(17 - decimals), so that the decimals,
// not the seventeen significant digits, decide where to round. |x| = m * 2^e exactly, so
// |x| * 10^decimals = m * 5^decimals * 2^(e + decimals): an integer times a power of two,
// which a shift rounds exactly. The highest dropped bit is set exactly when the dropped part
// is at least one half, the same rule as "the first dropped decimal digit is 5 or more".
std::string FixedTextFast(double x, int decimals) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  // Subnormals are below the zero threshold and never get here.
  const auto m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e = static_cast<int>((bits >> 52) & 0x7FF) - 1075;
  const auto k = static_cast<std::size_t>(decimals);

  std::uint64_t scaled = m;
  for (int i = 0; i < decimals; ++i) scaled *= 5;
  const int shift = e + decimals;
  std::uint64_t q = 0;  // round(|x| * 10^decimals), at most 10^17
  if (shift >= 0) {
    q = scaled << shift;
  } else if (shift > -64) {
    const int drop = -shift;
    q = (scaled >> drop) + ((scaled >> (drop - 1)) & 1u);
  }  // else |x| * 10^decimals < 1/2: rounds to 0

  // Exactly `decimals` fraction digits and then the integer digits, written from the right.
  std::array<char, 48> buf{};
  char* const end = buf.data() + buf.size();
  char* p = end;
  std::uint64_t frac = q % kPow10[k];
  for (std::size_t i = 0; i < k; ++i) {
    *--p = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  // Zeros at the end of the fraction carry no information; neither does a bare point.
  char* last = end;
  while (last != p && last[-1] == '0') --last;
  if (last != p) *--p = '.';
  std::uint64_t whole = q / kPow10[k];
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (x < 0 && q != 0) *--p = '-';
  return std::string(p, last);
}

}  // namespace

std::string FloatToText(double x, int decimals) {
  // |INT_MIN| does not exist as an int; any count that large gives the same text anyway.
  const int n = decimals == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max()
                                                            : std::abs(decimals);
  if (std::fabs(x) <= kZeroThreshold) return "0";
  if (std::isinf(x)) return x > 0 ? kInfinityText : kMinusInfinityText;
  if (std::isnan(x)) return kNanText;

  if (n <= kFastDecimalsMax &&
      std::fabs(x) < static_cast<double>(kPow10[static_cast<std::size_t>(kMaxSignificant - n)]))
    return FixedTextFast(x, n);

  const Decimal exact = ExactDecimal(std::fabs(x));
  const int lead = LeadingPlace(exact);
  if (lead >= kExponentFormFrom - 1) {
    // Judge the form after rounding to 17 significant digits: a carry can reach 10^17.
    Decimal rounded = exact;
    RoundAt(rounded, lead - (kMaxSignificant - 1));
    if (LeadingPlace(rounded) >= kExponentFormFrom) return ExponentText(x < 0, exact, n);
  }
  return FixedText(x < 0, exact, std::min(n, kMaxUsefulDecimals));
}

std::string IntToText(std::int32_t v) {
  std::array<char, 16> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), res.ptr);
}

}  // namespace numtext
