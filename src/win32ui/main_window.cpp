#include "win32ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>
#include <variant>

#include "env/win32_text.h"
#include "mainwindow/binding_rules.h"
#include "mainwindow/design_colors.h"
#include "mainwindow/focus_order.h"
#include "mainwindow/window_layout.h"
#include "startup/lifecycle.h"
#include "win32ui/child_windows.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::DesignEntry;
using mainwindow::TColor;
using mainwindow::TextAlign;

constexpr wchar_t kWindowClass[] = L"ZephlaneWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;
// Room below a drop-down list's field for its open list, design pixels.
constexpr int kDropListDesignPx = 120;

std::wstring W(std::string_view s) { return env::win32::Widen(s); }

std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

void SetText(HWND hwnd, const std::wstring& text) {
  if (TextOf(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

std::wstring ToolTip(std::string_view hint) { return W(mainwindow::ToolTipText(hint)); }

COLORREF ColorRefOf(mainwindow::Rgb c) { return RGB(c.R, c.G, c.B); }

COLORREF ColorRef(TColor c) {
  return mainwindow::DesignFixesBackground(c) ? ColorRefOf(mainwindow::DesignRgb(c))
                                              : GetSysColor(COLOR_BTNFACE);
}

// The colour property of a control, where its kind has one.
TColor ColorOfControl(const mainwindow::ControlPtr& ptr) {
  return std::visit(
      [](auto* c) {
        if constexpr (requires { c->Color; }) {
          return c->Color;
        } else {
          return TColor::clBtnFace;
        }
      },
      ptr);
}

using mainwindow::FlagGuard;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The mnemonic letter of a caption, upper case: the character after a single "&".
wchar_t Mnemonic(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const auto c = static_cast<unsigned char>(caption[i + 1]);
    if (c == '&') {
      ++i;
      continue;
    }
    if (c >= 'a' && c <= 'z') return static_cast<wchar_t>(c - 'a' + 'A');
    return c < 0x80 ? static_cast<wchar_t>(c) : L'\0';
  }
  return L'\0';
}

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
  dpi_ = GetDpiForWindow(hwnd_);
  if (dpi_ == 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
  CreateFonts();
  BuildControls();
  Layout();
}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (font_ != nullptr) DeleteObject(font_);
  DeleteObject(yellow_);
  DeleteObject(white_);
}

int MainWindow::Scale(int designPx) const { return mainwindow::ScaleDesignPx(designPx, dpi_); }

// "Segoe UI" at the design's height where installed, else the system's message font; a wider
// substitute steps down in size until every caption fits the width it was drawn for.
HFONT MainWindow::CreateFonts() {
  const mainwindow::FormDesign& fd = mainwindow::Form1Design();
  LOGFONTW lf{};
  lf.lfHeight = -Scale(fd.FontHeightPx);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const std::wstring face = W(fd.FontName);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);

  HDC dc = GetDC(hwnd_);
  auto faceOf = [&](HFONT f) {
    HGDIOBJ old = SelectObject(dc, f);
    wchar_t got[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, got);
    SelectObject(dc, old);
    return std::wstring(got);
  };
  HFONT font = CreateFontIndirectW(&lf);
  if (lstrcmpiW(faceOf(font).c_str(), face.c_str()) != 0) {
    DeleteObject(font);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi_)) {
      lf = ncm.lfMessageFont;
    }
    font = CreateFontIndirectW(&lf);
  }
  // Character heights (a font height below zero); a positive one counts the same here.
  const int height = mainwindow::StepDownFontSize(std::abs(lf.lfHeight), [&](int h) {
    lf.lfHeight = -h;
    HFONT candidate = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, candidate);
    const bool fits = mainwindow::LabelCaptionsFit(
        [&](std::string_view caption) {
          const std::wstring text = W(caption);
          SIZE size{};
          GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
          return static_cast<int>(size.cx);
        },
        dpi_);
    SelectObject(dc, old);
    DeleteObject(candidate);
    return fits;
  });
  lf.lfHeight = -height;
  DeleteObject(font);
  font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  textHeight_ = tm.tmHeight;
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);

  HFONT previous = font_;
  font_ = font;
  return previous;
}

