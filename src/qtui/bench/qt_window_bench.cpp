// Start-up cost of the window beside a minimal Qt window: the time to the first shown window,
// and the peak memory of a process that shows one, so that each reads as a ratio.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QWindow>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/main_window.h"
#include "startup/lifecycle.h"

namespace {

void WaitExposed(QWidget& w) {
  w.show();
  while (w.windowHandle() == nullptr || !w.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

void ShowMinimal() {
  QWidget w;
  QLabel label(QStringLiteral("Hello"), &w);
  w.resize(513, 362);
  WaitExposed(w);
}

void ShowZephlane() {
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Attach(form);
  qtui::MainWindow window(form);
  window.Create();
  WaitExposed(window);
}

// Peak resident memory of this process so far, kB.
long PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Runs this program again as a child that shows one window and reports its peak memory.
long ChildPeakKb(const char* kind) {
  std::array<int, 2> fds{};
  if (pipe(fds.data()) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl("/proc/self/exe", "qt_window_bench", "--peak-child", kind, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  std::array<char, 64> buf{};
  ssize_t n = 0;
  while ((n = read(fds[0], buf.data(), buf.size())) > 0)
    out.append(buf.data(), static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return std::strtol(out.c_str(), nullptr, 10);
}

void BM_MinimalWindowStartup(benchmark::State& state) {
  for (auto _ : state) ShowMinimal();
}
BENCHMARK(BM_MinimalWindowStartup)->Unit(benchmark::kMillisecond);

void BM_ZephlaneWindowStartup(benchmark::State& state) {
  for (auto _ : state) ShowZephlane();
}
BENCHMARK(BM_ZephlaneWindowStartup)->Unit(benchmark::kMillisecond);

void BM_PeakMemory(benchmark::State& state) {
  long minimal = 0;
  long zephlane = 0;
  for (auto _ : state) {
    minimal = ChildPeakKb("minimal");
    zephlane = ChildPeakKb("zephlane");
  }
  state.counters["minimal_kB"] = static_cast<double>(minimal);
  state.counters["zephlane_kB"] = static_cast<double>(zephlane);
  state.counters["ratio"] =
      minimal > 0 ? static_cast<double>(zephlane) / static_cast<double>(minimal) : 0.0;
}
BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window reads and creates its settings folder: keep that in a throw-away home.
  std::array<char, 32> home{"/tmp/zephlane-bench-XXXXXX"};
  if (mkdtemp(home.data()) != nullptr) {
    qputenv("HOME", home.data());
    qputenv("XDG_CONFIG_HOME", QByteArray(home.data()) + "/.config");
  }
  if (argc == 3 && std::strcmp(argv[1], "--peak-child") == 0) {
    QApplication app(argc, argv);
    if (std::strcmp(argv[2], "zephlane") == 0) {
      ShowZephlane();
    } else {
      ShowMinimal();
    }
    std::printf("%ld\n", PeakKb());
    std::error_code ec;
    std::filesystem::remove_all(home.data(), ec);
    return 0;
  }
  {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  std::error_code ec;
  std::filesystem::remove_all(home.data(), ec);
  return 0;
}
