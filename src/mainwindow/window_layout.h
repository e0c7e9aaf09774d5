#pragma once

#include <functional>
#include <string_view>

#include "mainwindow/design.h"

// How the design reaches the screen: where the window opens, design pixels to screen pixels,
// labels sized to their captions, radio buttons in their group and the font size that lets
// every caption fit.
namespace mainwindow {

// A rectangle in screen pixels.
struct ScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

struct WindowPosition {
  int Left = 0;
  int Top = 0;
};

// Where the window opens. A first start (no settings file yet) centres it in the work area;
// later starts put it where the user left it, moved just as far as needed to lie wholly in the
// work area (its left and top edges win when it is larger than the area).
WindowPosition PlaceWindow(bool firstStart, WindowPosition stored, int width, int height,
                           const ScreenRect& workArea);

// The design is drawn at 120 pixels per inch; every design coordinate reaches the screen
// through this one conversion, rounded to the nearest pixel.
int ScaleDesignPx(int designPx, double dotsPerInch);
inline constexpr double kDesignDotsPerInch = 120.0;

// A horizontal extent in screen pixels.
struct Extent {
  int Left = 0;
  int Width = 0;
};

// A label sizes itself to its caption: a left-aligned one grows from its left edge; a centred
// or right-aligned one is never narrower than its design width and grows about its centre or
// back from its right edge. Design extent already scaled to the screen.
Extent PlaceLabelText(TextAlign align, int left, int width, int textWidth);

// The cell of one button of a radio group of `count` items in `columns` columns, filled
// column by column, in the group's own pixels. The caption line takes the top; the rows share
// the height below it, the remainder split above and below; the margins follow the font (8
// pixels left and 2 right at the design's 15-pixel text height).
ScreenRect RadioButtonRect(int index, int count, int columns, int groupWidth, int groupHeight,
                           int textHeight);

// Whether every left-aligned label's caption fits its design width in a font whose caption
// widths (screen pixels) `textWidth` gives, at this resolution. A substitute font wider than
// the design's steps down in size until this holds.
bool LabelCaptionsFit(const std::function<int(std::string_view)>& textWidth, double dotsPerInch);

// The font size from the design's down to three quarters of it: the first that `fits`, else the
// smallest. A substitute font wider than the design's steps down so.
int StepDownFontSize(int designSize, const std::function<bool(int size)>& fits);

}  // namespace mainwindow
