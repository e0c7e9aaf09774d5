#include "analysis/coupler_design.h"

#include <cmath>
#include <limits>

#include "rf/reflection.h"

namespace analysis {

namespace {

// The readings' relative error depends only on the load reflection and the leakage: the
// incident power cancels. The design therefore works on a nominal matched 1 W source, so that
// a source that delivers no power, or nothing defined (total source reflection), still gets
// an answer for its load.
rf::ModelState NominalSource(const rf::ModelState& m) {
  rf::ModelState w = m;
  w.Va = 1;
  w.Ia = 1.0;
  w.Eff = 1.0;
  w.SrcRfl.Mag = 0.0;
  rf::ReflFromMag(w.SrcRfl);
  return w;
}

bool Within(const rf::ModelState& m, double target) {
  const double e = AbsorbedReadingError(m);
  return e <= target;  // NaN fails
}

bool ValidTarget(double target) { return std::isfinite(target) && target > 0.0; }

// Bisection of a monotone predicate on [good side, bad side] down to adjacent doubles; returns
// the value on the good side.
template <class Ok>
double Bisect(double good, double bad, Ok ok) {
  for (int i = 0; i < 200; ++i) {
    const double mid = good + (bad - good) / 2.0;
    if (mid == good || mid == bad) break;
    (ok(mid) ? good : bad) = mid;
  }
  return good;
}

}  // namespace

double AbsorbedReadingError(const rf::ModelState& m) {
  const double below = 1.0 - m.PloadMinRelat;
  const double above = m.PloadMaxRelat - 1.0;
  if (std::isnan(below) || std::isnan(above)) return std::numeric_limits<double>::quiet_NaN();
  return below > above ? below : above;
}

std::optional<double> DesignDirectivity(const rf::ModelState& m, double target) {
  if (!ValidTarget(target)) return std::nullopt;
  rf::ModelState w = NominalSource(m);
  w.CplIdeal = false;
  rf::ComputeTransmission(w);
  // Less leakage never worsens the reading, so the error falls as the directivity rises.
  const auto ok = [&](double dirDb) {
    w.CplDirDb = dirDb;
    rf::ComputeMeasurement(w);
    return Within(w, target);
  };
  const rf::InputRange dir = rf::kDirectivityRange;
  if (!ok(dir.Hi)) return std::nullopt;
  if (ok(dir.Lo)) return dir.Lo;
  return Bisect(dir.Hi, dir.Lo, ok);
}

std::optional<double> DesignLoadSwr(const rf::ModelState& m, double target) {
  if (!ValidTarget(target)) return std::nullopt;
  if (m.CplIdeal) return std::numeric_limits<double>::infinity();
  rf::ModelState w = NominalSource(m);
  // A stronger load reflection makes the leakage weigh more against a smaller absorbed
  // power, so the error rises with the SWR; at total reflection nothing is absorbed and the
  // error is unbounded, which closes the bracket.
  const auto ok = [&](double swr) {
    w.LoaRfl.Swr = swr;
    rf::ReflFromSwr(w.LoaRfl);
    rf::ComputeTransmission(w);
    return Within(w, target);
  };
  if (!ok(rf::kSwrRange.Lo)) return std::nullopt;
  return Bisect(rf::kSwrRange.Lo, rf::kSwrTotalReflection, ok);
}

}  // namespace analysis
