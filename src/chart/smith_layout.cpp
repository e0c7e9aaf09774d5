#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/draw_util.h"
#include "chart/smith_chart.h"

namespace chart {
namespace {

bool Finite(Reflection g) { return std::isfinite(g.real()) && std::isfinite(g.imag()); }
bool OnChart(Reflection g) { return Finite(g) && std::abs(g) <= 1.0 + 1e-9; }

Color PaletteColour(const Palette& p, int idx, int own) {
  return SeriesColour(p, idx >= 0 ? idx : own);
}

// Where the segment a->b meets the circle |g| = r, as the fraction along it in (0, 1).
double Crossing(Reflection a, Reflection b, double r) {
  const Reflection d = b - a;
  const double qa = std::norm(d);
  const double qb = 2.0 * (a.real() * d.real() + a.imag() * d.imag());
  const double qc = std::norm(a) - r * r;
  const double disc = std::max(0.0, qb * qb - 4.0 * qa * qc);
  const double s = std::sqrt(disc);
  // The root in [0, 1]: entering takes the smaller, leaving the larger.
  const double t1 = (-qb - s) / (2.0 * qa);
  const double t2 = (-qb + s) / (2.0 * qa);
  if (t1 >= 0.0 && t1 <= 1.0 && qc > 0.0) return t1;
  return std::clamp(t2, 0.0, 1.0);
}

}  // namespace

Point GammaToPixel(const SmithLayout& L, Reflection g) {
  return {L.Centre.X + L.Radius * g.real(), L.Centre.Y - L.Radius * g.imag()};
}

Reflection PixelToGamma(const SmithLayout& L, Point p) {
  if (!(L.Radius > 0.0)) return {std::nan(""), std::nan("")};
  return {(p.X - L.Centre.X) / L.Radius, (L.Centre.Y - p.Y) / L.Radius};
}

std::complex<double> ImpedanceOf(Reflection g, double z0) {
  const Reflection den = 1.0 - g;
  if (den == 0.0) return {std::numeric_limits<double>::infinity(), 0.0};
  return z0 * (1.0 + g) / den;
}

std::vector<std::vector<Reflection>> ClipToDisk(const std::vector<Reflection>& curve,
                                                double radius) {
  std::vector<std::vector<Reflection>> runs;
  std::vector<Reflection> run;
  const auto flush = [&] {
    if (!run.empty()) runs.push_back(std::move(run));
    run.clear();
  };
  const auto inside = [radius](Reflection g) { return std::abs(g) <= radius; };
  for (std::size_t i = 0; i < curve.size(); ++i) {
    const Reflection g = curve[i];
    if (!Finite(g)) {
      flush();
      continue;
    }
    const bool prevOk = i > 0 && Finite(curve[i - 1]);
    const Reflection prev = prevOk ? curve[i - 1] : g;
    if (inside(g)) {
      if (prevOk && !inside(prev)) run.push_back(prev + Crossing(prev, g, radius) * (g - prev));
      run.push_back(g);
    } else if (prevOk) {
      if (inside(prev)) {
        run.push_back(prev + Crossing(prev, g, radius) * (g - prev));
        flush();
      } else {
        // Both ends outside: the chord may still cut through the disk.
        const Reflection d = g - prev;
        const double qa = std::norm(d);
        const double qb = 2.0 * (prev.real() * d.real() + prev.imag() * d.imag());
        const double qc = std::norm(prev) - radius * radius;
        const double disc = qb * qb - 4.0 * qa * qc;
        if (qa > 0.0 && disc > 0.0) {
          const double t1 = (-qb - std::sqrt(disc)) / (2.0 * qa);
          const double t2 = (-qb + std::sqrt(disc)) / (2.0 * qa);
          if (t1 > 0.0 && t2 < 1.0) {
            runs.push_back({prev + t1 * d, prev + t2 * d});
          }
        }
      }
    }
  }
  flush();
  return runs;
}

SmithLayout LayoutSmith(const SmithChart& chart, double width, double height, const Style& style,
                        const TextMeasure& measure) {
  SmithLayout L;
  L.Width = std::isfinite(width) && width > 0.0 ? width : 0.0;
  L.Height = std::isfinite(height) && height > 0.0 ? height : 0.0;
  const Palette& p = style.Colours;
  for (std::size_t i = 0; i < chart.Annuli.size(); ++i) {
    const SmithAnnulus& a = chart.Annuli[i];
    if (a.Name.empty() || !std::isfinite(a.Inner) || !std::isfinite(a.Outer)) continue;
    L.Legend.push_back({a.Name, LegendKind::Band, PaletteColour(p, a.Colour, static_cast<int>(i))});
  }
  for (std::size_t i = 0; i < chart.Circles.size(); ++i) {
    const SmithCircle& c = chart.Circles[i];
    if (c.Name.empty() || !Finite(c.Centre) || !(c.Radius >= 0.0) || !std::isfinite(c.Radius))
      continue;
    L.Legend.push_back(
        {c.Name, LegendKind::Line, PaletteColour(p, c.Colour, static_cast<int>(i)), c.Style});
  }
  for (std::size_t i = 0; i < chart.Loci.size(); ++i) {
    const SmithLocus& l = chart.Loci[i];
    if (l.Name.empty() || std::none_of(l.Gamma.begin(), l.Gamma.end(), OnChart)) continue;
    L.Legend.push_back(
        {l.Name, LegendKind::Line, PaletteColour(p, l.Colour, static_cast<int>(i)), l.Style});
  }
  for (const SmithPoint& pt : chart.Points) {
    if (pt.Name.empty() || !OnChart(pt.Gamma)) continue;
    L.Legend.push_back({pt.Name, LegendKind::Marker,
                        pt.Colour >= 0 ? SeriesColour(p, pt.Colour) : p.Marker, Dash::Solid,
                        pt.Shape});
  }

  const double pad = style.Pad;
  const double top = pad + (chart.Title.empty() ? 0.0 : 1.5 * style.TitleSize);
  // Room for the reactance labels outside the circle.
  const double labelRoom = measure("-j0.5", style.TickSize) + 4.0;
  const LegendRoom legend = PlanLegend(L.Legend, L.Width, pad, 0.35, style, measure);
  const double availW = L.Width - 2.0 * pad - legend.RightWidth - 2.0 * labelRoom;
  const double availH = L.Height - top - pad - legend.BelowHeight - 2.0 * (style.TickSize + 4.0);
  L.Radius = std::max(0.0, std::min(availW, availH) / 2.0);
  L.Centre = {pad + labelRoom + availW / 2.0 + 0.0, top + style.TickSize + 4.0 + availH / 2.0};
  L.LegendBox = PlaceLegend(L.Legend, legend, L.Width, L.Height, top, pad, style, measure);
  return L;
}

SmithLayout DrawSmith(Canvas& canvas, const SmithChart& chart, double width, double height,
                      const Style& style) {
  const SmithLayout layout =
      LayoutSmith(chart, width, height, style,
                  [&canvas](std::string_view t, double size) { return canvas.TextWidth(t, size); });
  DrawSmith(canvas, chart, layout, style);
  return layout;
}

}  // namespace chart
