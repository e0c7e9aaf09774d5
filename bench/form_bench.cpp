#include <benchmark/benchmark.h>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "rf/model.h"
#include "rf/reflection.h"

// The window's evaluation cycle and a unit re-presentation, against the bare transmission
// model as the baseline, so the cost of parsing and formatting shows beside the physics.
namespace {

// A window after start-up with a real source and load and finite couplers.
struct Window {
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form{platform};
  Window() {
    form.PrepareForShow();
    form.cbSrcRfl.SetItemIndex(0);
    form.edSrcMag.Text = "0.2";
    form.cbLoaRfl.SetItemIndex(0);
    form.edLoaMag.Text = "0.5";
    form.chIdeal.SetChecked(false);
    form.bEvaluateClick();
  }
};

void BM_TransmissionModelAlone(benchmark::State& state) {
  rf::ModelState m;
  m.Va = 40000;
  m.Ia = 0.3555;
  m.Eff = 1.0;
  m.SrcRfl.Mag = 0.2;
  rf::ReflFromMag(m.SrcRfl);
  m.LoaRfl.Mag = 0.5;
  m.LoaRfl.Pha = 90.0;
  rf::ReflFromMag(m.LoaRfl);
  m.CplDirDb = 20.0;
  for (auto _ : state) {
    rf::ComputeTransmission(m);
    benchmark::DoNotOptimize(m.PloadMaxRelat);
  }
}
BENCHMARK(BM_TransmissionModelAlone);

void BM_FullEvaluationCycle(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.form.bEvaluateClick();
    benchmark::DoNotOptimize(w.form.lbPloadMaxE.Caption.data());
  }
}
BENCHMARK(BM_FullEvaluationCycle);

void BM_FactorUnitRepresentation(benchmark::State& state) {
  Window w;
  std::int32_t unit = 0;
  for (auto _ : state) {
    unit = (unit + 1) % 3;
    w.form.rgTransmMagUnit.SetItemIndex(unit);  // raises rgTransmMagUnitClick
    benchmark::DoNotOptimize(w.form.lbTrGmax.Caption.data());
  }
}
BENCHMARK(BM_FactorUnitRepresentation);

}  // namespace

BENCHMARK_MAIN();
