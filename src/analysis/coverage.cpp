#include "analysis/coverage.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/arcsine_sum.h"
#include "analysis/texts.h"
#include "rf/reflection.h"

namespace analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Coverage Undefined(double p) { return {kNaN, kNaN, kNaN, kNaN, kNaN, p, Shape::Undefined}; }

Coverage Fixed(double value, double p) {
  const double end = ValidCoverage(p) ? value : kNaN;
  return {value, value, 0.0, end, end, p, Shape::Fixed};
}

// The lower and upper tail probabilities of the symmetric interval.
double LowerTail(double p) { return (1.0 - p) / 2.0; }
double UpperTail(double p) { return (1.0 + p) / 2.0; }

}  // namespace

bool ValidCoverage(double p) { return p > 0.0 && p < 1.0; }

std::string_view ShapeText(Shape shape) {
  switch (shape) {
    case Shape::Fixed:
      return kShapeFixed;
    case Shape::Arcsine:
      return kShapeArcsine;
    case Shape::SkewedU:
      return kShapeSkewedU;
    case Shape::CentralCusp:
      return kShapeCentralCusp;
    case Shape::Disc:
      return kShapeDisc;
    case Shape::Undefined:
      break;
  }
  return kShapeUndefined;
}

// With a = 1 + rho^2 and b = 2 rho the standard integrals of 1 / (a - b cos) and its square give
// the mean factor / (1 - rho^2) and the variance 2 rho^2 factor^2 / (1 - rho^2)^3. The value
// falls as cos(theta) rises, and |theta| is uniform on [0, pi], so the q-quantile sits at
// cos(theta) = -cos(pi q); the denominator 1 + rho^2 + 2 rho cos(pi q) is written as
// (1 - rho)^2 + 4 rho sin^2(pi (1 - q) / 2), two positive terms, so that it keeps its precision
// where it is smallest, at the upper end with rho near 1.
Coverage InterferenceCoverage(double rho, double factor, double p) {
  if (std::isnan(rho) || std::isnan(factor)) return Undefined(p);
  if (factor == 0.0 || rho == 0.0) return Fixed(factor, p);
  const double oneMinus = (1.0 - rho) * (1.0 + rho);
  Coverage c;
  c.Probability = p;
  c.Law = Shape::SkewedU;
  c.Mean = factor / oneMinus;
  c.Std = factor * std::numbers::sqrt2 * rho / (oneMinus * std::sqrt(oneMinus));
  c.Median = factor / (1.0 + rho * rho);
  const auto quantile = [&](double complement) {
    const double s = std::sin(std::numbers::pi * complement / 2.0);
    return factor / ((1.0 - rho) * (1.0 - rho) + 4.0 * rho * s * s);
  };
  c.Low = ValidCoverage(p) ? quantile(UpperTail(p)) : kNaN;
  c.High = ValidCoverage(p) ? quantile(LowerTail(p)) : kNaN;
  return c;
}

// u^2 + v^2 + 2uv cos(theta) rises with cos(theta); the q-quantile is at cos(theta) = -cos(pi q),
// that is (u - v)^2 + 4uv sin^2(pi q / 2). The mean of cos^2 is 1/2, so the standard deviation is
// sqrt(2) uv, and the law is symmetric: the median is the mean.
Coverage PhasorCoverage(double u, double v, double scale, double p) {
  if (std::isnan(u) || std::isnan(v) || std::isnan(scale)) return Undefined(p);
  if (u == 0.0 || v == 0.0 || scale == 0.0) return Fixed(scale * (u * u + v * v), p);
  Coverage c;
  c.Probability = p;
  c.Law = Shape::Arcsine;
  c.Mean = scale * (u * u + v * v);
  c.Median = c.Mean;
  c.Std = scale * std::numbers::sqrt2 * u * v;
  const auto quantile = [&](double q) {
    const double s = std::sin(std::numbers::pi * q / 2.0);
    return scale * ((u - v) * (u - v) + 4.0 * u * v * s * s);
  };
  c.Low = ValidCoverage(p) ? quantile(LowerTail(p)) : kNaN;
  c.High = ValidCoverage(p) ? quantile(UpperTail(p)) : kNaN;
  return c;
}

