#include "win32ui/gdiplus_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace win32ui {
namespace {

// One GDI+ session for the whole program: GDI+ caches its generic font families across
// sessions, so starting it per test would leave them dangling.
class GdiplusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { session_ = std::make_unique<GdiplusSession>(); }
  void TearDown() override { session_.reset(); }

 private:
  std::unique_ptr<GdiplusSession> session_;
};
[[maybe_unused]] ::testing::Environment* const kGdiplus =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

constexpr chart::Color kInk{0, 0, 0, 255};
constexpr chart::Color kRed{220, 0, 0, 255};

// A white bitmap to draw on and read back, pixel by pixel.
class Picture {
 public:
  Picture(int width, int height) : bitmap_(width, height, PixelFormat32bppARGB) {
    Gdiplus::Graphics g(&bitmap_);
    g.Clear(Gdiplus::Color(255, 255, 255, 255));
  }
  Gdiplus::Bitmap& Bitmap() { return bitmap_; }
  int Width() { return static_cast<int>(bitmap_.GetWidth()); }
  int Height() { return static_cast<int>(bitmap_.GetHeight()); }

  // Every pixel as 0xAARRGGBB, row by row.
  std::vector<std::uint32_t> Pixels() {
    Gdiplus::Rect all(0, 0, Width(), Height());
    Gdiplus::BitmapData data{};
    std::vector<std::uint32_t> out(static_cast<std::size_t>(Width() * Height()));
    if (bitmap_.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok) {
      return out;
    }
    for (int y = 0; y < Height(); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const char*>(data.Scan0) + y * data.Stride);
      for (int x = 0; x < Width(); ++x) out[static_cast<std::size_t>(y * Width() + x)] = row[x];
    }
    bitmap_.UnlockBits(&data);
    return out;
  }

 private:
  Gdiplus::Bitmap bitmap_;
};

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct InkBox {
  int Left = std::numeric_limits<int>::max();
  int Top = std::numeric_limits<int>::max();
  int Right = -1;
  int Bottom = -1;
  int Count = 0;
  bool Empty() const { return Count == 0; }
};

// Where anything but the white background was drawn.
InkBox InkOf(Picture& p) {
  const std::vector<std::uint32_t> px = p.Pixels();
  InkBox box;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (px[static_cast<std::size_t>(y * p.Width() + x)] == kWhite) continue;
      box.Left = std::min(box.Left, x);
      box.Right = std::max(box.Right, x);
      box.Top = std::min(box.Top, y);
      box.Bottom = std::max(box.Bottom, y);
      ++box.Count;
    }
  }
  return box;
}

std::uint32_t PixelAt(Picture& p, int x, int y) {
  return p.Pixels()[static_cast<std::size_t>(y * p.Width() + x)];
}

template <typename DrawFn>
InkBox Draw(Picture& p, DrawFn draw) {
  {
    Gdiplus::Graphics g(&p.Bitmap());
    GdiplusCanvas canvas(g, L"Segoe UI");
    draw(canvas);
  }
  return InkOf(p);
}

TEST(GdiplusCanvas, AChartFromTheEngineFillsTheBitmapWithAntialiasedInk) {
  chart::XyChart xy;
  xy.Title = "Absorbed power";
  xy.X.Title = "Round-trip phase";
  xy.X.Unit = "deg";
  xy.X.Min = -180.0;
  xy.X.Max = 180.0;
  xy.Y.Title = "Power";
  xy.Y.Unit = "W";
  chart::Series s;
  s.Name = "Pload";
  for (int deg = -180; deg <= 180; deg += 5) {
    s.X.push_back(deg);
    s.Y.push_back(1000.0 + 300.0 * std::cos(deg * 3.14159265358979 / 180.0));
  }
  xy.Lines.push_back(s);
  chart::Marker at;
  at.Name = "operating point";
  at.X = 90.0;
  at.Y = 1000.0;
  xy.Markers.push_back(at);
  Picture p(480, 320);
  Draw(p, [&](chart::Canvas& c) { chart::Draw(c, xy, 480, 320, chart::Style{}); });
  const std::vector<std::uint32_t> px = p.Pixels();
  std::size_t notBackground = 0;
  std::size_t greys = 0;  // neither paper nor full ink: antialiased edges
  const std::uint32_t background = px[0];
  for (std::uint32_t c : px) {
    if (c == background) continue;
    ++notBackground;
    const unsigned r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    if (r == g && g == b && r > 40 && r < 215) ++greys;
  }
  EXPECT_GT(notBackground, px.size() / 50) << "the chart left the bitmap nearly blank";
  EXPECT_GT(greys, 50u) << "no antialiased edges";
}

