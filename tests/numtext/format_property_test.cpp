#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "doubles.h"
#include "numtext/format.h"
#include "numtext/parse.h"

// Properties of the formatter over many pseudo-random doubles (fixed seeds), checked against
// an independent exact rounding done with big integers on the double's mantissa and exponent.
namespace numtext {
namespace {

using zephlane_test::kInf;
using zephlane_test::SameBits;

// Just enough of an unsigned big integer (32-bit limbs, least significant first).
class BigUint {
 public:
  explicit BigUint(std::uint64_t v) {
    limbs_.push_back(static_cast<std::uint32_t>(v));
    limbs_.push_back(static_cast<std::uint32_t>(v >> 32));
    Trim();
  }
  void MulSmall(std::uint32_t m) {
    std::uint64_t carry = 0;
    for (auto& l : limbs_) {
      const std::uint64_t t = std::uint64_t{l} * m + carry;
      l = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  std::uint32_t DivSmall(std::uint32_t d) {
    std::uint64_t rem = 0;
    for (auto i = limbs_.size(); i-- > 0;) {
      const std::uint64_t t = (rem << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(t / d);
      rem = t % d;
    }
    Trim();
    return static_cast<std::uint32_t>(rem);
  }
  void ShiftLeft(int bits) {
    for (; bits >= 16; bits -= 16) MulSmall(1u << 16);
    MulSmall(1u << bits);
  }
  bool Bit(int i) const {
    const auto limb = static_cast<std::size_t>(i / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1u) != 0;
  }
  void ShiftRight(int bits) {
    for (; bits >= 16; bits -= 16) DivSmall(1u << 16);
    DivSmall(1u << bits);
  }
  void AddOne() {
    for (auto& l : limbs_) {
      if (++l != 0) return;
    }
    limbs_.push_back(1);
  }
  bool IsZero() const { return limbs_.empty(); }
  std::string ToDecimal() const {
    BigUint t = *this;
    std::string s;
    while (!t.IsZero()) s.insert(0, 1, static_cast<char>('0' + t.DivSmall(10)));
    return s.empty() ? "0" : s;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

// |x| * 10^k rounded (an exact half going up) or truncated; |x| = mantissa * 2^exp2.
BigUint Scaled(double ax, int k, bool round) {
  int exp2 = 0;
  const double f = std::frexp(ax, &exp2);
  BigUint v(static_cast<std::uint64_t>(std::ldexp(f, 53)));
  exp2 -= 53;
  for (int i = 0; i < k; ++i) v.MulSmall(10);
  if (exp2 >= 0) {
    v.ShiftLeft(exp2);
    return v;
  }
  const bool up = round && v.Bit(-exp2 - 1);  // the remainder is at least half the divisor
  v.ShiftRight(-exp2);
  if (up) v.AddOne();
  return v;
}

// The display text by the rules, built separately from the library's digit-string approach.
std::string ReferenceText(double x, int decimals) {
  const double ax = std::fabs(x);
  if (ax >= 1e17) {
    // An integer: drop digits one at a time, the last dropped digit decides the rounding.
    BigUint v = Scaled(ax, 0, true);
    const int exponent = static_cast<int>(v.ToDecimal().size()) - 1;
    std::uint32_t dropped = 0;
    for (int i = 0; i < exponent - 16; ++i) dropped = v.DivSmall(10);
    if (dropped >= 5) v.AddOne();
    std::string digits = v.ToDecimal();
    const int lead = exponent + static_cast<int>(digits.size()) - 17;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string e = std::to_string(lead);
    if (decimals <= 4 && static_cast<int>(e.size()) < decimals) {
      e.insert(0, static_cast<std::size_t>(decimals) - e.size(), '0');
    }
    // Appended piece by piece: GCC 12 at -O3 misreads `const char* + std::string&&` as an
    // overlapping copy (a -Wrestrict false positive).
    std::string text(x < 0 ? "-" : "");
    text += digits.front();
    if (digits.size() > 1) {
      text += '.';
      text.append(digits, 1);
    }
    text += 'E';
    text += e;
    return text;
  }
  // Leading place p from |x| * 10^28 truncated, an integer of at least 17 digits for |x| > 1e-12.
  const int p = static_cast<int>(Scaled(ax, 28, false).ToDecimal().size()) - 29;
  const int k = std::min(decimals, 16 - p);
  std::string digits = Scaled(ax, k, true).ToDecimal();
  if (static_cast<int>(digits.size()) <= k) {
    digits.insert(0, static_cast<std::size_t>(k + 1) - digits.size(), '0');
  }
  digits.append(static_cast<std::size_t>(decimals - k), '0');
  std::string text = digits;
  if (decimals > 0) {
    text.insert(text.size() - static_cast<std::size_t>(decimals), 1, '.');
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  if (x < 0 && text != "0") text.insert(0, 1, '-');
  return text;
}

double FromChars(const std::string& text) {
  double v = 0.0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_EQ(res.ec, std::errc()) << text;
  return v;
}

// Log-uniform magnitudes from just above the zero threshold to 1e22, either sign.
double RandomMagnitude(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> exponent(-12.0, 22.0);
  std::bernoulli_distribution negative(0.5);
  const double v = std::pow(10.0, exponent(rng));
  return negative(rng) ? -v : v;
}

TEST(FloatToText, MatchesExactReferenceRounding) {
  std::mt19937_64 rng(20240611);
  std::uniform_int_distribution<int> decimals(0, 20);
  for (int i = 0; i < 20000; ++i) {
    const double x = RandomMagnitude(rng);
    const int n = decimals(rng);
    ASSERT_EQ(FloatToText(x, n), ReferenceText(x, n))
        << "x=" << testing::PrintToString(x) << " n=" << n;
  }
}

TEST(FloatToText, NearHalfwayDecimalsMatchReference) {
  // Short decimal fractions such as 2.675 or 1.005 lie next to a halfway point in binary.
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<std::int64_t> mantissa(1, 99999999);
  std::uniform_int_distribution<int> places(1, 8);
  for (int i = 0; i < 20000; ++i) {
    const int j = places(rng);
    const double x = static_cast<double>(mantissa(rng) * 10 + 5) / std::pow(10.0, j);
    ASSERT_EQ(FloatToText(x, j - 1), ReferenceText(x, j - 1)) << testing::PrintToString(x);
  }
}

TEST(FloatToText, ExactHalfwayRoundsAwayFromZero) {
  // An odd multiple of 2^-(n+1) has exactly n+1 decimals, the last a 5: an exact tie at n.
  std::mt19937_64 rng(11);
  std::uniform_int_distribution<std::int64_t> odd(0, (std::int64_t{1} << 23) - 1);
  std::uniform_int_distribution<int> places(0, 8);
  std::bernoulli_distribution negative(0.5);
  for (int i = 0; i < 20000; ++i) {
    const int n = places(rng);
    double x = std::ldexp(static_cast<double>(2 * odd(rng) + 1), -(n + 1));
    if (negative(rng)) x = -x;
    const std::string text = FloatToText(x, n);
    const double shown = FromChars(text);
    ASSERT_GT(std::fabs(shown), std::fabs(x)) << testing::PrintToString(x) << " n=" << n;
    ASSERT_EQ(text, ReferenceText(x, n));
  }
}

TEST(FloatToText, WindowDecimalCountsMatchReferenceAcrossTheFixedRange) {
  // The window's counts (0 to 4 decimals) up to where seventeen significant digits, not the
  // decimals, start to decide the rounding, and a carry that reaches that limit.
  for (int n = 0; n <= 4; ++n) {
    const double limit = std::pow(10.0, 17 - n);
    double below = limit;
    double above = limit;
    for (int i = 0; i < 200; ++i) {
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, kInf);
      for (const double x : {below, -below, above, -above}) {
        ASSERT_EQ(FloatToText(x, n), ReferenceText(x, n))
            << testing::PrintToString(x) << " n=" << n;
      }
    }
  }
  std::mt19937_64 rng(13);
  std::uniform_int_distribution<int> decimals(0, 4);
  for (int i = 0; i < 20000; ++i) {
    const double x = RandomMagnitude(rng);
    const int n = decimals(rng);
    ASSERT_EQ(FloatToText(x, n), ReferenceText(x, n)) << testing::PrintToString(x) << " n=" << n;
  }
}

TEST(FloatToText, TextReadsBackToTheValueItShows) {
  std::mt19937_64 rng(3);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_int_distribution<int> decimals(-20, 20);
  for (int i = 0; i < 100000; ++i) {
    // Alternate raw bit patterns (every exponent) with magnitudes the window really shows.
    double x = i % 2 == 0 ? std::bit_cast<double>(bits(rng)) : RandomMagnitude(rng);
    if (!std::isfinite(x)) continue;
    const std::string text = FloatToText(x, decimals(rng));
    ASSERT_TRUE(SameBits(FromChars(text), TextToFloat(text, kInf, -kInf, kInf, false))) << text;
  }
}

TEST(FloatToText, SeventeenDigitsReadBackExactly) {
  // Seventeen significant digits identify every double, in fixed and in exponent form.
  std::mt19937_64 rng(5);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 100000; ++i) {
    const double x = i % 2 == 0 ? std::bit_cast<double>(bits(rng)) : RandomMagnitude(rng);
    if (!std::isfinite(x) || std::fabs(x) <= 1e-12) continue;
    const std::string text = FloatToText(x, 30);
    ASSERT_TRUE(SameBits(x, TextToFloat(text, kInf, -kInf, kInf, false))) << text;
  }
}

TEST(FloatToText, LargeDecimalCountsAgreeWithTwentyEight) {
  // Beyond 28 decimals only zeros would follow, and zero removal takes them off again.
  std::mt19937_64 rng(9);
  for (int i = 0; i < 2000; ++i) {
    const double x = RandomMagnitude(rng);
    const std::string text = FloatToText(x, 28);
    ASSERT_EQ(FloatToText(x, 29), text);
    ASSERT_EQ(FloatToText(x, 1000000), text);
    ASSERT_EQ(text, ReferenceText(x, 60));
  }
}

}  // namespace
}  // namespace numtext
