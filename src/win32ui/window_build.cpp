#include "win32ui/main_window.h"

#include <commctrl.h>

#include <cstdlib>
#include <stdexcept>

#include "mainwindow/binding_rules.h"
#include "mainwindow/window_layout.h"
#include "win32ui/child_windows.h"
#include "win32ui/window_accessible.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

using mainwindow::ControlKind;
using mainwindow::DesignEntry;
using mainwindow::FlagGuard;
using mainwindow::TextAlign;

std::wstring ToolTip(std::string_view hint) { return W(mainwindow::ToolTipText(hint)); }

}  // namespace

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
  ServeAccessibleNames(form_, [this](std::string_view name) {
    const Control* c = Find(name);
    return c != nullptr ? c->Hwnd : nullptr;
  });
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

}  // namespace win32ui
