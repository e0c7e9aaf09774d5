#pragma once

#include <array>

#include "chart/canvas.h"

// The chart colours for a light and for a dark window; the binding picks one from the
// window's own palette.
namespace chart {

struct Palette {
  Color Background;
  Color PlotBackground;
  Color Text;       // titles, tick labels, legend, notes
  Color MutedText;  // axis titles and the colour-scale labels
  Color Axis;
  Color Grid;
  Color MinorGrid;
  Color Target;  // target lines and their labels (drawn as text too)
  Color Marker;  // the operating point
  std::array<Color, 6> Series;
  std::array<Color, 5> Ramp;  // a contour map's colour scale, low to high
};

const Palette& LightPalette();
const Palette& DarkPalette();

// Series colour i, repeating when there are more series than colours.
Color SeriesColour(const Palette& p, int i);
// A band's fill: its series colour, translucent so the curves beneath show.
Color BandFill(Color c);
// The colour at t in [0, 1] along the palette's ramp.
Color RampColour(const Palette& p, double t);

// The contrast ratio of two opaque colours as the web accessibility guidelines define it,
// 1 to 21; readable body text needs at least 4.5.
double ContrastRatio(Color a, Color b);

}  // namespace chart
