// Cost of one full transmission run (with its coupler measurement) against the bare formulas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>

#include "rf/first_start.h"
#include "rf/model.h"
#include "worked_example.h"

namespace {

rf::ModelState WorkedExample() {
  rf::ModelState m = test_support::WorkedInputs({.dirDb = rf::kFirstDirDb});
  return m;
}

void BM_ComputeTransmission(benchmark::State& state) {
  rf::ModelState m = WorkedExample();
  for (auto _ : state) {
    benchmark::DoNotOptimize(m);
    rf::ComputeTransmission(m);
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_ComputeTransmission);

// Baseline: Interf, the incident and absorbed powers and one coupler reading written out inline.
void BM_BareFormulas(benchmark::State& state) {
  double va = rf::kFirstAnodeV, ia = rf::kFirstAnodeI, eff = rf::kFirstEffPercent / 100.0;
  double sm = rf::kFirstSrcMag, sp = rf::kFirstSrcPha, lm = rf::kFirstLoaMag, lp = rf::kFirstLoaPha,
         dirDb = rf::kFirstDirDb;
  for (auto _ : state) {
    benchmark::DoNotOptimize(va);
    benchmark::DoNotOptimize(sm);
    benchmark::DoNotOptimize(lm);
    benchmark::DoNotOptimize(sp);
    benchmark::DoNotOptimize(lp);
    benchmark::DoNotOptimize(dirDb);
    const double kDeg = 3.141592653589793 / 180.0;
    const std::complex<double> gsgl = std::polar(sm * lm, (sp + lp) * kDeg);
    const double interf = 1.0 / std::norm(1.0 - gsgl);
    const double ms = 1.0 - sm * sm;
    const double pinc = va * ia * eff * interf;
    const double pload = pinc * (1.0 - lm * lm);
    const double d = std::pow(10.0, -dirDb / 20.0);
    const double pincMinV = pinc * (1.0 - d * lm) * (1.0 - d * lm);
    benchmark::DoNotOptimize(ms);
    benchmark::DoNotOptimize(pinc);
    benchmark::DoNotOptimize(pload);
    benchmark::DoNotOptimize(pincMinV);
  }
}
BENCHMARK(BM_BareFormulas);

}  // namespace

BENCHMARK_MAIN();
