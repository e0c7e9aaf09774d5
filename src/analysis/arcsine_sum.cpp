#include "analysis/arcsine_sum.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/quadrature.h"

namespace analysis {

namespace {

// For s <= 0, conditioning on u = cos(psi): P(S <= s) = (1/pi^2) int_{-1}^{s+1} acos(u - s) /
// sqrt(1 - u^2) du. With the distances l = u + 1 and r = s + 1 - u to the ends, acos(1 - r) =
// 2 asin(sqrt(r / 2)) keeps its precision where r is small, and 1 - u = r - s; the integrand
// then has only an inverse square root at the left end and a square root at the right one,
// both of which the tanh-sinh rule absorbs.
double LowerCdf(double s) {
  const auto f = [s](double, double l, double r) {
    return 2.0 * std::asin(std::sqrt(r / 2.0)) / std::sqrt(l * (r - s));
  };
  return TanhSinh(f, -1.0, s + 1.0) / (std::numbers::pi * std::numbers::pi);
}

}  // namespace

double ArcsineSumCdf(double s) {
  if (std::isnan(s)) return s;
  if (s <= -2.0) return 0.0;
  if (s >= 2.0) return 1.0;
  if (s == 0.0) return 0.5;
  return s < 0.0 ? LowerCdf(s) : 1.0 - LowerCdf(-s);
}

double ArcsineSumQuantile(double p) {
  if (!(p >= 0.0 && p <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
  if (p == 0.0) return -2.0;
  if (p == 1.0) return 2.0;
  if (p == 0.5) return 0.0;
  // The upper half by symmetry, so that the root is always sought where the cdf is small and
  // known to its full relative precision.
  if (p > 0.5) return -ArcsineSumQuantile(1.0 - p);
  // Regula falsi with the Illinois modification on [-2, 0], where the cdf rises monotonically
  // from 0 to 1/2; it converges superlinearly and never leaves the bracket.
  double lo = -2.0;
  double hi = 0.0;
  double flo = -p;
  double fhi = 0.5 - p;
  int side = 0;
  for (int i = 0; i < 200 && hi - lo > 4.0 * std::numeric_limits<double>::epsilon(); ++i) {
    double s = (lo * fhi - hi * flo) / (fhi - flo);
    if (!(s > lo && s < hi)) s = lo + (hi - lo) / 2.0;
    const double fs = LowerCdf(s) - p;
    // Below the cdf's own accuracy a further step only chases rounding.
    if (std::fabs(fs) <= 1e-16 * p) return s;
    if (fs < 0.0) {
      lo = s;
      flo = fs;
      if (side == -1) fhi /= 2.0;
      side = -1;
    } else {
      hi = s;
      fhi = fs;
      if (side == 1) flo /= 2.0;
      side = 1;
    }
  }
  return lo + (hi - lo) / 2.0;
}

}  // namespace analysis
