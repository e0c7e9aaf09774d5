#include "extras.h"

#include "texts.h"

namespace calc {

namespace {

analysis::BudgetInputs BudgetInputsOf(const BudgetRequest& b, double coverage) {
  analysis::BudgetInputs in;
  in.Coupling = {b.CouplingDb, b.CouplingLaw};
  in.Sensor = {b.SensorPct, b.SensorLaw};
  in.CorrelatedPhases = b.CorrelatedPhases;
  in.Psi0 = b.Psi0Deg;
  in.Chi0 = b.Chi0Deg;
  in.Coverage = coverage;
  return in;
}

}  // namespace

std::variant<ExtraResults, std::string> ComputeExtras(const rf::ModelState& m, const Extras& add) {
  ExtraResults r;
  if (add.Uncertainty) r.Coverage = analysis::LimitsAndCoverage(m, add.Magnitudes, add.Coverage);
  if (add.Read) {
    r.Truth = analysis::TruthFromReadings(add.Read->ForwardW, add.Read->ReflectedW, m.CplIdeal,
                                          m.CplDirDb);
    if (r.Truth->Status != analysis::TruthStatus::Ok) {
      return std::string(kReadingsPrefix) + std::string(analysis::TruthStatusText(r.Truth->Status));
    }
  }
  if (add.Budget) {
    const analysis::BudgetInputs in = BudgetInputsOf(*add.Budget, add.Coverage);
    r.Budget = add.Read ? analysis::TruthBudget(add.Read->ForwardW, add.Read->ReflectedW,
                                                m.CplIdeal, m.CplDirDb, in, add.Budget->Seed)
                        : analysis::ReadingBudget(m, in, add.Budget->Seed);
    if (r.Budget->Status != analysis::BudgetStatus::Ok) {
      const std::string_view why = r.Budget->Readings != analysis::TruthStatus::Ok
                                       ? analysis::TruthStatusText(r.Budget->Readings)
                                       : analysis::BudgetStatusText(r.Budget->Status);
      return std::string(kBudgetPrefix) + std::string(why);
    }
  }
  if (add.DesignDirTarget) r.DesignDir = analysis::DirectivityAnswer(m, *add.DesignDirTarget);
  if (add.DesignSwrTarget) r.DesignSwr = analysis::LoadSwrAnswer(m, *add.DesignSwrTarget);
  return r;
}

}  // namespace calc
