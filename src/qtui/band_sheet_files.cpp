#include <QBuffer>
#include <QComboBox>

#include "chart/chart.h"
#include "qtui/band_sheet.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "views/texts.h"

// The band sheets' files: Touchstone files read for the load and the source, charts written.
namespace qtui {

bool BandSheets::OpenLoadFile() {
  const QString path =
      open_(bandPage_, Q(views::kOpenLoadFile), QString(), Q(views::kTouchstoneFilter));
  return !path.isEmpty() && OpenLoadPath(path);
}

bool BandSheets::OpenLoadPath(const QString& path) {
  // A file that is refused leaves the one before it, and the charts, as they were.
  session_.SetInputs(Inputs());
  if (!session_.OpenLoad(path.toStdString(), window_.Form(), Unit())) {
    ShowMessage(session_.Message());
    return false;
  }
  port_->setCurrentIndex(session_.LoadPort() - 1);
  band_->setCurrentIndex(static_cast<int>(session_.Inputs().Band));
  ShowOutcome(true);
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
  session_.SetInputs(Inputs());
  if (!session_.OpenSource(path.toStdString(), window_.Form(), Unit())) {
    ShowMessage(session_.Message());
    return false;
  }
  ShowOutcome(true);
  ShowFiles();
  return true;
}

bool BandSheets::PutCase(const views::BandInputs& in, int loadPort, const QString& loadPath,
                         const QString& sourcePath) {
  // Both files are read before anything is shown, so a refused one leaves the sheets whole.
  if (!session_.PutCase(in, loadPort, loadPath.toStdString(), sourcePath.toStdString(),
                        window_.Form(), Unit())) {
    ShowMessage(session_.Message());
    return false;
  }
  port_->setCurrentIndex(session_.LoadPort() - 1);
  SetInputs(session_.Inputs());
  ShowFiles();
  // Typed inputs that do not read are the case's as saved: the message says which.
  ShowOutcome(session_.Message().empty());
  return true;
}

void BandSheets::ForgetLoadFile() {
  session_.SetInputs(Inputs());
  session_.ForgetLoad();
  band_->setCurrentIndex(static_cast<int>(session_.Inputs().Band));
  ShowFiles();
  // The typed load is back in the window before the band is evaluated with it.
  TellWindow(WindowLoad::Forget);
  Recompute();
}

void BandSheets::ForgetSourceFile() {
  session_.ForgetSource();
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
    bytes = QByteArray::fromStdString(views::ChartCsv(session_.Powers().Table));
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
