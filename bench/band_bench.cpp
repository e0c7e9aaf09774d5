// Measured loads across the band. The frequency sweep (a file interpolated at each frequency,
// seen through a waveguide run, then the window's whole model) against the model alone at the
// same reflections; and reading a Touchstone file against std::from_chars over the same
// numbers of the same text, the least any reader of the file has to do.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/frequency_sweep.h"
#include "lines/line.h"
#include "lines/load_through_line.h"
#include "ratio_report.h"
#include "rf/model.h"
#include "rf/reflection.h"
#include "touchstone/interpolate.h"
#include "touchstone/reader.h"
#include "views/band_charts.h"

namespace {

constexpr int kBandPoints = 100000;
constexpr int kFileFrequencies = 20000;

rf::ModelState FirstStart() {
  rf::ModelState m;
  m.Va = 4350;
  m.Ia = 0.32;
  m.Eff = 0.72;
  m.SrcRfl.Mag = 0.2;
  m.LoaRfl.Mag = 0.5;
  m.CplDirDb = 20.0;
  rf::ReflFromMag(m.SrcRfl);
  rf::ReflFromMag(m.LoaRfl);
  rf::ComputeTransmission(m);
  return m;
}

// An applicator measured from 2.3 to 2.6 GHz as a 2-port file, its S11 turning with frequency.
std::string AppFile() {
  std::string text = "! applicator\n# MHz S MA R 50\n";
  for (int i = 0; i < kFileFrequencies; ++i) {
    const double mhz = 2300.0 + 300.0 * i / (kFileFrequencies - 1);
    const double mag = 0.3 + 0.2 * (i % 97) / 97.0;
    const double deg = -180.0 + (i * 7 % 360);
    text += std::to_string(mhz) + ' ' + std::to_string(mag) + ' ' + std::to_string(deg) +
            " 0.85 -20.5 0.85 -20.5 " + std::to_string(mag) + ' ' + std::to_string(deg) + '\n';
  }
  return text;
}

const std::string& File() {
  static const std::string text = AppFile();
  return text;
}

std::vector<touchstone::Point> FilePoints() {
  std::istringstream in(File());
  return touchstone::ReadPoints(in, touchstone::ReadRequest{2, 1}).Points;
}

lines::Line Run() { return lines::MakeLine(1.2, lines::FindWaveguide("WR340").Value, 0.02).Value; }

void BM_FrequencySweepFromFile(benchmark::State& state) {
  const rf::ModelState base = FirstStart();
  const std::vector<touchstone::PolarPoint> points = touchstone::ToPolar(FilePoints());
  const lines::Line line = Run();
  lines::ReflectionAlongBand along(points, line);
  auto load = [&along](double hz) { return along.At(hz); };
  for (auto _ : state) {
    double sum = 0.0;
    const std::string error = analysis::ForEachFrequencyPoint(
        base, 2.4e9, 2.5e9, kBandPoints, load, analysis::KeepSource{},
        [&](double, const rf::ModelState& m) { sum += m.Pload; });
    benchmark::DoNotOptimize(sum);
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kBandPoints);
}
BENCHMARK(BM_FrequencySweepFromFile)->Unit(benchmark::kMillisecond);

struct Given {
  lines::PolarReflection Value;
  std::string Error;
  bool Ok() const { return true; }
};

// The same sweep with every reflection found beforehand: the model alone.
void BM_FrequencySweepModelOnly(benchmark::State& state) {
  const rf::ModelState base = FirstStart();
  const std::vector<touchstone::PolarPoint> points = touchstone::ToPolar(FilePoints());
  lines::ReflectionAlongBand along(points, Run());
  std::vector<lines::PolarReflection> loads(kBandPoints);
  for (int i = 0; i < kBandPoints; ++i) {
    loads[static_cast<std::size_t>(i)] =
        along.At(analysis::BandPointHz(2.4e9, 2.5e9, i, kBandPoints)).Value;
  }
  for (auto _ : state) {
    double sum = 0.0;
    std::size_t i = 0;
    analysis::ForEachFrequencyPoint(
        base, 2.4e9, 2.5e9, kBandPoints,
        [&](double) {
          return Given{loads[i++], {}};
        },
        analysis::KeepSource{}, [&](double, const rf::ModelState& m) { sum += m.Pload; });
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kBandPoints);
}
BENCHMARK(BM_FrequencySweepModelOnly)->Unit(benchmark::kMillisecond);

void BM_ReadTouchstone(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream in(File());
    double sum = 0.0;
    const auto error = touchstone::ReadStream(
        in, touchstone::ReadRequest{2, 1}, [&](const touchstone::Point& p) { sum += p.Refl.Re; });
    benchmark::DoNotOptimize(sum);
    if (error) state.SkipWithError("the file did not load");
  }
  state.SetItemsProcessed(state.iterations() * kFileFrequencies);
}
BENCHMARK(BM_ReadTouchstone)->Unit(benchmark::kMillisecond);

// Every number of the same text through std::from_chars, the comment and option lines skipped.
void BM_FromCharsSameNumbers(benchmark::State& state) {
  const std::string& text = File();
  for (auto _ : state) {
    std::istringstream in(text);
    std::string line;
    double sum = 0.0;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '!' || line[0] == '#') continue;
      const char* p = line.data();
      const char* end = p + line.size();
      while (p < end) {
        while (p < end && *p == ' ') ++p;
        if (p == end) break;
        double v = 0.0;
        p = std::from_chars(p, end, v).ptr;
        sum += v;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kFileFrequencies);
}
BENCHMARK(BM_FromCharsSameNumbers)->Unit(benchmark::kMillisecond);

// The load-plane map of absorbed power, 201 x 201 loads over the reflection plane with its
// contour levels; against the window's model alone at the same loads inside the unit circle.
constexpr int kMapSide = 201;

void BM_LoadPlaneMap(benchmark::State& state) {
  const rf::ModelState base = FirstStart();
  for (auto _ : state) {
    chart::ContourMap map = views::LoadPlaneMap(base, views::MapQuantity::AbsorbedPower,
                                                numtext::PowerUnit::Watts, kMapSide);
    benchmark::DoNotOptimize(map);
  }
  state.SetItemsProcessed(state.iterations() * kMapSide * kMapSide);
}
BENCHMARK(BM_LoadPlaneMap)->Unit(benchmark::kMillisecond);

void BM_ModelOverTheMapGrid(benchmark::State& state) {
  const rf::ModelState base = FirstStart();
  for (auto _ : state) {
    double sum = 0.0;
    rf::ModelState m = base;
    for (int i = 0; i < kMapSide; ++i) {
      for (int j = 0; j < kMapSide; ++j) {
        const double re = -1.0 + 2.0 * j / (kMapSide - 1);
        const double im = -1.0 + 2.0 * i / (kMapSide - 1);
        if (re * re + im * im > 1.0) continue;
        m.LoaRfl.Mag = std::hypot(re, im);
        m.LoaRfl.Pha = std::atan2(im, re) * (180.0 / std::numbers::pi);
        rf::ComputeTransmission(m);
        sum += m.Pload;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kMapSide * kMapSide);
}
BENCHMARK(BM_ModelOverTheMapGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(
      argc, argv,
      {{"BM_FrequencySweepFromFile", "BM_FrequencySweepModelOnly", double(kBandPoints), "point"},
       {"BM_ReadTouchstone", "BM_FromCharsSameNumbers", double(kFileFrequencies), "frequency"},
       {"BM_LoadPlaneMap", "BM_ModelOverTheMapGrid", double(kMapSide) * kMapSide, "grid point"}});
}
