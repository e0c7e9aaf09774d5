// The chart engine drawn through QPainter into images: pictures that are not blank, in the
// palette's colours, with clips and text alignment kept.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "chart/contour.h"
#include "chart/palette.h"
#include "chart/smith_chart.h"
#include "chart/xy_layout.h"
#include "qtui/qpainter_canvas.h"

Q_DECLARE_METATYPE(const chart::Palette*)

namespace {

QImage Blank(int w, int h, QColor fill = Qt::transparent) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(fill);
  return img;
}

int PixelsNotEqualTo(const QImage& img, QRgb colour) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != colour) ++n;
  return n;
}

bool Near(QRgb a, chart::Color b, int tol) {
  return std::abs(qRed(a) - b.R) <= tol && std::abs(qGreen(a) - b.G) <= tol &&
         std::abs(qBlue(a) - b.B) <= tol;
}

int PixelsNear(const QImage& img, chart::Color c, int tol) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (Near(img.pixel(x, y), c, tol)) ++n;
  return n;
}

chart::XyChart Powers() {
  chart::XyChart c;
  c.Title = "Powers";
  c.X = {"Round-trip phase", "deg", chart::Scale::Linear, 1.0, -180, 180, 90};
  c.Y = {"Power", "W"};
  for (int k = 0; k < 3; ++k) {
    chart::Series s{k == 0 ? "Incident" : k == 1 ? "Reflected" : "Absorbed"};
    for (int i = 0; i <= 360; ++i) {
      s.X.push_back(i - 180.0);
      s.Y.push_back(1000.0 - 300.0 * k + 100.0 * std::cos((i - 180.0) * std::numbers::pi / 180.0));
    }
    c.Lines.push_back(s);
    c.Bands.push_back({"",
                       {-180, 180},
                       {900.0 - 300 * k, 900.0 - 300 * k},
                       {1100.0 - 300 * k, 1100.0 - 300 * k},
                       k});
  }
  c.Markers.push_back({"Operating point", 45.0, 1070.0});
  return c;
}

QRgb Rgb(chart::Color c) { return qRgb(c.R, c.G, c.B); }

}  // namespace

class ChartCanvasTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void xyChartIsDrawnInThePalette_data() {
    QTest::addColumn<const chart::Palette*>("palette");
    QTest::newRow("light") << &chart::LightPalette();
    QTest::newRow("dark") << &chart::DarkPalette();
  }
  void xyChartIsDrawnInThePalette() {
    QFETCH(const chart::Palette*, palette);
    QImage img = Blank(800, 500);
    chart::Style style;
    style.Colours = *palette;
    {
      QPainter p(&img);
      qtui::QPainterCanvas canvas(p, QFont());
      chart::DrawXy(canvas, Powers(), 800, 500, style);
    }
    QCOMPARE(img.pixel(1, 1), Rgb(palette->Background));
    // Curves, bands, grid and texts cover a good share of the picture.
    QVERIFY(PixelsNotEqualTo(img, Rgb(palette->Background)) > 800 * 500 / 20);
    // Each curve in its own colour.
    for (int k = 0; k < 3; ++k)
      QVERIFY(PixelsNear(img, palette->Series[static_cast<std::size_t>(k)], 8) > 200);
    // Texts in the palette's text colour.
    QVERIFY(PixelsNear(img, palette->Text, 24) > 100);
  }

  void smithChartAndContourMapAreNotBlank() {
    chart::SmithChart s;
    s.Points.push_back({"Load", {0.3, 0.2}});
    s.Circles.push_back({"SWR 2", {0, 0}, 1.0 / 3.0});
    chart::ContourMap m;
    m.ReflectionPlane = true;
    for (int i = 0; i <= 20; ++i) m.Values.X.push_back(-1.0 + 0.1 * i);
    m.Values.Y = m.Values.X;
    for (double y : m.Values.Y)
      for (double x : m.Values.X)
        m.Values.Z.push_back(x * x + y * y <= 1 ? x : std::numeric_limits<double>::quiet_NaN());
    for (int kind = 0; kind < 2; ++kind) {
      QImage img = Blank(500, 400);
      {
        QPainter p(&img);
        qtui::QPainterCanvas canvas(p, QFont());
        if (kind == 0)
          chart::DrawSmith(canvas, s, 500, 400, {});
        else
          chart::DrawContour(canvas, m, 500, 400, {});
      }
      QVERIFY(PixelsNotEqualTo(img, Rgb(chart::LightPalette().Background)) > 500 * 400 / 50);
      // The map's lowest band is drawn in the ramp's first colour.
      if (kind == 1) QVERIFY(PixelsNear(img, chart::LightPalette().Ramp[0], 16) > 100);
    }
  }

  void clipKeepsDrawingInside() {
    QImage img = Blank(200, 200, Qt::white);
    {
      QPainter p(&img);
      qtui::QPainterCanvas canvas(p, QFont());
      canvas.PushClip({10, 10, 50, 50});
      canvas.FillRect({0, 0, 200, 200}, {255, 0, 0, 255});
      canvas.PopClip();
      canvas.PopClip();  // unmatched: ignored
      canvas.FillRect({150, 150, 20, 20}, {0, 0, 255, 255});
    }
    QCOMPARE(img.pixel(30, 30), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(100, 100), qRgb(255, 255, 255));
    QCOMPARE(img.pixel(160, 160), qRgb(0, 0, 255));
  }

  void clipLeftOpenEndsWithTheCanvas() {
    QImage img = Blank(100, 100, Qt::white);
    QPainter p(&img);
    {
      qtui::QPainterCanvas canvas(p, QFont());
      canvas.PushClip({0, 0, 10, 10});
    }
    p.fillRect(0, 0, 100, 100, Qt::black);
    p.end();
    QCOMPARE(img.pixel(50, 50), qRgb(0, 0, 0));
  }

  void textIsAlignedOnItsAnchor_data() {
    QTest::addColumn<int>("align");
    QTest::newRow("left") << 0;
    QTest::newRow("centre") << 1;
    QTest::newRow("right") << 2;
  }
  void textIsAlignedOnItsAnchor() {
    QFETCH(int, align);
    QImage img = Blank(400, 100, Qt::white);
    {
      QPainter p(&img);
      qtui::QPainterCanvas canvas(p, QFont());
      canvas.Text({200, 50}, "MMMM",
                  {{0, 0, 0, 255}, 20.0, static_cast<chart::HAlign>(align), chart::VAlign::Middle});
    }
    int minX = 400, maxX = -1, minY = 100, maxY = -1;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 400; ++x)
        if (qRed(img.pixel(x, y)) < 128) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
          minY = std::min(minY, y);
          maxY = std::max(maxY, y);
        }
    QVERIFY(maxX > minX);
    const double mid = (minX + maxX) / 2.0;
    if (align == 0) QVERIFY(minX >= 198 && minX <= 205);
    if (align == 1) QVERIFY(std::abs(mid - 200.0) <= 4.0);
    if (align == 2) QVERIFY(maxX <= 202 && maxX >= 195);
    // Capitals centred on the anchor's height.
    QVERIFY(std::abs((minY + maxY) / 2.0 - 50.0) <= 4.0);
  }

  void textWidthFollowsTheFont() {
    QImage img = Blank(10, 10);
    QPainter p(&img);
    qtui::QPainterCanvas canvas(p, QFont());
    QCOMPARE(canvas.TextWidth("", 12), 0.0);
    QVERIFY(canvas.TextWidth("-180", 12) > canvas.TextWidth("0", 12));
    QVERIFY(canvas.TextWidth("100", 24) > 1.5 * canvas.TextWidth("100", 12));
  }

  void nonFiniteGeometryDrawsNothing() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QImage img = Blank(50, 50, Qt::white);
    {
      QPainter p(&img);
      qtui::QPainterCanvas canvas(p, QFont());
      const std::vector<chart::Point> line = {{0, 0}, {nan, 20}, {40, 40}};
      canvas.Polyline(line, {{0, 0, 0, 255}, 3.0, chart::Dash::Solid});
      canvas.FillPolygon(line, {0, 0, 0, 255});
      canvas.Text({nan, 10}, "x", {{0, 0, 0, 255}, 12.0});
    }
    QCOMPARE(PixelsNotEqualTo(img, qRgb(255, 255, 255)), 0);
  }
};

QTEST_MAIN(ChartCanvasTest)
#include "chart_canvas_test.moc"
