// zephlane-calc --batch, row by row on an in-memory stream with every field written, against
// a floor that only parses the same cells and writes as many numbers with to_chars.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

#include "batch.h"
#include "options.h"
#include "ratio_report.h"
#include "rf/model_fields.h"

namespace {

constexpr int kRows = 1000;

std::vector<std::string> InputRows() {
  std::vector<std::string> rows;
  for (int i = 0; i < kRows; ++i) {
    rows.push_back(std::to_string(1000 + i) + "," + std::to_string(0.1 + i * 0.001) + "," +
                   std::to_string(50 + i % 50) + ",0.2@" + std::to_string(i % 360 - 180) + "," +
                   std::to_string(0.5 * (i % 100) / 100.0) + "@" + std::to_string(i % 361 - 180) +
                   "," + std::to_string(10 + i % 50));
  }
  return rows;
}

void BM_BatchRows(benchmark::State& state) {
  const auto rows = InputRows();
  calc::Options o;
  o.Batch = true;
  o.Out = calc::Format::Csv;
  calc::BatchProcessor batch(o);
  if (batch.Header("va,ia,eff,src,load,dir")) state.SkipWithError("header refused");
  std::string out;
  out.reserve(1 << 21);
  for (auto _ : state) {
    out.clear();
    std::size_t line = 2;
    for (const std::string& r : rows) {
      if (batch.Row(r, line++, out)) state.SkipWithError("row refused");
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BatchRows);

// The floor: split the six cells, read each number, write one number per output field.
void BM_ParseAndWriteBaseline(benchmark::State& state) {
  const auto rows = InputRows();
  const std::size_t fields = rf::ScalarFields().size();
  std::string out;
  out.reserve(1 << 21);
  for (auto _ : state) {
    out.clear();
    for (const std::string& r : rows) {
      double sum = 0.0;
      const char* p = r.data();
      const char* end = r.data() + r.size();
      while (p < end) {
        double v = 0.0;
        const auto res = std::from_chars(p, end, v);
        sum += v;
        p = res.ptr;
        while (p < end && (*p == ',' || *p == '@')) ++p;
      }
      char buf[32];
      for (std::size_t k = 0; k < fields; ++k) {
        const auto w = std::to_chars(buf, buf + sizeof buf, sum * static_cast<double>(k + 1) / 7.0);
        out.append(buf, w.ptr);
        out += ',';
      }
      out.back() = '\n';
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ParseAndWriteBaseline);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithRatios(argc, argv,
                              {{"BM_BatchRows", "BM_ParseAndWriteBaseline", kRows, "row"}});
}
