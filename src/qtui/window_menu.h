#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "env/ini_text.h"
#include "qtui/file_out.h"
#include "startup/analysis_settings.h"

class QAction;
class QMenu;
class QMenuBar;

// The ways into everything beyond the specified window that leave its controls as they are: a
// menu bar above the client area, a context menu on the window's background (the same actions)
// and shortcuts that no edit uses.
namespace qtui {

class AnalysisWindow;
class MainWindow;

class WindowMenu : public QObject {
  Q_OBJECT

 public:
  // saver asks for a file to write, opener for a file to read; both start in the folder last
  // used, else the documents folder.
  explicit WindowMenu(MainWindow& window, PathChooser saver = DialogPathChooser(),
                      PathChooser opener = DialogOpenChooser());
  ~WindowMenu() override;

  // Shows the Analysis window (made on first use), raised and active.
  void OpenAnalysis();
  // Every input and result cell as shown, as tab-separated text and as an HTML table.
  void CopyResults();
  // The inputs and results as numbers: one column per quantity with its unit, full precision.
  void CopyResultsAsNumbers();
  // The same table as CSV, through a save dialog; nothing is written when it is cancelled.
  void ExportResults();
  void ExportReport();
  void ShowAbout();
  // F1: the HTML help, exactly as the Help (HTML) button opens it, without moving the focus.
  void ShowHelp();
  void ShowManual();
  void ShowTheory();
  // The window's close request: the form asks whether to terminate, as the close box does.
  void Quit();

  // Case files. Open and Save ask with the dialogs; the File variants take the path. A case
  // that cannot be read changes nothing and says why in the error box.
  bool OpenCase();
  bool SaveCase();
  bool OpenCaseFile(const QString& path);
  bool SaveCaseFile(const QString& path);

  // Measured load and source files, read by the Analysis window's band sheets (opened for it)
  // with their refusals; false when cancelled or refused. Forget returns to the typed values.
  bool OpenLoadFile();
  bool OpenSourceFile();
  void ForgetLoadFile();
  void ForgetSourceFile();
  // At start: the files the window used when it closed open again with their line; a file
  // that is gone gives one note and the typed values.
  void RestoreFiles();
  // The case opened or saved last; empty: none.
  const QString& CasePath() const { return casePath_; }

  AnalysisWindow* Analysis() const { return analysis_.get(); }
  QMenuBar* MenuBar() const { return bar_; }
  QMenu* RecentMenu() const { return recent_; }
  // Where the Analysis window opens next (or stood when the main window closed).
  const startup::AnalysisPlacement& Placement() const { return placement_; }
  // "2.1.0.0", from the window's caption.
  QString Version() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The main window has closed for good: the Analysis window's place joins the settings file
  // the close has just written, and the window closes with it, so the program ends.
  void MainWindowClosed();
  // The Analysis window, made (hidden) on first use.
  void EnsureAnalysis();
  void BuildMenuBar();
  void FillRecent();
  // An action that runs fn, its text also its object name.
  QAction* Action(std::string_view text, std::string_view key, std::function<void()> fn);
  // The Analysis window's inputs for a case, and back.
  void CaseOpened(const std::string& path);

  MainWindow& window_;
  startup::AnalysisPlacement placement_;
  PathChooser saver_;
  PathChooser opener_;
  std::unique_ptr<AnalysisWindow> analysis_;
  QMenuBar* bar_ = nullptr;
  QMenu* recent_ = nullptr;
  QString casePath_;
};

}  // namespace qtui
