#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "mainwindow/controls.h"
#include "mainwindow/design.h"

// Rules that every face of the window needs and that no toolkit decides for us: where Tab
// goes, which up-down the arrow keys step, where the window opens, and how design pixels
// reach the screen. Each binding maps these names onto its own widgets.
namespace mainwindow {

class TForm1;

// Whether Tab and Shift+Tab stop at controls of this kind. Up-downs can hold the focus (a
// click on an arrow) but, like labels and panels, are passed over by Tab; a radio group is one
// stop (its selected button), the page control one (its tabs).

// Every tab stop of the design in the order Tab visits them: container by container from the
// window down, each container's children by their tab order. Ignores the controls' state.
const std::vector<std::string_view>& DesignTabCycle();

// The control that Tab (forward) or Shift+Tab (backward) moves the focus to from `current`:
// the next tab stop that is enabled and shown (its own Visible and every container's, and on
// a tab sheet only when that sheet is active), going round at either end. `current` may be any
// control or empty (then the first or last stop). Empty when no control can take the focus.
std::string_view NextTabStop(const TForm1& form, std::string_view current, bool forward);

// The up-down that the Up and Down keys step while the focus is in this edit, or empty.
std::string_view UpDownOfEdit(std::string_view edit);

// Whether the design fixes this background whatever the desktop's colours (the yellow inputs,
// the white value cells). Text on such a background is drawn in the design's window-text
// colour, black; on the button face it follows the desktop, so both read on any theme.
bool DesignFixesBackground(TColor background);

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

}  // namespace mainwindow
