#include "chart/palette.h"

#include <algorithm>
#include <cmath>

namespace chart {
namespace {

constexpr Color Rgb(unsigned v) {
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v), 255};
}

double Channel(std::uint8_t c) {
  const double s = c / 255.0;
  return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double Luminance(Color c) {
  return 0.2126 * Channel(c.R) + 0.7152 * Channel(c.G) + 0.0722 * Channel(c.B);
}

// A viridis-like ramp: rising lightness that stays readable for colour-blind viewers.
constexpr std::array<Color, 5> kRamp = {Rgb(0x440154), Rgb(0x3b528b), Rgb(0x21918c), Rgb(0x5ec962),
                                        Rgb(0xfde725)};

}  // namespace

const Palette& LightPalette() {
  static const Palette p{
      .Background = Rgb(0xffffff),
      .PlotBackground = Rgb(0xffffff),
      .Text = Rgb(0x1f1f1f),
      .MutedText = Rgb(0x505050),
      .Axis = Rgb(0x404040),
      .Grid = Rgb(0xd9d9d9),
      .MinorGrid = Rgb(0xefefef),
      .Target = Rgb(0xa3154a),
      .Marker = Rgb(0x000000),
      .Series = {Rgb(0x1f5fa8), Rgb(0xc2410c), Rgb(0x2e7d32), Rgb(0x7b3fa0), Rgb(0x8a6d00),
                 Rgb(0x00838f)},
      .Ramp = kRamp,
  };
  return p;
}

const Palette& DarkPalette() {
  static const Palette p{
      .Background = Rgb(0x1e1e1e),
      .PlotBackground = Rgb(0x252526),
      .Text = Rgb(0xe8e8e8),
      .MutedText = Rgb(0xb8b8b8),
      .Axis = Rgb(0xa0a0a0),
      .Grid = Rgb(0x404040),
      .MinorGrid = Rgb(0x303030),
      .Target = Rgb(0xff8fb1),
      .Marker = Rgb(0xffffff),
      .Series = {Rgb(0x6cb4ff), Rgb(0xffa25c), Rgb(0x7bd389), Rgb(0xc89bf0), Rgb(0xf0d050),
                 Rgb(0x4fd6e0)},
      .Ramp = kRamp,
  };
  return p;
}

Color SeriesColour(const Palette& p, int i) {
  const int n = static_cast<int>(p.Series.size());
  return p.Series[static_cast<std::size_t>(((i % n) + n) % n)];
}

Color BandFill(Color c) {
  c.A = 64;
  return c;
}

Color RampColour(const Palette& p, double t) {
  if (!std::isfinite(t)) t = 0.0;
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(p.Ramp.size() - 1);
  const auto i = std::min(static_cast<std::size_t>(t), p.Ramp.size() - 2);
  const double f = t - static_cast<double>(i);
  const auto mix = [f](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
  };
  const Color a = p.Ramp[i];
  const Color b = p.Ramp[i + 1];
  return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B), 255};
}

double ContrastRatio(Color a, Color b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace chart
