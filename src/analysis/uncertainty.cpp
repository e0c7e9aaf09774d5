#include "analysis/uncertainty.h"

#include <cmath>

#include "analysis/coverage.h"

namespace analysis {

namespace {

Moments WithExpanded(double mean, double sd) { return {mean, sd, kCoverageFactor * sd}; }

}  // namespace

// With lo = c/(1+r)^2 and hi = c/(1-r)^2 the mean c/(1-r^2) is the geometric mean of the
// extremes and the second moment c^2 (1+r^2)/(1-r^2)^3 is the geometric times the arithmetic
// mean; the variance g (a - g) = g (sqrt(hi) - sqrt(lo))^2 / 2 is formed from the root
// difference, which keeps its precision for the small r of a nearly matched line.
Moments InterferenceMoments(double lo, double hi) {
  const double mean = std::sqrt(lo * hi);
  const double sd = std::sqrt(mean / 2.0) * std::fabs(std::sqrt(hi) - std::sqrt(lo));
  return WithExpanded(mean, sd);
}

// The mean of cos^2 over a period is 1/2, so the standard deviation is |B| / sqrt(2).
Moments LeakageMoments(double lo, double hi) {
  const double mean = (lo + hi) / 2.0;
  const double sd = (hi - lo) / (2.0 * std::sqrt(2.0));
  return WithExpanded(mean, sd);
}

// The statistics are formed from the magnitudes and the phase-independent factors directly:
// the extremes of a nearly matched line agree in all their digits, and their difference would
// keep none of the spread.
Uncertainty ComputeUncertainty(const rf::ModelState& m) {
  const double rho = m.SrcRfl.Mag * m.LoaRfl.Mag;
  const double ms = m.SrcRfl.Mism;
  const double ml = m.LoaRfl.Mism;
  const double mag = m.LoaRfl.Mag;
  const double d = m.CplIdeal ? 0.0 : rf::DirDbToFactor(m.CplDirDb);
  const auto interference = [&](double factor) {
    const Coverage c = InterferenceCoverage(rho, factor, kDefaultCoverage);
    return WithExpanded(c.Mean, c.Std);
  };
  const auto reading = [&](double u0, double v0) {
    const Coverage c = PhasorCoverage(u0, v0, m.Pinc, kDefaultCoverage);
    return WithExpanded(c.Mean, c.Std);
  };
  Uncertainty u;
  u.Interf = interference(1.0);
  u.TrGain = interference(ms * ml);
  u.Pinc = interference(m.Pav * ms);
  u.Prefl = interference(m.Pav * ms * mag * mag);
  u.Pload = interference(m.Pav * ms * ml);
  u.PincReading = reading(1.0, d * mag);
  u.PreflReading = reading(mag, d);
  // The absorbed power is the difference of two readings with independent leakage phases:
  // means subtract, variances add.
  u.PloadReading = WithExpanded(u.PincReading.Mean - u.PreflReading.Mean,
                                std::hypot(u.PincReading.Std, u.PreflReading.Std));
  return u;
}

std::array<LimitRow, kUncertaintyItems.size()> LimitsAndUncertainty(const rf::ModelState& m) {
  const Uncertainty u = ComputeUncertainty(m);
  struct Limits {
    double Min, Actual, Max;
  };
  // In the order of kUncertaintyItems.
  const Limits limits[] = {
      {m.InterfMin, m.Interf, m.InterfMax}, {m.TrGainMin, m.TrGain, m.TrGainMax},
      {m.PincMin, m.Pinc, m.PincMax},       {m.PreflMin, m.Prefl, m.PreflMax},
      {m.PloadMin, m.Pload, m.PloadMax},    {m.PincMinV, m.Pinc, m.PincMaxV},
      {m.PreflMinV, m.Prefl, m.PreflMaxV},  {m.PloadMinV, m.Pload, m.PloadMaxV}};
  std::array<LimitRow, kUncertaintyItems.size()> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const UncertaintyItem& item = kUncertaintyItems[i];
    rows[i] = {item.Name,        item.IsPower,  limits[i].Min,
               limits[i].Actual, limits[i].Max, u.*item.Member};
  }
  return rows;
}

InferredLoadRange InferredLoadReflection(const rf::ModelState& m) {
  InferredLoadRange r;
  r.Lo.Mag = std::fabs(m.MeaMin.Mag);
  rf::ReflFromMag(r.Lo);
  r.Hi.Mag = m.MeaMax.Mag;
  r.Hi.Rloss = m.MeaMax.Rloss;
  r.Hi.Swr = m.MeaMax.Swr;
  return r;
}

}  // namespace analysis
