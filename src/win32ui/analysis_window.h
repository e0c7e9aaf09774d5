#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "mainwindow/form.h"
#include "startup/analysis_settings.h"
#include "startup/case_analysis.h"
#include "views/analysis_charts.h"
#include "win32ui/gdiplus_canvas.h"

// The Analysis window on Windows: a top-level window of its own, ended with the main window,
// that follows the form live. A tab control turns the three chart
// sheets drawn by the engine; below them the limits table as a list view with its coverage
// choice, and the coupler-design box. Each chart exports as PNG, SVG and CSV and copies.
namespace win32ui {

class BandSheets;
class BudgetSheet;
class ChartControl;
class ReadingsSheet;

// Child identifiers, for the tests' probe.
inline constexpr int kAnalysisTabsId = 10;
inline constexpr int kAnalysisChartId = 11;
inline constexpr int kAnalysisExportPngId = 20;
inline constexpr int kAnalysisExportSvgId = 21;
inline constexpr int kAnalysisExportCsvId = 22;
inline constexpr int kAnalysisCopyId = 23;
inline constexpr int kAnalysisHeadingId = 30;
inline constexpr int kAnalysisCoverageLabelId = 31;
inline constexpr int kAnalysisCoverageId = 32;
inline constexpr int kAnalysisTableId = 33;
inline constexpr int kAnalysisDesignId = 40;
inline constexpr int kAnalysisTargetLabelId = 41;
inline constexpr int kAnalysisTargetId = 42;
inline constexpr int kAnalysisDirLabelId = 43;
inline constexpr int kAnalysisDirAnswerId = 44;
inline constexpr int kAnalysisSwrLabelId = 45;
inline constexpr int kAnalysisSwrAnswerId = 46;
// The tabs after the charts.
inline constexpr int kAnalysisReadingsTab = views::kAnalysisChartCount;
inline constexpr int kAnalysisBudgetTab = views::kAnalysisChartCount + 1;
// Then the band sheets: the band with its powers, the Smith chart, the load plane.
inline constexpr int kAnalysisBandTab = views::kAnalysisChartCount + 2;
inline constexpr int kAnalysisBandTabs = 3;

class AnalysisWindow {
 public:
  // Runs an action on the main window's form with the main window's pull and push.
  using Act = std::function<void(const std::function<void()>&)>;
  // mainWindow gets the activation back when this window is closed; act is how the band sheets
  // put a load file's value into the main window (without one, the action runs as it is).
  AnalysisWindow(mainwindow::TForm1& form, HINSTANCE instance, HWND mainWindow, Act act = {});
  ~AnalysisWindow();
  AnalysisWindow(const AnalysisWindow&) = delete;
  AnalysisWindow& operator=(const AnalysisWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // Puts the window where it opens: the saved box when it still meets the work area, else
  // beside the main window, always inside the work area of the main window's monitor.
  void Place(const startup::AnalysisPlacement& saved, const startup::Box& mainFrame);
  // Shown, raised and active.
  void Show();
  // Whether it was ever shown: only then is its place worth keeping.
  bool Shown() const { return everShown_; }
  // Its frame in screen pixels (the restored one while minimised).
  startup::Box Frame() const;

  // Recomputes from the form after each change there. Only the sheet on show is rebuilt at
  // once; the others when they are shown or exported.
  void Refresh();
  // Keyboard input of this window before it is dispatched; true when consumed.
  bool PreTranslate(const MSG& msg);

  // The chosen coverage probability and the design target in per cent, as the report takes
  // them.
  double Coverage() const;
  double TargetPercent() const;

  // The window's inputs as a case keeps them: `kept` with the fields this window shows taken
  // from it; and back, the fields this window shows put in and the window refreshed. A case
  // whose load or source file is refused changes nothing: false, the band sheet's message says
  // why.
  startup::AnalysisCase CaseInputs(startup::AnalysisCase kept = {}) const;
  bool PutCaseInputs(const startup::AnalysisCase& in);
  // The sheets beside the charts, whose inputs a case file keeps.
  ReadingsSheet& Readings() { return *readings_; }
  BudgetSheet& Budget() { return *budget_; }
  BandSheets& Bands() { return *bands_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Build();
  void Layout();
  HWND Child(const wchar_t* cls, const std::string& text, DWORD style, int id, DWORD exStyle = 0);
  int Scale(int px) const;

  int Sheet() const;
  int Tab() const;
  void EnsureFresh(int i);
  void ShowSheet();
  void RefreshTable();
  void RefreshDesign();
  static SIZE ChartSize(HWND view);

  // The chart of the tab on show (an analysis chart or a band sheet's), its table (empty for
  // a chart without one), its file name stem and its window.
  struct ShownChart {
    chart::AnyChart Chart;
    views::ChartTable Table;
    std::string Stem;
    HWND View = nullptr;
  };
  ShownChart OnShow();
  int BandSheet() const;  // the band sheet on show, -1 for another tab
  void ExportPng();
  void ExportSvg();
  void ExportCsv();
  void CopyChart();

  mainwindow::TForm1& form_;
  HINSTANCE instance_;
  HWND main_ = nullptr;
  GdiplusSession gdiplus_;  // first in, last out: every drawing lies between
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  HWND tabs_ = nullptr;
  std::unique_ptr<ChartControl> chart_;
  std::unique_ptr<ReadingsSheet> readings_;
  std::unique_ptr<BudgetSheet> budget_;
  std::unique_ptr<BandSheets> bands_;
  Act act_;
  HWND table_ = nullptr;
  HWND coverage_ = nullptr;
  HWND target_ = nullptr;
  HWND dirAnswer_ = nullptr;
  HWND swrAnswer_ = nullptr;
  std::array<views::BuiltChart, views::kAnalysisChartCount> built_{};
  std::array<bool, views::kAnalysisChartCount> stale_{};
  double shownCoverage_ = -1.0;
  bool everShown_ = false;
};

}  // namespace win32ui
