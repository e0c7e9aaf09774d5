#pragma once

#include <cstdint>

#include "mainwindow/controls.h"

// The design's colours. The button face is the desktop's own; the others the design fixes.
namespace mainwindow {

// Whether the design fixes this background whatever the desktop's colours (the yellow inputs,
// the white value cells). Text on such a background is drawn in the design's window-text
// colour, black; on the button face it follows the desktop, so both read on any theme.
bool DesignFixesBackground(TColor background);

struct Rgb {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
};

// A colour the design fixes (DesignFixesBackground), as red, green and blue.
Rgb DesignRgb(TColor fixed);
// The design's window-text colour, drawn on every background it fixes.
inline constexpr Rgb kDesignTextRgb{0, 0, 0};

}  // namespace mainwindow
