#include "views/band_session.h"

#include <utility>

#include "lines/frequency.h"
#include "rf/complex.h"
#include "views/texts.h"

namespace views {

std::string FileNameOfPath(const std::string& path) {
#ifdef _WIN32
  const std::size_t slash = path.find_last_of("/\\");
#else
  const std::size_t slash = path.find_last_of('/');
#endif
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

BandSession::BandSession(Reader read) : read_(std::move(read)) {}

bool BandSession::ReadInto(const std::string& path, int port, std::optional<MeasuredFile>& into) {
  const std::string name = FileNameOfPath(path);
  touchstone::Loaded loaded = read_(path, port);
  if (loaded.Error) {
    message_ = name + ": " + touchstone::ErrorText(*loaded.Error);
    return false;
  }
  if (loaded.Points.empty()) {
    message_ = name + ": " + std::string(kFileHasNoPoints);
    return false;
  }
  into = MeasuredFile{name, std::move(loaded.Points)};
  return true;
}

bool BandSession::OpenLoad(const std::string& path, const rf::ModelState& window,
                           numtext::PowerUnit unit) {
  // A one-port file has only S11, whichever port a two-port file had before.
  const bool onePort = touchstone::PortsFromFileName(FileNameOfPath(path)) == 1;
  const int port = onePort ? 1 : loadPort_;
  std::optional<MeasuredFile> read;
  if (!ReadInto(path, port, read)) return false;
  std::swap(load_, read);
  std::string pathBefore = std::exchange(loadPath_, path);
  const int portBefore = std::exchange(loadPort_, port);
  // A measurement is looked at across its own range first; centre and spread narrow it.
  const BandChoice bandBefore = std::exchange(in_.Band, BandChoice::WholeFile);
  if (!Recompute(window, unit)) {
    std::swap(load_, read);
    loadPath_ = std::move(pathBefore);
    loadPort_ = portBefore;
    in_.Band = bandBefore;
    return false;
  }
  return true;
}

bool BandSession::OpenSource(const std::string& path, const rf::ModelState& window,
                             numtext::PowerUnit unit) {
  std::optional<MeasuredFile> read;
  if (!ReadInto(path, 1, read)) return false;
  std::swap(src_, read);
  if (!Recompute(window, unit)) {
    std::swap(src_, read);
    return false;
  }
  srcPath_ = path;
  return true;
}

void BandSession::ForgetLoad() {
  load_.reset();
  loadPath_.clear();
  in_.Band = BandChoice::Around;
}

void BandSession::ForgetSource() {
  src_.reset();
  srcPath_.clear();
}

bool BandSession::SetLoadPort(int port, const rf::ModelState& window, numtext::PowerUnit unit) {
  if (port == loadPort_) return true;
  // The file as it was read stays when the other port cannot be read.
  if (load_ && !ReadInto(loadPath_, port, load_)) return false;
  loadPort_ = port;
  return Recompute(window, unit);
}

bool BandSession::PutCase(const BandInputs& in, int loadPort, const std::string& loadPath,
                          const std::string& sourcePath, const rf::ModelState& window,
                          numtext::PowerUnit unit) {
  const bool onePort = touchstone::PortsFromFileName(FileNameOfPath(loadPath)) == 1;
  const int port = loadPath.empty() || onePort ? 1 : loadPort;
  std::optional<MeasuredFile> load;
  std::optional<MeasuredFile> src;
  if (!loadPath.empty() && !ReadInto(loadPath, port, load)) return false;
  if (!sourcePath.empty() && !ReadInto(sourcePath, 1, src)) return false;
  load_ = std::move(load);
  src_ = std::move(src);
  loadPath_ = loadPath;
  srcPath_ = sourcePath;
  loadPort_ = loadPath.empty() ? loadPort : port;
  in_ = in;
  Recompute(window, unit);
  return true;
}

bool BandSession::Recompute(const rf::ModelState& window, numtext::PowerUnit unit) {
  const BandSetupResult s = MakeBandSetup(in_, load_ ? &*load_ : nullptr, src_ ? &*src_ : nullptr);
  if (!s.Ok()) {
    message_ = s.Error;
    return false;
  }
  BandEvaluation e = EvaluateBand(window, s.Setup);
  if (!e.Ok()) {
    message_ = e.Error;
    return false;
  }
  message_.clear();
  setup_ = s.Setup;
  eval_ = std::move(e);
  powers_ = BandPowersChart(eval_, setup_, unit);
  smith_ = BandSmithChart(eval_);
  mapMade_.reset();
  return true;
}

const chart::ContourMap& BandSession::Map(MapQuantity q, numtext::PowerUnit unit) {
  // The map is the costliest picture (a grid of full evaluations): made only when looked at.
  if (!mapMade_ || mapMade_->first != q || mapMade_->second != unit) {
    map_ = LoadPlaneMap(eval_.Operating, q, unit);
    mapMade_ = std::pair(q, unit);
  }
  return map_;
}

std::string BandSession::ActiveNote() const {
  if (!load_) return {};
  return std::string(kActiveFilePrefix) + load_->Name + std::string(kActiveFileMiddle) +
         lines::FormatFrequency(setup_.FreqHz);
}

std::optional<mainwindow::MeasuredLoad> BandSession::WindowLoad() const {
  if (!load_) return std::nullopt;
  rf::TComplex gamma;
  rf::CxSet(gamma, eval_.Operating.LoaRfl.Mag, eval_.Operating.LoaRfl.Pha);
  rf::CxPolarDegToRect(gamma, gamma);
  return mainwindow::MeasuredLoad{load_->Name, setup_.FreqHz, gamma};
}

}  // namespace views
