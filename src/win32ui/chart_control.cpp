#include "win32ui/chart_control.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "chart/contour.h"
#include "chart/smith_hover.h"
#include "chart/xy_hover.h"
#include "chart/xy_layout.h"
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

void ChartControl::SetChart(chart::AnyChart chart) {
  chart_ = std::move(chart);
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
  // Laid out as the paint lays it out: the same canvas and font, on a scratch bitmap.
  Gdiplus::Bitmap scratch(1, 1, PixelFormat32bppPARGB);
  Gdiplus::Graphics g(&scratch);
  GdiplusCanvas canvas(g, DesktopFontFamily());
  const chart::Style style = DesktopChartStyle();
  const auto measure = [&canvas](std::string_view t, double size) {
    return canvas.TextWidth(t, size);
  };
  const double w = r.right;
  const double h = r.bottom;
  const chart::Point pointer{static_cast<double>(at.x), static_cast<double>(at.y)};
  std::string text;
  POINT mark = at;
  std::visit(
      [&](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, chart::XyChart>) {
          const chart::XyReadout found =
              chart::HoverXy(c, chart::LayoutXy(c, w, h, style, measure), pointer);
          if (found.Found) {
            text = chart::ReadoutText(c, found);
            mark = {static_cast<LONG>(found.At.X), static_cast<LONG>(found.At.Y)};
          }
        } else if constexpr (std::is_same_v<T, chart::SmithChart>) {
          const chart::SmithReadout found =
              chart::HoverSmith(c, chart::LayoutSmith(c, w, h, style, measure), pointer);
          if (found.Found) {
            text = chart::ReadoutText(c, found);
          } else if (found.InChart) {
            text = chart::ReflectionText(c, found.PointerGamma);
          }
        } else {
          const chart::ContourReadout found =
              chart::HoverContour(c, chart::LayoutContour(c, w, h, style, measure), pointer);
          if (found.InPlot) text = chart::ReadoutText(c, found);
        }
      },
      chart_);
  readoutAt_ = mark;
  if (text != readout_) {
    readout_ = text;
    SetWindowTextW(hwnd_, W(readout_).c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return readout_;
}

std::unique_ptr<Gdiplus::Bitmap> RenderChart(const chart::AnyChart& chart, int width, int height) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(std::max(width, 1), std::max(height, 1),
                                                  PixelFormat32bppARGB);
  const chart::Style style = DesktopChartStyle();
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(GdiColor(style.Colours.Background));
  GdiplusCanvas canvas(g, DesktopFontFamily());
  chart::Draw(canvas, chart, width, height, style);
  return bitmap;
}

// The read-out in a box beside the point, kept inside the window; its lines drawn by the
// chart's own canvas, in the chart's font.
void ChartControl::DrawReadout(Gdiplus::Graphics& g, const chart::Style& style, const RECT& r) {
  std::vector<std::string> lines;
  for (std::size_t from = 0; from <= readout_.size();) {
    const std::size_t to = std::min(readout_.find('\n', from), readout_.size());
    lines.push_back(readout_.substr(from, to - from));
    from = to + 1;
  }
  GdiplusCanvas canvas(g, DesktopFontFamily());
  const double size = style.TextSize;
  const double lineHeight = size * 1.3;
  double width = 0.0;
  for (const std::string& line : lines) width = std::max(width, canvas.TextWidth(line, size));
  const double w = width + 12.0;
  const double h = lineHeight * static_cast<double>(lines.size()) + 8.0;
  const double px = static_cast<double>(readoutAt_.x);
  const double py = static_cast<double>(readoutAt_.y);
  double x = px + 12.0;
  double y = py + 12.0;
  if (x + w > static_cast<double>(r.right)) x = std::max(0.0, px - 12.0 - w);
  if (y + h > static_cast<double>(r.bottom)) y = std::max(0.0, py - 12.0 - h);
  chart::Color plot = style.Colours.PlotBackground;
  plot.A = 235;
  const std::vector<chart::Point> box{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
  canvas.FillRings(std::span<const std::vector<chart::Point>>(&box, 1), plot);
  std::vector<chart::Point> frame = box;
  frame.push_back(box.front());
  chart::Stroke pen;
  pen.Colour = style.Colours.Text;
  pen.Width = 1.0;
  canvas.Polyline(frame, pen);
  std::vector<chart::Point> ring;
  for (int i = 0; i <= 24; ++i) {
    const double a = static_cast<double>(i) * 3.14159265358979323846 / 12.0;
    ring.push_back({px + 4.0 * std::cos(a), py + 4.0 * std::sin(a)});
  }
  canvas.Polyline(ring, pen);
  chart::TextStyle text;
  text.Colour = style.Colours.Text;
  text.Size = size;
  text.V = chart::VAlign::Top;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    canvas.Text({x + 6.0, y + 4.0 + lineHeight * static_cast<double>(i)}, lines[i], text);
  }
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
      chart::Draw(canvas, chart_, r.right, r.bottom, style);
    }
    if (!readout_.empty()) DrawReadout(g, style, r);
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
      // A new font or a dark theme draws again.
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace win32ui
