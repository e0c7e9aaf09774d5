#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "rf/model.h"
#include "rf/reflection.h"

// The window's evaluation cycle and a unit re-presentation, against two baselines in the same
// run: the bare transmission model, so the cost of parsing and formatting shows beside the
// physics, and the standard library's own conversions of the same texts and numbers
// (std::from_chars on the 8 input texts, std::to_chars on the numbers one cycle shows), the
// least any cycle that reads and shows them could cost. The cycle should stay within twice
// that.
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

// The numbers one cycle writes back into the edits and shows in the result cells, each with
// its count of decimals, in the default units (watts, plain ratios, magnitudes).
std::vector<std::pair<double, int>> ShownNumbers(const mainwindow::TForm1& f) {
  std::vector<std::pair<double, int>> n;
  // The inputs written back.
  for (const double v :
       {f.Ia, f.Eff * 100.0, f.SrcRfl.Mag, f.SrcRfl.Pha, f.LoaRfl.Mag, f.LoaRfl.Pha, f.CplDirDb})
    n.emplace_back(v, 4);
  // Powers (Transmission sheet and Magnetron Output), ratios and mismatch factors.
  for (const double v : {f.Pmatch, f.Pav, f.Pinc, f.PincMin, f.PincMax, f.Prefl, f.PreflMin,
                         f.PreflMax, f.Pload, f.PloadMin, f.PloadMax, f.Pinc, f.Prefl, f.Pload})
    n.emplace_back(v / 1e3, 2);
  for (const double v : {f.Interf, f.InterfMin, f.InterfMax, f.TrGain, f.TrGainMin, f.TrGainMax,
                         f.SrcRfl.Mism, f.LoaRfl.Mism})
    n.emplace_back(v, 4);
  // Power Meas sheet: measured powers and their errors.
  for (const double v : {f.PincMinV, f.PincMaxV, f.PreflMinV, f.PreflMaxV, f.PloadMinV, f.PloadMaxV,
                         f.PincMinV - f.Pinc, f.PincMaxV - f.Pinc, f.PreflMinV - f.Prefl,
                         f.PreflMaxV - f.Prefl, f.PloadMinV - f.Pload, f.PloadMaxV - f.Pload})
    n.emplace_back(v, 2);
  // Load Meas sheet: magnitudes and their errors in percentage points.
  for (const double v : {f.LoaRfl.Mag, f.MeaMin.Mag, f.MeaMax.Mag}) n.emplace_back(v, 4);
  for (const double v :
       {(f.MeaMin.Mag - f.LoaRfl.Mag) * 100.0, (f.MeaMax.Mag - f.LoaRfl.Mag) * 100.0})
    n.emplace_back(v, 2);
  return n;
}

void BM_BaselineStdCharconv(benchmark::State& state) {
  Window w;
  const auto numbers = ShownNumbers(w.form);
  const std::array<std::string, 8> inputs{
      w.form.edAnodeV.Text, w.form.edAnodeI.Text, w.form.edEffic.Text,  w.form.edSrcMag.Text,
      w.form.edSrcPha.Text, w.form.edLoaMag.Text, w.form.edLoaPha.Text, w.form.edDire.Text};
  // Texts land in strings kept from one cycle to the next, as the window's captions are.
  std::vector<std::string> texts(numbers.size() + 1);
  std::array<double, inputs.size()> read{};
  for (auto _ : state) {
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const std::string& t = inputs[i];
      std::from_chars(t.data(), t.data() + t.size(), read[i]);
    }
    benchmark::DoNotOptimize(read.data());
    std::array<char, 64> buf{};
    const auto va = std::to_chars(buf.data(), buf.data() + buf.size(), w.form.Va);
    texts.back().assign(buf.data(), va.ptr);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), numbers[i].first,
                                     std::chars_format::fixed, numbers[i].second);
      texts[i].assign(buf.data(), res.ptr);
    }
    benchmark::DoNotOptimize(texts.data());
  }
  state.counters["numbers"] = static_cast<double>(texts.size());
  state.counters["inputs"] = static_cast<double>(inputs.size());
}
BENCHMARK(BM_BaselineStdCharconv);

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
