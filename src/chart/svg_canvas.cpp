#include "chart/svg_canvas.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/markup.h"

namespace chart {
namespace {

// Coordinates to a hundredth of a pixel, shortest form: "12", "12.5", "-0.25".
void AppendNumber(std::string& out, double v) {
  double r = std::round(v * 100.0) / 100.0;
  if (r == 0.0) r = 0.0;  // no "-0"
  std::array<char, 32> buf{};
  const auto res =
      std::to_chars(buf.data(), buf.data() + buf.size(), r, std::chars_format::fixed, 2);
  std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
  while (s.ends_with('0')) s.remove_suffix(1);
  if (s.ends_with('.')) s.remove_suffix(1);
  out += s;
}

void AppendColour(std::string& out, const char* attr, const char* opacityAttr, Color c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += ' ';
  out += attr;
  out += "=\"#";
  for (const std::uint8_t v : {c.R, c.G, c.B}) {
    out += kHex[v >> 4];
    out += kHex[v & 15];
  }
  out += '"';
  if (c.A != 255) {
    out += ' ';
    out += opacityAttr;
    out += "=\"";
    AppendNumber(out, c.A / 255.0);
    out += '"';
  }
}

bool Finite(Point p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

SvgCanvas::SvgCanvas(double width, double height, std::string fontFamily)
    : width_(std::isfinite(width) && width > 0.0 ? width : 0.0),
      height_(std::isfinite(height) && height > 0.0 ? height : 0.0),
      font_(text::MarkupEscaped(fontFamily)) {}

void SvgCanvas::BeginGroup(std::string_view name) {
  body_ += "<g data-name=\"";
  body_ += text::MarkupEscaped(name);
  body_ += "\">\n";
  open_.push_back(Open::Group);
}

void SvgCanvas::EndGroup() {
  // Closes only a group: a group ended inside an unfinished clip keeps the clip balanced.
  if (open_.empty() || open_.back() != Open::Group) return;
  open_.pop_back();
  body_ += "</g>\n";
}

void SvgCanvas::Polyline(std::span<const Point> points, const Stroke& stroke) {
  if (points.size() < 2) return;
  for (const Point& p : points)
    if (!Finite(p)) return;
  body_ += "<polyline points=\"";
  bool first = true;
  for (const Point& p : points) {
    if (!first) body_ += ' ';
    first = false;
    AppendNumber(body_, p.X);
    body_ += ',';
    AppendNumber(body_, p.Y);
  }
  body_ += "\" fill=\"none\"";
  AppendColour(body_, "stroke", "stroke-opacity", stroke.Colour);
  body_ += " stroke-width=\"";
  AppendNumber(body_, stroke.Width);
  body_ += "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"";
  if (stroke.Style != Dash::Solid) {
    body_ += " stroke-dasharray=\"";
    const double w = stroke.Width > 0.0 ? stroke.Width : 1.0;
    AppendNumber(body_, stroke.Style == Dash::Dashed ? 5.0 * w : w);
    body_ += ' ';
    AppendNumber(body_, stroke.Style == Dash::Dashed ? 3.0 * w : 2.0 * w);
    body_ += '"';
  }
  body_ += "/>\n";
}

void SvgCanvas::FillRings(std::span<const std::vector<Point>> rings, Color fill) {
  std::string d;
  for (const auto& ring : rings) {
    if (ring.size() < 3) continue;
    bool ok = true;
    for (const Point& p : ring) ok = ok && Finite(p);
    if (!ok) continue;
    char cmd = 'M';
    for (const Point& p : ring) {
      d += cmd;
      cmd = 'L';
      AppendNumber(d, p.X);
      d += ',';
      AppendNumber(d, p.Y);
    }
    d += 'Z';
  }
  if (d.empty()) return;
  body_ += "<path d=\"";
  body_ += d;
  body_ += '"';
  AppendColour(body_, "fill", "fill-opacity", fill);
  body_ += " fill-rule=\"evenodd\"/>\n";
}

void SvgCanvas::Text(Point anchor, std::string_view text, const TextStyle& style) {
  if (!Finite(anchor) || text.empty()) return;
  // The shift from the anchor to the baseline is written into the coordinates: renderers
  // disagree on dominant-baseline, and some ignore it.
  double shift = 0.0;
  switch (style.V) {
    case VAlign::Top:
      shift = 0.8 * style.Size;
      break;
    case VAlign::Middle:
      shift = 0.35 * style.Size;
      break;
    case VAlign::Baseline:
      shift = 0.0;
      break;
    case VAlign::Bottom:
      shift = -0.22 * style.Size;
      break;
  }
  const Point at =
      style.Vertical ? Point{anchor.X + shift, anchor.Y} : Point{anchor.X, anchor.Y + shift};
  body_ += "<text x=\"";
  AppendNumber(body_, at.X);
  body_ += "\" y=\"";
  AppendNumber(body_, at.Y);
  body_ += "\" font-size=\"";
  AppendNumber(body_, style.Size);
  body_ += '"';
  if (style.Bold) body_ += " font-weight=\"bold\"";
  body_ += " text-anchor=\"";
  body_ += style.H == HAlign::Left ? "start" : style.H == HAlign::Centre ? "middle" : "end";
  body_ += '"';
  AppendColour(body_, "fill", "fill-opacity", style.Colour);
  if (style.Vertical) {
    body_ += " transform=\"rotate(-90 ";
    AppendNumber(body_, at.X);
    body_ += ' ';
    AppendNumber(body_, at.Y);
    body_ += ")\"";
  }
  body_ += '>';
  body_ += text::MarkupEscaped(text);
  body_ += "</text>\n";
}

void SvgCanvas::PushClip(const Rect& r) {
  const std::string id = "clip" + std::to_string(++clipCount_);
  // Inside defs: a renderer without clip paths then draws nothing for it, not a black box.
  body_ += "<defs><clipPath id=\"" + id + "\"><rect x=\"";
  AppendNumber(body_, std::isfinite(r.X) ? r.X : 0.0);
  body_ += "\" y=\"";
  AppendNumber(body_, std::isfinite(r.Y) ? r.Y : 0.0);
  body_ += "\" width=\"";
  AppendNumber(body_, std::isfinite(r.W) && r.W > 0.0 ? r.W : 0.0);
  body_ += "\" height=\"";
  AppendNumber(body_, std::isfinite(r.H) && r.H > 0.0 ? r.H : 0.0);
  body_ += "\"/></clipPath></defs>\n<g clip-path=\"url(#" + id + ")\">\n";
  open_.push_back(Open::Clip);
}

void SvgCanvas::PopClip() {
  // Groups left open inside the clip end with it, so the document stays well formed.
  while (!open_.empty() && open_.back() == Open::Group) {
    open_.pop_back();
    body_ += "</g>\n";
  }
  if (open_.empty()) return;
  open_.pop_back();
  body_ += "</g>\n";
}

std::string SvgCanvas::Document() const {
  std::string doc = "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
  AppendNumber(doc, width_);
  doc += "\" height=\"";
  AppendNumber(doc, height_);
  doc += "\" viewBox=\"0 0 ";
  AppendNumber(doc, width_);
  doc += ' ';
  AppendNumber(doc, height_);
  doc += "\" font-family=\"" + font_ + "\">\n";
  doc += body_;
  for (std::size_t i = 0; i < open_.size(); ++i) doc += "</g>\n";
  doc += "</svg>\n";
  return doc;
}

}  // namespace chart