void MainWindow::BuildControls() {
  const FlagGuard building(pushing_);
  controls_.reserve(mainwindow::DesignTable().size());
  int index = 0;
  for (const DesignEntry& d : mainwindow::DesignTable()) {
    Control c;
    c.Design = &d;
    for (const mainwindow::ControlRef& ref : form_.Controls()) {
      if (ref.Name == d.Name) c.Ref = &ref;
    }
    if (c.Ref == nullptr) throw std::logic_error("design control not in the form");
    HWND parent = hwnd_;
    if (d.Parent != "Form1") {
      const Control* p = Find(d.Parent);
      if (p == nullptr) throw std::logic_error("design parent listed after its child");
      parent = p->Hwnd;
    }
    controls_.push_back(std::move(c));
    Control& added = controls_.back();
    added.Hwnd = BuildControl(added, parent, kFirstControlId + index);
    byName_.emplace(std::string(d.Name), controls_.size() - 1);
    byHwnd_.emplace(added.Hwnd, controls_.size() - 1);
    if (added.Frame != nullptr) byHwnd_.emplace(added.Frame, controls_.size() - 1);
    for (HWND b : added.Buttons) byHwnd_.emplace(b, controls_.size() - 1);
    ++index;
  }
  // A group's frame lies under the controls it surrounds, which were made after it.
  for (const Control& c : controls_) {
    if (c.Frame != nullptr) {
      SetWindowPos(c.Frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  // Show Note stands on the top strip of the page control.
  if (const Control* note = Find("bShowNote")) {
    SetWindowPos(note->Hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, instance_, nullptr);
  for (const Control& c : controls_) {
    if (c.Design->Hint.empty()) continue;
    std::wstring tip = ToolTip(c.Design->Hint);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(c.Hwnd);
    ti.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

HWND MainWindow::BuildControl(Control& c, HWND parent, int id) {
  const DesignEntry& d = *c.Design;
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (d.Visible ? WS_VISIBLE : 0);
  auto* menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  auto make = [&](DWORD exStyle, const wchar_t* cls, const std::wstring& text, DWORD style, HWND in,
                  HMENU hmenu) {
    HWND h = CreateWindowExW(exStyle, cls, text.c_str(), style, 0, 0, 0, 0, in, hmenu, instance_,
                             nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return h;
  };
  const std::wstring caption = W(d.Caption);
  switch (d.Kind) {
    case ControlKind::GroupBox:
    case ControlKind::RadioGroup: {
      HWND box = make(WS_EX_CONTROLPARENT, kContainerClass, caption, child, parent, menu);
      c.Frame = make(0, WC_BUTTONW, caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX,
                     box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGroupFrameId)));
      if (d.Kind == ControlKind::RadioGroup) {
        const int group = id - kFirstControlId;
        for (std::size_t i = 0; i < d.Items.size(); ++i) {
          const int buttonId =
              kFirstRadioButtonId + group * kRadioButtonsPerGroup + static_cast<int>(i);
          HWND b = make(0, WC_BUTTONW, W(d.Items[i]),
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_RADIOBUTTON, box,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId)));
          SendMessageW(b, BM_SETCHECK, static_cast<int>(i) == d.ItemIndex ? BST_CHECKED : 0, 0);
          c.Buttons.push_back(b);
        }
      }
      return box;
    }
    case ControlKind::Label: {
      DWORD align = SS_LEFT;
      if (d.Alignment == TextAlign::Center) align = SS_CENTER;
      if (d.Alignment == TextAlign::Right) align = SS_RIGHT;
      // A label shows "&" as itself: value texts are never mnemonics.
      return make(0, WC_STATICW, caption, child | align | SS_NOPREFIX, parent, menu);
    }
    case ControlKind::Edit:
      return make(WS_EX_CLIENTEDGE, WC_EDITW, caption, child | WS_TABSTOP | ES_AUTOHSCROLL, parent,
                  menu);
    case ControlKind::DropDown: {
      HWND list = make(0, WC_COMBOBOXW, L"", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                       parent, menu);
      for (std::string_view item : d.Items) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(item).c_str()));
      }
      SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(d.ItemIndex), 0);
      return list;
    }
    case ControlKind::UpDown: {
      // No buddy and no UDS_SETBUDDYINT: a step goes through the form, which writes the edit.
      HWND updown =
          make(0, UPDOWN_CLASSW, L"", child | (d.Wrap ? UDS_WRAP : 0) | UDS_HOTTRACK, parent, menu);
      SendMessageW(updown, UDM_SETRANGE32, static_cast<WPARAM>(d.Min), d.Max);
      SendMessageW(updown, UDM_SETPOS32, 0, d.Position);
      return updown;
    }
    case ControlKind::CheckBox: {
      // Not auto-toggled: the window toggles it through the form.
      HWND box = make(0, WC_BUTTONW, caption, child | WS_TABSTOP | BS_CHECKBOX, parent, menu);
      SendMessageW(box, BM_SETCHECK, d.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
      return box;
    }
    case ControlKind::Button:
      return make(0, WC_BUTTONW, caption,
                  child | WS_TABSTOP | (d.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), parent,
                  menu);
    case ControlKind::Panel: {
      DWORD align = 0;
      if (d.Alignment == TextAlign::Center) align = kCellCaptionCentre;
      if (d.Alignment == TextAlign::Right) align = kCellCaptionRight;
      return make(0, kCellClass, caption, child | WS_CLIPCHILDREN | align, parent, menu);
    }
    case ControlKind::PageControl: {
      pages_ = make(WS_EX_CONTROLPARENT, WC_TABCONTROLW, L"", child | WS_TABSTOP | WS_CLIPCHILDREN,
                    parent, menu);
      return pages_;
    }
    case ControlKind::TabSheet: {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      std::wstring text = caption;
      item.pszText = text.data();
      const auto index = static_cast<WPARAM>(sheetNames_.size());
      SendMessageW(pages_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
      sheetNames_.emplace_back(d.Name);
      const bool active = d.Name == mainwindow::FindDesign("pcResults")->ActivePage;
      if (active) SendMessageW(pages_, TCM_SETCURSEL, index, 0);
      return make(WS_EX_CONTROLPARENT, kContainerClass, caption,
                  WS_CHILD | WS_CLIPSIBLINGS | (active ? WS_VISIBLE : 0), pages_, menu);
    }
    case ControlKind::Form:
      break;
  }
  throw std::logic_error("no window for this kind of control");
}

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

void MainWindow::Layout() {
  for (const Control& c : controls_) PlaceControl(c);
}

void MainWindow::PlaceControl(const Control& c) {
  const DesignEntry& d = *c.Design;
  int left = Scale(d.Left);
  int top = Scale(d.Top);
  int width = Scale(d.Width);
  int height = Scale(d.Height);
  switch (d.Kind) {
    case ControlKind::Label:
      PlaceLabel(c);
      return;
    case ControlKind::DropDown:
      height += Scale(kDropListDesignPx);
      break;
    case ControlKind::PageControl:
      if (!form_.Form1.Resizable) {
        // Aligned to the bottom: the whole client width, its own height.
        RECT client;
        GetClientRect(hwnd_, &client);
        left = 0;
        top = client.bottom - height;
        width = client.right;
      }
      break;
    case ControlKind::TabSheet: {
      RECT area;
      GetClientRect(pages_, &area);
      SendMessageW(pages_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
      left = area.left;
      top = area.top;
      width = area.right - area.left;
      height = area.bottom - area.top;
      break;
    }
    default:
      break;
  }
  SetWindowPos(c.Hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.Frame != nullptr) {
    SetWindowPos(c.Frame, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (std::size_t i = 0; i < c.Buttons.size(); ++i) {
    const mainwindow::ScreenRect r =
        mainwindow::RadioButtonRect(static_cast<int>(i), static_cast<int>(c.Buttons.size()),
                                    c.Design->Columns, width, height, textHeight_);
    SetWindowPos(c.Buttons[i], nullptr, r.Left, r.Top, r.Width, r.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND h : {c.Hwnd, c.Frame}) {
    if (h != nullptr) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  for (HWND b : c.Buttons) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

// A label sizes itself to its caption, as the shared rule for labels says.
void MainWindow::PlaceLabel(const Control& c) {
  const DesignEntry& d = *c.Design;
  SendMessageW(c.Hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const std::wstring text = TextOf(c.Hwnd);
  HDC dc = GetDC(c.Hwnd);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(c.Hwnd, dc);
  const mainwindow::Extent e =
      mainwindow::PlaceLabelText(d.Alignment, Scale(d.Left), Scale(d.Width), size.cx);
  SetWindowPos(c.Hwnd, nullptr, e.Left, Scale(d.Top), e.Width,
               std::max(Scale(d.Height), textHeight_), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(c.Hwnd, nullptr, TRUE);
}

void MainWindow::SetClientSize() {
  RECT r{0, 0, Scale(form_.Form1.ClientWidth), Scale(form_.Form1.ClientHeight)};
  AdjustWindowRectExForDpi(&r, kWindowStyle, FALSE, kWindowExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SyncFocus();
}

void MainWindow::Act(const std::function<void()>& action) {
  if (mainwindow::RunUserAction(
          acting_, form_, [this] { Pull(); }, action, [this] { Push(); })) {
    DestroyWindow(hwnd_);
  }
}

void MainWindow::Pull() {
  for (const Control& c : controls_) {
    if (c.Design->Kind != ControlKind::Edit) continue;
    std::get<mainwindow::Edit*>(c.Ref->Ptr)->Text = env::win32::Narrow(TextOf(c.Hwnd));
  }
  RECT r;
  if (IsWindowVisible(hwnd_) && !IsIconic(hwnd_) && GetWindowRect(hwnd_, &r)) {
    form_.Form1.Left = r.left;
    form_.Form1.Top = r.top;
  }
}

void MainWindow::Push() {
  const FlagGuard guard(pushing_);
  auto showAndEnable = [](HWND h, const mainwindow::ControlBase& base) {
    if ((IsWindowEnabled(h) != FALSE) != base.Enabled) EnableWindow(h, base.Enabled);
    const bool shown = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != base.Visible) ShowWindow(h, base.Visible ? SW_SHOWNA : SW_HIDE);
  };
  {
    const std::wstring caption = W(form_.Form1.Caption);
    if (!form_.Form1.Caption.empty()) SetText(hwnd_, caption);
  }
  for (const Control& c : controls_) {
    HWND h = c.Hwnd;
    std::visit(
        [&](auto* p) {
          using T = std::remove_pointer_t<decltype(p)>;
          if constexpr (std::is_same_v<T, mainwindow::FormProps>) {
            return;
          } else if constexpr (std::is_same_v<T, mainwindow::TabSheet>) {
            // A sheet is shown while it is the active page.
            const bool active = form_.pcResults.ActivePage == c.Design->Name;
            const bool shown = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
            if (shown != active) ShowWindow(h, active ? SW_SHOWNA : SW_HIDE);
          } else {
            showAndEnable(h, *p);
            if constexpr (std::is_same_v<T, mainwindow::Edit>) {
              SetText(h, W(p->Text));
              InvalidateRect(h, nullptr, TRUE);  // its colour may have changed
            } else if constexpr (std::is_same_v<T, mainwindow::Label>) {
              const std::wstring text = W(p->Caption);
              if (TextOf(h) != text) {
                SetWindowTextW(h, text.c_str());
                PlaceLabel(c);
              }
            } else if constexpr (std::is_same_v<T, mainwindow::Panel>) {
              SetText(h, W(p->Caption));
              InvalidateRect(h, nullptr, TRUE);
            } else if constexpr (std::is_same_v<T, mainwindow::DropDown>) {
              const auto index = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
              if (index != p->ItemIndex()) {
                SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(p->ItemIndex()), 0);
              }
            } else if constexpr (std::is_same_v<T, mainwindow::UpDown>) {
              SendMessageW(h, UDM_SETRANGE32, static_cast<WPARAM>(p->Min), p->Max);
              SendMessageW(h, UDM_SETPOS32, 0, p->Position());
            } else if constexpr (std::is_same_v<T, mainwindow::CheckBox>) {
              const WPARAM state = p->Checked() ? BST_CHECKED : BST_UNCHECKED;
              if (static_cast<WPARAM>(SendMessageW(h, BM_GETCHECK, 0, 0)) != state) {
                SendMessageW(h, BM_SETCHECK, state, 0);
              }
              SetText(h, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::RadioGroup>) {
              for (std::size_t i = 0; i < c.Buttons.size(); ++i) {
                const WPARAM state =
                    static_cast<int>(i) == p->ItemIndex() ? BST_CHECKED : BST_UNCHECKED;
                if (static_cast<WPARAM>(SendMessageW(c.Buttons[i], BM_GETCHECK, 0, 0)) != state) {
                  SendMessageW(c.Buttons[i], BM_SETCHECK, state, 0);
                }
                EnableWindow(c.Buttons[i], p->Enabled);
              }
              SetText(c.Frame, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::Button>) {
              SetText(h, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::GroupBox>) {
              SetText(c.Frame, W(p->Caption));
            } else if constexpr (std::is_same_v<T, mainwindow::PageControl>) {
              const auto it = std::find(sheetNames_.begin(), sheetNames_.end(), p->ActivePage);
              if (it != sheetNames_.end()) {
                const auto index = static_cast<int>(it - sheetNames_.begin());
                if (SendMessageW(h, TCM_GETCURSEL, 0, 0) != index) {
                  SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
                }
              }
            }
          }
        },
        c.Ref->Ptr);
  }
  SyncFocus();
}

// The keyboard focus follows the form's focused control; moving it here is no user act and
// raises nothing.
void MainWindow::SyncFocus() {
  if (GetActiveWindow() != hwnd_ || IsIconic(hwnd_)) return;
  HWND target = FocusWindow(form_.Focused());
  if (target == nullptr || GetFocus() == target) return;
  if (!IsWindowEnabled(target) || !IsWindowVisible(target)) return;
  // A radio button that takes the focus from code reports a click; that is ignored here.
  const FlagGuard guard(pushing_);
  SetFocus(target);
}

bool MainWindow::ClickMnemonic(wchar_t key) {
  for (const Control& c : controls_) {
    if (c.Design->Kind != ControlKind::Button) continue;
    const auto* button = std::get<mainwindow::Button*>(c.Ref->Ptr);
    if (!button->Visible || !button->Enabled) continue;
    if (Mnemonic(button->Caption) != key) continue;
    const std::string name(c.Design->Name);
    Act([&] { form_.UserClick(name); });
    return true;
  }
  return false;
}

bool MainWindow::PreTranslate(const MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  const Control* c = ControlOf(msg.hwnd);
  const ControlKind kind = c != nullptr ? c->Design->Kind : ControlKind::Form;
  const bool listOpen =
      kind == ControlKind::DropDown && SendMessageW(c->Hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;

  switch (msg.message) {
    case WM_KEYDOWN:
      switch (msg.wParam) {
        case VK_TAB: {
          if (KeyDown(VK_MENU)) return false;
          const bool forward = !KeyDown(VK_SHIFT);
          if (KeyDown(VK_CONTROL)) {
            // Ctrl+Tab turns the result pages.
            const auto count = static_cast<std::ptrdiff_t>(sheetNames_.size());
            const auto at =
                std::find(sheetNames_.begin(), sheetNames_.end(), form_.pcResults.ActivePage);
            if (count == 0 || at == sheetNames_.end()) return true;
            const std::ptrdiff_t next =
                ((at - sheetNames_.begin()) + (forward ? 1 : count - 1)) % count;
            const std::string sheet = sheetNames_[static_cast<std::size_t>(next)];
            Act([&] { form_.UserPage(sheet); });
            return true;
          }
          const std::string target(mainwindow::NextTabStop(form_, form_.Focused(), forward));
          if (target.empty()) return true;
          Act([&] { form_.UserFocus(target); });
          // An edit entered by Tab has its whole text selected, ready to be typed over.
          const Control* to = Find(form_.Focused());
          if (to != nullptr && to->Design->Kind == ControlKind::Edit) {
            SendMessageW(to->Hwnd, EM_SETSEL, 0, -1);
          }
          return true;
        }
        case VK_RETURN:
          if (listOpen) return false;
          // A focused button takes Enter itself; anywhere else Enter is Evaluate's.
          Act([&] { form_.UserKeyEnter(); });
          return true;
        case VK_ESCAPE:
          // The window is not a dialog to the user: Escape neither cancels nor closes it.
          return !listOpen;
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT: {
          const bool up = msg.wParam == VK_UP || msg.wParam == VK_RIGHT;
          const bool vertical = msg.wParam == VK_UP || msg.wParam == VK_DOWN;
          if (kind == ControlKind::Edit && vertical) {
            const std::string updown(mainwindow::UpDownOfEdit(c->Design->Name));
            if (updown.empty()) return false;
            Act([&] { form_.UserStep(updown, up); });
            return true;
          }
          if (kind == ControlKind::RadioGroup && msg.hwnd != c->Hwnd) {
            // The arrows pick the neighbouring item, going round, as in any radio group.
            const auto count = static_cast<int>(c->Buttons.size());
            const auto at = std::find(c->Buttons.begin(), c->Buttons.end(), msg.hwnd);
            if (count == 0 || at == c->Buttons.end()) return true;
            const bool next = msg.wParam == VK_DOWN || msg.wParam == VK_RIGHT;
            const int index =
                (static_cast<int>(at - c->Buttons.begin()) + (next ? 1 : count - 1)) % count;
            const std::string name(c->Design->Name);
            Act([&] { form_.UserPick(name, index); });
            return true;
          }
          return false;
        }
        default:
          return false;
      }
    case WM_SYSKEYDOWN: {
      // Alt+letter: the button with that mnemonic. Every other Alt key (Alt+F4, the window
      // menu) is the system's.
      const auto key = static_cast<wchar_t>(msg.wParam);
      if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) {
        return ClickMnemonic(key);
      }
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      // A click on a control that takes the focus moves it there first, as the user's act.
      // Up-downs keep the focus where it is.
      if (c == nullptr || kind == ControlKind::UpDown) return false;
      if (!mainwindow::KindTakesFocus(kind) || !IsWindowEnabled(msg.hwnd)) return false;
      if (kind == ControlKind::GroupBox || kind == ControlKind::TabSheet) return false;
      if (kind == ControlKind::RadioGroup && msg.hwnd == c->Hwnd) return false;
      const std::string name(c->Design->Name);
      if (name != form_.Focused()) Act([&] { form_.UserFocus(name); });
      return false;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp != 0) OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        SyncFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      SyncFocus();
      return 0;
    case WM_CLOSE:
      // Every close request (close box, window menu, Alt+F4, bClose) asks the form; a request
      // while a box of this window is open waits for the box.
      if (!acting_) Act([&] { form_.Close(); });
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the font and every design pixel follow it; the
      // system's suggested rectangle gives the place, the design the size.
      dpi_ = HIWORD(wp);
      HFONT previous = CreateFonts();
      SetClientSize();
      Layout();
      // The controls have the new font now; the old one can go.
      if (previous != nullptr) DeleteObject(previous);
      const auto* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void MainWindow::OnCommand(HWND from, UINT code) {
  if (pushing_) return;
  const Control* c = ControlOf(from);
  if (c == nullptr) return;
  const std::string name(c->Design->Name);
  switch (c->Design->Kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) Act([&] { form_.UserClick(name); });
      break;
    case ControlKind::RadioGroup: {
      if (code != BN_CLICKED) break;
      const auto at = std::find(c->Buttons.begin(), c->Buttons.end(), from);
      if (at == c->Buttons.end()) break;
      const auto index = static_cast<std::int32_t>(at - c->Buttons.begin());
      Act([&] { form_.UserPick(name, index); });
      break;
    }
    case ControlKind::DropDown: {
      const auto* list = std::get<mainwindow::DropDown*>(c->Ref->Ptr);
      const auto index = static_cast<std::int32_t>(SendMessageW(from, CB_GETCURSEL, 0, 0));
      const bool open = SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0) != 0;
      // A pick is final when the list closes on it, or at once with the list shut (arrow
      // keys, the wheel). Browsing an open list picks nothing yet.
      if ((code == CBN_SELENDOK || (code == CBN_SELCHANGE && !open)) && index >= 0 &&
          index != list->ItemIndex()) {
        Act([&] { form_.UserPick(name, index); });
      } else if (code == CBN_CLOSEUP && index != list->ItemIndex()) {
        const FlagGuard guard(pushing_);
        SendMessageW(from, CB_SETCURSEL, static_cast<WPARAM>(list->ItemIndex()), 0);
      }
      break;
    }
    default:
      break;
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  const Control* c = ControlOf(header.hwndFrom);
  if (c == nullptr) return 0;
  const std::string name(c->Design->Name);
  if (c->Design->Kind == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
    // The control never moves itself: the form steps and the push shows the new position.
    if (!pushing_) {
      const bool up = reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0;
      Act([&] { form_.UserStep(name, up); });
    }
    return TRUE;
  }
  if (c->Design->Kind == ControlKind::PageControl && header.code == TCN_SELCHANGE && !pushing_) {
    const auto index = static_cast<std::size_t>(SendMessageW(pages_, TCM_GETCURSEL, 0, 0));
    if (index < sheetNames_.size()) {
      const std::string sheet = sheetNames_[index];
      Act([&] { form_.UserPage(sheet); });
    }
  }
  return 0;
}

LRESULT MainWindow::OnColor(HDC dc, HWND from) {
  const Control* c = ControlOf(from);
  TColor color = TColor::clBtnFace;
  if (c != nullptr && from == c->Hwnd) color = ColorOfControl(c->Ref->Ptr);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  if (color == TColor::clYellow) brush = yellow_;
  if (color == TColor::clWhite) brush = white_;
  SetBkColor(dc, ColorRef(color));
  // Text on the design's own yellow and white is black whatever the desktop's colours; on
  // the button face it follows the desktop.
  COLORREF ink =
      mainwindow::DesignFixesBackground(color) ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
  if (!IsWindowEnabled(from)) ink = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, ink);
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace win32ui
