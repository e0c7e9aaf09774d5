#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "mainwindow/controls.h"

// Where the keyboard focus goes: the Tab cycle, the up-down an edit's arrow keys step and the
// button a radio group takes the focus at. Each binding maps these names onto its own widgets.
namespace mainwindow {

class TForm1;

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

// A radio group holds the focus at its selected button (`index`), else at its first (of
// `buttons`, at least one).
std::size_t FocusButtonOfRadioGroup(std::int32_t index, std::size_t buttons);

}  // namespace mainwindow
