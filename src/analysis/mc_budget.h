#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string_view>

#include "analysis/random.h"
#include "analysis/readings_truth.h"
#include "rf/model.h"

// A measurement budget by Monte Carlo, as JCGM 101 (the GUM's first supplement) prescribes:
// the couplers' calibration and the power sensors' calibration besides the unknown leakage
// phases, propagated through the coupler model, with the adaptive choice of the number of
// trials and a seeded generator that gives the same result everywhere.
namespace analysis {

enum class CalibrationLaw {
  Rectangular,  // Value is the half-width: every error within +-Value equally likely
  Normal,       // Value is the standard deviation
};

struct Calibration {
  double Value = 0.0;
  CalibrationLaw Law = CalibrationLaw::Rectangular;
};

struct BudgetInputs {
  Calibration Coupling;  // each coupler's coupling factor, dB; the two independent
  Calibration Sensor;    // each power sensor, per cent; the two independent
  // One pair of fixed couplers on a line of unknown length: both leakage phases follow the line
  // phase phi, psi = Psi0 + phi and chi = Chi0 - phi (degrees), instead of being independent.
  bool CorrelatedPhases = false;
  double Psi0 = 0.0;
  double Chi0 = 0.0;
  double Coverage = 0.95;
};

// A power ratio drawn for one calibration: 10^(e/10) for a coupling error e in dB.
inline double CouplingFactor(const Calibration& c, Random& rnd) {
  if (c.Value == 0.0) return 1.0;
  const double e =
      c.Law == CalibrationLaw::Normal ? c.Value * rnd.Normal() : c.Value * rnd.Symmetric();
  return std::exp(e * (std::numbers::ln10 / 10.0));
}
// 1 + s / 100 for a sensor error s in per cent.
inline double SensorFactor(const Calibration& c, Random& rnd) {
  if (c.Value == 0.0) return 1.0;
  const double s =
      c.Law == CalibrationLaw::Normal ? c.Value * rnd.Normal() : c.Value * rnd.Symmetric();
  return 1.0 + s / 100.0;
}

// cos(theta) for theta uniform, without a cosine: a point (u, v) uniform in the unit disc has a
// uniform angle, and twice that angle has the cosine (u^2 - v^2) / (u^2 + v^2).
inline double UniformCosine(Random& rnd) {
  for (;;) {
    const double u = rnd.Symmetric();
    const double v = rnd.Symmetric();
    const double s = u * u + v * v;
    if (s < 1.0 && s > 0.0) return (u - v) * (u + v) / s;
  }
}

// The cosines of the two leakage phases of one trial.
struct LeakageCosines {
  double Fwd;
  double Ref;
};
inline LeakageCosines DrawLeakage(const BudgetInputs& in, Random& rnd) {
  constexpr double kTurn = 2.0 * std::numbers::pi;
  if (in.CorrelatedPhases) {
    constexpr double kRad = std::numbers::pi / 180.0;
    const double phi = kTurn * rnd.Uniform();
    return {std::cos(in.Psi0 * kRad + phi), std::cos(in.Chi0 * kRad - phi)};
  }
  return {UniformCosine(rnd), UniformCosine(rnd)};
}

// One trial of the forward question: the absorbed power the two readings give for a known
// truth (incident power Pinc, load magnitude M, leakage d).
struct ReadingTrial {
  BudgetInputs In;
  double Pinc;
  double M;
  double D;
  double operator()(Random& rnd) const {
    const LeakageCosines c = DrawLeakage(In, rnd);
    const double x = D * M;
    const double fwd = Pinc * (1.0 + x * x + 2.0 * x * c.Fwd) * CouplingFactor(In.Coupling, rnd) *
                       SensorFactor(In.Sensor, rnd);
    const double ref = Pinc * (M * M + D * D + 2.0 * x * c.Ref) * CouplingFactor(In.Coupling, rnd) *
                       SensorFactor(In.Sensor, rnd);
    return fwd - ref;
  }
};

// One trial of the reverse question: the true absorbed power behind two readings. The drawn
// calibrations correct the readings; for the drawn leakage phases the readings' ratio fixes M
// through r (1 + d^2 M^2 + 2dM cos psi) = f (M^2 + d^2 + 2dM cos chi), a quadratic, and the
// forward reading then fixes Pinc. A draw for which no magnitude in [0, 1] fits gives NaN and
// is not counted: such phases are not consistent with the readings.
struct TruthTrial {
  BudgetInputs In;
  double Forward;
  double Reflected;
  double D;
  double operator()(Random& rnd) const {
    const LeakageCosines c = DrawLeakage(In, rnd);
    const double f = Forward / (CouplingFactor(In.Coupling, rnd) * SensorFactor(In.Sensor, rnd));
    const double r = Reflected / (CouplingFactor(In.Coupling, rnd) * SensorFactor(In.Sensor, rnd));
    const double a = r * D * D - f;
    const double b = 2.0 * D * (r * c.Fwd - f * c.Ref);
    const double k = r - f * D * D;
    const double guess = std::sqrt(r / f);
    double m = std::numeric_limits<double>::quiet_NaN();
    const auto take = [&](double root) {
      if (root >= 0.0 && root <= 1.0 && !(std::fabs(root - guess) >= std::fabs(m - guess)))
        m = root;
    };
    if (a == 0.0) {
      take(-k / b);
    } else {
      const double disc = b * b - 4.0 * a * k;
      if (disc >= 0.0) {
        // The root without cancellation first, the other from the product of the roots.
        const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
        take(q / a);
        if (q != 0.0) take(k / q);
      }
    }
    const double pinc = f / (1.0 + D * D * m * m + 2.0 * D * m * c.Fwd);
    return pinc * (1.0 - m) * (1.0 + m);
  }
};

enum class BudgetStatus {
  Ok,
  Unstable,  // the trial limit came before the interval's ends settled to two digits
  NoTrials,  // no drawn phases fit the readings
  BadInput,  // a calibration or coverage probability out of range, or readings refused
};

// What the budget tells when it has no settled answer; empty for Ok. For readings refused,
// TruthStatusText of BudgetResult::Readings says why.
std::string_view BudgetStatusText(BudgetStatus status);

struct BudgetResult {
  BudgetStatus Status = BudgetStatus::BadInput;
  TruthStatus Readings = TruthStatus::Ok;  // why readings were refused, for BadInput
  double Mean = 0.0;
  double Std = 0.0;
  double Low = 0.0;  // the probabilistically symmetric coverage interval
  double High = 0.0;
  double Coverage = 0.95;
  double Tolerance = 0.0;    // the numerical tolerance the adaptive procedure reached
  std::size_t Trials = 0;    // trials counted
  std::size_t Rejected = 0;  // draws that did not fit the readings
};

// The absorbed-power reading for the truth the model holds (its Pinc and load magnitude, its
// couplers); m must be computed.
BudgetResult ReadingBudget(const rf::ModelState& m, const BudgetInputs& in, std::uint64_t seed);
// The true absorbed power from the two readings (watts), with the couplers given as for
// TruthFromReadings.
BudgetResult TruthBudget(double forward, double reflected, bool ideal, double dirDb,
                         const BudgetInputs& in, std::uint64_t seed);

// A fixed number of trials without the adaptive procedure, for the benchmark: the statistics
// of n values of the trial.
BudgetResult FixedTrials(const ReadingTrial& trial, double coverage, std::uint64_t seed,
                         std::size_t n);

// The adaptive procedure stops here at the latest, with the status Unstable.
inline constexpr std::size_t kBudgetMaxTrials = 4000000;

}  // namespace analysis
