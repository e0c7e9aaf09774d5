// The Monte Carlo budget's trials: 10^6 draws of the absorbed-power reading with coupling and
// sensor calibrations and both leakage phases, with the statistics (mean, standard deviation and
// the coverage interval by selection), against the same draws through the same model summed
// without keeping or ranking them.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "analysis/mc_budget.h"
#include "analysis/random.h"
#include "ratio_report.h"

namespace {

constexpr std::size_t kTrials = 1000000;

analysis::ReadingTrial FirstStartTrial() {
  analysis::BudgetInputs in;
  in.Coupling = {0.2, analysis::CalibrationLaw::Normal};
  in.Sensor = {1.5, analysis::CalibrationLaw::Rectangular};
  // The first start's true incident power and load behind 20 dB couplers.
  return {in, 992.317, 0.5, 0.1};
}

void BM_BudgetWithStatistics(benchmark::State& state) {
  const analysis::ReadingTrial trial = FirstStartTrial();
  for (auto _ : state) {
    const analysis::BudgetResult r = analysis::FixedTrials(trial, 0.95, 1, kTrials);
    benchmark::DoNotOptimize(r.Low);
    benchmark::DoNotOptimize(r.High);
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kTrials);
}
BENCHMARK(BM_BudgetWithStatistics)->Unit(benchmark::kMillisecond);

void BM_BudgetModelOnly(benchmark::State& state) {
  const analysis::ReadingTrial trial = FirstStartTrial();
  for (auto _ : state) {
    analysis::Random rnd(1);
    double sum = 0.0;
    for (std::size_t i = 0; i < kTrials; ++i) sum += trial(rnd);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kTrials);
}
BENCHMARK(BM_BudgetModelOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(
      argc, argv,
      {{"BM_BudgetWithStatistics", "BM_BudgetModelOnly", static_cast<double>(kTrials), "trial"}});
}
