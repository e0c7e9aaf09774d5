#pragma once

#include <span>
#include <string>
#include <string_view>

#include "mainwindow/form.h"

// What assistive technology reads for the window's controls. A listener cannot see which
// caption stands beside an edit or which unit a cell paints, so every input is named after its
// own caption and unit ("Anode voltage, V"), every unit list and up-down after the quantity it
// serves, and every result cell after its row and column with its value and unit
// ("Incident power, actual value: 992.32 W"). Both bindings read the texts from here.
namespace mainwindow {

enum class AccessibleRole {
  Input,     // an edit or the check box: named after its caption (and unit)
  UnitList,  // a drop-down list choosing the unit of an input or a mismatch
  UpDown,    // the arrows stepping an edit
  Cell,      // a panel showing a result, or a mismatch panel showing its own value
};

struct AccessibleControl {
  std::string_view Control;
  AccessibleRole Role;
};

// Every control that carries an accessible name of its own, in design order. Buttons, radio
// groups, group boxes and tab sheets are named by their own captions and are not listed.
std::span<const AccessibleControl> AccessibleControls();

// The control's accessible name as the window shows it now; empty for a control not listed.
// A cell's name is its quantity alone ("Incident power, actual value"), which stays put while
// its value changes.
std::string AccessibleName(const TForm1& f, std::string_view control);

// A cell's value and unit as a listener hears them ("992.32 W"; a plain magnitude has no
// unit); empty for anything but a cell.
std::string AccessibleCellValue(const TForm1& f, std::string_view control);

// A cell's name and value in one sentence ("Incident power, actual value: 992.32 W"); empty
// for anything but a cell.
std::string AccessibleValueText(const TForm1& f, std::string_view control);

// The names of an up-down's two arrows ("Magnetron efficiency, step up"); empty for anything
// but an up-down.
std::string StepArrowName(const TForm1& f, std::string_view updown, bool up);

// The label that names an input on the screen (its buddy), or empty.
std::string_view CaptionLabelOf(std::string_view control);

// The value label inside a cell, or empty (a cell that shows its value itself, anything else).
std::string_view ValueLabelOf(std::string_view cell);

// "Power to Match" -> "Power to match": words after the first lose their initial capital
// unless they are acronyms or units ("dB", "SWR"); runs of spaces and a trailing colon go.
std::string SentenceCase(std::string_view caption, bool keepFirst = true);

}  // namespace mainwindow
