#include "chart/ticks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace chart {
namespace {

constexpr double kHuge = 1e300;  // keeps spans and steps finite however wild the data
constexpr int kMaxTickCount = 200;

std::string Chars(double v, std::chars_format f, int precision) {
  std::array<char, 64> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, f, precision);
  return std::string(buf.data(), r.ptr);
}

void StripZeros(std::string& s) {
  if (s.find('.') == std::string::npos) return;
  while (s.ends_with('0')) s.pop_back();
  if (s.ends_with('.')) s.pop_back();
}

// Decimals a multiple of step needs in fixed form (0.25 needs 2, 0.5 one, 20 none).
int DecimalsFor(double step) {
  for (int d = 0; d < 15; ++d) {
    const double scaled = step * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) return d;
  }
  return 15;
}

std::string ExponentLabel(double value, int significant) {
  std::string s = Chars(value, std::chars_format::scientific, std::clamp(significant, 1, 17) - 1);
  const std::size_t e = s.find('e');
  std::string mantissa = s.substr(0, e);
  StripZeros(mantissa);
  int exponent = 0;
  const char* first = s.data() + e + 1;
  if (*first == '+') ++first;
  std::from_chars(first, s.data() + s.size(), exponent);
  return mantissa + "e" + std::to_string(exponent);
}

// Equal, swapped or non-finite ends made into a usable interval.
std::pair<double, double> Sanitise(double lo, double hi) {
  const bool fl = std::isfinite(lo);
  const bool fh = std::isfinite(hi);
  if (!fl && !fh) return {0.0, 1.0};
  if (!fl) lo = hi;
  if (!fh) hi = lo;
  lo = std::clamp(lo, -kHuge, kHuge);
  hi = std::clamp(hi, -kHuge, kHuge);
  if (lo > hi) std::swap(lo, hi);
  // A span below the doubles' resolution at these values cannot hold distinct ticks.
  if (hi - lo <= 1e-12 * std::max(std::fabs(lo), std::fabs(hi))) {
    const double mid = lo / 2.0 + hi / 2.0;
    const double d = mid == 0.0 ? 1.0 : std::fabs(mid) * 0.1;
    lo = mid - d;
    hi = mid + d;
  }
  return {lo, hi};
}

// A decade exactly: some C libraries (mingw-w64's) round pow(10, -7) several units off, and a
// power of ten up to 1e22 is exact, so its reciprocal is the nearest double to the decade.
double Pow10(int e) { return e < 0 ? 1.0 / std::pow(10.0, -e) : std::pow(10.0, e); }

// Labels for 1, 2, 5 x 10^e: plain over the decades people read as plain numbers.
std::string DecadeLabel(double mantissa, int e) {
  const double v = mantissa * Pow10(e);
  if (e >= -4 && e <= 5) {
    std::string s = Chars(v, std::chars_format::fixed, std::max(0, -e));
    StripZeros(s);
    return s;
  }
  return ExponentLabel(v, 1);
}

// threshold x 10^e, also where 10^e alone would overflow (a tiny threshold, a huge range).
double DecadeOf(double threshold, int e) {
  const double v = threshold * Pow10(e);
  if (std::isfinite(v)) return v;
  return std::min(std::pow(10.0, std::log10(threshold) + e), kHuge);
}

}  // namespace

double NiceStep(double span, int maxTicks) {
  if (!std::isfinite(span) || span <= 0.0) return 1.0;
  const double raw = span / std::max(1, maxTicks - 1);
  const double mag = Pow10(static_cast<int>(std::floor(std::log10(raw))));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    // The tolerance keeps a span of exactly 10 intervals of a round step at that step.
    if (m * mag >= raw * (1.0 - 1e-12)) return m * mag;
  }
  return 10.0 * mag;
}

std::string TickLabel(double value, double step) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : value > 0 ? "inf" : "-inf";
  if (value == 0.0 || std::fabs(value) < std::fabs(step) * 1e-9) return "0";
  const double a = std::fabs(value);
  if (a >= 1e6 || a < 1e-4) {
    const int ev = static_cast<int>(std::floor(std::log10(a)));
    const int es = std::isfinite(step) && step > 0.0
                       ? static_cast<int>(std::floor(std::log10(step) + 1e-9))
                       : ev;
    return ExponentLabel(value, ev - es + 1 + (DecimalsFor(step / Pow10(es)) > 0 ? 1 : 0));
  }
  const int d = std::isfinite(step) && step > 0.0 ? DecimalsFor(step) : 6;
  std::string s = Chars(value, std::chars_format::fixed, d);
  StripZeros(s);
  if (s == "-0") s = "0";
  return s;
}

