#include "env/win32_text.h"
#include "views/limits_table.h"
#include "win32ui/analysis_window.h"
#include "win32ui/band_sheets.h"
#include "win32ui/budget_sheet.h"
#include "win32ui/readings_sheet.h"
#include "win32ui/window_basics.h"

// The Analysis window's inputs as one record, for case files.
namespace win32ui {

startup::AnalysisCase AnalysisWindow::CaseInputs(startup::AnalysisCase kept) const {
  const auto i = static_cast<int>(SendMessageW(coverage_, CB_GETCURSEL, 0, 0));
  kept.Coverage = i >= 0 && static_cast<std::size_t>(i) < views::kCoverageChoices.size() ? i : 0;
  kept.DesignTarget = env::win32::Narrow(TextOf(target_));
  if (readings_) kept.Readings = readings_->Inputs();
  if (budget_) {
    kept.Budget = budget_->Inputs();
    kept.Budget.Readings = {};  // the readings sheet's, kept once
  }
  if (bands_) {
    kept.Band = bands_->Inputs();
    kept.LoadPort = bands_->Session().LoadPort();
    kept.LoadFile = bands_->Session().LoadPath();
    kept.SourceFile = bands_->Session().SourcePath();
  }
  return kept;
}

bool AnalysisWindow::PutCaseInputs(const startup::AnalysisCase& in) {
  // The files first: a refused one leaves every sheet as it was.
  if (bands_ && !bands_->PutCase(in.Band, in.LoadPort, in.LoadFile, in.SourceFile)) return false;
  SendMessageW(coverage_, CB_SETCURSEL, static_cast<WPARAM>(in.Coverage), 0);
  // The edit's change notice recomputes the design's answers.
  SetWindowTextW(target_, W(in.DesignTarget).c_str());
  if (readings_) readings_->SetInputs(in.Readings);
  if (budget_) budget_->SetInputs(in.Budget);
  Refresh();
  return true;
}

}  // namespace win32ui
