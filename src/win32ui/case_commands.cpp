#include <optional>
#include <string>
#include <vector>

#include "mainwindow/texts.h"
#include "numtext/power_unit.h"
#include "startup/case_file.h"
#include "startup/texts.h"
#include "views/caption.h"
#include "views/readings_view.h"
#include "views/result_numbers.h"
#include "views/texts.h"
#include "win32ui/analysis_window.h"
#include "win32ui/band_sheets.h"
#include "win32ui/main_window.h"
#include "win32ui/results_clipboard.h"
#include "win32ui/save_dialog.h"
#include "win32ui/window_basics.h"

// The main window's case files (Open Case, Save Case, Recent Cases) and Copy Results as
// Numbers, the same commands as the Linux window's, through the common dialogs.
namespace win32ui {

void MainWindow::OpenCase() {
  const std::optional<std::string> path =
      AskOpenPath(hwnd_, form_, views::kOpenCaseTitle, views::kCaseFilter);
  if (path) OpenCaseFile(*path);
}

bool MainWindow::OpenCaseFile(const std::string& path) {
  const startup::CaseRead read = startup::ReadCase(*form_.Platform().Files(), path);
  if (read.Problem != startup::CaseProblem::None) {
    form_.Platform().ShowError(std::string(mainwindow::kAppTitle), read.Message);
    return false;
  }
  startup::AnalysisCase inputs = startup::AnalysisOf(read.Case);
  // A case with a measured file needs the band sheets to read it; its files are read before
  // anything changes, and a refused one leaves the window and the case on show as they were.
  if (!inputs.LoadFile.empty() || !inputs.SourceFile.empty()) EnsureAnalysis();
  if (analysis_ && !analysis_->PutCaseInputs(inputs)) {
    form_.Platform().ShowError(
        std::string(mainwindow::kAppTitle),
        analysis_->Bands().Message() + std::string(startup::kCaseNothingChanged));
    return false;
  }
  caseInputs_ = std::move(inputs);
  Act([&] { startup::ApplyCase(form_, read.Case); });
  // The case's load file, if it names one, is the load in use, over the typed values it keeps.
  if (analysis_) analysis_->Bands().HoldLoadInWindow();
  CaseOpened(path);
  return true;
}

void MainWindow::SaveCase() {
  // The edits' texts as typed, as closing the window keeps them.
  Act([] {});
  const std::string suggested =
      casePath_.empty() ? std::string(views::kCaseFileName) : startup::CaseTitle(casePath_);
  const std::optional<std::string> path =
      AskSavePath(hwnd_, form_, views::kSaveCaseTitle, suggested, views::kCaseFilter);
  if (!path) return;
  if (analysis_) {
    caseInputs_ = analysis_->CaseInputs(caseInputs_);
  } else if (casePath_.empty()) {
    // Sheets never shown hold their starting values, as the window would show them.
    caseInputs_.Readings =
        views::StartingReadings(form_.rgPowerUnit.ItemIndex(), form_.CplIdeal, form_.CplDirDb);
  }
  const startup::CaseFile c = startup::CaseFromForm(form_, caseInputs_);
  if (!startup::WriteCase(*form_.Platform().Files(), *path, c)) {
    form_.Platform().ShowError(std::string(views::kSaveCaseTitle), views::SaveFailedText(*path));
    return;
  }
  CaseOpened(*path);
}

void MainWindow::CaseOpened(const std::string& path) {
  casePath_ = path;
  form_.RecentCases = startup::RememberCase(form_.RecentCases, path);
  FillRecent();
  ShowCaption();
}

void MainWindow::FillRecent() {
  if (HMENU recent = RecentCasesMenu(GetMenu(hwnd_))) {
    FillRecentCases(recent, startup::RecentCaseList(form_.RecentCases));
  }
}

void MainWindow::ShowCaption() {
  const std::string name = casePath_.empty() ? std::string() : startup::CaseTitle(casePath_);
  const std::optional<mainwindow::MeasuredLoad>& load = form_.HeldLoad();
  const std::string note = load ? views::MeasuredLoadNote(load->FileName, load->FreqHz) : "";
  SetText(hwnd_, W(views::WindowCaption(form_.Form1.Caption, name, note)));
}

void MainWindow::CopyResultsAsNumbers() {
  const numtext::PowerUnit unit =
      numtext::PowerUnitOfIndex(form_.rgPowerUnit.ItemIndex()).value_or(numtext::PowerUnit::Watts);
  const std::vector<views::NumberColumn> columns = views::ResultNumbers(form_, unit);
  CopyResultRows(hwnd_, views::NumbersAsTabText(columns), views::NumbersAsHtml(columns));
}

}  // namespace win32ui
