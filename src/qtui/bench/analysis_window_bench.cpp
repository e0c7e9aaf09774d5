// The Analysis window's redraw after an input change, beside the same input change in the main
// window alone: the difference is what following the window costs, to be within a frame (16 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "qtui/analysis_window.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"

namespace {

// A new load phase typed and evaluated, alternating so that every iteration changes the model.
void ChangeLoadPhase(qtui::MainWindow& window, bool odd) {
  mainwindow::TForm1& form = window.Form();
  window.Perform([&] {
    form.UserType("edLoaPha", odd ? "-30" : "90");
    form.UserKeyEnter();
  });
}

void BM_InputChangeMainWindowOnly(benchmark::State& state) {
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Attach(form);
  qtui::MainWindow window(form);
  window.Create();
  window.show();
  bool odd = false;
  for (auto _ : state) {
    ChangeLoadPhase(window, odd = !odd);
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_InputChangeMainWindowOnly)->Unit(benchmark::kMillisecond);

// The same change with the Analysis window open: it recomputes its sweeps and table, and the
// shown chart is painted.
void BM_InputChangeWithAnalysisRedraw(benchmark::State& state) {
  env::ScriptedPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Attach(form);
  qtui::MainWindow window(form);
  qtui::WindowMenu menu(window);
  window.Create();
  window.show();
  menu.OpenAnalysis();
  qtui::AnalysisWindow& analysis = *menu.Analysis();
  bool odd = false;
  for (auto _ : state) {
    ChangeLoadPhase(window, odd = !odd);
    const QPixmap frame = analysis.View(0)->grab();
    benchmark::DoNotOptimize(frame.cacheKey());
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_InputChangeWithAnalysisRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window reads and creates its settings folder: keep that in a throw-away home.
  std::array<char, 32> home{"/tmp/zephlane-bench-XXXXXX"};
  if (mkdtemp(home.data()) != nullptr) {
    qputenv("HOME", home.data());
    qputenv("XDG_CONFIG_HOME", QByteArray(home.data()) + "/.config");
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
