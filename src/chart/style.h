#pragma once

#include "chart/palette.h"

// Colours and text sizes a chart is drawn with; the binding fills in the desktop's sizes.
namespace chart {

struct Style {
  Palette Colours = LightPalette();
  double TitleSize = 14.0;
  double TextSize = 12.0;  // axis titles, legend, notes
  double TickSize = 11.0;
  double Pad = 8.0;  // free space at the picture's edges and between its elements
};

}  // namespace chart
