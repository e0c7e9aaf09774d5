#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Benchmarks measured against a baseline of the same run: the console report as usual, then
// one line per pair with the ratio of their times, so a result reads the same on any machine.
namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
        // In seconds, whatever unit the benchmark reports in.
        const double unit = benchmark::GetTimeUnitMultiplier(r.time_unit);
        times_[r.benchmark_name()] = {r.GetAdjustedRealTime() / unit,
                                      r.GetAdjustedCPUTime() / unit};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Real and CPU seconds per iteration; zeros for a benchmark that did not run.
  std::pair<double, double> Time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? std::pair{0.0, 0.0} : it->second;
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;
};

// Runs the registered benchmarks, then prints measured / baseline for every pair, and the
// time per item when items_per_iteration is given.
struct Pair {
  std::string measured;
  std::string baseline;
  double itemsPerIteration = 1.0;
  const char* item = "item";
};

inline int RunWithRatios(int argc, char** argv, const std::vector<Pair>& pairs) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Pair& p : pairs) {
    const auto [m, mCpu] = reporter.Time(p.measured);
    const auto [b, bCpu] = reporter.Time(p.baseline);
    if (m <= 0.0 || b <= 0.0) continue;
    // CPU time is what one core spent; on a shared machine real time also counts waiting.
    std::printf(
        "ratio %s / %s = %.2f real, %.2f cpu  (%.1f ns real, %.1f ns cpu per %s; baseline %.1f "
        "ns real, %.1f ns cpu)\n",
        p.measured.c_str(), p.baseline.c_str(), m / b, mCpu / bCpu, 1e9 * m / p.itemsPerIteration,
        1e9 * mCpu / p.itemsPerIteration, p.item, 1e9 * b / p.itemsPerIteration,
        1e9 * bCpu / p.itemsPerIteration);
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
