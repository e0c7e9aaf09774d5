#include "win32ui/gdiplus_canvas.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "env/win32_text.h"

namespace win32ui {

namespace {

Gdiplus::Color ToColor(chart::Color c) { return Gdiplus::Color(c.A, c.R, c.G, c.B); }

bool Finite(chart::Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

Gdiplus::PointF ToPoint(chart::Point p) {
  return Gdiplus::PointF(static_cast<Gdiplus::REAL>(p.X), static_cast<Gdiplus::REAL>(p.Y));
}

// The engine sizes text in pixels; a size it could not compute still draws legibly.
Gdiplus::REAL PixelSize(double size) {
  return static_cast<Gdiplus::REAL>(std::isfinite(size) && size >= 1.0 ? size : 12.0);
}

INT FontStyleOf(bool bold) { return bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular; }

// The face asked for, else the first of the usual sans-serif faces that is installed, else
// GDI+'s generic sans-serif (which a Wine prefix may lack).
std::unique_ptr<Gdiplus::FontFamily> FamilyOf(const std::wstring& name) {
  static constexpr const wchar_t* kFallbacks[] = {L"Segoe UI", L"Tahoma", L"Arial",
                                                  L"Liberation Sans", L"DejaVu Sans"};
  auto family = std::make_unique<Gdiplus::FontFamily>(name.c_str());
  for (const wchar_t* face : kFallbacks) {
    if (family->IsAvailable()) return family;
    family = std::make_unique<Gdiplus::FontFamily>(face);
  }
  if (family->IsAvailable()) return family;
  if (const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif()) {
    family.reset(generic->Clone());
  }
  return family;
}

}  // namespace

GdiplusSession::GdiplusSession() {
  const Gdiplus::GdiplusStartupInput input;
  ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
  if (ok_) Gdiplus::GdiplusShutdown(token_);
}

GdiplusCanvas::GdiplusCanvas(Gdiplus::Graphics& graphics, std::wstring fontFamily)
    : graphics_(graphics), family_(std::move(fontFamily)) {
  graphics_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // Grey-scale antialiasing: a bitmap copied elsewhere carries no colour fringes.
  graphics_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
  // Pixel centres at half coordinates, as the engine and the other canvases count them.
  graphics_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

GdiplusCanvas::~GdiplusCanvas() {
  while (!clips_.empty()) PopClip();
}

void GdiplusCanvas::Polyline(std::span<const chart::Point> points, const chart::Stroke& stroke) {
  if (points.size() < 2) return;
  std::vector<Gdiplus::PointF> pts;
  pts.reserve(points.size());
  for (const chart::Point& p : points) {
    // GDI+ refuses the whole call for one bad coordinate; the engine breaks lines there itself.
    if (!Finite(p)) return;
    pts.push_back(ToPoint(p));
  }
  const double width = std::isfinite(stroke.Width) && stroke.Width > 0.0 ? stroke.Width : 1.0;
  Gdiplus::Pen pen(ToColor(stroke.Colour), static_cast<Gdiplus::REAL>(width));
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
  // Dash lengths in line widths, as the SVG and QPainter canvases draw them.
  if (stroke.Style == chart::Dash::Dashed) {
    const Gdiplus::REAL dashes[] = {5.0F, 3.0F};
    pen.SetDashPattern(dashes, 2);
  } else if (stroke.Style == chart::Dash::Dotted) {
    const Gdiplus::REAL dots[] = {1.0F, 2.0F};
    pen.SetDashPattern(dots, 2);
  }
  graphics_.DrawLines(&pen, pts.data(), static_cast<INT>(pts.size()));
}

void GdiplusCanvas::FillRings(std::span<const std::vector<chart::Point>> rings, chart::Color fill) {
  Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);  // even-odd: inner rings are holes
  bool any = false;
  for (const auto& ring : rings) {
    if (ring.size() < 3) continue;
    if (!std::all_of(ring.begin(), ring.end(), Finite)) continue;
    std::vector<Gdiplus::PointF> pts;
    pts.reserve(ring.size());
    for (const chart::Point& p : ring) pts.push_back(ToPoint(p));
    path.StartFigure();
    path.AddPolygon(pts.data(), static_cast<INT>(pts.size()));
    any = true;
  }
  if (!any) return;
  Gdiplus::SolidBrush brush(ToColor(fill));
  graphics_.FillPath(&brush, &path);
}

GdiplusCanvas::FontMetrics GdiplusCanvas::MetricsFor(double size, bool bold) const {
  const auto family = FamilyOf(family_);
  const INT style = FontStyleOf(bold);
  const double em = family->GetEmHeight(style);
  FontMetrics m;
  if (em <= 0.0) return m;
  m.Ascent = PixelSize(size) * family->GetCellAscent(style) / em;
  m.Descent = PixelSize(size) * family->GetCellDescent(style) / em;
  return m;
}

double GdiplusCanvas::Measure(const std::wstring& text, const Gdiplus::Font& font) const {
  Gdiplus::RectF box;
  // The typographic format measures the ink advance, without the padding the default adds.
  graphics_.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font,
                          Gdiplus::PointF(0.0F, 0.0F), Gdiplus::StringFormat::GenericTypographic(),
                          &box);
  return box.Width;
}

void GdiplusCanvas::Text(chart::Point anchor, std::string_view text,
                         const chart::TextStyle& style) {
  if (!Finite(anchor) || text.empty()) return;
  const std::wstring s = env::win32::Widen(text);
  const auto family = FamilyOf(family_);
  const Gdiplus::Font font(family.get(), PixelSize(style.Size), FontStyleOf(style.Bold),
                           Gdiplus::UnitPixel);
  const double w = Measure(s, font);
  const FontMetrics m = MetricsFor(style.Size, style.Bold);
  double dx = 0.0;
  if (style.H == chart::HAlign::Centre) dx = -w / 2;
  if (style.H == chart::HAlign::Right) dx = -w;
  double baseline = 0.0;  // from the anchor down to the baseline
  switch (style.V) {
    case chart::VAlign::Top:
      baseline = m.Ascent;
      break;
    case chart::VAlign::Middle:
      baseline = (m.Ascent - m.Descent) / 2;
      break;
    case chart::VAlign::Baseline:
      break;
    case chart::VAlign::Bottom:
      baseline = -m.Descent;
      break;
  }
  // GDI+ draws from the top of the line, the baseline one ascent below it.
  const double top = baseline - m.Ascent;
  const Gdiplus::SolidBrush brush(ToColor(style.Colour));
  const Gdiplus::StringFormat* format = Gdiplus::StringFormat::GenericTypographic();
  if (style.Vertical) {
    const Gdiplus::GraphicsState saved = graphics_.Save();
    graphics_.TranslateTransform(static_cast<Gdiplus::REAL>(anchor.X),
                                 static_cast<Gdiplus::REAL>(anchor.Y));
    graphics_.RotateTransform(-90.0F);
    graphics_.DrawString(s.c_str(), static_cast<INT>(s.size()), &font, ToPoint({dx, top}), format,
                         &brush);
    graphics_.Restore(saved);
  } else {
    graphics_.DrawString(s.c_str(), static_cast<INT>(s.size()), &font,
                         ToPoint({anchor.X + dx, anchor.Y + top}), format, &brush);
  }
}

void GdiplusCanvas::PushClip(const chart::Rect& r) {
  clips_.push_back(graphics_.Save());
  const auto ok = [](double v) { return static_cast<Gdiplus::REAL>(std::isfinite(v) ? v : 0.0); };
  graphics_.IntersectClip(
      Gdiplus::RectF(ok(r.X), ok(r.Y), std::max(0.0F, ok(r.W)), std::max(0.0F, ok(r.H))));
}

void GdiplusCanvas::PopClip() {
  // An unmatched pop must not restore a state the caller saved.
  if (clips_.empty()) return;
  graphics_.Restore(clips_.back());
  clips_.pop_back();
}

double GdiplusCanvas::TextWidth(std::string_view text, double size) const {
  if (text.empty()) return 0.0;
  const auto family = FamilyOf(family_);
  const Gdiplus::Font font(family.get(), PixelSize(size), Gdiplus::FontStyleRegular,
                           Gdiplus::UnitPixel);
  return Measure(env::win32::Widen(text), font);
}

}  // namespace win32ui
