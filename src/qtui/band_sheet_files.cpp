#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>

#include "chart/chart.h"
#include "qtui/band_sheet.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "touchstone/reader.h"
#include "views/texts.h"

// The band sheets' files: Touchstone files read for the load and the source, charts written.
namespace qtui {

bool BandSheets::ReadFileInto(const QString& path, int port,
                              std::optional<views::MeasuredFile>& into) {
  const std::string name = QFileInfo(path).fileName().toStdString();
  touchstone::Loaded loaded = touchstone::ReadFile(path.toStdString(), port);
  if (loaded.Error) {
    ShowMessage(name + ": " + touchstone::ErrorText(*loaded.Error));
    return false;
  }
  if (loaded.Points.empty()) {
    ShowMessage(name + ": " + std::string(views::kFileHasNoPoints));
    return false;
  }
  into = views::MeasuredFile{name, std::move(loaded.Points)};
  return true;
}

bool BandSheets::OpenLoadFile() {
  const QString path =
      open_(bandPage_, Q(views::kOpenLoadFile), QString(), Q(views::kTouchstoneFilter));
  return !path.isEmpty() && OpenLoadPath(path);
}

bool BandSheets::OpenLoadPath(const QString& path) {
  // A file that is refused leaves the one before it, and the charts, as they were.
  // A one-port file has only S11, whichever port a two-port file had before.
  const bool onePort = touchstone::PortsFromFileName(QFileInfo(path).fileName().toStdString()) == 1;
  const int port = onePort ? 1 : loadPort_;
  std::optional<views::MeasuredFile> read;
  if (!ReadFileInto(path, port, read)) return false;
  std::swap(load_, read);
  const QString before = loadPath_;
  const int band = band_->currentIndex();
  const int portBefore = loadPort_;
  loadPath_ = path;
  loadPort_ = port;
  port_->setCurrentIndex(port - 1);
  // A measurement is looked at across its own range first; centre and spread narrow it.
  band_->setCurrentIndex(static_cast<int>(views::BandChoice::WholeFile));
  if (!Recompute()) {
    std::swap(load_, read);
    loadPath_ = before;
    band_->setCurrentIndex(band);
    loadPort_ = portBefore;
    port_->setCurrentIndex(portBefore - 1);
    return false;
  }
  ShowFiles();
  TellWindow(WindowLoad::Hold);
  return true;
}

bool BandSheets::OpenSourceFile() {
  const QString path =
      open_(bandPage_, Q(views::kOpenSourceFile), QString(), Q(views::kTouchstoneFilter));
  return !path.isEmpty() && OpenSourcePath(path);
}

bool BandSheets::OpenSourcePath(const QString& path) {
  std::optional<views::MeasuredFile> read;
  if (!ReadFileInto(path, 1, read)) return false;
  std::swap(src_, read);
  if (!Recompute()) {
    std::swap(src_, read);
    return false;
  }
  srcPath_ = path;
  ShowFiles();
  return true;
}

bool BandSheets::PutCase(const views::BandInputs& in, int loadPort, const QString& loadPath,
                         const QString& sourcePath) {
  // Both files are read before anything is shown, so a refused one leaves the sheets whole.
  const bool onePort =
      touchstone::PortsFromFileName(QFileInfo(loadPath).fileName().toStdString()) == 1;
  const int port = loadPath.isEmpty() || onePort ? 1 : loadPort;
  std::optional<views::MeasuredFile> load;
  std::optional<views::MeasuredFile> src;
  if (!loadPath.isEmpty() && !ReadFileInto(loadPath, port, load)) return false;
  if (!sourcePath.isEmpty() && !ReadFileInto(sourcePath, 1, src)) return false;
  load_ = std::move(load);
  src_ = std::move(src);
  loadPath_ = loadPath;
  srcPath_ = sourcePath;
  loadPort_ = loadPath.isEmpty() ? loadPort : port;
  port_->setCurrentIndex(loadPort_ - 1);
  SetInputs(in);
  ShowFiles();
  // Typed inputs that do not read are the case's as saved: the message says which.
  Recompute();
  return true;
}

void BandSheets::ForgetLoadFile() {
  load_.reset();
  loadPath_.clear();
  band_->setCurrentIndex(static_cast<int>(views::BandChoice::Around));
  ShowFiles();
  TellWindow(WindowLoad::Forget);
  Recompute();
}

void BandSheets::ForgetSourceFile() {
  src_.reset();
  srcPath_.clear();
  ShowFiles();
  Recompute();
}

bool BandSheets::Export(int which, ExportKind kind) {
  if (stale_) Recompute();
  if (which == kMapChart && mapStale_) RefreshMap();
  const ChartView* view = which == kPowersChart  ? powersView_
                          : which == kSmithChart ? smithView_
                                                 : mapView_;
  const std::string_view stems[] = {views::kStemBandPowers, views::kStemBandSmith,
                                    views::kStemLoadPlane};
  const QString stem = Q(stems[which]);
  const QSize size = view->width() >= 200 ? view->size() : QSize(800, 600);
  QByteArray bytes;
  std::string_view title = views::kExportPng;
  std::string_view filter = views::kPngFilter;
  QString suffix = QStringLiteral(".png");
  if (kind == ExportKind::Svg) {
    bytes = QByteArray::fromStdString(chart::ToSvg(view->Chart(), size.width(), size.height(),
                                                   ChartStyleFor(*view),
                                                   view->font().family().toStdString()));
    title = views::kExportSvg;
    filter = views::kSvgFilter;
    suffix = QStringLiteral(".svg");
  } else if (kind == ExportKind::Csv) {
    bytes = QByteArray::fromStdString(views::ChartCsv(powers_.Table));
    title = views::kExportCsv;
    filter = views::kCsvFilter;
    suffix = QStringLiteral(".csv");
  } else {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view->Render(size).save(&buffer, "PNG");
  }
  return SaveWithChooser(save_, window_.Form().Platform(), bandPage_, Q(title), stem + suffix,
                         Q(filter), bytes);
}

}  // namespace qtui
