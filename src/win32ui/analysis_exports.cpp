#include "win32ui/analysis_window.h"

#include <optional>
#include <string>

#include "chart/chart.h"
#include "env/win32_text.h"
#include "views/texts.h"
#include "win32ui/band_sheets.h"
#include "win32ui/chart_control.h"
#include "win32ui/chart_export.h"
#include "win32ui/results_clipboard.h"
#include "win32ui/save_dialog.h"

// A chart of the Analysis window as a file or on the clipboard, at the size it has on screen.
namespace win32ui {

SIZE AnalysisWindow::ChartSize(HWND view) {
  RECT r;
  GetClientRect(view, &r);
  if (r.right < 200 || r.bottom < 150) return {800, 500};
  return {r.right, r.bottom};
}

AnalysisWindow::ShownChart AnalysisWindow::OnShow() {
  const int band = BandSheet();
  if (band >= 0) {
    // Only the powers have a table; the Smith chart's and the map's data are the band's and
    // the calculator's.
    const std::string_view stems[] = {views::kStemBandPowers, views::kStemBandSmith,
                                      views::kStemLoadPlane};
    ShownChart shown{
        bands_->ChartOf(band), {}, std::string(stems[band]), bands_->ChartWindow(band)};
    if (band == BandSheets::kBandSheet) shown.Table = bands_->Session().Powers().Table;
    return shown;
  }
  const int i = Sheet();
  EnsureFresh(i);
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  return {b.Chart, b.Table, b.FileStem, chart_->Handle()};
}

void AnalysisWindow::ExportPng() {
  const ShownChart shown = OnShow();
  const SIZE size = ChartSize(shown.View);
  const auto bitmap = RenderChart(shown.Chart, size.cx, size.cy);
  const std::optional<std::string> png = EncodePng(*bitmap);
  if (!png) {
    form_.Platform().ShowError(std::string(views::kExportPng),
                               views::SaveFailedText(shown.Stem + ".png"));
    return;
  }
  SaveWithDialog(hwnd_, form_, views::kExportPng, shown.Stem + ".png", views::kPngFilter, *png);
}

void AnalysisWindow::ExportSvg() {
  const ShownChart shown = OnShow();
  const SIZE size = ChartSize(shown.View);
  const std::string svg = chart::ToSvg(shown.Chart, size.cx, size.cy, DesktopChartStyle(),
                                       env::win32::Narrow(DesktopFontFamily()));
  SaveWithDialog(hwnd_, form_, views::kExportSvg, shown.Stem + ".svg", views::kSvgFilter, svg);
}

void AnalysisWindow::ExportCsv() {
  const ShownChart shown = OnShow();
  if (shown.Table.Columns.empty()) return;
  SaveWithDialog(hwnd_, form_, views::kExportCsv, shown.Stem + ".csv", views::kCsvFilter,
                 views::ChartCsv(shown.Table));
}

void AnalysisWindow::CopyChart() {
  const ShownChart shown = OnShow();
  const SIZE size = ChartSize(shown.View);
  const auto bitmap = RenderChart(shown.Chart, size.cx, size.cy);
  const std::string text = shown.Table.Columns.empty() ? "" : views::ChartCsv(shown.Table);
  PutOnClipboard(hwnd_, text, "", ClipboardBitmap(*bitmap));
}

}  // namespace win32ui