AxisTicks LinearTicks(double lo, double hi, int maxTicks, bool extend, double step) {
  std::tie(lo, hi) = Sanitise(lo, hi);
  maxTicks = std::max(2, maxTicks);
  if (!(std::isfinite(step) && step > 0.0 && (hi - lo) / step <= kMaxTickCount))
    step = NiceStep(hi - lo, maxTicks);
  AxisTicks out;
  if (extend) {
    lo = std::floor(lo / step + 1e-9) * step;
    hi = std::ceil(hi / step - 1e-9) * step;
  }
  out.Lo = lo;
  out.Hi = hi;
  const double k0 = std::ceil(lo / step - 1e-9);
  const double k1 = std::floor(hi / step + 1e-9);
  for (double k = k0; k <= k1 && out.Ticks.size() < kMaxTickCount; k += 1.0) {
    double v = k * step;
    if (v == 0.0) v = 0.0;
    out.Ticks.push_back({v, TickLabel(v, step), true});
  }
  return out;
}

AxisTicks LogTicks(double lo, double hi, int maxLabels) {
  const auto ok = [](double v) { return std::isfinite(v) && v > 0.0; };
  if (!ok(lo) && !ok(hi)) {
    lo = 1.0;
    hi = 10.0;
  }
  if (!ok(lo)) lo = hi;
  if (!ok(hi)) hi = lo;
  if (lo > hi) std::swap(lo, hi);
  lo = std::clamp(lo, 1e-300, kHuge);
  hi = std::clamp(hi, 1e-300, kHuge);
  int e0 = static_cast<int>(std::floor(std::log10(lo) + 1e-9));
  int e1 = static_cast<int>(std::ceil(std::log10(hi) - 1e-9));
  if (e1 <= e0) {
    // Both ends on one decade value: show the decades on either side of it.
    --e0;
    ++e1;
  }
  const int decades = e1 - e0;
  const int stride = std::max(1, (decades + std::max(1, maxLabels) - 1) / std::max(1, maxLabels));
  const bool minors = decades <= 6;
  const bool minorLabels = decades <= 1;
  AxisTicks out;
  out.Lo = Pow10(e0);
  out.Hi = Pow10(e1);
  for (int e = e0; e <= e1; ++e) {
    const bool labelled = e % stride == 0;
    out.Ticks.push_back({Pow10(e), labelled ? DecadeLabel(1.0, e) : std::string(), true});
    if (minors && e < e1)
      for (const double m : {2.0, 5.0})
        out.Ticks.push_back({m * Pow10(e), minorLabels ? DecadeLabel(m, e) : std::string(), false});
  }
  return out;
}

AxisTicks SymLogTicks(double lo, double hi, double threshold, int maxLabels) {
  if (!(std::isfinite(threshold) && threshold > 0.0)) threshold = 1.0;
  std::tie(lo, hi) = Sanitise(lo, hi);
  // The ends go out to the next decade of the threshold on each side that has data.
  const auto decadeAbove = [threshold](double a) {
    if (a <= 0.0) return 0;
    // a / threshold may overflow to infinity; no double spans more than 700 decades.
    const double decades = std::ceil(std::log10(a / threshold) - 1e-9);
    return static_cast<int>(std::clamp(decades, 0.0, 700.0));
  };
  const int eHi = hi > 0.0 ? decadeAbove(hi) : -1;
  const int eLo = lo < 0.0 ? decadeAbove(-lo) : -1;
  AxisTicks out;
  out.Lo = lo < 0.0 ? -DecadeOf(threshold, eLo) : 0.0;
  out.Hi = hi > 0.0 ? DecadeOf(threshold, eHi) : 0.0;
  const int span = std::max(eHi, 0) + std::max(eLo, 0) + 2;
  const int stride = std::max(1, (span + std::max(1, maxLabels) - 1) / std::max(1, maxLabels));
  const auto label = [](double v) { return TickLabel(v, std::fabs(v)); };
  const auto side = [&](int eMax, double sign, std::vector<Tick>& ticks) {
    for (int e = 0; e <= eMax; ++e) {
      const double v = sign * DecadeOf(threshold, e);
      ticks.push_back({v, e % stride == 0 ? label(v) : std::string(), true});
      if (e < eMax)
        for (const double m : {2.0, 5.0}) ticks.push_back({sign * m * std::fabs(v), {}, false});
    }
  };
  std::vector<Tick> neg;
  side(eLo, -1.0, neg);
  std::reverse(neg.begin(), neg.end());
  out.Ticks = std::move(neg);
  out.Ticks.push_back({0.0, "0", true});
  side(eHi, 1.0, out.Ticks);
  return out;
}

AxisTicks MakeTicks(Scale s, double lo, double hi, double threshold, int maxTicks, bool extend,
                    double step) {
  switch (s) {
    case Scale::Linear:
      return LinearTicks(lo, hi, maxTicks, extend, step);
    case Scale::Log:
      return LogTicks(lo, hi, maxTicks);
    case Scale::SymLog:
      return SymLogTicks(lo, hi, threshold, maxTicks);
  }
  return LinearTicks(lo, hi, maxTicks, extend, step);
}

}  // namespace chart
