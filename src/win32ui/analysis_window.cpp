#include "win32ui/analysis_window.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "env/win32_text.h"
#include "numtext/power_unit.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/texts.h"
#include "win32ui/band_sheets.h"
#include "win32ui/budget_sheet.h"
#include "win32ui/chart_control.h"
#include "win32ui/readings_sheet.h"
#include "win32ui/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

constexpr wchar_t kAnalysisClass[] = L"ZephlaneAnalysis";
// Not WS_CLIPCHILDREN: a group box paints only its frame and caption, and its inside must be
// the window's background; the erase leaves out the chart, which paints every pixel itself.
constexpr DWORD kAnalysisStyle = WS_OVERLAPPEDWINDOW;

// The size it asks for, at 96 dpi, before the work area has its say.
constexpr int kWantWidth = 860;
constexpr int kWantHeight = 840;

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

AnalysisWindow::AnalysisWindow(mainwindow::TForm1& form, HINSTANCE instance, HWND mainWindow,
                               Act act)
    : form_(form), instance_(instance), main_(mainWindow), act_(std::move(act)) {
  if (!act_) act_ = [](const std::function<void()>& action) { action(); };
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
  budget_.reset();  // waits for a Monte Carlo run under way
  bands_.reset();
  readings_.reset();
  chart_.reset();
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

int AnalysisWindow::Scale(int px) const { return MulDiv(px, static_cast<int>(dpi_), 96); }

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

int AnalysisWindow::Tab() const {
  return static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
}

int AnalysisWindow::Sheet() const { return std::clamp(Tab(), 0, views::kAnalysisChartCount - 1); }

int AnalysisWindow::BandSheet() const {
  const int band = Tab() - kAnalysisBandTab;
  return band >= 0 && band < kAnalysisBandTabs ? band : -1;
}

void AnalysisWindow::Refresh() {
  stale_.fill(true);
  EnsureFresh(Sheet());
  RefreshTable();
  RefreshDesign();
  if (budget_) budget_->FormChanged();
  if (bands_) bands_->FormChanged();
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
  // A chart's tab shows the chart and its buttons; another tab its own sheet in their place.
  const int tab = Tab();
  const bool chart = tab >= 0 && tab < views::kAnalysisChartCount;
  const int band = BandSheet();
  ShowWindow(chart_->Handle(), chart ? SW_SHOW : SW_HIDE);
  for (int id :
       {kAnalysisExportPngId, kAnalysisExportSvgId, kAnalysisExportCsvId, kAnalysisCopyId}) {
    ShowWindow(GetDlgItem(hwnd_, id), chart || band >= 0 ? SW_SHOW : SW_HIDE);
  }
  // Of the band sheets only the powers have a table to export.
  EnableWindow(GetDlgItem(hwnd_, kAnalysisExportCsvId), chart || band == BandSheets::kBandSheet);
  readings_->SetVisible(tab == kAnalysisReadingsTab);
  budget_->SetVisible(tab == kAnalysisBudgetTab);
  bands_->ShowSheet(band);
  if (!chart) return;
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
    const int count = std::max(1, static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0)));
    const int next = (std::max(Tab(), 0) + (back ? count - 1 : 1)) % count;
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
        case IDOK:
          // Enter in a band sheet's field takes what it holds, as leaving it does.
          if (BandSheet() >= 0) bands_->Recompute();
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
      // Moved to a monitor of another scale: a font of that scale for every child, then the
      // suggested rectangle, whose WM_SIZE lays the children out again.
      dpi_ = HIWORD(wp);
      NONCLIENTMETRICSW m{};
      m.cbSize = sizeof m;
      SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, dpi_);
      HFONT previous = font_;
      font_ = CreateFontIndirectW(&m.lfMessageFont);
      for (HWND c = GetWindow(hwnd_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
      }
      readings_->Rescale(font_, dpi_);
      budget_->Rescale(font_, dpi_);
      bands_->RescaleSheets(font_, dpi_);
      if (previous != nullptr) DeleteObject(previous);
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
