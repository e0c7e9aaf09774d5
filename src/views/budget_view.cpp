#include "views/budget_view.h"

#include <charconv>
#include <cmath>

#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"
#include "text/ascii.h"
#include "views/bound_text.h"
#include "views/limits_table.h"
#include "views/texts.h"

namespace views {

namespace {

std::optional<std::uint64_t> ParseSeed(std::string_view s) {
  s = text::Trim(s, text::IsControlOrSpace);
  std::uint64_t v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

// The same resolution in watts whatever the prefix, as the table of limits has it.
int PowerDecimals(numtext::PowerScale s) {
  switch (s) {
    case numtext::PowerScale::KW:
      return numtext::kPowerDecimals + 2;
    case numtext::PowerScale::MW:
      return numtext::kPowerDecimals + 3;
    default:
      return numtext::kPowerDecimals;
  }
}

analysis::BudgetResult Skipped() {
  analysis::BudgetResult r;
  r.Status = analysis::BudgetStatus::Ok;
  return r;
}

}  // namespace

BudgetJob PrepareBudget(const BudgetSheetInputs& in, const rf::ModelState& model) {
  BudgetJob job;
  job.Question = in.Question;
  const std::optional<double> coupling = ParseDecimal(in.CouplingDb);
  const std::optional<double> sensor = ParseDecimal(in.SensorPct);
  const std::optional<double> psi0 = ParseDecimal(in.Psi0Deg);
  const std::optional<double> chi0 = ParseDecimal(in.Chi0Deg);
  const std::optional<std::uint64_t> seed = ParseSeed(in.Seed);
  if (!coupling || *coupling < 0.0) {
    job.Message = kNoCoupling;
    return job;
  }
  if (!sensor || *sensor < 0.0) {
    job.Message = kNoSensor;
    return job;
  }
  if (in.Correlated && (!psi0 || !chi0)) {
    job.Message = kNoPhaseOffset;
    return job;
  }
  if (!seed) {
    job.Message = kNoSeed;
    return job;
  }
  job.In.Coupling = {*coupling, in.CouplingLaw};
  job.In.Sensor = {*sensor, in.SensorLaw};
  job.In.CorrelatedPhases = in.Correlated;
  job.In.Psi0 = in.Correlated ? *psi0 : 0.0;
  job.In.Chi0 = in.Correlated ? *chi0 : 0.0;
  job.In.Coverage = in.Coverage;
  job.Seed = *seed;
  if (in.Question == BudgetQuestion::FromReadings) {
    const ParsedReadings p = ParseReadings(in.Readings);
    if (!p.Ok) {
      job.Message = p.Message;
      return job;
    }
    job.ForwardW = p.ForwardW;
    job.ReflectedW = p.ReflectedW;
    job.Ideal = p.Ideal;
    job.DirDb = p.DirDb;
  } else {
    if (!std::isfinite(model.Pinc)) {
      job.Message = kNoModel;
      return job;
    }
    job.Model = model;
  }
  job.Ok = true;
  return job;
}

BudgetOutcome RunBudget(const BudgetJob& job) {
  BudgetOutcome out;
  if (!job.Ok) return out;
  // Each source alone: the others exact, and ideal couplers where the phases are not the
  // source, since with ideal couplers the phases change nothing.
  std::array<analysis::BudgetInputs, kBudgetSources> alone{job.In, job.In, job.In};
  alone[0].Coupling.Value = alone[0].Sensor.Value = 0.0;
  alone[1].Sensor.Value = 0.0;
  alone[2].Coupling.Value = 0.0;
  const std::array<bool, kBudgetSources> ideal{job.Ideal, true, true};
  const std::array<bool, kBudgetSources> needed{true, job.In.Coupling.Value > 0.0,
                                                job.In.Sensor.Value > 0.0};
  if (job.Question == BudgetQuestion::FromReadings) {
    out.Total =
        analysis::TruthBudget(job.ForwardW, job.ReflectedW, job.Ideal, job.DirDb, job.In, job.Seed);
    for (std::size_t i = 0; i < kBudgetSources; ++i) {
      out.Alone[i] =
          needed[i] ? analysis::TruthBudget(job.ForwardW, job.ReflectedW, ideal[i] || job.Ideal,
                                            job.DirDb, alone[i], job.Seed)
                    : Skipped();
    }
  } else {
    out.Total = analysis::ReadingBudget(job.Model, job.In, job.Seed);
    for (std::size_t i = 0; i < kBudgetSources; ++i) {
      rf::ModelState m = job.Model;
      m.CplIdeal = m.CplIdeal || ideal[i];
      out.Alone[i] = needed[i] ? analysis::ReadingBudget(m, alone[i], job.Seed) : Skipped();
    }
  }
  return out;
}

std::array<std::string, 4> ContributionHeader() {
  return {std::string(kColSource), std::string(kColStdAlone), std::string(kColUnit),
          std::string(kColShare)};
}

BudgetSheet BudgetTable(const BudgetJob& job, const BudgetOutcome& outcome) {
  BudgetSheet sheet;
  if (!job.Ok) {
    sheet.Message = job.Message;
    return sheet;
  }
  const analysis::BudgetResult& t = outcome.Total;
  if (t.Status != analysis::BudgetStatus::Ok) {
    const bool refused = t.Readings != analysis::TruthStatus::Ok;
    sheet.Message = std::string(refused ? analysis::TruthStatusText(t.Readings)
                                        : analysis::BudgetStatusText(t.Status)) +
                    ".";
    return sheet;
  }
  sheet.Ok = true;
  sheet.Message = kBudgetDone;
  const numtext::PowerScale scale =
      numtext::ScaleFor(numtext::PowerUnit::Watts, std::max(std::fabs(t.Low), std::fabs(t.High)));
  const std::string unit(numtext::ScaleName(scale));
  const int pd = PowerDecimals(scale);
  const auto w = [&](double watts, Rounding r) {
    return BoundText(numtext::ToScale(scale, watts), pd, r);
  };
  const std::string p = CoverageText(t.Coverage);
  sheet.Rows.push_back(
      {std::string(kRowBudgetLowPrefix) + p + ")", w(t.Low, Rounding::Down), unit});
  sheet.Rows.push_back(
      {std::string(kRowBudgetHighPrefix) + p + ")", w(t.High, Rounding::Up), unit});
  sheet.Rows.push_back({std::string(kRowBudgetStd), w(t.Std, Rounding::Nearest), unit});
  sheet.Rows.push_back({std::string(kRowBudgetMean), w(t.Mean, Rounding::Nearest), unit});
  // The tolerance is what the shown digits can be trusted to: never rounded down to less.
  sheet.Rows.push_back({std::string(kRowBudgetTolerance),
                        BoundText(numtext::ToScale(scale, t.Tolerance), pd + 3, Rounding::Up),
                        unit});
  const auto count = [](std::size_t n) { return numtext::FloatToText(static_cast<double>(n), 0); };
  sheet.Rows.push_back({std::string(kRowBudgetTrials), count(t.Trials), {}});
  if (job.Question == BudgetQuestion::FromReadings) {
    sheet.Rows.push_back({std::string(kRowBudgetRejected), count(t.Rejected), {}});
  }

  constexpr std::array<std::string_view, kBudgetSources> names{kSourcePhases, kSourceCoupling,
                                                               kSourceSensor};
  double sumSq = 0.0;
  for (const analysis::BudgetResult& a : outcome.Alone) {
    if (a.Status == analysis::BudgetStatus::Ok) sumSq += a.Std * a.Std;
  }
  for (std::size_t i = 0; i < kBudgetSources; ++i) {
    const analysis::BudgetResult& a = outcome.Alone[i];
    ContributionRow row{std::string(names[i]), std::string(kNotApplicable), unit,
                        std::string(kNotApplicable)};
    if (a.Status == analysis::BudgetStatus::Ok) {
      row[1] = w(a.Std, Rounding::Nearest);
      if (sumSq > 0.0) {
        row[3] = numtext::FloatToText(100.0 * a.Std * a.Std / sumSq, 1) + " %";
      }
    }
    sheet.Contributions.push_back(std::move(row));
  }
  return sheet;
}

}  // namespace views
