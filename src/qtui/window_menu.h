#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "qtui/file_out.h"
#include "startup/analysis_settings.h"

class QAction;
class QShortcut;

// The ways into everything beyond the specified window that leave its controls as they are: a
// context menu on the window's background and shortcuts that no edit uses.
namespace qtui {

class AnalysisWindow;
class MainWindow;

class WindowMenu : public QObject {
  Q_OBJECT

 public:
  explicit WindowMenu(MainWindow& window, PathChooser chooser = DialogPathChooser());
  ~WindowMenu() override;

  // Shows the Analysis window (made on first use), raised and active.
  void OpenAnalysis();
  // Every input and result cell as shown, as tab-separated text and as an HTML table.
  void CopyResults();
  // The same table as CSV, through a save dialog; nothing is written when it is cancelled.
  void ExportResults();
  void ShowAbout();
  // F1: the HTML help, exactly as the Help (HTML) button opens it, without moving the focus.
  void ShowHelp();

  AnalysisWindow* Analysis() const { return analysis_.get(); }
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

  MainWindow& window_;
  startup::AnalysisPlacement placement_;
  PathChooser chooser_;
  std::unique_ptr<AnalysisWindow> analysis_;
};

}  // namespace qtui
