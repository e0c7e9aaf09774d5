#pragma once

#include <array>
#include <string_view>

#include "rf/model.h"

// Coverage intervals for the quantities whose phases are unknown and uniformly distributed:
// the probabilistically symmetric interval (equal probability (1 - P) / 2 left out on each side)
// for a coverage probability P, with the median, the mean and the standard deviation. None of
// these laws is normal, so mean +- 2 std is no interval of any stated coverage.
namespace analysis {

inline constexpr double kDefaultCoverage = 0.95;

// A coverage probability strictly between 0 and 1.
bool ValidCoverage(double p);

enum class Shape {
  Fixed,        // the phases do not change the value
  Arcsine,      // A + B cos(phi): U-shaped, symmetric
  SkewedU,      // c / |1 - rho e^{j theta}|^2: U-shaped, a long thin upper side
  CentralCusp,  // the difference of two independent arcsine terms: peaked in the middle
  Disc,         // a reflection known only by an upper limit of its magnitude
  Undefined,    // NaN: the source delivers nothing defined
};
std::string_view ShapeText(Shape shape);

struct Coverage {
  double Mean = 0.0;
  double Median = 0.0;
  double Std = 0.0;
  double Low = 0.0;  // the coverage interval; NaN for a coverage probability out of range
  double High = 0.0;
  double Probability = kDefaultCoverage;
  Shape Law = Shape::Fixed;
};

// factor / |1 - rho e^{j theta}|^2, theta uniform, 0 <= rho <= 1, factor >= 0: the interference
// factor (factor 1) and every power built on it. Quantile factor / (1 + rho^2 + 2 rho cos(pi q)).
Coverage InterferenceCoverage(double rho, double factor, double p);

// scale |u + v e^{j theta}|^2 = scale (u^2 + v^2 + 2uv cos theta), u, v, scale >= 0: one coupler
// reading. Quantile scale ((u - v)^2 + 4uv sin^2(pi q / 2)), which is A - B cos(pi q) formed
// without cancelling at the lower end.
Coverage PhasorCoverage(double u, double v, double scale, double p);

// centre + amplitude (cos psi - cos chi), psi and chi independent and uniform: the absorbed
// power from two coupler readings. The quantiles from the convolution of the two arcsine laws.
Coverage DifferenceCoverage(double centre, double amplitude, double p);

// The interval, the median and the mean brought inside the hard limits [lo, hi] that the model
// forms on its own, so that rounding never shows an interval end beyond a limit shown beside it.
Coverage WithinLimits(Coverage c, double lo, double hi);

struct CoverageSet {
  Coverage Interf;
  Coverage TrGain;
  Coverage Pinc;
  Coverage Prefl;
  Coverage Pload;
  Coverage PincReading;
  Coverage PreflReading;
  Coverage PloadReading;
};

struct CoverageItem {
  std::string_view Name;
  Coverage CoverageSet::*Member;
  bool IsPower;  // watts; otherwise a dimensionless power ratio
};
// The names as the limits table and the calculator have them for the uncertainty.
inline constexpr std::array<CoverageItem, 8> kCoverageItems{{
    {"Interf", &CoverageSet::Interf, false},
    {"TrGain", &CoverageSet::TrGain, false},
    {"Pinc", &CoverageSet::Pinc, true},
    {"Prefl", &CoverageSet::Prefl, true},
    {"Pload", &CoverageSet::Pload, true},
    {"PincReading", &CoverageSet::PincReading, true},
    {"PreflReading", &CoverageSet::PreflReading, true},
    {"PloadReading", &CoverageSet::PloadReading, true},
}};

// Every quantity for magnitudes known exactly; m must be computed. The transmission quantities
// spread with the round-trip phase of the line, the readings with the couplers' leakage phases
// at the actual transmission.
CoverageSet ComputeCoverage(const rf::ModelState& m, double p = kDefaultCoverage);

// One row of the table of limits and coverage intervals. For a reading, Actual is the true value
// it reads.
struct CoverageRow {
  std::string_view Name;
  bool IsPower;
  double Min;
  double Actual;
  double Max;
  Coverage Stats;
};
using CoverageRows = std::array<CoverageRow, kCoverageItems.size()>;
CoverageRows LimitsAndCoverage(const rf::ModelState& m, double p = kDefaultCoverage);

}  // namespace analysis
