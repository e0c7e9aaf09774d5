#include "win32ui/main_window.h"

#include <stdexcept>

#include "mainwindow/binding_rules.h"
#include "mainwindow/focus_order.h"
#include "mainwindow/window_layout.h"
#include "startup/lifecycle.h"
#include "win32ui/analysis_window.h"
#include "win32ui/child_windows.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::TColor;

}  // namespace

MainWindow::MainWindow(mainwindow::TForm1& form, HINSTANCE instance)
    : form_(form), instance_(instance) {
  RegisterChildClasses(instance_);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);

  yellow_ = CreateSolidBrush(ColorRef(TColor::clYellow));
  white_ = CreateSolidBrush(ColorRef(TColor::clWhite));

  const mainwindow::FormDesign& fd = mainwindow::Form1Design();
  hwnd_ =
      CreateWindowExW(kWindowExStyle, kWindowClass, W(fd.Caption).c_str(), kWindowStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance_, this);
  if (hwnd_ == nullptr) throw std::runtime_error("cannot create the window");
  // The menu bar lies in the non-client area: the client size below stays the design's.
  SetMenu(hwnd_, BuildMenuBar());
  dpi_ = GetDpiForWindow(hwnd_);
  if (dpi_ == 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
  CreateFonts();
  BuildControls();
  Layout();
}

MainWindow::~MainWindow() {
  analysis_.reset();
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (font_ != nullptr) DeleteObject(font_);
  DeleteObject(yellow_);
  DeleteObject(white_);
}

int MainWindow::Scale(int designPx) const { return mainwindow::ScaleDesignPx(designPx, dpi_); }

const MainWindow::Control* MainWindow::Find(std::string_view name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : &controls_[it->second];
}

const MainWindow::Control* MainWindow::ControlOf(HWND hwnd) const {
  for (HWND h = hwnd; h != nullptr && h != hwnd_; h = GetParent(h)) {
    const auto it = byHwnd_.find(h);
    if (it != byHwnd_.end()) return &controls_[it->second];
  }
  return nullptr;
}

// The window that holds the focus for a control: a radio group's selected button (else its
// first), the page control's tabs, the control itself otherwise.
HWND MainWindow::FocusWindow(std::string_view name) const {
  const Control* c = Find(name);
  if (c == nullptr) return nullptr;
  if (c->Design->Kind == ControlKind::RadioGroup) {
    if (c->Buttons.empty()) return nullptr;
    const auto* group = std::get<mainwindow::RadioGroup*>(c->Ref->Ptr);
    return c->Buttons[mainwindow::FocusButtonOfRadioGroup(group->ItemIndex(), c->Buttons.size())];
  }
  return c->Hwnd;
}

void MainWindow::SetClientSize() {
  const int width = Scale(form_.Form1.ClientWidth);
  const int height = Scale(form_.Form1.ClientHeight);
  RECT r{0, 0, width, height};
  AdjustWindowRectExForDpi(&r, kWindowStyle, GetMenu(hwnd_) != nullptr, kWindowExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The calculation counts one line of menu bar; a larger font can wrap it onto two, which
  // takes the difference from the client area. Grow the frame by what is missing.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.bottom != height && client.bottom > 0) {
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MainWindow::Place(bool firstStart) {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  const POINT stored{form_.Form1.Left, form_.Form1.Top};
  HMONITOR monitor = firstStart ? MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)
                                : MonitorFromPoint(stored, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(monitor, &mi)) return;
  const RECT& work = mi.rcWork;
  const mainwindow::WindowPosition at = mainwindow::PlaceWindow(
      firstStart, {form_.Form1.Left, form_.Form1.Top}, frame.right - frame.left,
      frame.bottom - frame.top,
      {work.left, work.top, work.right - work.left, work.bottom - work.top});
  SetWindowPos(hwnd_, nullptr, at.Left, at.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Create(int showCommand) {
  if (form_.OnCreate) form_.OnCreate();
  const bool firstStart = startup::OpensCentred(form_);
  Push();
  SetClientSize();
  Layout();
  Push();
  Place(firstStart);
  // The recent cases the settings file kept.
  FillRecent();
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SyncFocus();
  RestoreFiles();
}

void MainWindow::Act(const std::function<void()>& action) {
  if (mainwindow::RunUserAction(
          acting_, form_, [this] { Pull(); }, action, [this] { Push(); })) {
    CloseAnalysis();
    DestroyWindow(hwnd_);
  }
}

}  // namespace win32ui
