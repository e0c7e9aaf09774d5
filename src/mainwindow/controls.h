#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/control_kinds.h"

// The window's controls as plain value records. The logic touches controls only through
// these values; properties that carry an event rule are assigned through one method each.
namespace mainwindow {

enum class TColor { clBtnFace, clYellow, clWhite };
std::string_view ColorName(TColor c);  // "clBtnFace", "clYellow", "clWhite"

// What every control has.
struct ControlBase {
  bool Enabled = true;
  bool Visible = true;
  std::string Hint;  // "tooltip|long hint"
};

struct GroupBox : ControlBase {
  std::string Caption;
  TColor Color = TColor::clBtnFace;
};

struct Label : ControlBase {
  std::string Caption;
  TColor Color = TColor::clBtnFace;
};

struct Panel : ControlBase {
  std::string Caption;
  TColor Color = TColor::clBtnFace;
};

// Assigning Text from code raises nothing; OnExit is raised by the focus model of TForm1.
struct Edit : ControlBase {
  std::string Text;
  TColor Color = TColor::clYellow;
};

// A pick-only combo box. Assigning ItemIndex from code raises nothing.
struct DropDown : ControlBase {
  std::vector<std::string> Items;
  TColor Color = TColor::clBtnFace;

  std::int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(std::int32_t index);  // outside the items: -1 (nothing selected)

 private:
  std::int32_t itemIndex_ = -1;
};

// A spinner bound to an edit. Assigning Position from code clamps and raises nothing.
struct UpDown : ControlBase {
  std::int32_t Min = 0;
  std::int32_t Max = 100;
  std::int32_t Increment = 1;
  bool Wrap = false;
  std::string Associate;  // name of the edit it steps

  std::int32_t Position() const { return position_; }
  void SetPosition(std::int32_t position);  // clamped to Min..Max
  // One user step: moves by Increment; a wrapping up-down passing an end lands on the
  // opposite limit, a non-wrapping one stops at the limit. Returns whether Position changed.
  bool Step(bool up);

 private:
  std::int32_t position_ = 0;
};

// Assigning a different Checked state raises OnClick inside the assignment.
struct CheckBox : ControlBase {
  std::string Caption;
  std::function<void()> OnClick;

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 private:
  bool checked_ = false;
};

// Assigning a different item (0 or above) raises OnClick inside the assignment; -1 clears
// silently; below -1 becomes -1 and beyond the last item the last item, before comparing.
struct RadioGroup : ControlBase {
  std::string Caption;
  std::vector<std::string> Items;
  std::int32_t Columns = 1;
  std::function<void()> OnClick;

  std::int32_t ItemIndex() const { return itemIndex_; }
  void SetItemIndex(std::int32_t index);

 private:
  std::int32_t itemIndex_ = -1;
};

struct Button : ControlBase {
  std::string Caption;  // "&" marks the mnemonic
  bool Default = false;
};

struct TabSheet : ControlBase {
  std::string Caption;
};

struct PageControl : ControlBase {
  std::string ActivePage;  // name of the active tab sheet
};

// The kind of each control record, for lists generated from the records' types.

}  // namespace mainwindow
