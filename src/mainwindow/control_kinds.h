#pragma once

#include <cstddef>
#include <string_view>

// The window's control kinds, one row each: the kind, its record type, whether it can hold the
// keyboard focus (when enabled and visible), whether Tab stops on it, how a message names one,
// and the driver's list of its readable properties. Every per-kind fact is read from here.
#define MAINWINDOW_CONTROL_KINDS(X)                                            \
  X(Form, FormProps, false, false, "the window", kFormProps)                   \
  X(GroupBox, GroupBox, false, false, "a group box", kCaptionColorProps)       \
  X(Label, Label, false, false, "a label", kCaptionColorProps)                 \
  X(Edit, Edit, true, true, "an edit", kEditProps)                             \
  X(DropDown, DropDown, true, true, "a drop-down list", kDropDownProps)        \
  X(UpDown, UpDown, true, false, "an up-down", kUpDownProps)                   \
  X(CheckBox, CheckBox, true, true, "a check box", kCheckBoxProps)             \
  X(RadioGroup, RadioGroup, true, true, "a radio group", kRadioGroupProps)     \
  X(Button, Button, true, true, "a button", kButtonProps)                      \
  X(Panel, Panel, false, false, "a panel", kCaptionColorProps)                 \
  X(PageControl, PageControl, true, true, "a page control", kPageControlProps) \
  X(TabSheet, TabSheet, false, false, "a tab sheet", kTabSheetProps)

namespace mainwindow {

enum class ControlKind {
#define MAINWINDOW_KIND_ENUM(kind, type, focus, tabStop, phrase, props) kind,
  MAINWINDOW_CONTROL_KINDS(MAINWINDOW_KIND_ENUM)
#undef MAINWINDOW_KIND_ENUM
};

struct KindTraits {
  std::string_view Name;  // "Edit"
  bool TakesFocus;
  bool TabStop;
  std::string_view Phrase;  // "an edit"
};

inline constexpr KindTraits kKindTraits[] = {
#define MAINWINDOW_KIND_TRAITS(kind, type, focus, tabStop, phrase, props) \
  {#kind, focus, tabStop, phrase},
    MAINWINDOW_CONTROL_KINDS(MAINWINDOW_KIND_TRAITS)
#undef MAINWINDOW_KIND_TRAITS
};

constexpr const KindTraits& TraitsOf(ControlKind k) {
  return kKindTraits[static_cast<std::size_t>(k)];
}
constexpr std::string_view KindName(ControlKind k) { return TraitsOf(k).Name; }
constexpr bool KindTakesFocus(ControlKind k) { return TraitsOf(k).TakesFocus; }
// Tab moves between these; an up-down is reached only through the edit it steps.
constexpr bool KindIsTabStop(ControlKind k) { return TraitsOf(k).TabStop; }
constexpr std::string_view KindPhrase(ControlKind k) { return TraitsOf(k).Phrase; }

}  // namespace mainwindow
