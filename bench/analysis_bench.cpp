// A 1000 x 1000 grid of source and load phases, every point through the full model (the
// window's ComputeTransmission with its coupler measurement), against the trigonometry of
// the same grid alone: the two polar conversions per point that no evaluation can skip.
#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/sweep.h"
#include "analysis/uncertainty.h"
#include "ratio_report.h"
#include "rf/model.h"
#include "rf/reflection.h"
#include "worked_example.h"

namespace {

constexpr int kGrid = 1000;

rf::ModelState FirstStart() {
  rf::ModelState m = test_support::WorkedInputs({.dirDb = rf::kFirstDirDb});
  rf::ComputeTransmission(m);
  return m;
}

void BM_PhaseGridFullModel(benchmark::State& state) {
  const rf::ModelState base = FirstStart();
  for (auto _ : state) {
    double sum = 0.0;
    analysis::ForEachPhasePair(
        base, kGrid, [&](double, double, const rf::ModelState& m) { sum += m.PloadMaxV; });
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kGrid * kGrid);
}
BENCHMARK(BM_PhaseGridFullModel)->Unit(benchmark::kMillisecond);

void BM_PhaseGridTrigOnly(benchmark::State& state) {
  const double kRad = 3.141592653589793 / 180.0;
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < kGrid; ++i) {
      const double s = analysis::SweepValue(analysis::SweepKind::SrcPhase, i, kGrid) * kRad;
      for (int j = 0; j < kGrid; ++j) {
        double l = analysis::SweepValue(analysis::SweepKind::LoadPhase, j, kGrid) * kRad;
        benchmark::DoNotOptimize(l);
        sum += std::cos(s) * std::cos(l) - std::sin(s) * std::sin(l);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kGrid * kGrid);
}
BENCHMARK(BM_PhaseGridTrigOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(
      argc, argv,
      {{"BM_PhaseGridFullModel", "BM_PhaseGridTrigOnly", double(kGrid) * kGrid, "point"}});
}
