#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "qtui/file_out.h"
#include "startup/case_analysis.h"
#include "views/analysis_charts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

// The Analysis window: a separate top-level window that follows the main window live. After
// every push of the main window it recomputes from the form's model fields and redraws its
// charts, its table of limits and uncertainties and the coupler-design answers.
namespace qtui {

class BandSheets;
class BudgetSheet;
class ReadingsSheet;
class ChartView;
class MainWindow;

class AnalysisWindow : public QWidget {
  Q_OBJECT

 public:
  AnalysisWindow(MainWindow& window, PathChooser chooser);
  ~AnalysisWindow() override;

  // Recomputes from the form; the main window's formChanged() calls it. Only the chart on
  // show is rebuilt at once: the others are marked stale and rebuilt when they are shown or
  // exported, so that following the main window costs one chart per input change.
  void Refresh();
  // Rebuilds chart i now if the form changed since it was last built.
  void EnsureFresh(int i);

  // 0 powers, 1 readings, 2 directivity.
  static constexpr int kChartCount = views::kAnalysisChartCount;
  const views::BuiltChart& Chart(int i) const { return built_[static_cast<std::size_t>(i)]; }
  ChartView* View(int i) const { return views_[static_cast<std::size_t>(i)]; }
  QTabWidget* Tabs() const { return tabs_; }
  QTableWidget* Table() const { return table_; }
  QComboBox* CoverageChoice() const { return coverage_; }
  // The coverage probability the table's intervals are for.
  double Coverage() const;
  QLineEdit* DesignTarget() const { return target_; }
  QLabel* DesignDirectivityAnswer() const { return dirAnswer_; }
  QLabel* DesignSwrAnswer() const { return swrAnswer_; }
  BandSheets* Bands() const { return bands_; }
  ReadingsSheet* Readings() const { return readings_; }
  BudgetSheet* Budget() const { return budget_; }

  // Every input of the window as a case keeps them, and back. Putting them back reads the
  // files named first: one that is refused is said in the band sheet, nothing changes, false.
  startup::AnalysisCase CaseInputs() const;
  bool PutCaseInputs(const startup::AnalysisCase& in);

  // A chart as a picture and as data, to a file the chooser names or to the clipboard.
  bool ExportPng(int i);
  bool ExportSvg(int i);
  bool ExportCsv(int i);
  void CopyChart(int i);
  // The chart as the engine's SVG document, at the size it has on screen.
  std::string SvgOf(int i);

 private:
  QWidget* BuildChartPage(int i);
  void RefreshTable();
  void RefreshDesign();
  double TargetPercent() const;
  QSize ChartSize(int i) const;

  MainWindow& window_;
  PathChooser chooser_;
  std::array<views::BuiltChart, kChartCount> built_{};
  std::array<ChartView*, kChartCount> views_{};
  std::array<bool, kChartCount> stale_{};
  QTabWidget* tabs_ = nullptr;
  QTableWidget* table_ = nullptr;
  QComboBox* coverage_ = nullptr;
  double shownCoverage_ = -1.0;
  QLineEdit* target_ = nullptr;
  QLabel* dirAnswer_ = nullptr;
  QLabel* swrAnswer_ = nullptr;
  BandSheets* bands_ = nullptr;
  ReadingsSheet* readings_ = nullptr;
  BudgetSheet* budget_ = nullptr;
};

}  // namespace qtui
