#include "chart/smith_hover.h"

#include <cmath>
#include <numbers>

#include "chart/draw_util.h"
#include "chart/texts.h"

namespace chart {
namespace {

bool HasZ0(const SmithChart& c) { return std::isfinite(c.Z0) && c.Z0 > 0.0; }

}  // namespace

SmithReadout HoverSmith(const SmithChart& chart, const SmithLayout& L, Point p,
                        double maxDistance) {
  SmithReadout out;
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !(L.Radius > 0.0)) return out;
  const double z0 = HasZ0(chart) ? chart.Z0 : 1.0;
  const Reflection under = PixelToGamma(L, p);
  if (std::abs(under) <= 1.0) {
    out.InChart = true;
    out.PointerGamma = under;
    out.PointerImpedance = ImpedanceOf(under, z0);
  }
  double best = maxDistance * maxDistance * (1.0 + 1e-12);
  const auto offer = [&](const std::string& name, Reflection g) {
    if (!std::isfinite(g.real()) || !std::isfinite(g.imag()) || std::abs(g) > 1.0 + 1e-9) return;
    const Point at = GammaToPixel(L, g);
    const double d2 = (at.X - p.X) * (at.X - p.X) + (at.Y - p.Y) * (at.Y - p.Y);
    if (!(d2 < best)) return;
    best = d2;
    out.Found = true;
    out.Series = name;
    out.Gamma = g;
    out.Impedance = ImpedanceOf(g, z0);
    out.At = at;
  };
  for (const SmithPoint& pt : chart.Points) offer(pt.Name, pt.Gamma);
  for (const SmithLocus& l : chart.Loci)
    for (const Reflection g : l.Gamma) offer(l.Name, g);
  return out;
}

std::string ReflectionText(const SmithChart& chart, Reflection g) {
  const double mag = std::abs(g);
  const double deg = std::arg(g) * 180.0 / std::numbers::pi;
  // Built piece by piece: chains of string sums trip a false overlap warning in GCC 12 at -O3.
  std::string s(kReflection);
  s.append(" = ");
  s.append(ReadoutNumber(mag));
  s.append(" \u2220 ");
  s.append(ReadoutNumber(mag == 0.0 ? 0.0 : deg));
  s.append(kDegree);
  s.append("\n");
  const bool ohms = HasZ0(chart);
  const std::complex<double> z = ImpedanceOf(g, ohms ? chart.Z0 : 1.0);
  s.append(ohms ? kImpedance : kNormalisedImpedance);
  s.append(" = ");
  s.append(ReadoutNumber(z.real()));
  if (!std::isinf(z.real())) {
    s.append(z.imag() < 0.0 ? " - " : " + ");
    s.append(kImaginaryUnit);
    s.append(ReadoutNumber(std::fabs(z.imag())));
  }
  if (ohms) {
    s.append(" ");
    s.append(kOhm);
  }
  return s;
}

std::string ReadoutText(const SmithChart& chart, const SmithReadout& r) {
  if (!r.Found) return {};
  std::string s = r.Series;
  if (!s.empty()) s.append("\n");
  s.append(ReflectionText(chart, r.Gamma));
  return s;
}

}  // namespace chart
