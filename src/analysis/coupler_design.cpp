#include "analysis/coupler_design.h"

#include <cmath>
#include <limits>

#include "analysis/texts.h"
#include "numtext/decimals.h"
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

// How far the error computed for the nominal source can lie from the error computed for any
// other: every source gives the same readings per incident watt, but its own incident power
// rounds each product Pinc x, and the differences PincMinV - PreflMaxV, PincMaxV - PreflMinV and
// Pinc - Prefl keep those roundings at the size of their terms, not of their results. Relative
// to the absorbed power Pinc (1 - M^2) that bounds the error of the ratios; four times the bound
// of one evaluation covers the nominal one and any other.
double SourceRoundingMargin(const rf::ModelState& m) {
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  const double l2 = m.LoaRfl.Mag * m.LoaRfl.Mag;
  const double a = m.PreflMinV / m.Pinc;
  const double b = m.PreflMaxV / m.Pinc;
  const double ratio = std::fmax(std::fabs(m.PloadMinRelat), std::fabs(m.PloadMaxRelat));
  const double readings = (m.ErrInciMinus + b + m.ErrInciPlus + a) / (1.0 - l2);
  const double absorbed = (1.0 + ratio) * ((1.0 + l2) / (1.0 - l2) + 2.0);
  return 4.0 * kEps * (readings + absorbed);
}

// The error within the target with the margin that makes it hold for every source, not only
// the nominal one it is computed for.
bool Within(const rf::ModelState& m, double target) {
  const double e = AbsorbedReadingError(m);
  return e <= target - SourceRoundingMargin(m);  // NaN fails
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

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Search {
  DesignStatus Status;
  double Value;
};

// The directivity search on the nominal source, and its predicate for the rounding.
struct DirectivitySearch {
  rf::ModelState w;
  double target;
  explicit DirectivitySearch(const rf::ModelState& m, double t) : w(NominalSource(m)), target(t) {
    w.CplIdeal = false;
    rf::ComputeTransmission(w);
  }
  // Less leakage never worsens the reading, so the error falls as the directivity rises.
  bool Ok(double dirDb) {
    w.CplDirDb = dirDb;
    rf::ComputeMeasurement(w);
    return Within(w, target);
  }
  Search Run() {
    if (!ValidTarget(target)) return {DesignStatus::BadTarget, kNaN};
    const rf::InputRange dir = rf::kDirectivityRange;
    if (!Ok(dir.Hi)) {
      const bool total = w.LoaRfl.Mag >= 1.0;
      return {total ? DesignStatus::TotalReflection : DesignStatus::BeyondRange, kNaN};
    }
    if (Ok(dir.Lo)) return {DesignStatus::Ok, dir.Lo};
    return {DesignStatus::Ok, Bisect(dir.Hi, dir.Lo, [this](double x) { return Ok(x); })};
  }
};

struct SwrSearch {
  rf::ModelState w;
  double target;
  bool ideal;
  explicit SwrSearch(const rf::ModelState& m, double t)
      : w(NominalSource(m)), target(t), ideal(m.CplIdeal) {}
  // A stronger load reflection makes the leakage weigh more against a smaller absorbed power,
  // so the error rises with the SWR; at total reflection nothing is absorbed and the error is
  // unbounded, which closes the bracket.
  bool Ok(double swr) {
    w.LoaRfl.Swr = swr;
    rf::ReflFromSwr(w.LoaRfl);
    rf::ComputeTransmission(w);
    return Within(w, target);
  }
  Search Run() {
    if (!ValidTarget(target)) return {DesignStatus::BadTarget, kNaN};
    constexpr double kInf = std::numeric_limits<double>::infinity();
    if (ideal) return {DesignStatus::AnyLoad, kInf};
    if (!Ok(rf::kSwrRange.Lo)) return {DesignStatus::LeakageAlone, kNaN};
    // The largest SWR that still means a load short of total reflection: if that one meets the
    // target, every such load does, and a number just below the threshold would read back as
    // total reflection the moment it was rounded up.
    if (Ok(std::nextafter(rf::kSwrTotalReflection, 0.0))) return {DesignStatus::AnyLoad, kInf};
    return {DesignStatus::Ok,
            Bisect(rf::kSwrRange.Lo, rf::kSwrTotalReflection, [this](double x) { return Ok(x); })};
  }
};

double Scale(int decimals) { return std::pow(10.0, decimals); }

}  // namespace

std::optional<double> DesignDirectivity(const rf::ModelState& m, double target) {
  const Search s = DirectivitySearch(m, target).Run();
  if (s.Status != DesignStatus::Ok) return std::nullopt;
  return s.Value;
}

std::optional<double> DesignLoadSwr(const rf::ModelState& m, double target) {
  const Search s = SwrSearch(m, target).Run();
  if (s.Status != DesignStatus::Ok && s.Status != DesignStatus::AnyLoad) return std::nullopt;
  return s.Value;
}

std::string_view DesignStatusText(DesignStatus status) {
  switch (status) {
    case DesignStatus::Ok:
      return {};
    case DesignStatus::AnyLoad:
      return kDesignAnyLoad;
    case DesignStatus::TotalReflection:
      return kDesignTotalReflection;
    case DesignStatus::BeyondRange:
      return kDesignBeyondRange;
    case DesignStatus::LeakageAlone:
      return kDesignLeakageAlone;
    case DesignStatus::BadTarget:
      break;
  }
  return kDesignBadTarget;
}

// A decimal k / 10^n is read back as the double nearest to it, which k / 10^n computed in
// double is too; each candidate is checked on the model itself, and the next one taken when
// rounding of the decimal lands on the wrong side.
DesignAnswer DirectivityAnswer(const rf::ModelState& m, double target) {
  DirectivitySearch search(m, target);
  const Search s = search.Run();
  DesignAnswer a{s.Status, s.Value, kNaN, numtext::kDbDecimals};
  if (s.Status != DesignStatus::Ok) return a;
  const double scale = Scale(a.Decimals);
  double k = std::ceil(s.Value * scale);
  for (int i = 0; i < 8; ++i, k += 1.0) {
    const double shown = k / scale;
    if (shown > rf::kDirectivityRange.Hi) break;
    if (shown >= s.Value && search.Ok(shown)) {
      a.Shown = shown;
      return a;
    }
  }
  a.Shown = rf::kDirectivityRange.Hi;
  return a;
}

DesignAnswer LoadSwrAnswer(const rf::ModelState& m, double target) {
  SwrSearch search(m, target);
  const Search s = search.Run();
  DesignAnswer a{s.Status, s.Value, kNaN, numtext::kSwrDecimals};
  if (s.Status == DesignStatus::AnyLoad) a.Shown = s.Value;
  if (s.Status != DesignStatus::Ok) return a;
  const double scale = Scale(a.Decimals);
  double k = std::floor(s.Value * scale);
  for (int i = 0; i < 8; ++i, k -= 1.0) {
    const double shown = k / scale;
    if (shown < rf::kSwrRange.Lo) break;
    if (shown <= s.Value && search.Ok(shown)) {
      a.Shown = shown;
      return a;
    }
  }
  a.Shown = rf::kSwrRange.Lo;  // a matched load met the target before the search began
  return a;
}

}  // namespace analysis
