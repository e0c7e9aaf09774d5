#include <optional>
#include <string>

#include "mainwindow/texts.h"
#include "startup/file_settings.h"
#include "views/texts.h"
#include "win32ui/analysis_window.h"
#include "win32ui/band_sheets.h"
#include "win32ui/main_window.h"
#include "win32ui/save_dialog.h"

// The main window's measured load and source files: read by the Analysis window's band
// sheets, kept in the settings file between starts.
namespace win32ui {

void MainWindow::OpenMeasuredFile(bool load) {
  const std::optional<std::string> path = AskOpenPath(
      hwnd_, form_, load ? views::kOpenLoadFile : views::kOpenSourceFile, views::kTouchstoneFilter);
  if (!path) return;
  // The sheets show what became of the file: its charts, or the message that refuses it.
  OpenAnalysis();
  if (load) {
    analysis_->Bands().OpenLoadPath(*path);
  } else {
    analysis_->Bands().OpenSourcePath(*path);
  }
}

// Without the Analysis window no file was opened, so there is nothing to forget.
void MainWindow::ForgetMeasuredFile(bool load) {
  if (!analysis_) return;
  if (load) {
    analysis_->Bands().ForgetLoadFile();
  } else {
    analysis_->Bands().ForgetSourceFile();
  }
}

void MainWindow::RestoreFiles() {
  if (!form_.AutoIniFile) return;
  std::string note;
  const startup::FileSettings s = startup::FilesToRestore(*form_.AutoIniFile, note);
  if (!note.empty()) form_.Platform().ShowMessage(std::string(mainwindow::kAppTitle), note);
  if (s.LoadPath.empty() && s.SrcPath.empty()) return;
  EnsureAnalysis();
  analysis_->Bands().RestoreFiles(s);
}

}  // namespace win32ui
