#include "mainwindow/controls.h"

#include <cstddef>
#include <cstdint>

namespace mainwindow {

std::string_view ColorName(TColor c) {
  switch (c) {
    case TColor::clBtnFace:
      return "clBtnFace";
    case TColor::clYellow:
      return "clYellow";
    case TColor::clWhite:
      return "clWhite";
  }
  return "clBtnFace";
}

namespace {

// Index of the last item, -1 for an empty list; item lists are a handful of strings.
std::int32_t LastIndex(const std::vector<std::string>& items) {
  return static_cast<std::int32_t>(items.size()) - 1;
}

}  // namespace

void DropDown::SetItemIndex(std::int32_t index) {
  itemIndex_ = (index >= 0 && index <= LastIndex(Items)) ? index : -1;
}

void UpDown::SetPosition(std::int32_t position) {
  // Compared one bound at a time so that a design with Min above Max still gives a value.
  if (position < Min) position = Min;
  if (position > Max) position = Max;
  position_ = position;
}

bool UpDown::Step(bool up) {
  // 64-bit so that a step from near the 32-bit limits cannot overflow before the range test.
  const std::int64_t moved = static_cast<std::int64_t>(position_) + (up ? Increment : -Increment);
  std::int32_t next = 0;
  if (moved > Max) {
    next = Wrap ? Min : Max;
  } else if (moved < Min) {
    next = Wrap ? Max : Min;
  } else {
    next = static_cast<std::int32_t>(moved);
  }
  if (next == position_) return false;
  position_ = next;
  return true;
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (OnClick) OnClick();
}

void RadioGroup::SetItemIndex(std::int32_t index) {
  if (index < -1) index = -1;
  if (index > LastIndex(Items)) index = LastIndex(Items);
  if (index == -1) {
    itemIndex_ = -1;
    return;
  }
  if (index == itemIndex_) return;
  // Stored before the handler runs: the handler reads the new selection.
  itemIndex_ = index;
  if (OnClick) OnClick();
}

}  // namespace mainwindow
