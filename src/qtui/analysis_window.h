#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "qtui/file_out.h"

class QChartView;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

// The Analysis window: a separate top-level window that follows the main window live. After
// every push of the main window it recomputes from the form's model fields and redraws its
// charts, its table of limits and uncertainties and the coupler-design answers.
namespace qtui {

class MainWindow;
class SweepChart;

class AnalysisWindow : public QWidget {
  Q_OBJECT

 public:
  AnalysisWindow(MainWindow& window, PathChooser chooser);
  ~AnalysisWindow() override;

  // Recomputes from the form; the main window's formChanged() calls it. Only the chart on
  // show is redrawn at once: the others are marked stale and redrawn when they are shown or
  // exported, so that following the main window costs one chart per input change.
  void Refresh();
  // Redraws chart i now if the form changed since it was last drawn.
  void EnsureFresh(int i);

  // 0 powers, 1 readings, 2 directivity.
  static constexpr int kChartCount = 3;
  SweepChart& Chart(int i) const { return *charts_[static_cast<std::size_t>(i)]; }
  QChartView* View(int i) const { return views_[static_cast<std::size_t>(i)]; }
  QTableWidget* Table() const { return table_; }
  QLineEdit* DesignTarget() const { return target_; }
  QLabel* DesignDirectivityAnswer() const { return dirAnswer_; }
  QLabel* DesignSwrAnswer() const { return swrAnswer_; }

  // A chart as a picture and as data, to a file the chooser names or to the clipboard.
  bool ExportPng(int i);
  bool ExportSvg(int i);
  bool ExportCsv(int i);
  void CopyChart(int i);
  QByteArray SvgOf(int i);

 private:
  QWidget* BuildChartPage(int i);
  void RefreshTable();
  void RefreshDesign();

  MainWindow& window_;
  PathChooser chooser_;
  std::vector<std::unique_ptr<SweepChart>> charts_;
  std::vector<QChartView*> views_;
  std::vector<bool> stale_;
  QTabWidget* tabs_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLineEdit* target_ = nullptr;
  QLabel* dirAnswer_ = nullptr;
  QLabel* swrAnswer_ = nullptr;
};

}  // namespace qtui
