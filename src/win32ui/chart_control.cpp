#include "win32ui/chart_control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "chart/xy_hover.h"
#include "win32ui/gdiplus_canvas.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

constexpr wchar_t kChartClass[] = L"ZephlaneChart";

NONCLIENTMETRICSW MessageMetrics() {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) m.lfMessageFont = {};
  return m;
}

Gdiplus::Color GdiColor(chart::Color c) { return Gdiplus::Color(c.A, c.R, c.G, c.B); }

// Measures text as the paint will: the same canvas and font, on a scratch bitmap.
chart::XyLayout LayoutFor(const chart::XyChart& c, int width, int height) {
  Gdiplus::Bitmap scratch(1, 1, PixelFormat32bppPARGB);
  Gdiplus::Graphics g(&scratch);
  GdiplusCanvas canvas(g, DesktopFontFamily());
  return chart::LayoutXy(
      c, width, height, DesktopChartStyle(),
      [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
}

}  // namespace

chart::Style DesktopChartStyle() {
  chart::Style s;
  // A dark window colour asks for the dark chart colours, whatever the theme is called.
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const int light =
      (GetRValue(window) * 299 + GetGValue(window) * 587 + GetBValue(window) * 114) / 1000;
  s.Colours = light < 128 ? chart::DarkPalette() : chart::LightPalette();
  // The engine measures text in pixels; the message font says how large body text is.
  const LONG height = MessageMetrics().lfMessageFont.lfHeight;
  const double px = height < 0 ? -static_cast<double>(height) : static_cast<double>(height);
  if (px >= 6.0 && px <= 72.0) {
    s.TextSize = px;
    s.TickSize = px * 11.0 / 12.0;
    s.TitleSize = px * 14.0 / 12.0;
    s.Pad = px * 8.0 / 12.0;
  }
  return s;
}

std::wstring DesktopFontFamily() {
  const std::wstring face = MessageMetrics().lfMessageFont.lfFaceName;
  return face.empty() ? L"Segoe UI" : face;
}

void ChartControl::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kChartClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS));
  wc.lpszClassName = kChartClass;
  RegisterClassExW(&wc);
}

ChartControl::ChartControl(HWND parent, int id, HINSTANCE instance) {
  Register(instance);
  hwnd_ = CreateWindowExW(0, kChartClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

ChartControl::~ChartControl() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void ChartControl::SetChart(chart::XyChart chart) {
  chart_ = std::move(chart);
  laidOut_ = false;
  ClearReadout();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ChartControl::ClearReadout() {
  if (readout_.empty()) return;
  readout_.clear();
  SetWindowTextW(hwnd_, L"");
  InvalidateRect(hwnd_, nullptr, FALSE);
}

std::string ChartControl::HoverAt(POINT at) {
  RECT r;
  GetClientRect(hwnd_, &r);
  if (!laidOut_ || layout_.Width != r.right || layout_.Height != r.bottom) {
    layout_ = LayoutFor(chart_, r.right, r.bottom);
    laidOut_ = true;
  }
  const chart::XyReadout found =
      chart::HoverXy(chart_, layout_, {static_cast<double>(at.x), static_cast<double>(at.y)});
  std::string text;
  if (found.Found) {
    text = chart::ReadoutText(chart_, found);
    readoutAt_ = {static_cast<LONG>(found.At.X), static_cast<LONG>(found.At.Y)};
  }
  if (text != readout_) {
    readout_ = text;
    SetWindowTextW(hwnd_, W(readout_).c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return readout_;
}

std::unique_ptr<Gdiplus::Bitmap> RenderChart(const chart::XyChart& chart, int width, int height) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(std::max(width, 1), std::max(height, 1),
                                                  PixelFormat32bppARGB);
  const chart::Style style = DesktopChartStyle();
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(GdiColor(style.Colours.Background));
  GdiplusCanvas canvas(g, DesktopFontFamily());
  chart::DrawXy(canvas, chart, width, height, style);
  return bitmap;
}

void ChartControl::Paint(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  if (r.right <= 0 || r.bottom <= 0) return;
  const chart::Style style = DesktopChartStyle();
  Gdiplus::Bitmap buffer(r.right, r.bottom, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics g(&buffer);
    g.Clear(GdiColor(style.Colours.Background));
    {
      GdiplusCanvas canvas(g, DesktopFontFamily());
      layout_ = chart::DrawXy(canvas, chart_, r.right, r.bottom, style);
      laidOut_ = true;
    }
    if (!readout_.empty()) {
      // The read-out in a box beside the point, kept inside the window.
      const std::wstring text = W(readout_);
      const Gdiplus::FontFamily family(DesktopFontFamily().c_str());
      const Gdiplus::Font font(
          family.IsAvailable() ? &family : Gdiplus::FontFamily::GenericSansSerif(),
          static_cast<Gdiplus::REAL>(style.TextSize), Gdiplus::FontStyleRegular,
          Gdiplus::UnitPixel);
      Gdiplus::RectF box;
      g.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font,
                      Gdiplus::PointF(0.0f, 0.0f), &box);
      const Gdiplus::REAL w = box.Width + 12.0f;
      const Gdiplus::REAL h = box.Height + 8.0f;
      Gdiplus::REAL x = static_cast<Gdiplus::REAL>(readoutAt_.x) + 12.0f;
      Gdiplus::REAL y = static_cast<Gdiplus::REAL>(readoutAt_.y) + 12.0f;
      if (x + w > static_cast<Gdiplus::REAL>(r.right))
        x = static_cast<Gdiplus::REAL>(readoutAt_.x) - 12.0f - w;
      if (y + h > static_cast<Gdiplus::REAL>(r.bottom))
        y = static_cast<Gdiplus::REAL>(readoutAt_.y) - 12.0f - h;
      chart::Color plot = style.Colours.PlotBackground;
      plot.A = 235;
      const Gdiplus::SolidBrush fill(GdiColor(plot));
      const Gdiplus::Pen pen(GdiColor(style.Colours.Text), 1.0f);
      const Gdiplus::SolidBrush ink(GdiColor(style.Colours.Text));
      g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
      g.FillRectangle(&fill, x, y, w, h);
      g.DrawRectangle(&pen, x, y, w, h);
      g.DrawString(text.c_str(), static_cast<INT>(text.size()), &font,
                   Gdiplus::PointF(x + 6.0f, y + 4.0f), &ink);
      g.DrawEllipse(&pen, static_cast<Gdiplus::REAL>(readoutAt_.x) - 4.0f,
                    static_cast<Gdiplus::REAL>(readoutAt_.y) - 4.0f, 8.0f, 8.0f);
    }
  }
  Gdiplus::Graphics screen(dc);
  screen.DrawImage(&buffer, 0, 0);
}

LRESULT CALLBACK ChartControl::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    auto* self = static_cast<ChartControl*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ChartControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT ChartControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SIZE:
      laidOut_ = false;
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t{};
        t.cbSize = sizeof t;
        t.dwFlags = TME_LEAVE;
        t.hwndTrack = hwnd_;
        tracking_ = TrackMouseEvent(&t) != FALSE;
      }
      HoverAt({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      ClearReadout();
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // A new font or a dark theme lays out again.
      laidOut_ = false;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace win32ui
