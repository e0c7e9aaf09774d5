#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"

// The chart engine's canvas on GDI+, the drawing library every Windows has: antialiased lines
// and text (also under Wine, where Direct2D may fall back to software without text
// antialiasing), on a window's DC or on a bitmap for PNG export and the clipboard.
namespace win32ui {

// GDI+ is usable between its start-up and its shutdown; a program holds one of these for as
// long as it draws. Ok() is false where GDI+ failed to start.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

class GdiplusCanvas final : public chart::Canvas {
 public:
  // Texts in the given face (the desktop's), at the engine's pixel sizes; a face GDI+ does not
  // know falls back to its generic sans-serif.
  GdiplusCanvas(Gdiplus::Graphics& graphics, std::wstring fontFamily);
  // Clips left open are closed, so the graphics are handed back as they came.
  ~GdiplusCanvas() override;
  GdiplusCanvas(const GdiplusCanvas&) = delete;
  GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

  void BeginGroup(std::string_view) override {}
  void EndGroup() override {}
  void Polyline(std::span<const chart::Point> points, const chart::Stroke& stroke) override;
  void FillRings(std::span<const std::vector<chart::Point>> rings, chart::Color fill) override;
  void Text(chart::Point anchor, std::string_view text, const chart::TextStyle& style) override;
  void PushClip(const chart::Rect& r) override;
  void PopClip() override;
  double TextWidth(std::string_view text, double size) const override;

 private:
  struct FontMetrics {
    double Ascent = 0.0;  // baseline below the top of the line, pixels
    double Descent = 0.0;
  };
  FontMetrics MetricsFor(double size, bool bold) const;
  double Measure(const std::wstring& text, const Gdiplus::Font& font) const;

  Gdiplus::Graphics& graphics_;
  std::wstring family_;
  std::vector<Gdiplus::GraphicsState> clips_;
};

}  // namespace win32ui
