#pragma once

#include <functional>
#include <optional>
#include <string>

#include "chart/contour.h"
#include "chart/smith_chart.h"
#include "mainwindow/measured_load.h"
#include "numtext/power_unit.h"
#include "rf/model.h"
#include "touchstone/reader.h"
#include "views/analysis_charts.h"
#include "views/band_charts.h"
#include "views/band_setup.h"

// What the band sheets know whichever window shows them: the typed inputs, the load and source
// files in use (their paths as chosen, in UTF-8) and the load's port, the model along the band
// with its charts, and the one message that says why the last change was refused. A refused
// change leaves everything, the charts included, as it was before it.
namespace views {

class BandSession {
 public:
  // Reads a Touchstone file by its path as the reflection of one port.
  using Reader = std::function<touchstone::Loaded(const std::string& path, int port)>;
  explicit BandSession(Reader read = touchstone::ReadFile);

  const BandInputs& Inputs() const { return in_; }
  // The typed inputs as the sheet shows them; nothing is evaluated until Recompute.
  void SetInputs(const BandInputs& in) { in_ = in; }

  // Reads the file as the load: a one-port file is always port 1; the band becomes the
  // file's whole range. False (and the message) when the file or the band it makes is refused.
  bool OpenLoad(const std::string& path, const rf::ModelState& window, numtext::PowerUnit unit);
  bool OpenSource(const std::string& path, const rf::ModelState& window, numtext::PowerUnit unit);
  // Back to the window's reflection; the load's band returns to centre and spread. Nothing is
  // evaluated: the main window gets its typed load back first, then Recompute.
  void ForgetLoad();
  void ForgetSource();
  // Reads the load file again for the other port of a two-port file (1 or 2) and evaluates.
  // False when the file does not read for that port (the port stays) or the band is refused.
  bool SetLoadPort(int port, const rf::ModelState& window, numtext::PowerUnit unit);
  // A case's inputs, port and files (empty: the window's reflection). Both files are read
  // before anything changes; a refused one changes nothing and gives false. Typed inputs that
  // do not read are the case's as saved: they are kept, and the message says which.
  bool PutCase(const BandInputs& in, int loadPort, const std::string& loadPath,
               const std::string& sourcePath, const rf::ModelState& window,
               numtext::PowerUnit unit);

  // The setup from the inputs and files, the band evaluated and the charts made; false (and
  // the message) on a fault, the last good evaluation kept.
  bool Recompute(const rf::ModelState& window, numtext::PowerUnit unit);

  int LoadPort() const { return loadPort_; }
  const std::string& LoadPath() const { return loadPath_; }
  const std::string& SourcePath() const { return srcPath_; }
  const std::optional<MeasuredFile>& LoadFile() const { return load_; }
  const std::optional<MeasuredFile>& SourceFile() const { return src_; }
  // Empty after a change that went through.
  const std::string& Message() const { return message_; }

  const BandSetup& Setup() const { return setup_; }
  const BandEvaluation& Evaluation() const { return eval_; }
  const BuiltChart& Powers() const { return powers_; }
  const chart::SmithChart& Smith() const { return smith_; }
  // The load-plane map of the last evaluation, made when first asked for after it.
  const chart::ContourMap& Map(MapQuantity q, numtext::PowerUnit unit);
  // "Showing load.s1p at 2.45 GHz" while a load file is in use; else empty.
  std::string ActiveNote() const;
  // The load file's reflection at the operating frequency after the line, as the main window
  // shows it: the last evaluation's operating load. Nothing without a load file.
  std::optional<mainwindow::MeasuredLoad> WindowLoad() const;

 private:
  bool ReadInto(const std::string& path, int port, std::optional<MeasuredFile>& into);

  Reader read_;
  BandInputs in_;
  std::optional<MeasuredFile> load_;
  std::optional<MeasuredFile> src_;
  std::string loadPath_;
  std::string srcPath_;
  int loadPort_ = 1;
  std::string message_;
  BandSetup setup_;
  BandEvaluation eval_;
  BuiltChart powers_;
  chart::SmithChart smith_;
  chart::ContourMap map_;
  std::optional<std::pair<MapQuantity, numtext::PowerUnit>> mapMade_;
};

// The file's name without its folder, as messages and captions show it.
std::string FileNameOfPath(const std::string& path);

}  // namespace views
