#include "win32ui/analysis_window.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "chart/chart.h"
#include "env/win32_text.h"
#include "numtext/power_unit.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/texts.h"
#include "win32ui/chart_control.h"
#include "win32ui/chart_export.h"
#include "win32ui/results_clipboard.h"
#include "win32ui/save_dialog.h"
#include "win32ui/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

constexpr wchar_t kAnalysisClass[] = L"ZephlaneAnalysis";
// Not WS_CLIPCHILDREN: a group box paints only its frame and caption, and its inside must be
// the window's background; the erase leaves out the chart, which paints every pixel itself.
constexpr DWORD kAnalysisStyle = WS_OVERLAPPEDWINDOW;

// Design pixels at 96 dpi.
constexpr int kMargin = 8;
constexpr int kRow = 24;  // a line of text with its control
constexpr int kButtonWidth = 100;
constexpr int kDesignWidth = 300;
constexpr int kTableHeight = 250;  // the header and the ten rows
constexpr int kWantWidth = 860;
constexpr int kWantHeight = 840;

const std::array<std::string_view, views::kAnalysisChartCount> kSheetTitles{
    views::kChartPowers, views::kChartReadings, views::kChartDirectivity};

// The number at the start of a typed text, blanks around it allowed; NaN for anything else.
double TypedNumber(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double v = std::nan("");
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nan("");
  return v;
}

}  // namespace

AnalysisWindow::AnalysisWindow(mainwindow::TForm1& form, HINSTANCE instance, HWND mainWindow)
    : form_(form), instance_(instance), main_(mainWindow) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance_, kAnalysisClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kAnalysisClass;
    RegisterClassExW(&wc);
  }
  stale_.fill(true);
  // Not owned: an owned window stays above its owner, and on a screen too narrow for the two
  // side by side it would bury the main window for good. The main window ends it instead.
  hwnd_ = CreateWindowExW(0, kAnalysisClass, W(views::kAnalysisTitle).c_str(), kAnalysisStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, kWantWidth, kWantHeight, nullptr, nullptr,
                          instance_, this);
  if (hwnd_ == nullptr) return;
  dpi_ = GetDpiForWindow(hwnd_);
  if (dpi_ == 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
  Build();
  Refresh();
  Layout();
}

