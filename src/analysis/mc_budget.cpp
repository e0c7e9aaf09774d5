#include "analysis/mc_budget.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/texts.h"
#include "rf/reflection.h"

namespace analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kDigits = 2;  // significant digits the interval's ends must settle to

struct Summary {
  double Mean = 0.0;
  double Std = 0.0;
  double Low = 0.0;
  double High = 0.0;
};

// The mean and standard deviation in two passes (no cancellation), and the probabilistically
// symmetric interval from the order statistics at (1 - p)/2 and (1 + p)/2 of the values, found
// by selection rather than a full sort. v is reordered.
Summary Summarize(std::vector<double>::iterator first, std::vector<double>::iterator last,
                  double p) {
  Summary s;
  const auto n = static_cast<std::size_t>(last - first);
  if (n == 0) return {kNaN, kNaN, kNaN, kNaN};
  double sum = 0.0;
  for (auto it = first; it != last; ++it) sum += *it;
  s.Mean = sum / static_cast<double>(n);
  double sq = 0.0;
  for (auto it = first; it != last; ++it) sq += (*it - s.Mean) * (*it - s.Mean);
  s.Std = n > 1 ? std::sqrt(sq / static_cast<double>(n - 1)) : 0.0;
  // JCGM 101 7.7: with q = pM, the interval [y_(r), y_(r+q)], r = (M - q)/2, in ranks from 1.
  const auto q = static_cast<std::size_t>(std::llround(p * static_cast<double>(n)));
  const std::size_t r = (n - q) / 2;
  const std::size_t lo = r > 0 ? r - 1 : 0;
  const std::size_t hi = std::min(n - 1, lo + q);
  std::nth_element(first, first + static_cast<std::ptrdiff_t>(lo), last);
  s.Low = first[static_cast<std::ptrdiff_t>(lo)];
  std::nth_element(first + static_cast<std::ptrdiff_t>(lo), first + static_cast<std::ptrdiff_t>(hi),
                   last);
  s.High = first[static_cast<std::ptrdiff_t>(hi)];
  return s;
}

// Half a unit in the last of kDigits significant digits of u (JCGM 101 7.9.2).
double NumericalTolerance(double u) {
  if (!(u > 0.0) || !std::isfinite(u)) return 0.0;
  const double l = std::floor(std::log10(u)) - (kDigits - 1);
  return 0.5 * std::pow(10.0, l);
}

bool ValidCalibration(const Calibration& c) { return std::isfinite(c.Value) && c.Value >= 0.0; }

bool ValidInputs(const BudgetInputs& in) {
  return ValidCalibration(in.Coupling) && ValidCalibration(in.Sensor) && in.Coverage > 0.0 &&
         in.Coverage < 1.0 && std::isfinite(in.Psi0) && std::isfinite(in.Chi0) &&
         in.Sensor.Value < 100.0;  // a sensor error of 100 % would read nothing
}

void SetFrom(BudgetResult& r, const Summary& s) {
  r.Mean = s.Mean;
  r.Std = s.Std;
  r.Low = s.Low;
  r.High = s.High;
}

