#include "rf/reflection.h"

#include <cmath>
#include <limits>

namespace rf {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

int InfSign(double x) {
  if (x == kInf) return 1;
  if (x == -kInf) return -1;
  return 0;
}

// NaN fails the comparison and so sits on the floor too.
double MagToDb(double x) {
  if (x > kMagFloor) return 20.0 * std::log10(x);
  return kRlossFloorDb;
}

double DbToMag(double x) { return std::pow(10.0, x / 20.0); }

double PowToDb(double x) {
  // Infinite powers keep their sign; log10(-inf) would otherwise give NaN.
  if (InfSign(x) != 0) return x;
  return 10.0 * std::log10(x);
}

// Near total reflection the SWR is taken as infinite; a magnitude above 1 (an inferred
// reflection from imperfect couplers) mirrors back to an SWR above 1.
double MagToSwr(double m) {
  if (m < kTotalReflBandLow) return (1.0 + m) / (1.0 - m);
  if (m > kTotalReflBandHigh) return (m + 1.0) / (m - 1.0);
  return kInf;
}

double SwrToMag(double s) {
  const double sw = s < 1.0 ? 1.0 : s;
  return (sw - 1.0) / (sw + 1.0);
}

double DirDbToFactor(double d) { return DbToMag(-d); }

void ReflFromMag(TRefl& r) {
  r.Rloss = MagToDb(r.Mag);
  r.Swr = MagToSwr(r.Mag);
}

void ReflFromRloss(TRefl& r) {
  r.Mag = r.Rloss <= kRlossFloorDb ? 0.0 : DbToMag(r.Rloss);
  r.Swr = MagToSwr(r.Mag);
}

void ReflFromSwr(TRefl& r) {
  r.Mag = r.Swr >= kSwrTotalReflection ? 1.0 : SwrToMag(r.Swr);
  r.Rloss = MagToDb(r.Mag);
}

}  // namespace rf
