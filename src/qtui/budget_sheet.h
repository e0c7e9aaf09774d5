#pragma once

#include <QWidget>
#include <memory>

#include "views/budget_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QThread;

// The Analysis window's budget sheet: the calibration uncertainties in, a Monte Carlo run on a
// button, computed on a worker thread so that the window keeps drawing, its result posted back.
namespace qtui {

class MainWindow;
class ReadingsSheet;

class BudgetSheet : public QWidget {
  Q_OBJECT

 public:
  BudgetSheet(MainWindow& window, ReadingsSheet& readings);
  ~BudgetSheet() override;

  views::BudgetSheetInputs Inputs() const;
  // Shows these inputs, the readings excepted (they are the readings sheet's); a result on
  // show is of other inputs, so it goes.
  void SetInputs(const views::BudgetSheetInputs& in);
  // Starts a run of the present inputs, unless one is under way. A run whose inputs change
  // before it ends shows no result: the sheet asks for another run.
  void Run();
  bool Running() const { return running_; }

  QComboBox* Question() const { return question_; }
  QLineEdit* Coupling() const { return coupling_; }
  QComboBox* CouplingLaw() const { return couplingLaw_; }
  QLineEdit* Sensor() const { return sensor_; }
  QComboBox* SensorLaw() const { return sensorLaw_; }
  QCheckBox* Correlated() const { return correlated_; }
  QLineEdit* Psi0() const { return psi0_; }
  QLineEdit* Chi0() const { return chi0_; }
  QComboBox* CoverageChoice() const { return coverage_; }
  QLineEdit* Seed() const { return seed_; }
  QPushButton* RunButton() const { return run_; }
  QLabel* Status() const { return status_; }
  QTableWidget* Results() const { return results_; }
  QTableWidget* Contributions() const { return contributions_; }

 Q_SIGNALS:
  // A run's result is on show.
  void finished();

 private:
  void Show(const views::BudgetSheet& sheet);
  void MarkStale();
  void Finish();

  MainWindow& window_;
  ReadingsSheet& readings_;
  QComboBox* question_ = nullptr;
  QLineEdit* coupling_ = nullptr;
  QComboBox* couplingLaw_ = nullptr;
  QLineEdit* sensor_ = nullptr;
  QComboBox* sensorLaw_ = nullptr;
  QCheckBox* correlated_ = nullptr;
  QLineEdit* psi0_ = nullptr;
  QLineEdit* chi0_ = nullptr;
  QComboBox* coverage_ = nullptr;
  QLineEdit* seed_ = nullptr;
  QPushButton* run_ = nullptr;
  QLabel* status_ = nullptr;
  QTableWidget* results_ = nullptr;
  QTableWidget* contributions_ = nullptr;
  QThread* worker_ = nullptr;
  bool running_ = false;
  bool changedDuringRun_ = false;
  // The worker's result, written before the worker ends and read after, on this thread.
  std::shared_ptr<views::BudgetSheet> result_;
};

}  // namespace qtui