// JCGM 101 7.9: blocks of M = max(100 / (1 - p), 10^4) trials; after each block the standard
// deviations of the block results (the mean, the standard uncertainty and both interval ends)
// are compared with the numerical tolerance of the standard uncertainty of all trials so far;
// twice each of them within it, the results of all trials are final.
template <class Trial>
BudgetResult Adaptive(const Trial& trial, double p, std::uint64_t seed) {
  BudgetResult res;
  res.Coverage = p;
  Random rnd(seed);
  const auto block = static_cast<std::size_t>(std::max(std::ceil(100.0 / (1.0 - p)), 1e4));
  std::vector<double> all;
  std::vector<double> scratch;
  std::vector<Summary> blocks;
  while (all.size() + block <= kBudgetMaxTrials) {
    const std::size_t start = all.size();
    std::size_t rejectedHere = 0;
    while (all.size() < start + block) {
      const double y = trial(rnd);
      if (std::isnan(y)) {
        ++res.Rejected;
        // Phases that fit are rare enough to doubt the readings, not worth waiting for.
        if (++rejectedHere > 100 * block) {
          res.Status = BudgetStatus::NoTrials;
          res.Mean = res.Std = res.Low = res.High = kNaN;
          return res;
        }
        continue;
      }
      all.push_back(y);
    }
    scratch.assign(all.begin() + static_cast<std::ptrdiff_t>(start), all.end());
    blocks.push_back(Summarize(scratch.begin(), scratch.end(), p));
    if (blocks.size() < 2) continue;
    const double h = static_cast<double>(blocks.size());
    const auto spread = [&](double Summary::*field) {
      double mean = 0.0;
      for (const Summary& b : blocks) mean += b.*field;
      mean /= h;
      double sq = 0.0;
      for (const Summary& b : blocks) sq += (b.*field - mean) * (b.*field - mean);
      return std::sqrt(sq / (h * (h - 1.0)));
    };
    const double worst = std::max({spread(&Summary::Mean), spread(&Summary::Std),
                                   spread(&Summary::Low), spread(&Summary::High)});
    // The standard uncertainty of all trials so far sets the tolerance.
    double sum = 0.0;
    for (const double y : all) sum += y;
    const double mean = sum / static_cast<double>(all.size());
    double sq = 0.0;
    for (const double y : all) sq += (y - mean) * (y - mean);
    const double u = std::sqrt(sq / static_cast<double>(all.size() - 1));
    res.Tolerance = NumericalTolerance(u);
    if (2.0 * worst <= res.Tolerance) {
      res.Status = BudgetStatus::Ok;
      res.Trials = all.size();
      SetFrom(res, Summarize(all.begin(), all.end(), p));
      return res;
    }
  }
  res.Status = BudgetStatus::Unstable;
  res.Trials = all.size();
  SetFrom(res, Summarize(all.begin(), all.end(), p));
  return res;
}

double Leakage(bool ideal, double dirDb) { return ideal ? 0.0 : rf::DirDbToFactor(dirDb); }

}  // namespace

std::string_view BudgetStatusText(BudgetStatus status) {
  switch (status) {
    case BudgetStatus::Ok:
      return {};
    case BudgetStatus::Unstable:
      return kBudgetUnstable;
    case BudgetStatus::NoTrials:
      return kBudgetNoTrials;
    case BudgetStatus::BadInput:
      break;
  }
  return kBudgetBadInput;
}

BudgetResult ReadingBudget(const rf::ModelState& m, const BudgetInputs& in, std::uint64_t seed) {
  BudgetResult bad;
  bad.Mean = bad.Std = bad.Low = bad.High = kNaN;
  bad.Coverage = in.Coverage;
  if (!ValidInputs(in) || !std::isfinite(m.Pinc)) return bad;
  const ReadingTrial trial{in, m.Pinc, m.LoaRfl.Mag, Leakage(m.CplIdeal, m.CplDirDb)};
  return Adaptive(trial, in.Coverage, seed);
}

BudgetResult TruthBudget(double forward, double reflected, bool ideal, double dirDb,
                         const BudgetInputs& in, std::uint64_t seed) {
  BudgetResult bad;
  bad.Mean = bad.Std = bad.Low = bad.High = kNaN;
  bad.Coverage = in.Coverage;
  const Truth truth = TruthFromReadings(forward, reflected, ideal, dirDb);
  bad.Readings = truth.Status;
  if (!ValidInputs(in) || truth.Status != TruthStatus::Ok) return bad;
  const TruthTrial trial{in, forward, reflected, Leakage(ideal, dirDb)};
  return Adaptive(trial, in.Coverage, seed);
}

BudgetResult FixedTrials(const ReadingTrial& trial, double coverage, std::uint64_t seed,
                         std::size_t n) {
  if (!(coverage > 0.0 && coverage < 1.0)) {
    BudgetResult bad;
    bad.Mean = bad.Std = bad.Low = bad.High = kNaN;
    return bad;
  }
  Random rnd(seed);
  std::vector<double> v(n);
  for (double& y : v) y = trial(rnd);
  BudgetResult r;
  r.Status = BudgetStatus::Ok;
  r.Coverage = coverage;
  r.Trials = n;
  SetFrom(r, Summarize(v.begin(), v.end(), coverage));
  return r;
}

}  // namespace analysis
