#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "analysis/coupler_design.h"
#include "analysis/coverage.h"
#include "analysis/disc_model.h"
#include "analysis/mc_budget.h"
#include "analysis/readings_truth.h"
#include "rf/model.h"

// What the calculator can add beside the model fields, and its computed results, shared by
// the JSON, CSV and text outputs.
namespace calc {

// The two coupler readings, in watts.
struct Readings {
  double ForwardW = 0.0;
  double ReflectedW = 0.0;
};

// The calibration uncertainties of a measurement budget: each coupler's coupling factor
// within +-CouplingDb, each power sensor within +-SensorPct, both rectangular.
struct BudgetRequest {
  double CouplingDb = 0.0;
  double SensorPct = 0.0;
  analysis::CalibrationLaw CouplingLaw = analysis::CalibrationLaw::Rectangular;
  analysis::CalibrationLaw SensorLaw = analysis::CalibrationLaw::Rectangular;
  // One pair of fixed couplers on a line of unknown length: the leakage phases follow the line.
  bool CorrelatedPhases = false;
  double Psi0Deg = 0.0;
  double Chi0Deg = 0.0;
  std::uint64_t Seed = 1;
};

struct Extras {
  bool Uncertainty = false;
  double Coverage = analysis::kDefaultCoverage;
  analysis::MagnitudeModel Magnitudes;
  std::optional<double> DesignDirTarget;  // fraction, 0.05 for 5 %
  std::optional<double> DesignSwrTarget;
  std::optional<Readings> Read;
  std::optional<BudgetRequest> Budget;
  bool Any() const { return Uncertainty || DesignDirTarget || DesignSwrTarget || Read || Budget; }
};

struct ExtraResults {
  std::optional<analysis::CoverageRows> Coverage;
  std::optional<analysis::Truth> Truth;
  std::optional<analysis::BudgetResult> Budget;
  std::optional<analysis::DesignAnswer> DesignDir;
  std::optional<analysis::DesignAnswer> DesignSwr;
};

// The extras for a computed model, or the message why they cannot be given (readings no load
// could produce, a budget that does not settle).
std::variant<ExtraResults, std::string> ComputeExtras(const rf::ModelState& m, const Extras& add);

}  // namespace calc
