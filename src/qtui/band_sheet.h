#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "qtui/file_out.h"
#include "views/analysis_charts.h"
#include "views/band_charts.h"
#include "views/band_session.h"
#include "views/band_setup.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

// The Analysis window's band sheets: the frequency, the band and the line, the load and the
// source from the window or from Touchstone files, and three pictures of the model along the
// band (the powers with the band's extremes, the Smith chart, the load-plane map). A fault in
// an input or a file is one message in the sheet; the charts keep what they showed.
namespace qtui {

class ChartView;
class MainWindow;

class BandSheets : public QObject {
  Q_OBJECT

 public:
  // Adds the three sheets to tabs; they follow the main window's form from then on.
  BandSheets(MainWindow& window, QTabWidget& tabs, PathChooser open, PathChooser save,
             QObject* parent = nullptr);

  // Asks for a file and reads it as the load's (the chosen port) or the source's reflection.
  // False when the user cancelled or the file was refused (the message says why).
  bool OpenLoadFile();
  bool OpenSourceFile();
  // The same with the path already chosen (the main window's menu asks with its own chooser).
  bool OpenLoadPath(const QString& path);
  bool OpenSourcePath(const QString& path);
  void ForgetLoadFile();
  void ForgetSourceFile();
  // Shows a case's inputs: the typed ones, the load's port and the files (empty: the window's
  // reflection), which are read first. A file that is refused is said in the sheet's message
  // and nothing else changes; false then.
  bool PutCase(const views::BandInputs& in, int loadPort, const QString& loadPath,
               const QString& sourcePath);
  views::BandInputs Inputs() const;
  int LoadPort() const { return session_.LoadPort(); }
  // The main window shows the load file's value, as after opening it (nothing without a file):
  // for a case, once its typed inputs are in the window.
  void HoldLoadInWindow() { TellWindow(WindowLoad::Hold); }
  static constexpr int kPowersChart = 0;
  static constexpr int kSmithChart = 1;
  static constexpr int kMapChart = 2;
  // A chart (kPowersChart, kSmithChart, kMapChart) to the file the save chooser names; the powers
  // also as their table. False when the user cancelled or the write failed.
  enum class ExportKind { Png, Svg, Csv };
  bool Export(int which, ExportKind kind);
  // Reads the sheet's inputs and rebuilds the charts (the map when it is on show); false (and
  // the message) on a fault.
  bool Recompute();

  QWidget* BandPage() const { return bandPage_; }
  QWidget* SmithPage() const { return smithPage_; }
  QWidget* MapPage() const { return mapPage_; }
  QLineEdit* Frequency() const { return freq_; }
  QComboBox* BandChoice() const { return band_; }
  QLineEdit* Centre() const { return centre_; }
  QLineEdit* Spread() const { return spread_; }
  QLineEdit* Length() const { return length_; }
  QComboBox* Medium() const { return medium_; }
  QLineEdit* VelocityFactor() const { return vf_; }
  QLineEdit* Loss() const { return loss_; }
  QComboBox* Port() const { return port_; }
  QComboBox* MapChoice() const { return mapChoice_; }
  QLabel* Message() const { return message_; }
  QLabel* LoadName() const { return loadName_; }
  QLabel* SourceName() const { return srcName_; }
  // The files in use as chosen; empty: the window's reflection.
  QString LoadPath() const { return QString::fromStdString(session_.LoadPath()); }
  QString SourcePath() const { return QString::fromStdString(session_.SourcePath()); }
  QTableWidget* Extremes() const { return extremes_; }
  ChartView* PowersView() const { return powersView_; }
  ChartView* SmithView() const { return smithView_; }
  ChartView* MapView() const { return mapView_; }
  const views::BuiltChart& Powers() const { return session_.Powers(); }
  const views::BandEvaluation& Evaluation() const { return session_.Evaluation(); }

 private:
  QWidget* BuildInputs();
  QWidget* ChartPage(ChartView*& view, QWidget* above, int which);
  // After the session evaluated (ok) or refused a change: the message, or the results shown
  // and the main window's load following the file.
  bool ShowOutcome(bool ok);
  void ShowResults();
  numtext::PowerUnit Unit() const;
  // The main window's load edits and the load file: held when a file opens, following the
  // operating frequency, the line and the port while held, the typed values back when forgotten.
  enum class WindowLoad { Hold, Follow, Forget };
  void TellWindow(WindowLoad what);
  void SetInputs(const views::BandInputs& in);
  void ShowMessage(const std::string& text);
  void ShowFiles();
  void RefreshMap();
  bool Shown() const;

  MainWindow& window_;
  QTabWidget& tabs_;
  PathChooser open_;
  PathChooser save_;
  views::BandSession session_;
  // Following the main window costs nothing while another sheet is on show: the band is
  // evaluated again when one of these sheets is shown, the map when it is.
  bool stale_ = false;
  bool mapStale_ = true;

  QWidget* bandPage_ = nullptr;
  QWidget* smithPage_ = nullptr;
  QWidget* mapPage_ = nullptr;
  QLineEdit* freq_ = nullptr;
  QComboBox* band_ = nullptr;
  QLineEdit* centre_ = nullptr;
  QLineEdit* spread_ = nullptr;
  QLineEdit* length_ = nullptr;
  QComboBox* medium_ = nullptr;
  QLineEdit* vf_ = nullptr;
  QLineEdit* loss_ = nullptr;
  QComboBox* port_ = nullptr;
  QComboBox* mapChoice_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* loadName_ = nullptr;
  QLabel* srcName_ = nullptr;
  QLabel* active_ = nullptr;
  QTableWidget* extremes_ = nullptr;
  ChartView* powersView_ = nullptr;
  ChartView* smithView_ = nullptr;
  ChartView* mapView_ = nullptr;
};

}  // namespace qtui
