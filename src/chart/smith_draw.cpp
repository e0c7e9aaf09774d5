#include <array>
#include <cmath>
#include <numbers>

#include "chart/draw_util.h"
#include "chart/smith_chart.h"
#include "chart/texts.h"
#include "chart/ticks.h"

namespace chart {
namespace {

constexpr double kMarkerRadius = 4.5;
constexpr int kCircleSamples = 180;
constexpr std::array<double, 5> kGridValues = {0.2, 0.5, 1.0, 2.0, 5.0};

std::vector<Reflection> CirclePoints(Reflection centre, double radius, int samples) {
  std::vector<Reflection> pts;
  for (int i = 0; i <= samples; ++i) {
    const double a = 2.0 * std::numbers::pi * i / samples;
    pts.push_back(centre + std::polar(radius, a));
  }
  return pts;
}

std::vector<Point> ToPixels(const SmithLayout& L, const std::vector<Reflection>& g) {
  std::vector<Point> out;
  out.reserve(g.size());
  for (const Reflection r : g) {
    const Point p = GammaToPixel(L, r);
    out.push_back({ClampPixel(p.X), ClampPixel(p.Y)});
  }
  return out;
}

void StrokeInDisk(Canvas& c, const SmithLayout& L, const std::vector<Reflection>& curve,
                  const Stroke& s) {
  for (const auto& run : ClipToDisk(curve)) {
    if (run.size() == 1)
      DrawDot(c, GammaToPixel(L, run.front()), s.Width, s.Colour);
    else
      c.Polyline(ToPixels(L, run), s);
  }
}

void DrawGrid(Canvas& c, const SmithLayout& L, const Style& s) {
  const Palette& p = s.Colours;
  const Stroke grid{p.Grid, 1.0, Dash::Solid};
  c.BeginGroup("grid");
  c.BeginGroup("resistance");
  for (const double r : kGridValues)
    StrokeInDisk(c, L, CirclePoints({r / (1.0 + r), 0.0}, 1.0 / (1.0 + r), kCircleSamples), grid);
  c.EndGroup();
  c.BeginGroup("reactance");
  for (const double x : kGridValues)
    for (const double sign : {1.0, -1.0})
      StrokeInDisk(c, L, CirclePoints({1.0, sign / x}, 1.0 / x, 4 * kCircleSamples), grid);
  c.Line(GammaToPixel(L, {-1.0, 0.0}), GammaToPixel(L, {1.0, 0.0}), grid);
  c.EndGroup();
  c.BeginGroup("unit-circle");
  c.Polyline(ToPixels(L, CirclePoints({0.0, 0.0}, 1.0, 2 * kCircleSamples)),
             {p.Axis, 1.5, Dash::Solid});
  c.EndGroup();
  c.EndGroup();
}

void DrawGridLabels(Canvas& c, const SmithLayout& L, const Style& s) {
  const Palette& p = s.Colours;
  c.BeginGroup("grid-labels");
  const Point shortCircuit = GammaToPixel(L, {-1.0, 0.0});
  c.Text({shortCircuit.X - 3.0, shortCircuit.Y}, "0",
         {p.MutedText, s.TickSize, HAlign::Right, VAlign::Middle});
  const Point openCircuit = GammaToPixel(L, {1.0, 0.0});
  c.Text({openCircuit.X + 3.0, openCircuit.Y}, kOpenCircuit,
         {p.MutedText, s.TickSize, HAlign::Left, VAlign::Middle});
  for (const double r : kGridValues) {
    const Point at = GammaToPixel(L, {(r - 1.0) / (r + 1.0), 0.0});
    c.Text({at.X + 2.0, at.Y - 2.0}, TickLabel(r, 0.1),
           {p.MutedText, s.TickSize, HAlign::Left, VAlign::Bottom});
  }
  for (const double x : kGridValues)
    for (const double sign : {1.0, -1.0}) {
      // Where the reactance arc meets the unit circle, labelled just outside it.
      const std::complex<double> z{0.0, sign * x};
      const Reflection g = (z - 1.0) / (z + 1.0);
      const Point at = GammaToPixel(L, g * 1.04);
      const HAlign h = g.real() > 0.05    ? HAlign::Left
                       : g.real() < -0.05 ? HAlign::Right
                                          : HAlign::Centre;
      const VAlign v = sign > 0 ? VAlign::Bottom : VAlign::Top;
      c.Text(at, (sign > 0 ? "j" : "-j") + TickLabel(x, 0.1), {p.MutedText, s.TickSize, h, v});
    }
  c.EndGroup();
}

}  // namespace

void DrawSmith(Canvas& c, const SmithChart& chart, const SmithLayout& L, const Style& s) {
  const Palette& p = s.Colours;
  c.BeginGroup("smith-chart");
  c.BeginGroup("background");
  c.FillRect({0, 0, L.Width, L.Height}, p.Background);
  c.FillPolygon(ToPixels(L, CirclePoints({0.0, 0.0}, 1.0, 2 * kCircleSamples)), p.PlotBackground);
  c.EndGroup();
  if (!chart.Title.empty()) {
    c.BeginGroup("title");
    c.Text({L.Width / 2, s.Pad}, chart.Title,
           {p.Text, s.TitleSize, HAlign::Centre, VAlign::Top, true});
    c.EndGroup();
  }

  if (!chart.Annuli.empty()) {
    c.BeginGroup("annuli");
    for (std::size_t i = 0; i < chart.Annuli.size(); ++i) {
      const SmithAnnulus& a = chart.Annuli[i];
      if (!std::isfinite(a.Inner) || !std::isfinite(a.Outer)) continue;
      const double r0 = std::clamp(std::min(a.Inner, a.Outer), 0.0, 1.0);
      const double r1 = std::clamp(std::max(a.Inner, a.Outer), 0.0, 1.0);
      if (!(r1 > r0)) continue;
      c.BeginGroup("annulus:" + a.Name);
      std::vector<std::vector<Point>> rings = {
          ToPixels(L, CirclePoints({0.0, 0.0}, r1, 2 * kCircleSamples))};
      if (r0 > 0.0) rings.push_back(ToPixels(L, CirclePoints({0.0, 0.0}, r0, 2 * kCircleSamples)));
      const Color colour = SeriesColour(p, a.Colour >= 0 ? a.Colour : static_cast<int>(i));
      c.FillRings(rings, BandFill(colour));
      for (const auto& ring : rings) c.Polyline(ring, {colour, 1.0, Dash::Solid});
      c.EndGroup();
    }
    c.EndGroup();
  }
  DrawGrid(c, L, s);
  DrawGridLabels(c, L, s);

  if (!chart.Circles.empty()) {
    c.BeginGroup("circles");
    for (std::size_t i = 0; i < chart.Circles.size(); ++i) {
      const SmithCircle& k = chart.Circles[i];
      if (!std::isfinite(k.Centre.real()) || !std::isfinite(k.Centre.imag()) ||
          !std::isfinite(k.Radius) || !(k.Radius >= 0.0))
        continue;
      c.BeginGroup("circle:" + k.Name);
      const Color colour = SeriesColour(p, k.Colour >= 0 ? k.Colour : static_cast<int>(i));
      StrokeInDisk(c, L, CirclePoints(k.Centre, k.Radius, 2 * kCircleSamples),
                   {colour, 1.5, k.Style});
      c.EndGroup();
    }
    c.EndGroup();
  }
  if (!chart.Loci.empty()) {
    c.BeginGroup("loci");
    for (std::size_t i = 0; i < chart.Loci.size(); ++i) {
      const SmithLocus& l = chart.Loci[i];
      c.BeginGroup("locus:" + l.Name);
      StrokeInDisk(
          c, L, l.Gamma,
          {SeriesColour(p, l.Colour >= 0 ? l.Colour : static_cast<int>(i)), l.Width, l.Style});
      c.EndGroup();
    }
    c.EndGroup();
  }
  if (!chart.Points.empty()) {
    c.BeginGroup("points");
    for (const SmithPoint& pt : chart.Points) {
      const Reflection g = pt.Gamma;
      if (!std::isfinite(g.real()) || !std::isfinite(g.imag()) || std::abs(g) > 1.0 + 1e-9)
        continue;
      c.BeginGroup("point:" + pt.Name);
      DrawMarker(c, GammaToPixel(L, g), kMarkerRadius, pt.Shape,
                 pt.Colour >= 0 ? SeriesColour(p, pt.Colour) : p.Marker, p.Background);
      c.EndGroup();
    }
    c.EndGroup();
  }
  DrawLegend(c, L.Legend, s);
  c.EndGroup();
}

}  // namespace chart
