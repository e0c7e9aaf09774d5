#include <algorithm>
#include <cmath>

#include "chart/contour.h"

namespace chart {
namespace {

struct Vertex {
  double X;
  double Y;
  double Z;
};

// Keeps the piece of a convex polygon where sign * (z - level) >= 0, cutting its edges where
// the linear surface crosses the level.
std::vector<Vertex> ClipAt(const std::vector<Vertex>& poly, double level, double sign) {
  std::vector<Vertex> out;
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vertex& a = poly[i];
    const Vertex& b = poly[(i + 1) % n];
    const double da = sign * (a.Z - level);
    const double db = sign * (b.Z - level);
    if (da >= 0.0) out.push_back(a);
    if ((da >= 0.0) != (db >= 0.0)) {
      const double t = da / (da - db);
      out.push_back({a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y), level});
    }
  }
  return out;
}

std::size_t BandOf(double z, const std::vector<double>& levels) {
  // The band [levels[k], levels[k + 1]), the top one closed; levels.size() - 1 for none.
  const std::size_t nb = levels.size() - 1;
  if (!(z >= levels.front()) || !(z <= levels.back())) return nb;
  const auto it = std::upper_bound(levels.begin(), levels.end(), z);
  return std::min(static_cast<std::size_t>(it - levels.begin()) - 1, nb - 1);
}

void AddTriangle(const Vertex& a, const Vertex& b, const Vertex& c,
                 const std::vector<double>& levels,
                 std::vector<std::vector<std::vector<Point>>>& bands) {
  const double lo = std::min({a.Z, b.Z, c.Z});
  const double hi = std::max({a.Z, b.Z, c.Z});
  const std::size_t nb = levels.size() - 1;
  for (std::size_t k = 0; k < nb; ++k) {
    if (hi < levels[k] || lo > levels[k + 1]) continue;
    std::vector<Vertex> poly = {a, b, c};
    if (lo < levels[k]) poly = ClipAt(poly, levels[k], 1.0);
    if (hi > levels[k + 1]) poly = ClipAt(poly, levels[k + 1], -1.0);
    if (poly.size() < 3) continue;
    std::vector<Point> ring;
    for (const Vertex& v : poly) ring.push_back({v.X, v.Y});
    bands[k].push_back(std::move(ring));
  }
}

}  // namespace

bool MainDiagonal(double z00, double z11) { return std::isfinite(z00) && std::isfinite(z11); }

bool Grid::Valid() const {
  if (X.size() < 2 || Y.size() < 2 || Z.size() != X.size() * Y.size()) return false;
  for (const auto* axis : {&X, &Y})
    for (std::size_t i = 0; i < axis->size(); ++i) {
      if (!std::isfinite((*axis)[i])) return false;
      if (i > 0 && !((*axis)[i] > (*axis)[i - 1])) return false;
    }
  return true;
}

std::vector<std::vector<std::vector<Point>>> FilledBands(const Grid& g,
                                                         const std::vector<double>& levels) {
  if (levels.size() < 2 || !g.Valid()) return {};
  for (std::size_t k = 0; k < levels.size(); ++k)
    if (!std::isfinite(levels[k]) || (k > 0 && !(levels[k] > levels[k - 1]))) return {};
  std::vector<std::vector<std::vector<Point>>> bands(levels.size() - 1);
  const std::size_t nb = levels.size() - 1;
  const std::size_t nx = g.X.size();
  for (std::size_t j = 0; j + 1 < g.Y.size(); ++j) {
    // Whole cells of one band next to each other in a row become one rectangle, so that a
    // smooth map does not carry a polygon per cell.
    std::size_t runStart = 0, runBand = nb;
    const auto flush = [&](std::size_t end) {
      if (runBand < nb)
        bands[runBand].push_back({{g.X[runStart], g.Y[j]},
                                  {g.X[end], g.Y[j]},
                                  {g.X[end], g.Y[j + 1]},
                                  {g.X[runStart], g.Y[j + 1]}});
      runBand = nb;
    };
    for (std::size_t i = 0; i + 1 < nx; ++i) {
      const Vertex v00{g.X[i], g.Y[j], g.At(i, j)};
      const Vertex v10{g.X[i + 1], g.Y[j], g.At(i + 1, j)};
      const Vertex v11{g.X[i + 1], g.Y[j + 1], g.At(i + 1, j + 1)};
      const Vertex v01{g.X[i], g.Y[j + 1], g.At(i, j + 1)};
      const std::size_t b = BandOf(v00.Z, levels);
      const bool whole = b < nb && BandOf(v10.Z, levels) == b && BandOf(v11.Z, levels) == b &&
                         BandOf(v01.Z, levels) == b;
      if (whole && b == runBand) continue;
      flush(i);
      if (whole) {
        runStart = i;
        runBand = b;
        continue;
      }
      // A triangle with a corner that has no value stays empty. The cell is cut along the
      // diagonal that keeps such a corner in one triangle only, so that the rim of a region
      // without values (the unit circle of a reflection map) loses half a cell, not a whole.
      const auto finite = [](const Vertex& v) { return std::isfinite(v.Z); };
      if (MainDiagonal(v00.Z, v11.Z)) {
        if (finite(v00) && finite(v10) && finite(v11)) AddTriangle(v00, v10, v11, levels, bands);
        if (finite(v00) && finite(v11) && finite(v01)) AddTriangle(v00, v11, v01, levels, bands);
      } else {
        if (finite(v00) && finite(v10) && finite(v01)) AddTriangle(v00, v10, v01, levels, bands);
        if (finite(v10) && finite(v11) && finite(v01)) AddTriangle(v10, v11, v01, levels, bands);
      }
    }
    flush(nx - 1);
  }
  return bands;
}

double ValueAt(const Grid& g, double x, double y) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  if (!g.Valid() || !(x >= g.X.front() && x <= g.X.back()) ||
      !(y >= g.Y.front() && y <= g.Y.back()))
    return nan;
  const auto cell = [](const std::vector<double>& a, double v) {
    const auto it = std::upper_bound(a.begin(), a.end(), v);
    return std::min(static_cast<std::size_t>(std::max<std::ptrdiff_t>(it - a.begin() - 1, 0)),
                    a.size() - 2);
  };
  const std::size_t i = cell(g.X, x);
  const std::size_t j = cell(g.Y, y);
  const double u = (x - g.X[i]) / (g.X[i + 1] - g.X[i]);
  const double v = (y - g.Y[j]) / (g.Y[j + 1] - g.Y[j]);
  const double z00 = g.At(i, j), z10 = g.At(i + 1, j), z11 = g.At(i + 1, j + 1),
               z01 = g.At(i, j + 1);
  // The same triangles the bands are cut from.
  if (MainDiagonal(z00, z11)) {
    if (v <= u) return z00 + u * (z10 - z00) + v * (z11 - z10);
    return z00 + v * (z01 - z00) + u * (z11 - z01);
  }
  // On the diagonal itself both triangles agree where both have values.
  if (u + v < 1.0 || (u + v == 1.0 && std::isfinite(z00)))
    return z00 + u * (z10 - z00) + v * (z01 - z00);
  return z11 + (1.0 - u) * (z01 - z11) + (1.0 - v) * (z10 - z11);
}

}  // namespace chart
