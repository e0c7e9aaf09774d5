#include <QComboBox>
#include <QLineEdit>

#include "qtui/analysis_window.h"
#include "qtui/band_sheet.h"
#include "qtui/budget_sheet.h"
#include "qtui/readings_sheet.h"

// The Analysis window's inputs as one record, for case files.
namespace qtui {

startup::AnalysisCase AnalysisWindow::CaseInputs() const {
  startup::AnalysisCase c;
  c.Coverage = coverage_->currentIndex();
  c.DesignTarget = target_->text().toStdString();
  c.Readings = readings_->Inputs();
  c.Budget = budget_->Inputs();
  // The readings are kept once, as the readings sheet's.
  c.Budget.Readings = {};
  c.Band = bands_->Inputs();
  c.LoadPort = bands_->LoadPort();
  c.LoadFile = bands_->LoadPath().toStdString();
  c.SourceFile = bands_->SourcePath().toStdString();
  return c;
}

bool AnalysisWindow::PutCaseInputs(const startup::AnalysisCase& in) {
  if (!bands_->PutCase(in.Band, in.LoadPort, QString::fromStdString(in.LoadFile),
                       QString::fromStdString(in.SourceFile))) {
    return false;
  }
  coverage_->setCurrentIndex(in.Coverage);
  target_->setText(QString::fromStdString(in.DesignTarget));
  readings_->SetInputs(in.Readings);
  budget_->SetInputs(in.Budget);
  Refresh();
  return true;
}

}  // namespace qtui
