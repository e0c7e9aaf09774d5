#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "mainwindow/controls.h"

// The window's design: every control with its design values, keyed by name. TForm1 takes
// its initial control values from here and the Qt binding builds its widgets from here, so
// the layout lives in exactly one place.
namespace mainwindow {

enum class TextAlign { Left, Center, Right };

struct DesignEntry {
  std::string_view Name{};
  ControlKind Kind = ControlKind::Label;
  std::string_view Parent{};  // "Form1", a group box, a tab sheet, "pcResults", or a value cell
  // Design pixels at 120 pixels per inch, relative to the parent's client area.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int TabOrder = -1;           // -1: no place in the tab order (labels)
  std::string_view Caption{};  // caption, or an edit's design text
  std::vector<std::string_view> Items{};
  int ItemIndex = -1;  // drop-down lists and radio groups
  int Columns = 1;     // radio groups
  bool Checked = false;
  TColor Color = TColor::clBtnFace;
  bool Visible = true;
  std::string_view Hint{};
  // Up-downs.
  int Min = 0;
  int Max = 0;
  int Increment = 1;
  int Position = 0;
  bool Wrap = false;
  std::string_view Associate{};
  bool Default = false;                   // the default button (Enter)
  TextAlign Alignment = TextAlign::Left;  // label text, or a panel's own caption
  bool SunkenCell = false;                // panel with a lowered inner bevel
  std::string_view ActivePage{};          // page control: design active sheet
};

// Every control of the window exactly once, in declaration order (Form1 not included).
std::span<const DesignEntry> DesignTable();
const DesignEntry* FindDesign(std::string_view name);

// The window itself.
struct FormDesign {
  std::string_view Caption;
  int Left, Top, ClientWidth, ClientHeight;
  std::string_view FontName;
  int FontHeightPx;  // at 120 pixels per inch
};
const FormDesign& Form1Design();

}  // namespace mainwindow