AnalysisWindow::~AnalysisWindow() {
  chart_.reset();
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

int AnalysisWindow::Scale(int px) const { return MulDiv(px, static_cast<int>(dpi_), 96); }

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
  chart_ = std::make_unique<ChartControl>(hwnd_, kAnalysisChartId, instance_);
  Child(WC_BUTTONW, std::string(views::kExportPng), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportPngId);
  Child(WC_BUTTONW, std::string(views::kExportSvg), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportSvgId);
  Child(WC_BUTTONW, std::string(views::kExportCsv), WS_TABSTOP | BS_PUSHBUTTON,
        kAnalysisExportCsvId);
  Child(WC_BUTTONW, std::string(views::kCopyChart), WS_TABSTOP | BS_PUSHBUTTON, kAnalysisCopyId);
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
  const int buttonsTop = page.bottom - row;
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

void AnalysisWindow::Place(const startup::AnalysisPlacement& saved, const startup::Box& mainFrame) {
  HMONITOR monitor = MonitorFromPoint(POINT{mainFrame.Left + mainFrame.Width / 2, mainFrame.Top},
                                      MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(monitor, &mi)) return;
  const RECT& work = mi.rcWork;
  const startup::Box at =
      startup::PlaceAnalysis(saved, mainFrame, Scale(kWantWidth), Scale(kWantHeight),
                             {work.left, work.top, work.right - work.left, work.bottom - work.top});
  SetWindowPos(hwnd_, nullptr, at.Left, at.Top, at.Width, at.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AnalysisWindow::Show() {
  everShown_ = true;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(tabs_);
  EnsureFresh(Sheet());
}

startup::Box AnalysisWindow::Frame() const {
  RECT r{};
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &wp)) {
    r = wp.rcNormalPosition;
  } else {
    GetWindowRect(hwnd_, &r);
  }
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int AnalysisWindow::Sheet() const {
  const auto i = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
  return std::clamp(i, 0, views::kAnalysisChartCount - 1);
}

void AnalysisWindow::Refresh() {
  stale_.fill(true);
  EnsureFresh(Sheet());
  RefreshTable();
  RefreshDesign();
}

void AnalysisWindow::EnsureFresh(int i) {
  const auto k = static_cast<std::size_t>(i);
  if (i < 0 || i >= views::kAnalysisChartCount || !stale_[k]) return;
  const auto unit =
      numtext::PowerUnitOfIndex(form_.rgPowerUnit.ItemIndex()).value_or(numtext::PowerUnit::Watts);
  built_[k] =
      views::BuildAnalysisChart(static_cast<views::AnalysisChart>(i), form_, unit, TargetPercent());
  stale_[k] = false;
  if (i == Sheet()) chart_->SetChart(built_[k].Chart);
}

void AnalysisWindow::ShowSheet() {
  const int i = Sheet();
  if (stale_[static_cast<std::size_t>(i)]) {
    EnsureFresh(i);
  } else {
    chart_->SetChart(built_[static_cast<std::size_t>(i)].Chart);
  }
}

double AnalysisWindow::Coverage() const {
  const auto i = static_cast<int>(SendMessageW(coverage_, CB_GETCURSEL, 0, 0));
  if (i < 0 || static_cast<std::size_t>(i) >= views::kCoverageChoices.size()) {
    return views::kCoverageChoices[0];
  }
  return views::kCoverageChoices[static_cast<std::size_t>(i)];
}

void AnalysisWindow::RefreshTable() {
  const double p = Coverage();
  if (p != shownCoverage_) {
    const auto header = views::LimitTableHeader(p);
    for (std::size_t c = 0; c < header.size(); ++c) {
      std::wstring text = W(header[c]);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT;
      column.pszText = text.data();
      SendMessageW(table_, LVM_SETCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    shownCoverage_ = p;
  }
  const std::vector<views::LimitTableRow> rows = views::LimitsTable(form_, p);
  SendMessageW(table_, WM_SETREDRAW, FALSE, 0);
  const auto count = static_cast<std::size_t>(SendMessageW(table_, LVM_GETITEMCOUNT, 0, 0));
  for (std::size_t r = count; r < rows.size(); ++r) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(table_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  for (std::size_t r = count; r > rows.size(); --r) {
    SendMessageW(table_, LVM_DELETEITEM, r - 1, 0);
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < views::kLimitColumns; ++c) {
      std::wstring text = W(rows[r][c]);
      LVITEMW item{};
      item.iSubItem = static_cast<int>(c);
      item.pszText = text.data();
      SendMessageW(table_, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  // As wide as the widest cell or the heading, whichever is wider (the list view's own
  // heading-sized fit cuts short headings to an ellipsis under Wine).
  const auto header = views::LimitTableHeader(p);
  for (std::size_t c = 0; c < views::kLimitColumns; ++c) {
    SendMessageW(table_, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE);
    const auto cells = static_cast<int>(SendMessageW(table_, LVM_GETCOLUMNWIDTH, c, 0));
    const std::wstring heading = W(header[c]);
    const auto title = static_cast<int>(
        SendMessageW(table_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(heading.c_str())));
    SendMessageW(table_, LVM_SETCOLUMNWIDTH, c, std::max(cells, title + Scale(16)));
  }
  SendMessageW(table_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(table_, nullptr, TRUE);
}

double AnalysisWindow::TargetPercent() const {
  return TypedNumber(env::win32::Narrow(TextOf(target_)));
}

void AnalysisWindow::RefreshDesign() {
  const views::DesignAnswers a = views::AnswerDesign(form_, env::win32::Narrow(TextOf(target_)));
  SetText(dirAnswer_, W(a.Directivity));
  SetText(swrAnswer_, W(a.LoadSwr));
  // The directivity chart draws the target.
  const auto d = static_cast<std::size_t>(views::AnalysisChart::Directivity);
  stale_[d] = true;
  if (Sheet() == static_cast<int>(d)) EnsureFresh(static_cast<int>(d));
}

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
  SaveWithDialog(hwnd_, form_.Platform(), views::kExportPng, stem + ".png", views::kPngFilter,
                 *png);
}

void AnalysisWindow::ExportSvg() {
  const int i = Sheet();
  EnsureFresh(i);
  const SIZE size = ChartSize();
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  const std::string svg = chart::ToSvg(b.Chart, size.cx, size.cy, DesktopChartStyle(),
                                       env::win32::Narrow(DesktopFontFamily()));
  SaveWithDialog(hwnd_, form_.Platform(), views::kExportSvg, b.FileStem + ".svg", views::kSvgFilter,
                 svg);
}

void AnalysisWindow::ExportCsv() {
  const int i = Sheet();
  EnsureFresh(i);
  const views::BuiltChart& b = built_[static_cast<std::size_t>(i)];
  SaveWithDialog(hwnd_, form_.Platform(), views::kExportCsv, b.FileStem + ".csv", views::kCsvFilter,
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

bool AnalysisWindow::PreTranslate(const MSG& msg) {
  if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    form_.RunUserAction(
        [&] { form_.MyHelp.OpenPage(form_.Platform(), std::string(kAnalysisHelpTopic)); });
    return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000)) {
    // Ctrl+Tab turns the sheets, as in the main window.
    const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const int next =
        (Sheet() + (back ? views::kAnalysisChartCount - 1 : 1)) % views::kAnalysisChartCount;
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    ShowSheet();
    return true;
  }
  // Tab and Shift+Tab between the controls, Escape closes.
  return IsDialogMessageW(hwnd_, const_cast<MSG*>(&msg)) != FALSE;
}

LRESULT CALLBACK AnalysisWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<AnalysisWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || (self->hwnd_ != nullptr && self->hwnd_ != hwnd)) {
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (self->hwnd_ == nullptr) self->hwnd_ = hwnd;
  return self->OnMessage(msg, wp, lp);
}

LRESULT AnalysisWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (chart_) Layout();
      return 0;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      RECT client;
      GetClientRect(hwnd_, &client);
      if (chart_) {
        RECT chart;
        GetWindowRect(chart_->Handle(), &chart);
        MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&chart), 2);
        ExcludeClipRect(dc, chart.left, chart.top, chart.right, chart.bottom);
      }
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {Scale(480), Scale(400)};
      return 0;
    }
    case WM_CLOSE:
      // Closing it only hides it: it keeps its place for the next opening and for the
      // settings file, and the program goes on with the main window.
      ShowWindow(hwnd_, SW_HIDE);
      SetForegroundWindow(main_);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) ShowSheet();
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const UINT code = HIWORD(wp);
      switch (id) {
        case IDCANCEL:
          PostMessageW(hwnd_, WM_CLOSE, 0, 0);
          break;
        case kAnalysisExportPngId:
          if (code == BN_CLICKED) ExportPng();
          break;
        case kAnalysisExportSvgId:
          if (code == BN_CLICKED) ExportSvg();
          break;
        case kAnalysisExportCsvId:
          if (code == BN_CLICKED) ExportCsv();
          break;
        case kAnalysisCopyId:
          if (code == BN_CLICKED) CopyChart();
          break;
        case kAnalysisCoverageId:
          if (code == CBN_SELCHANGE) RefreshTable();
          break;
        case kAnalysisTargetId:
          if (code == EN_CHANGE) RefreshDesign();
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace win32ui
