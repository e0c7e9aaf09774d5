#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "numtext/format.h"
#include "numtext/parse.h"
#include "ratio_report.h"

// The display and input routines beside the standard and C libraries', in one run, so the
// figures read as ratios: FloatToText against std::to_chars fixed and snprintf("%.4f"),
// TextToFloat against std::from_chars and strtod. Each produces a std::string, as the window
// stores its texts.
namespace {

// Magnitudes like the window's: powers, ratios and dB values between 1e-6 and 1e6.
const std::vector<double>& Values() {
  static const std::vector<double> values = [] {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> exponent(-6.0, 6.0);
    std::vector<double> v(1024);
    for (auto& x : v) x = std::pow(10.0, exponent(rng)) * (rng() % 2 == 0 ? 1.0 : -1.0);
    return v;
  }();
  return values;
}

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (double x : Values()) t.push_back(numtext::FloatToText(x, 4));
    return t;
  }();
  return texts;
}

void BM_FloatToText4(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numtext::FloatToText(values[i++ % values.size()], 4));
  }
}
BENCHMARK(BM_FloatToText4);

void BM_ToCharsFixed4(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  std::array<char, 64> buf{};
  for (auto _ : state) {
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), values[i++ % values.size()],
                                   std::chars_format::fixed, 4);
    benchmark::DoNotOptimize(std::string(buf.data(), res.ptr));
  }
}
BENCHMARK(BM_ToCharsFixed4);

void BM_SnprintfFixed4(benchmark::State& state) {
  const auto& values = Values();
  std::size_t i = 0;
  char buf[64];
  for (auto _ : state) {
    std::snprintf(buf, sizeof buf, "%.4f", values[i++ % values.size()]);
    benchmark::DoNotOptimize(std::string(buf));
  }
}
BENCHMARK(BM_SnprintfFixed4);

void BM_TextToFloat(benchmark::State& state) {
  const auto& texts = Texts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        numtext::TextToFloat(texts[i++ % texts.size()], 0.0, -1e300, 1e300, true));
  }
}
BENCHMARK(BM_TextToFloat);

void BM_FromChars(benchmark::State& state) {
  const auto& texts = Texts();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& t = texts[i++ % texts.size()];
    double v = 0.0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    benchmark::DoNotOptimize(v);
  }
}
BENCHMARK(BM_FromChars);

void BM_Strtod(benchmark::State& state) {
  const auto& texts = Texts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(texts[i++ % texts.size()].c_str(), nullptr));
  }
}
BENCHMARK(BM_Strtod);

}  // namespace

// TextToFloat is to stay within 1.5 times std::from_chars on the same texts.
int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"BM_TextToFloat", "BM_FromChars", 1.0, "text"},
                               {"BM_FloatToText4", "BM_ToCharsFixed4", 1.0, "value"}});
}