// cos(psi) - cos(chi) has the law of cos(psi) + cos(chi): symmetric about 0, variance 1.
Coverage DifferenceCoverage(double centre, double amplitude, double p) {
  if (std::isnan(centre) || std::isnan(amplitude)) return Undefined(p);
  if (amplitude == 0.0) return Fixed(centre, p);
  Coverage c;
  c.Probability = p;
  c.Law = Shape::CentralCusp;
  c.Mean = centre;
  c.Median = centre;
  c.Std = std::fabs(amplitude);
  if (ValidCoverage(p)) {
    const double half = std::fabs(amplitude) * ArcsineSumQuantile(UpperTail(p));
    c.Low = centre - half;
    c.High = centre + half;
  } else {
    c.Low = c.High = kNaN;
  }
  return c;
}

Coverage WithinLimits(Coverage c, double lo, double hi) {
  if (!(lo <= hi)) return c;  // NaN limits: nothing to hold on to
  const auto clamp = [&](double& x) {
    if (x < lo) x = lo;
    if (x > hi) x = hi;
  };
  clamp(c.Low);
  clamp(c.High);
  clamp(c.Median);
  clamp(c.Mean);
  return c;
}

CoverageSet ComputeCoverage(const rf::ModelState& m, double p) {
  const double rho = m.SrcRfl.Mag * m.LoaRfl.Mag;
  const double ms = m.SrcRfl.Mism;
  const double ml = m.LoaRfl.Mism;
  const double mag = m.LoaRfl.Mag;
  const double l2 = mag * mag;
  const double d = m.CplIdeal ? 0.0 : rf::DirDbToFactor(m.CplDirDb);
  CoverageSet s;
  // The factors in front of the interference factor, as the model forms its powers.
  s.Interf = WithinLimits(InterferenceCoverage(rho, 1.0, p), m.InterfMin, m.InterfMax);
  s.TrGain = WithinLimits(InterferenceCoverage(rho, ms * ml, p), m.TrGainMin, m.TrGainMax);
  s.Pinc = WithinLimits(InterferenceCoverage(rho, m.Pav * ms, p), m.PincMin, m.PincMax);
  s.Prefl = WithinLimits(InterferenceCoverage(rho, m.Pav * ms * l2, p), m.PreflMin, m.PreflMax);
  s.Pload = WithinLimits(InterferenceCoverage(rho, m.Pav * ms * ml, p), m.PloadMin, m.PloadMax);
  // The forward coupler sees the incident wave plus d times the reflected one, the reverse
  // coupler the reflected wave plus d times the incident one; their difference is
  // Pinc ((1 - M^2)(1 - d^2) + 2dM (cos psi - cos chi)).
  s.PincReading = WithinLimits(PhasorCoverage(1.0, d * mag, m.Pinc, p), m.PincMinV, m.PincMaxV);
  s.PreflReading = WithinLimits(PhasorCoverage(mag, d, m.Pinc, p), m.PreflMinV, m.PreflMaxV);
  s.PloadReading =
      WithinLimits(DifferenceCoverage(m.Pload * (1.0 - d * d), 2.0 * d * mag * m.Pinc, p),
                   m.PloadMinV, m.PloadMaxV);
  return s;
}

CoverageRows LimitsAndCoverage(const rf::ModelState& m, double p) {
  const CoverageSet s = ComputeCoverage(m, p);
  struct Limits {
    double Min, Actual, Max;
  };
  // In the order of kCoverageItems.
  const Limits limits[] = {
      {m.InterfMin, m.Interf, m.InterfMax}, {m.TrGainMin, m.TrGain, m.TrGainMax},
      {m.PincMin, m.Pinc, m.PincMax},       {m.PreflMin, m.Prefl, m.PreflMax},
      {m.PloadMin, m.Pload, m.PloadMax},    {m.PincMinV, m.Pinc, m.PincMaxV},
      {m.PreflMinV, m.Prefl, m.PreflMaxV},  {m.PloadMinV, m.Pload, m.PloadMaxV}};
  CoverageRows rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const CoverageItem& item = kCoverageItems[i];
    rows[i] = {item.Name,        item.IsPower,  limits[i].Min,
               limits[i].Actual, limits[i].Max, s.*item.Member};
  }
  return rows;
}

}  // namespace analysis
