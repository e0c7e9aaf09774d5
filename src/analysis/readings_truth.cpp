#include "analysis/readings_truth.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/texts.h"
#include "rf/input_limits.h"

namespace analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Point {
  double T;  // 1 / sqrt(Pinc)
  double M;  // load reflection magnitude
};

// The half-plane A t + B M <= C.
struct HalfPlane {
  double A, B, C;
};

// Signed excess of a point over the half-plane's edge, with rounding-level slack: a point that
// misses only by the rounding of its own coordinates is kept, so that readings on the very edge
// of what a load can give are not called inconsistent.
double Excess(const HalfPlane& h, Point p) {
  const double v = h.A * p.T + h.B * p.M - h.C;
  const double slack = 8.0 * std::numeric_limits<double>::epsilon() *
                       (std::fabs(h.A * p.T) + std::fabs(h.B * p.M) + std::fabs(h.C));
  return v <= slack && v > 0.0 ? 0.0 : v;
}

// One step of Sutherland-Hodgman: the convex polygon cut by one half-plane.
std::vector<Point> Clip(const std::vector<Point>& poly, const HalfPlane& h) {
  std::vector<Point> out;
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point p = poly[i];
    const Point q = poly[(i + 1) % n];
    const double ep = Excess(h, p);
    const double eq = Excess(h, q);
    if (ep <= 0.0) out.push_back(p);
    if ((ep < 0.0 && eq > 0.0) || (ep > 0.0 && eq < 0.0)) {
      const double s = ep / (ep - eq);
      out.push_back({p.T + s * (q.T - p.T), p.M + s * (q.M - p.M)});
    }
  }
  return out;
}

void Widen(Range& r, double x) {
  r.Min = std::min(r.Min, x);
  r.Max = std::max(r.Max, x);
}

Truth WithStatus(TruthStatus s) {
  Truth t;
  t.Status = s;
  t.Pinc = t.Prefl = t.Pload = t.Mag = {kNaN, kNaN};
  t.MagLo.Mag = t.MagHi.Mag = kNaN;
  rf::ReflFromMag(t.MagLo);
  rf::ReflFromMag(t.MagHi);
  return t;
}

void SetMagnitudeForms(Truth& t) {
  t.MagLo.Mag = t.Mag.Min;
  t.MagHi.Mag = t.Mag.Max;
  rf::ReflFromMag(t.MagLo);
  rf::ReflFromMag(t.MagHi);
}

Truth IdealTruth(double forward, double reflected) {
  if (reflected > forward) return WithStatus(TruthStatus::Inconsistent);
  Truth t;
  t.Status = TruthStatus::Ok;
  t.Pinc = {forward, forward};
  t.Prefl = {reflected, reflected};
  t.Pload = {forward - reflected, forward - reflected};
  const double mag = std::sqrt(reflected / forward);
  t.Mag = {mag, mag};
  SetMagnitudeForms(t);
  return t;
}

}  // namespace

std::string_view TruthStatusText(TruthStatus status) {
  switch (status) {
    case TruthStatus::Ok:
      return kTruthOk;
    case TruthStatus::NoPower:
      return kTruthNoPower;
    case TruthStatus::Inconsistent:
      return kTruthInconsistent;
    case TruthStatus::BadInput:
      break;
  }
  return kTruthBadInput;
}

// With x = sqrt(Pinc), f = sqrt(forward) and r = sqrt(reflected), the leakage phases let the
// forward amplitude f take any value in x [1 - dM, 1 + dM] and r any value in x [|M - d|, M + d].
// In t = 1/x these are five half-planes in the (t, M) plane:
//   |f t - 1| <= d M,   |r t - M| <= d   and   r t + M >= d,
// which with 0 <= M <= 1 and t >= 0 cut out a convex polygon: every (Pinc, M) consistent with
// the readings, and nothing else. Pinc = 1/t^2 and M take their extremes at its vertices, as
// does Prefl = (M/t)^2, whose level lines pass through the origin. Pload = (1 - M^2)/t^2 has no
// stationary point inside (it falls with t wherever M < 1), so its extremes lie on the edges:
// at a vertex, or where it is stationary along an edge.
Truth TruthFromReadings(double forward, double reflected, bool ideal, double dirDb) {
  const bool finite = std::isfinite(forward) && std::isfinite(reflected);
  if (!finite || forward < 0.0 || reflected < 0.0) return WithStatus(TruthStatus::BadInput);
  if (!ideal && !(dirDb >= rf::kDirectivityRange.Lo && dirDb <= rf::kDirectivityRange.Hi)) {
    return WithStatus(TruthStatus::BadInput);
  }
  if (forward == 0.0 && reflected == 0.0) return WithStatus(TruthStatus::NoPower);
  if (ideal) return IdealTruth(forward, reflected);
  const double d = rf::DirDbToFactor(dirDb);
  const double f = std::sqrt(forward);
  const double r = std::sqrt(reflected);
  // Either amplitude bounds t: f t <= 1 + dM and r t <= M + d, both at most 1 + d.
  const double tMax = (1.0 + d) / std::max(f, r);
  std::vector<Point> poly{{0.0, 0.0}, {tMax, 0.0}, {tMax, 1.0}, {0.0, 1.0}};
  const HalfPlane cuts[] = {
      {f, -d, 1.0}, {-f, -d, -1.0}, {r, -1.0, d}, {-r, 1.0, d}, {-r, -1.0, -d}};
  for (const HalfPlane& h : cuts) {
    poly = Clip(poly, h);
    if (poly.empty()) return WithStatus(TruthStatus::Inconsistent);
  }
  Truth t;
  t.Status = TruthStatus::Ok;
  t.Pinc = t.Prefl = t.Pload = t.Mag = {kInf, -kInf};
  const auto pload = [](Point p) { return (1.0 - p.M) * (1.0 + p.M) / (p.T * p.T); };
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const Point p = poly[i];
    Widen(t.Pinc, 1.0 / (p.T * p.T));
    Widen(t.Mag, p.M);
    Widen(t.Prefl, (p.M / p.T) * (p.M / p.T));
    Widen(t.Pload, pload(p));
    // Along p + s (q - p) the absorbed power is stationary where
    // M M' t + t' (1 - M^2) = 0; the terms in s^2 cancel, leaving
    // s dM (dM t - M dt) + dM M t + dt (1 - M^2) = 0.
    const Point q = poly[(i + 1) % poly.size()];
    const double dt = q.T - p.T;
    const double dm = q.M - p.M;
    const double den = dm * (dm * p.T - p.M * dt);
    if (den != 0.0) {
      const double s = -(dm * p.M * p.T + dt * (1.0 - p.M * p.M)) / den;
      if (s > 0.0 && s < 1.0) Widen(t.Pload, pload({p.T + s * dt, p.M + s * dm}));
    }
  }
  // Rounding of the vertices may leave an end a hair outside the physical range.
  t.Mag.Min = std::clamp(t.Mag.Min, 0.0, 1.0);
  t.Mag.Max = std::clamp(t.Mag.Max, 0.0, 1.0);
  t.Pload.Min = std::max(t.Pload.Min, 0.0);
  t.Prefl.Min = std::max(t.Prefl.Min, 0.0);
  SetMagnitudeForms(t);
  return t;
}

}  // namespace analysis
