#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/style.h"

// One engine chart in a child window: laid out for the window's size, drawn through the GDI+
// canvas (into a bitmap first, so a redraw never flickers) in the desktop's font and in the
// light or dark palette that the window colours ask for, with the value under the pointer
// shown in a box beside the point. The read-out is also the window's text, so that an
// accessibility reader (and the tests' probe) can read it.
namespace win32ui {

// The engine's colours and text sizes for the desktop: the dark palette when the system's
// window colour is dark, text sizes from the message font.
chart::Style DesktopChartStyle();
// The desktop's message font family, for chart texts.
std::wstring DesktopFontFamily();

// The chart drawn at the given size on its background, for PNG export and the clipboard.
std::unique_ptr<Gdiplus::Bitmap> RenderChart(const chart::AnyChart& chart, int width, int height);

class ChartControl {
 public:
  // Registers the window class once per program.
  static void Register(HINSTANCE instance);
  ChartControl(HWND parent, int id, HINSTANCE instance);
  ~ChartControl();
  ChartControl(const ChartControl&) = delete;
  ChartControl& operator=(const ChartControl&) = delete;

  HWND Handle() const { return hwnd_; }
  // Any kind of engine chart: curves over axes, a Smith chart or a filled contour map.
  void SetChart(chart::AnyChart chart);
  const chart::AnyChart& Chart() const { return chart_; }
  // The hover at a point of the window, as a mouse move there sets it; the read-out text
  // (empty when the pointer is over nothing). Off every mark of a Smith chart, the reflection
  // under the pointer.
  std::string HoverAt(POINT at);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  void DrawReadout(Gdiplus::Graphics& g, const chart::Style& style, const RECT& r);
  void ClearReadout();

  HWND hwnd_ = nullptr;
  chart::AnyChart chart_;
  std::string readout_;
  POINT readoutAt_{};
  bool tracking_ = false;
};

}  // namespace win32ui
