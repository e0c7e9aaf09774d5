// Cost of one full transmission run (with its coupler measurement) against the bare formulas.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>

#include "rf/model.h"

namespace {

rf::ModelState WorkedExample() {
  rf::ModelState m;
  m.Va = 4350;
  m.Ia = 0.32;
  m.Eff = 0.72;
  m.SrcRfl.Mag = 0.2;
  m.LoaRfl.Mag = 0.5;
  m.LoaRfl.Pha = 90.0;
  m.CplDirDb = 20.0;
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
  double va = 4350.0, ia = 0.32, eff = 0.72;
  double sm = 0.2, sp = 0.0, lm = 0.5, lp = 90.0, dirDb = 20.0;
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
