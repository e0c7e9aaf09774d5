// Redrawing an Analysis-window-sized chart through the chart engine on QPainter (layout,
// grid, ticks, texts, three curves of 361 points and their min/max bands), against a bare
// QPainter that only strokes the same curves and band edges, already in pixels, on an image of
// the same size. The ratio is what the engine costs over drawing the data alone.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/xy_layout.h"
#include "qtui/qpainter_canvas.h"
#include "ratio_report.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 500;
constexpr int kPoints = 361;

chart::XyChart Powers() {
  chart::XyChart c;
  c.Title = "Powers over the round-trip phase";
  c.X = {"Round-trip phase", "deg", chart::Scale::Linear, 1.0, -180, 180, 90};
  c.Y = {"Power", "W"};
  const char* names[] = {"Incident", "Reflected", "Absorbed"};
  for (int k = 0; k < 3; ++k) {
    chart::Series s{names[k]};
    chart::Band b{std::string(names[k]) + " range"};
    b.Colour = k;
    for (int i = 0; i < kPoints; ++i) {
      const double ph = i - 180.0;
      const double wave = std::cos(ph * std::numbers::pi / 180.0);
      s.X.push_back(ph);
      s.Y.push_back(1000.0 - 300.0 * k + 100.0 * wave);
      b.X.push_back(ph);
      b.Lower.push_back(900.0 - 300.0 * k + 20.0 * wave);
      b.Upper.push_back(1100.0 - 300.0 * k - 20.0 * wave);
    }
    c.Lines.push_back(s);
    c.Bands.push_back(b);
  }
  c.Markers.push_back({"Operating point", 45.0, 1070.0});
  c.Targets.push_back({chart::Orientation::Horizontal, 500.0, "Design target"});
  return c;
}

void BM_ChartRedrawQPainter(benchmark::State& state) {
  const chart::XyChart c = Powers();
  const chart::Style style;
  QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const QFont font;
  for (auto _ : state) {
    img.fill(Qt::transparent);
    QPainter p(&img);
    qtui::QPainterCanvas canvas(p, font);
    chart::DrawXy(canvas, c, kWidth, kHeight, style);
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_ChartRedrawQPainter)->Unit(benchmark::kMillisecond);

void BM_BarePolylinesQPainter(benchmark::State& state) {
  const chart::XyChart c = Powers();
  // The same curves where the layout puts them, mapped once outside the loop.
  const chart::XyLayout layout = chart::LayoutXy(c, kWidth, kHeight, {}, chart::EstimateTextWidth);
  std::vector<QPolygonF> lines;
  const auto add = [&](const std::vector<double>& xs, const std::vector<double>& ys) {
    QPolygonF poly;
    for (std::size_t i = 0; i < xs.size(); ++i)
      poly.append(QPointF(layout.X.ToPixel(xs[i]), layout.Y.ToPixel(ys[i])));
    lines.push_back(poly);
  };
  for (const chart::Series& s : c.Lines) add(s.X, s.Y);
  for (const chart::Band& b : c.Bands) {
    add(b.X, b.Lower);
    add(b.X, b.Upper);
  }
  QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(QColor(31, 95, 168));
    pen.setWidthF(1.75);
    p.setPen(pen);
    for (const QPolygonF& l : lines) p.drawPolyline(l);
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_BarePolylinesQPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Images and fonts need the GUI application, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return bench::RunWithRatios(
      argc, argv, {{"BM_ChartRedrawQPainter", "BM_BarePolylinesQPainter", 1.0, "redraw"}});
}
