// Loading the settings file at start against only reading its bytes, for a file of one large
// foreign section and for one of very many small sections, with the heap that the load holds at
// its peak beside the file's size.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "env/file_system.h"
#include "env/ini_file.h"
#include "ratio_report.h"

namespace {

// Bytes on the heap now and at most since the last reset, counted by the allocator's own
// sizes of the blocks.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void Count(void* p) {
  const std::size_t now = liveBytes += malloc_usable_size(p);
  std::size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

// The replaced operator new takes its memory from malloc, so free is the matching release; GCC
// sees only the new-expression at an inlined call site and warns otherwise.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  Count(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  liveBytes -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
#pragma GCC diagnostic pop

namespace {

// The keys the window reads at start, as LoadSettings reads them.
const char* const kKeys[] = {
    "Top",           "Left",        "edAnodeV",          "edAnodeI", "udEff",     "edSrcMag",
    "edLoaMag",      "cbSrcRfl",    "cbSrcMism",         "cbLoaRfl", "cbLoaMism", "rgTransmMagUnit",
    "rgPowMeasUnit", "rgPowerUnit", "rgLoadMeasMagUnit", "udSrcPha", "udLoaPha",  "udDire",
    "chIdeal"};

const std::string kOwn =
    "[Zephlane]\nedAnodeV=4350\nedAnodeI=0.32\nedSrcMag=0.2\nedLoaMag=0.5\nTop=200\nLeft=0\n"
    "udEff=72\nudSrcPha=0\nudDire=20\nudLoaPha=90\ncbSrcRfl=0\ncbSrcMism=0\ncbLoaRfl=0\n"
    "cbLoaMism=0\nrgTransmMagUnit=0\nrgPowMeasUnit=0\nrgPowerUnit=0\nrgLoadMeasMagUnit=0\n"
    "chIdeal=1\n";

struct SampleFile {
  std::string Path;
  std::size_t Size = 0;
};

SampleFile Write(const std::string& name, const std::string& text) {
  const std::string path =
      (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()) + ".ini"))
          .string();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return {path, text.size()};
}

// About 50 MB: the program's section, then one section of long lines.
const SampleFile& LargeSection() {
  static const SampleFile file = [] {
    std::string text = kOwn + "[Other]\n";
    const std::string value(200, 'x');
    for (int i = 0; text.size() < 50'000'000; ++i)
      text += "key" + std::to_string(i) + "=" + value + "\n";
    return Write("zephlane-bench-large", text);
  }();
  return file;
}

// A million sections of one key, the program's own in the middle.
const SampleFile& ManySections() {
  static const SampleFile file = [] {
    std::string text;
    for (int i = 0; i < 1'000'000; ++i) {
      text += "[S" + std::to_string(i) + "]\nk=v\n";
      if (i == 500'000) text += kOwn;
    }
    return Write("zephlane-bench-many", text);
  }();
  return file;
}

void ReadBytes(benchmark::State& state, const SampleFile& file) {
  for (auto _ : state) benchmark::DoNotOptimize(env::RealFileSystem()->ReadFile(file.Path));
}

void Load(benchmark::State& state, const SampleFile& file) {
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t before = liveBytes.load();
    peakBytes = before;
    {
      env::TIniFile ini(file.Path);
      std::int32_t sum = 0;
      for (const char* key : kKeys) sum += ini.ReadInteger("Zephlane", key, 0);
      benchmark::DoNotOptimize(sum);
    }
    peak = std::max(peak, peakBytes.load() - before);
  }
  state.counters["peak_heap_per_file_byte"] =
      static_cast<double>(peak) / static_cast<double>(file.Size);
}

void BM_ReadBytesLargeSection(benchmark::State& state) { ReadBytes(state, LargeSection()); }
void BM_LoadLargeSection(benchmark::State& state) { Load(state, LargeSection()); }
void BM_ReadBytesManySections(benchmark::State& state) { ReadBytes(state, ManySections()); }
void BM_LoadManySections(benchmark::State& state) { Load(state, ManySections()); }
BENCHMARK(BM_ReadBytesLargeSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBytesManySections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadManySections)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int result =
      bench::RunWithRatios(argc, argv,
                           {{"BM_LoadLargeSection", "BM_ReadBytesLargeSection", 1.0, "load"},
                            {"BM_LoadManySections", "BM_ReadBytesManySections", 1.0, "load"}});
  std::error_code ec;
  std::filesystem::remove(LargeSection().Path, ec);
  std::filesystem::remove(ManySections().Path, ec);
  return result;
}
