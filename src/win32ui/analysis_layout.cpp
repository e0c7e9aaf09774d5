#include "win32ui/analysis_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/texts.h"
#include "win32ui/band_sheets.h"
#include "win32ui/budget_sheet.h"
#include "win32ui/chart_control.h"
#include "win32ui/readings_sheet.h"
#include "win32ui/window_basics.h"

// The Analysis window's children and where they go as the window is sized.
namespace win32ui {

namespace {

// Design pixels at 96 dpi.
constexpr int kMargin = 8;
constexpr int kRow = 24;  // a line of text with its control
constexpr int kButtonWidth = 100;
constexpr int kDesignWidth = 300;
constexpr int kTableHeight = 250;  // the header and the ten rows

const std::array<std::string_view, views::kAnalysisChartCount> kSheetTitles{
    views::kChartPowers, views::kChartReadings, views::kChartDirectivity};

}  // namespace

HWND AnalysisWindow::Child(const wchar_t* cls, const std::string& text, DWORD style, int id,
                           DWORD exStyle) {
  HWND h =
      CreateWindowExW(exStyle, cls, W(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return h;
}

void AnalysisWindow::Build() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, dpi_);
  font_ = CreateFontIndirectW(&m.lfMessageFont);

  tabs_ = Child(WC_TABCONTROLW, "", WS_TABSTOP | WS_CLIPSIBLINGS, kAnalysisTabsId);
  for (std::size_t i = 0; i < kSheetTitles.size(); ++i) {
    std::wstring title = W(kSheetTitles[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  for (std::string_view title : {views::kSheetReadings, views::kSheetBudget, views::kSheetBand,
                                 views::kSheetSmith, views::kSheetMap}) {
    std::wstring text = W(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0),
                 reinterpret_cast<LPARAM>(&item));
  }
  chart_ = std::make_unique<ChartControl>(hwnd_, kAnalysisChartId, instance_);
  Child(WC_BUTTONW, std::string(views::kExportPng), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportPngId);
  Child(WC_BUTTONW, std::string(views::kExportSvg), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportSvgId);
  Child(WC_BUTTONW, std::string(views::kExportCsv), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportCsvId);
  Child(WC_BUTTONW, std::string(views::kCopyChart), WS_TABSTOP | BS_PUSHBUTTON, kAnalysisCopyId);
  readings_ = std::make_unique<ReadingsSheet>(hwnd_, instance_, font_, dpi_, form_);
  budget_ = std::make_unique<BudgetSheet>(hwnd_, instance_, font_, dpi_, form_, *readings_);
  bands_ = std::make_unique<BandSheets>(hwnd_, instance_, font_, dpi_, form_, act_);
  // The chart and its buttons lie over the tab control's page area.
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  Child(WC_STATICW, std::string(views::kLimitsHeading), SS_LEFT | SS_NOPREFIX, kAnalysisHeadingId);
  Child(WC_STATICW, std::string(views::kCoverageLabel), SS_RIGHT | SS_NOPREFIX,
        kAnalysisCoverageLabelId);
  coverage_ =
      Child(WC_COMBOBOXW, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kAnalysisCoverageId);
  for (double p : views::kCoverageChoices) {
    SendMessageW(coverage_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(W(views::CoverageText(p)).c_str()));
  }
  SendMessageW(coverage_, CB_SETCURSEL, 0, 0);
  table_ = Child(WC_LISTVIEWW, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                 kAnalysisTableId, WS_EX_CLIENTEDGE);
  SendMessageW(table_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  for (std::size_t c = 0; c < views::kLimitColumns; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    // Numbers right-aligned, so that digits of one weight stand one under the other. The
    // first column of a list view is always left-aligned, and holds the quantity's name.
    column.fmt = views::LimitColumnIsNumber(c) ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = Scale(c == 0 ? 200 : 70);
    SendMessageW(table_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }

  Child(WC_BUTTONW, std::string(views::kDesignHeading), BS_GROUPBOX, kAnalysisDesignId);
  Child(WC_STATICW, std::string(views::kDesignTarget), SS_LEFT | SS_NOPREFIX,
        kAnalysisTargetLabelId);
  std::string target;
  {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, views::kDefaultDesignTargetPercent);
    target.assign(buffer, end);
  }
  target_ =
      Child(WC_EDITW, target, WS_TABSTOP | ES_AUTOHSCROLL, kAnalysisTargetId, WS_EX_CLIENTEDGE);
  Child(WC_STATICW, std::string(views::kDesignDirectivity), SS_LEFT | SS_NOPREFIX,
        kAnalysisDirLabelId);
  dirAnswer_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kAnalysisDirAnswerId);
  Child(WC_STATICW, std::string(views::kDesignSwr), SS_LEFT | SS_NOPREFIX, kAnalysisSwrLabelId);
  swrAnswer_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kAnalysisSwrAnswerId);
}

void AnalysisWindow::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int w = client.right;
  const int h = client.bottom;
  const int m = Scale(kMargin);
  const int row = Scale(kRow);
  const auto place = [](HWND c, int x, int y, int cw, int ch) {
    SetWindowPos(c, nullptr, x, y, std::max(cw, 0), std::max(ch, 0), SWP_NOZORDER | SWP_NOACTIVATE);
  };
  const auto item = [this](int id) { return GetDlgItem(hwnd_, id); };
  // The table keeps its ten rows while the window is tall enough; the charts take the rest.
  const int tableHeight = std::clamp(h / 3, Scale(140), Scale(kTableHeight));
  const int bottomTop = h - m - tableHeight - row;
  const int designWidth = std::min(Scale(kDesignWidth), w / 2);

  place(tabs_, m, m, w - 2 * m, bottomTop - 2 * m);
  RECT page{m, m, w - m, bottomTop - m};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  readings_->Place(page);
  budget_->Place(page);
  const int buttonsTop = page.bottom - row;
  // The band sheets keep the export buttons below them, as the charts do.
  bands_->PlaceSheets({page.left, page.top, page.right, buttonsTop - m / 2});
  place(chart_->Handle(), page.left, page.top, page.right - page.left,
        buttonsTop - m / 2 - page.top);
  const int ids[] = {kAnalysisExportPngId, kAnalysisExportSvgId, kAnalysisExportCsvId,
                     kAnalysisCopyId};
  for (int i = 0; i < 4; ++i) {
    place(item(ids[i]), page.left + i * (Scale(kButtonWidth) + m / 2), buttonsTop,
          Scale(kButtonWidth), row);
  }

  const int tableWidth = w - 3 * m - designWidth;
  const int coverageWidth = Scale(90);
  const int labelWidth = Scale(150);
  place(item(kAnalysisHeadingId), m, bottomTop + Scale(4), tableWidth - coverageWidth - labelWidth,
        row);
  place(item(kAnalysisCoverageLabelId), m + tableWidth - coverageWidth - labelWidth - m / 2,
        bottomTop + Scale(4), labelWidth, row);
  place(coverage_, m + tableWidth - coverageWidth, bottomTop, coverageWidth, Scale(200));
  place(table_, m, bottomTop + row + Scale(2), tableWidth, tableHeight - Scale(2));

  const int dx = w - m - designWidth;
  place(item(kAnalysisDesignId), dx, bottomTop, designWidth, tableHeight + row);
  const int inner = designWidth - 2 * m;
  int y = bottomTop + row;
  const int labelHeight = Scale(18);
  place(item(kAnalysisTargetLabelId), dx + m, y, inner, labelHeight * 2);
  y += labelHeight * 2;
  place(target_, dx + m, y, Scale(80), Scale(22));
  y += Scale(22) + m;
  place(item(kAnalysisDirLabelId), dx + m, y, inner, labelHeight);
  y += labelHeight;
  place(dirAnswer_, dx + m, y, inner, labelHeight);
  y += labelHeight + m;
  place(item(kAnalysisSwrLabelId), dx + m, y, inner, labelHeight * 2);
  y += labelHeight * 2;
  place(swrAnswer_, dx + m, y, inner, labelHeight);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace win32ui
