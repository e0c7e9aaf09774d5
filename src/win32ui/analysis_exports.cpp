#include "win32ui/analysis_window.h"

#include <optional>
#include <string>

#include "chart/chart.h"
#include "env/win32_text.h"
#include "views/texts.h"
#include "win32ui/chart_control.h"
#include "win32ui/chart_export.h"
#include "win32ui/results_clipboard.h"
#include "win32ui/save_dialog.h"

// A chart of the Analysis window as a file or on the clipboard, at the size it has on screen.
namespace win32ui {

SIZE AnalysisWindow::ChartSize() const {
  RECT r;
  GetClientRect(chart_->Handle(), &r);
  if (r.right < 200 || r.bottom < 150) return {800, 500};
  return {r.right, r.bottom};
}

void AnalysisWindow::ExportPng() {
  const int i = Sheet();
  EnsureFresh(i);
  const SIZE size = ChartSize();
  const auto bitmap = RenderChart(built_[static_cast<std::size_t>(i)].Chart, size.cx, size.cy);
  const std::optional<std::string> png = EncodePng(*bitmap);
  const std::string stem = built_[static_cast<std::size_t>(i)].FileStem;
  if (!png) {
    form_.Platform().ShowError(std::string(views::kExportPng),
                               views::SaveFailedText(stem + ".png"));
    return;
  }
  SaveWithDialog(hwnd_, form_, views::kExportPng, stem + ".png", views::kPngFilter, *png);
}

void AnalysisWindow::ExportSvg() {
  const int i = Sheet();
  EnsureFresh(i);
  const SIZE size = ChartSize();
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  const std::string svg = chart::ToSvg(b.Chart, size.cx, size.cy, DesktopChartStyle(),
                                       env::win32::Narrow(DesktopFontFamily()));
  SaveWithDialog(hwnd_, form_, views::kExportSvg, b.FileStem + ".svg", views::kSvgFilter, svg);
}

void AnalysisWindow::ExportCsv() {
  const int i = Sheet();
  EnsureFresh(i);
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  SaveWithDialog(hwnd_, form_, views::kExportCsv, b.FileStem + ".csv", views::kCsvFilter,
                 views::ChartCsv(b.Table));
}

void AnalysisWindow::CopyChart() {
  const int i = Sheet();
  EnsureFresh(i);
  const SIZE size = ChartSize();
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  const auto bitmap = RenderChart(b.Chart, size.cx, size.cy);
  PutOnClipboard(hwnd_, views::ChartCsv(b.Table), "", ClipboardBitmap(*bitmap));
}

}  // namespace win32ui
