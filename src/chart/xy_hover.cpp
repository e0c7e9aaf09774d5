#include "chart/xy_hover.h"

#include <cmath>

#include "chart/draw_util.h"
#include "chart/texts.h"

namespace chart {
namespace {

struct Best {
  double Dist2;
  XyReadout* Out;
  void Offer(const std::string& name, double x, double y, const XyLayout& L, Point p) {
    const double px = L.X.ToPixel(x);
    const double py = L.Y.ToPixel(y);
    if (!std::isfinite(px) || !std::isfinite(py)) return;
    const double d2 = (px - p.X) * (px - p.X) + (py - p.Y) * (py - p.Y);
    if (!(d2 < Dist2)) return;
    Dist2 = d2;
    Out->Found = true;
    Out->Series = name;
    Out->X = x;
    Out->Y = y;
    Out->At = {px, py};
  }
  void OfferAll(const std::string& name, const std::vector<double>& xs,
                const std::vector<double>& ys, const XyLayout& L, Point p) {
    const std::size_t n = std::min(xs.size(), ys.size());
    for (std::size_t i = 0; i < n; ++i) Offer(name, xs[i], ys[i], L, p);
  }
};

}  // namespace

XyReadout HoverXy(const XyChart& chart, const XyLayout& L, Point p, double maxDistance) {
  XyReadout out;
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !L.Plot.Contains(p)) return out;
  out.InPlot = true;
  out.PointerX = L.X.FromPixel(p.X);
  out.PointerY = L.Y.FromPixel(p.Y);
  Best best{maxDistance * maxDistance * (1.0 + 1e-12), &out};
  // Markers first: on a tie the operating point wins over the curve it sits on.
  for (const Marker& m : chart.Markers) best.Offer(m.Name, m.X, m.Y, L, p);
  for (const Series& s : chart.Lines) best.OfferAll(s.Name, s.X, s.Y, L, p);
  for (const Band& b : chart.Bands) {
    best.OfferAll(b.Name + " (" + std::string(kBandLower) + ")", b.X, b.Lower, L, p);
    best.OfferAll(b.Name + " (" + std::string(kBandUpper) + ")", b.X, b.Upper, L, p);
  }
  return out;
}

std::string ReadoutText(const XyChart& chart, const XyReadout& r) {
  if (!r.Found) return {};
  std::string s = r.Series;
  const auto line = [&s](const Axis& a, double v) {
    if (!s.empty()) s += '\n';
    const std::string t = AxisTitle(a);
    if (!t.empty()) s += t + ": ";
    s += ReadoutNumber(v);
  };
  line(chart.X, r.X);
  line(chart.Y, r.Y);
  return s;
}

}  // namespace chart
