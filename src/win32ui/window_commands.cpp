#include <windowsx.h>

#include <charconv>

#include "mainwindow/result_rows.h"
#include "numtext/power_unit.h"
#include "startup/analysis_close.h"
#include "text/table.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/report.h"
#include "views/texts.h"
#include "win32ui/about_box.h"
#include "win32ui/analysis_window.h"
#include "win32ui/band_sheets.h"
#include "win32ui/main_window.h"
#include "win32ui/results_clipboard.h"
#include "win32ui/save_dialog.h"
#include "win32ui/window_basics.h"

namespace win32ui {

void MainWindow::RunCommand(Command command) {
  // A box of this window (a confirmation, a note) is open: its answer comes first.
  if (acting_ || form_.Closed()) return;
  switch (command) {
    case Command::ExportResults:
      ExportResults();
      break;
    case Command::ExportReport:
      ExportReport();
      break;
    case Command::Quit:
      // The close box's way, so the question and the save are the same.
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case Command::CopyResults:
      CopyResults();
      break;
    case Command::Analysis:
      OpenAnalysis();
      break;
    case Command::HelpContents:
      RunHelp(&mainwindow::TForm1::bHelpHtmClick, form_.bHelpHtm);
      break;
    case Command::HelpManual:
      RunHelp(&mainwindow::TForm1::bHelpPdfClick, form_.bHempPdf);
      break;
    case Command::HelpTheory:
      RunHelp(&mainwindow::TForm1::bTheoryClick, form_.bTheory);
      break;
    case Command::About:
      ShowAbout(hwnd_, form_.Form1.Caption);
      break;
    case Command::OpenCase:
      OpenCase();
      break;
    case Command::SaveCase:
      SaveCase();
      break;
    case Command::CopyNumbers:
      CopyResultsAsNumbers();
      break;
    case Command::OpenLoadFile:
      OpenMeasuredFile(true);
      break;
    case Command::OpenSourceFile:
      OpenMeasuredFile(false);
      break;
    case Command::ForgetLoadFile:
      ForgetMeasuredFile(true);
      break;
    case Command::ForgetSourceFile:
      ForgetMeasuredFile(false);
      break;
  }
}

void MainWindow::ShowContextMenu(LPARAM at) {
  POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    // From the keyboard (Shift+F10, the menu key): at the window's top left corner.
    p = {0, 0};
    ClientToScreen(hwnd_, &p);
  }
  HMENU menu = BuildContextMenu();
  const auto picked = static_cast<int>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  if (const auto command = CommandOfId(picked)) RunCommand(*command);
}

void MainWindow::CopyResults() {
  const std::vector<text::ResultRow> rows = mainwindow::WindowCellRows(form_);
  CopyResultRows(hwnd_, text::ToTabText(rows), text::ToHtml(rows));
}

void MainWindow::ExportResults() {
  const std::string csv = text::ToCsv(mainwindow::WindowCellRows(form_));
  SaveWithDialog(hwnd_, form_, views::kExportResultsTitle, views::kResultsFileName,
                 views::kCsvFilter, csv);
}

void MainWindow::ExportReport() {
  views::ReportInputs in;
  in.Title = form_.Form1.Caption;
  in.WindowRows = mainwindow::WindowCellRows(form_);
  in.Model = form_;
  in.Unit =
      numtext::PowerUnitOfIndex(form_.rgPowerUnit.ItemIndex()).value_or(numtext::PowerUnit::Watts);
  // The Analysis window's choices when it is open; else what it would open with.
  in.Coverage = analysis_ ? analysis_->Coverage() : views::kCoverageChoices[0];
  const double target = analysis_ ? analysis_->TargetPercent() : views::kDefaultDesignTargetPercent;
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, target).ptr;
  in.DesignTarget.assign(buf, end);
  SaveWithDialog(hwnd_, form_, views::kExportReportTitle, views::kReportFileName,
                 views::kHtmlFilter, views::ReportHtml(in));
}

void MainWindow::RunHelp(void (mainwindow::TForm1::*handler)(), const mainwindow::Button& button) {
  Act([&] {
    form_.RunUserAction([&] {
      if (button.Enabled && button.Visible) (form_.*handler)();
    });
  });
}

void MainWindow::OpenAnalysis() {
  EnsureAnalysis();
  analysis_->Show();
}

void MainWindow::EnsureAnalysis() {
  if (!analysis_) {
    if (form_.AutoIniFile) analysisPlace_ = startup::LoadAnalysisPlacement(*form_.AutoIniFile);
    analysis_ = std::make_unique<AnalysisWindow>(
        form_, instance_, hwnd_, [this](const std::function<void()>& action) { Act(action); });
    // A case opened before the window existed brings its inputs; else the sheets keep their own
    // starting values.
    if (!casePath_.empty()) analysis_->PutCaseInputs(caseInputs_);
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    analysis_->Place(analysisPlace_,
                     {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top});
  }
}

void MainWindow::CloseAnalysis() {
  if (!analysis_) return;
  if (analysis_->Shown() || analysisPlace_.Known) analysisPlace_ = {true, analysis_->Frame()};
  const startup::FileSettings files = analysis_->Bands().Files();
  analysis_.reset();
  if (analysisPlace_.Known) startup::SaveAnalysisOnClose(form_, analysisPlace_.At);
  startup::SaveFilesOnClose(form_, files);
}

}  // namespace win32ui
