#pragma once

#include <cmath>
#include <numbers>

// Numerical integration for the distributions of the analysis: integrands with algebraic
// singularities at the ends of the range.
namespace analysis {

// The integral of f over [a, b] (a < b) by the double-exponential (tanh-sinh) rule, whose nodes
// crowd towards both ends so that square-root and inverse-square-root end behaviour costs no
// accuracy. f(x, fromA, toB) also receives the distances x - a and b - x, formed without
// cancellation, since an integrand singular at an end needs them more precisely than x.
// Levels halve the step until two agree to sqrt(relTol): each halving about squares the
// error, so the last level is then good to about relTol.
template <class F>
double TanhSinh(F f, double a, double b, double relTol = 1e-14) {
  constexpr double kHalfPi = std::numbers::pi / 2.0;
  constexpr double kTMax = 3.5;  // beyond it the weights underflow against any integrand here
  constexpr int kMaxLevel = 9;
  const double half = (b - a) / 2.0;
  if (!(half > 0.0)) return 0.0;
  // One node pair at +-t: the weight and the two distances.
  const auto pair = [&](double t) {
    const double u = kHalfPi * std::sinh(t);
    const double ch = std::cosh(u);
    const double w = half * kHalfPi * std::cosh(t) / (ch * ch);
    // 1 - tanh(u) and 1 + tanh(u) without subtracting.
    const double e = std::exp(-2.0 * u);
    // The node at -t lies near from a and far from b; its mirror at +t the other way round.
    const double near = half * 2.0 * e / (1.0 + e);
    const double far = half * 2.0 / (1.0 + e);
    double s = 0.0;
    if (near > 0.0) s += f(a + near, near, far);
    if (near > 0.0) s += f(b - near, far, near);
    return w * s;
  };
  double h = 0.5;
  double sum = half * kHalfPi * f(a + half, half, half);
  for (double t = h; t <= kTMax; t += h) sum += pair(t);
  double estimate = h * sum;
  for (int level = 1; level <= kMaxLevel; ++level) {
    h /= 2.0;
    for (double t = h; t <= kTMax; t += 2.0 * h) sum += pair(t);
    const double next = h * sum;
    const bool settled = std::fabs(next - estimate) <= std::sqrt(relTol) * std::fabs(next);
    estimate = next;
    if (settled && level >= 2) break;
  }
  return estimate;
}

}  // namespace analysis