struct AlignCase {
  const char* Name;
  chart::HAlign H;
  chart::VAlign V;
};

class TextAlignment : public ::testing::TestWithParam<AlignCase> {};

// "HHHH" has no descender and fills its cap height, so its ink shows where the anchor went.
TEST_P(TextAlignment, InkStandsWhereTheAnchorSays) {
  const AlignCase& k = GetParam();
  constexpr int kX = 100;
  constexpr int kY = 50;
  Picture p(200, 100);
  chart::TextStyle style;
  style.Colour = kInk;
  style.Size = 20.0;
  style.H = k.H;
  style.V = k.V;
  const InkBox ink = Draw(p, [&](chart::Canvas& c) { c.Text({kX, kY}, "HHHH", style); });
  ASSERT_FALSE(ink.Empty());
  constexpr int kSlack = 2;  // antialiased edges and side bearings
  switch (k.H) {
    case chart::HAlign::Left:
      EXPECT_GE(ink.Left, kX - kSlack);
      break;
    case chart::HAlign::Centre:
      EXPECT_NEAR((ink.Left + ink.Right) / 2.0, kX, kSlack + 1);
      break;
    case chart::HAlign::Right:
      EXPECT_LE(ink.Right, kX + kSlack);
      break;
  }
  switch (k.V) {
    case chart::VAlign::Top:
      EXPECT_GE(ink.Top, kY - kSlack);
      break;
    case chart::VAlign::Middle:
      EXPECT_LT(ink.Top, kY);
      EXPECT_GT(ink.Bottom, kY);
      break;
    case chart::VAlign::Baseline:
    case chart::VAlign::Bottom:
      EXPECT_LE(ink.Bottom, kY + kSlack);
      EXPECT_LT(ink.Top, kY - 8);  // the letters rise above the anchor
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, TextAlignment,
    ::testing::Values(AlignCase{"LeftTop", chart::HAlign::Left, chart::VAlign::Top},
                      AlignCase{"CentreMiddle", chart::HAlign::Centre, chart::VAlign::Middle},
                      AlignCase{"RightBaseline", chart::HAlign::Right, chart::VAlign::Baseline},
                      AlignCase{"RightBottom", chart::HAlign::Right, chart::VAlign::Bottom},
                      AlignCase{"CentreTop", chart::HAlign::Centre, chart::VAlign::Top}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(GdiplusCanvas, MeasuredWidthIsTheWidthDrawn) {
  Picture p(300, 60);
  chart::TextStyle style;
  style.Colour = kInk;
  style.Size = 16.0;
  double measured = 0.0;
  const InkBox ink = Draw(p, [&](chart::Canvas& c) {
    measured = c.TextWidth("Reflected power", 16.0);
    c.Text({10, 40}, "Reflected power", style);
  });
  ASSERT_FALSE(ink.Empty());
  EXPECT_NEAR(ink.Right - ink.Left + 1, measured, 4.0);
}

TEST(GdiplusCanvas, TextWidthGrowsWithTextAndSize) {
  Picture p(10, 10);
  Draw(p, [&](chart::Canvas& c) {
    EXPECT_EQ(c.TextWidth("", 12.0), 0.0);
    const double one = c.TextWidth("W", 12.0);
    const double four = c.TextWidth("WWWW", 12.0);
    const double big = c.TextWidth("WWWW", 24.0);
    EXPECT_GT(one, 0.0);
    EXPECT_NEAR(four, 4 * one, one * 0.5);
    EXPECT_NEAR(big, 2 * four, four * 0.2);
    // A size the layout could not compute still measures as ordinary text.
    EXPECT_GT(c.TextWidth("W", std::numeric_limits<double>::quiet_NaN()), 0.0);
  });
}

TEST(GdiplusCanvas, VerticalTextReadsUpwardsFromTheAnchor) {
  Picture p(100, 200);
  chart::TextStyle style;
  style.Colour = kInk;
  style.Size = 16.0;
  style.Vertical = true;
  const InkBox ink = Draw(p, [&](chart::Canvas& c) { c.Text({50, 180}, "Power (W)", style); });
  ASSERT_FALSE(ink.Empty());
  EXPECT_GT(ink.Bottom - ink.Top, 2 * (ink.Right - ink.Left));
  EXPECT_LE(ink.Bottom, 182);  // it runs up from the anchor, not down
  EXPECT_LE(ink.Right, 52);    // its baseline at the anchor: the letters stand to its left
}

TEST(GdiplusCanvas, ClipsNestAndPopBack) {
  Picture p(100, 100);
  Draw(p, [&](chart::Canvas& c) {
    c.PushClip({10, 10, 60, 60});
    c.PushClip({40, 40, 60, 60});  // the intersection: 40..70
    c.FillRect({0, 0, 100, 100}, kRed);
    c.PopClip();
    c.PopClip();
    c.PopClip();  // one too many restores nothing the caller saved
    c.FillRect({90, 90, 10, 10}, kInk);
  });
  struct Probe {
    int X, Y;
    bool Painted;
  };
  const Probe probes[] = {{55, 55, true},  {20, 20, false}, {75, 55, false},
                          {55, 75, false}, {95, 95, true},  {5, 5, false}};
  for (const Probe& k : probes) {
    EXPECT_EQ(PixelAt(p, k.X, k.Y) != kWhite, k.Painted) << k.X << "," << k.Y;
  }
}

TEST(GdiplusCanvas, AnInnerRingIsAHole) {
  Picture p(100, 100);
  const std::vector<std::vector<chart::Point>> rings = {{{10, 10}, {90, 10}, {90, 90}, {10, 90}},
                                                        {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};
  Draw(p, [&](chart::Canvas& c) { c.FillRings(rings, kRed); });
  EXPECT_NE(PixelAt(p, 20, 50), kWhite);
  EXPECT_EQ(PixelAt(p, 50, 50), kWhite);
  EXPECT_EQ(PixelAt(p, 5, 5), kWhite);
}

struct DashCase {
  const char* Name;
  chart::Dash Style;
  bool Gaps;
};

class Dashes : public ::testing::TestWithParam<DashCase> {};

TEST_P(Dashes, BreakTheLineOnlyWhenAsked) {
  const DashCase& k = GetParam();
  Picture p(200, 20);
  Draw(p, [&](chart::Canvas& c) { c.Line({10, 10}, {190, 10}, {kInk, 2.0, k.Style}); });
  int gaps = 0;
  bool inked = false;
  for (int x = 15; x < 185; ++x) {
    const bool now = PixelAt(p, x, 10) != kWhite;
    if (inked && !now) ++gaps;
    inked = now;
  }
  EXPECT_EQ(gaps > 2, k.Gaps) << gaps << " gaps";
}

INSTANTIATE_TEST_SUITE_P(Styles, Dashes,
                         ::testing::Values(DashCase{"Solid", chart::Dash::Solid, false},
                                           DashCase{"Dashed", chart::Dash::Dashed, true},
                                           DashCase{"Dotted", chart::Dash::Dotted, true}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(GdiplusCanvas, NonFiniteInputDrawsNothing) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  Picture p(50, 50);
  chart::TextStyle style;
  style.Colour = kInk;
  const InkBox ink = Draw(p, [&](chart::Canvas& c) {
    const chart::Point line[] = {{5, 5}, {kNaN, 20}, {40, 40}};
    c.Polyline(line, {kInk, 1.0, chart::Dash::Solid});
    const chart::Point single[] = {{5, 5}};
    c.Polyline(single, {kInk, 1.0, chart::Dash::Solid});
    const chart::Point endless[] = {{5, 5}, {kInf, 5}, {40, 5}};
    c.FillPolygon(endless, kRed);
    c.Text({kNaN, 20}, "x", style);
    c.Text({20, 20}, "", style);
  });
  EXPECT_TRUE(ink.Empty());
}

}  // namespace
}  // namespace win32ui
