#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/coverage.h"
#include "analysis/mc_budget.h"
#include "rf/model.h"
#include "views/readings_view.h"

// The Analysis window's budget sheet as texts: the calibration uncertainties besides the unknown
// leakage phases, propagated by Monte Carlo to the absorbed power, with the share of each source.
namespace views {

// Which absorbed power the budget is of: the true one behind the readings of the "From
// readings" sheet, or the reading the couplers give for the main window's truth.
enum class BudgetQuestion { FromReadings, FromTruth };

struct BudgetSheetInputs {
  BudgetQuestion Question = BudgetQuestion::FromReadings;
  ReadingsInputs Readings;  // for FromReadings
  std::string CouplingDb = "0.2";
  analysis::CalibrationLaw CouplingLaw = analysis::CalibrationLaw::Rectangular;
  std::string SensorPct = "3";
  analysis::CalibrationLaw SensorLaw = analysis::CalibrationLaw::Rectangular;
  bool Correlated = false;
  std::string Psi0Deg = "0";
  std::string Chi0Deg = "0";
  double Coverage = analysis::kDefaultCoverage;
  std::string Seed = "1";
  friend bool operator==(const BudgetSheetInputs&, const BudgetSheetInputs&) = default;
};

// Everything a run needs, copied out of the window, so that it can run on another thread.
struct BudgetJob {
  bool Ok = false;
  std::string Message;  // why there is no run
  BudgetQuestion Question = BudgetQuestion::FromReadings;
  analysis::BudgetInputs In;
  std::uint64_t Seed = 1;
  double ForwardW = 0.0;
  double ReflectedW = 0.0;
  bool Ideal = false;
  double DirDb = 0.0;
  rf::ModelState Model;  // the main window's computed model, for FromTruth
};
BudgetJob PrepareBudget(const BudgetSheetInputs& in, const rf::ModelState& model);

// The sources of uncertainty, each alone: the leakage phases with the calibrations exact, and
// each calibration with ideal couplers and the other calibration exact.
inline constexpr std::size_t kBudgetSources = 3;
struct BudgetOutcome {
  analysis::BudgetResult Total;
  std::array<analysis::BudgetResult, kBudgetSources> Alone;
};
// Up to four adaptive Monte Carlo runs of up to kBudgetMaxTrials trials each: a second or so at
// worst, so not on the thread that draws the window.
BudgetOutcome RunBudget(const BudgetJob& job);

// Quantity, Value, Unit.
using BudgetRow = std::array<std::string, 3>;
// Source, standard uncertainty alone, unit, share.
using ContributionRow = std::array<std::string, 4>;
std::array<std::string, 4> ContributionHeader();

struct BudgetSheet {
  bool Ok = false;
  std::string Message;
  std::vector<BudgetRow> Rows;
  std::vector<ContributionRow> Contributions;
};
// The interval's ends are rounded outward at the shown precision, so that the shown interval
// covers at least the stated probability.
BudgetSheet BudgetTable(const BudgetJob& job, const BudgetOutcome& outcome);

}  // namespace views
