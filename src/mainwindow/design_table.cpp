#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "mainwindow/design.h"

// The window as drawn at 120 pixels per inch. Labels size themselves to their caption; where
// only a label's position is fixed, its width is that of the caption in 15-pixel Segoe UI and
// its height 20. Column headings are instead as wide as their column's cells less 4 pixels and
// centre their caption, so each stands centred over its column.
//
// TabOrder numbers the windowed children of each container in declaration order; panels and
// tab sheets hold a place in that order but never take the focus. Labels have none (-1).
namespace mainwindow {
namespace {

// One control per entry reads better than one property per line.
// clang-format off

using K = ControlKind;

constexpr int kLabelHeight = 20;
constexpr int kCellHeight = 28;

// The caption a value cell or its inner label carries until the first evaluation.
constexpr std::string_view kValuePlaceholder = "0";
constexpr std::string_view kPowerUnitPlaceholder = "W";

DesignEntry Text(std::string_view name, std::string_view parent, int left, int top, int width,
                 std::string_view caption) {
  return {.Name = name, .Kind = K::Label, .Parent = parent, .Left = left, .Top = top,
          .Width = width, .Height = kLabelHeight, .Caption = caption};
}

DesignEntry Heading(std::string_view name, std::string_view parent, int left, int top, int width,
                    std::string_view caption) {
  DesignEntry e = Text(name, parent, left, top, width, caption);
  e.Alignment = TextAlign::Center;
  return e;
}

// A sunken white panel whose own caption (right-aligned) shows the unit of its value.
DesignEntry Cell(std::string_view name, std::string_view parent, int left, int top, int width,
                 int tabOrder, std::string_view unit) {
  return {.Name = name, .Kind = K::Panel, .Parent = parent, .Left = left, .Top = top,
          .Width = width, .Height = kCellHeight, .TabOrder = tabOrder, .Caption = unit,
          .Color = TColor::clWhite, .Alignment = TextAlign::Right, .SunkenCell = true};
}

// The value label inside a cell; white like the cell so the bevel stays unbroken.
DesignEntry Value(std::string_view name, std::string_view panel, int left) {
  return {.Name = name, .Kind = K::Label, .Parent = panel, .Left = left, .Top = 4, .Width = 9,
          .Height = kLabelHeight, .Caption = kValuePlaceholder, .Color = TColor::clWhite};
}

DesignEntry Input(std::string_view name, std::string_view parent, int left, int top, int width,
                  int tabOrder, std::string_view text) {
  return {.Name = name, .Kind = K::Edit, .Parent = parent, .Left = left, .Top = top, .Width = width,
          .Height = 28, .TabOrder = tabOrder, .Caption = text, .Color = TColor::clYellow};
}

DesignEntry List(std::string_view name, std::string_view parent, int left, int top, int tabOrder,
                 std::vector<std::string_view> items, int itemIndex) {
  return {.Name = name, .Kind = K::DropDown, .Parent = parent, .Left = left, .Top = top,
          .Width = 65, .Height = 28, .TabOrder = tabOrder, .Items = std::move(items),
          .ItemIndex = itemIndex};
}

DesignEntry Spinner(std::string_view name, std::string_view parent, int left, int top, int tabOrder,
                    int min, int max, int increment, int position, bool wrap,
                    std::string_view associate) {
  return {.Name = name, .Kind = K::UpDown, .Parent = parent, .Left = left, .Top = top, .Width = 20,
          .Height = 28, .TabOrder = tabOrder, .Min = min, .Max = max, .Increment = increment,
          .Position = position, .Wrap = wrap, .Associate = associate};
}

DesignEntry Sheet(std::string_view name, int tabOrder, std::string_view caption) {
  // The page control's area below its tab strip, inside a 4-pixel frame.
  return {.Name = name, .Kind = K::TabSheet, .Parent = "pcResults", .Left = 4, .Top = 30,
          .Width = 574, .Height = 172, .TabOrder = tabOrder, .Caption = caption};
}

std::vector<DesignEntry> BuildTable() {
  const std::string_view unitless;  // a factor in "Mag" has no unit
  const std::string_view w = kPowerUnitPlaceholder;
  return {
      {.Name = "gbMgInput", .Kind = K::GroupBox, .Parent = "Form1", .Left = 4, .Top = 4,
       .Width = 175, .Height = 114, .TabOrder = 0, .Caption = "Magnetron"},
      Text("lbAnodeV", "gbMgInput", 4, 24, 57, "Anode V"),
      Text("lbAnodeI", "gbMgInput", 4, 54, 56, "Anode  I"),
      Text("lbEffic", "gbMgInput", 4, 84, 63, "Efficiency"),
      Text("Label2", "gbMgInput", 148, 24, 9, "V"),
      Text("Label4", "gbMgInput", 148, 54, 10, "A"),
      Text("Label5", "gbMgInput", 148, 84, 12, "%"),
      Input("edAnodeV", "gbMgInput", 78, 20, 66, 0, "40000"),
      Input("edAnodeI", "gbMgInput", 78, 50, 66, 1, "0.3555"),
      Input("edEffic", "gbMgInput", 78, 80, 46, 2, "100"),
      Spinner("udEff", "gbMgInput", 124, 80, 3, 0, 100, 1, 100, true, "edEffic"),

      {.Name = "GroupBox4", .Kind = K::GroupBox, .Parent = "Form1", .Left = 188, .Top = 121,
       .Width = 222, .Height = 115, .TabOrder = 1, .Caption = "Load Reflection"},
      Text("Label1", "GroupBox4", 4, 24, 72, "Magnitude"),
      Text("Label3", "GroupBox4", 4, 54, 38, "Phase"),
      Text("lbLoaMism1", "GroupBox4", 4, 84, 64, "Mismatch"),
      Text("Label13", "GroupBox4", 147, 54, 26, "deg"),
      Input("edLoaMag", "GroupBox4", 80, 20, 66, 0, "edLoaMag"),
      List("cbLoaRfl", "GroupBox4", 153, 20, 1, {"Mag", "dB", "SWR"}, -1),
      Input("edLoaPha", "GroupBox4", 80, 51, 46, 2, "90"),
      {.Name = "pnlLoaMism", .Kind = K::Panel, .Parent = "GroupBox4", .Left = 80, .Top = 80,
       .Width = 66, .Height = kCellHeight, .TabOrder = 3, .Caption = kValuePlaceholder,
       .Color = TColor::clWhite, .Alignment = TextAlign::Center, .SunkenCell = true},
      Spinner("udLoaPha", "GroupBox4", 126, 51, 4, -180, 180, 5, 90, true, "edLoaPha"),
      List("cbLoaMism", "GroupBox4", 153, 80, 5, {"Mag", "dB", "%"}, -1),

      {.Name = "bEvaluate", .Kind = K::Button, .Parent = "Form1", .Left = 421, .Top = 209,
       .Width = 136, .Height = 28, .TabOrder = 2, .Caption = "&Evaluate",
       .Hint = "Compute results based on the current inputs|", .Default = true},
      {.Name = "bHelpHtm", .Kind = K::Button, .Parent = "Form1", .Left = 537, .Top = 105,
       .Width = 94, .Height = 28, .TabOrder = 3, .Caption = "&Help (HTML)",
       .Hint = "Open HTML5 Help|"},

      {.Name = "gbCpl", .Kind = K::GroupBox, .Parent = "Form1", .Left = 4, .Top = 121, .Width = 175,
       .Height = 115, .TabOrder = 4, .Caption = "Measurement Couplers"},
      Text("lbDire1", "gbCpl", 4, 66, 67, "Directivity"),
      Text("lbDb", "gbCpl", 152, 67, 18, "dB"),
      Input("edDire", "gbCpl", 79, 62, 52, 0, "20"),
      {.Name = "chIdeal", .Kind = K::CheckBox, .Parent = "gbCpl", .Left = 6, .Top = 29, .Width = 83,
       .Height = 17, .TabOrder = 1, .Caption = "Ideal", .Checked = true},
      Spinner("udDire", "gbCpl", 131, 62, 2, 0, 100, 1, 20, false, "edDire"),

      {.Name = "bClose", .Kind = K::Button, .Parent = "Form1", .Left = 565, .Top = 209, .Width = 66,
       .Height = 28, .TabOrder = 5, .Caption = "&Close", .Hint = "Terminate program execution|"},

      {.Name = "gbSrcRho", .Kind = K::GroupBox, .Parent = "Form1", .Left = 188, .Top = 4,
       .Width = 222, .Height = 114, .TabOrder = 6, .Caption = "Source Reflection"},
      Text("lbSrcMag", "gbSrcRho", 4, 24, 72, "Magnitude"),
      Text("lbSrcPha", "gbSrcRho", 4, 54, 38, "Phase"),
      Text("Label12", "gbSrcRho", 148, 54, 26, "deg"),
      Text("lbSrcMism1", "gbSrcRho", 4, 84, 64, "Mismatch"),
      Input("edSrcMag", "gbSrcRho", 80, 20, 66, 0, "0.9999"),
      Input("edSrcPha", "gbSrcRho", 80, 50, 46, 1, "180"),
      Spinner("udSrcPha", "gbSrcRho", 126, 50, 2, -180, 180, 5, 180, true, "edSrcPha"),
      List("cbSrcRfl", "gbSrcRho", 153, 20, 3, {"Mag", "dB", "SWR"}, 2),
      {.Name = "pnlSrcMism", .Kind = K::Panel, .Parent = "gbSrcRho", .Left = 80, .Top = 81,
       .Width = 66, .Height = kCellHeight, .TabOrder = 4, .Caption = kValuePlaceholder,
       .Color = TColor::clWhite, .Alignment = TextAlign::Center, .SunkenCell = true},
      List("cbSrcMism", "gbSrcRho", 153, 81, 5, {"Mag", "dB", "%"}, 0),

      {.Name = "gbMgOutput", .Kind = K::GroupBox, .Parent = "Form1", .Left = 417, .Top = 4,
       .Width = 220, .Height = 82, .TabOrder = 7, .Caption = "Magnetron Output"},
      Text("lbAvailPow1", "gbMgOutput", 4, 54, 106, "Available Power"),
      Text("lbPmatch1", "gbMgOutput", 4, 24, 103, "Power to Match"),
      Cell("pnlPavUnit", "gbMgOutput", 118, 50, 96, 0, w),
      Value("lbPav", "pnlPavUnit", 2),
      Cell("pnlPmatchUnit", "gbMgOutput", 118, 20, 96, 1, w),
      Value("lbPmatch2", "pnlPmatchUnit", 2),

      {.Name = "pcResults", .Kind = K::PageControl, .Parent = "Form1", .Left = 4, .Top = 244,
       .Width = 582, .Height = 206, .TabOrder = 8, .ActivePage = "tsPowMeas"},

      Sheet("tsTransm", 0, "Transmission"),
      Text("lbPinc1", "tsTransm", 0, 84, 98, "Incident Power"),
      Text("lbPrefl1", "tsTransm", 0, 114, 106, "Reflected Power"),
      Text("lbPload1", "tsTransm", 0, 144, 108, "Absorbed Power"),
      Text("lbTrGain1", "tsTransm", 0, 54, 107, "Transducer Gain"),
      Text("lbInterf1", "tsTransm", 0, 24, 123, "Interference Factor"),
      Heading("Label27", "tsTransm", 228, 0, 92, "Min Value"),
      Heading("Label28", "tsTransm", 329, 0, 92, "Max Value"),
      Heading("Label38", "tsTransm", 127, 0, 92, "Actual Value"),
      Cell("pnlPincUnit", "tsTransm", 125, 80, 96, 0, w),
      Value("lbPinc2", "pnlPincUnit", 4),
      Cell("pnlPreflUnit", "tsTransm", 125, 110, 96, 1, w),
      Value("lbPrefl2", "pnlPreflUnit", 4),
      Cell("pnlPloadUnit", "tsTransm", 125, 140, 96, 2, w),
      Value("lbPload2", "pnlPloadUnit", 4),
      Cell("pnlPincMinUnit", "tsTransm", 226, 80, 96, 3, w),
      Value("lbPincMin2", "pnlPincMinUnit", 4),
      Cell("pnlPincMaxUnit", "tsTransm", 327, 80, 96, 4, w),
      Value("lbPincMax2", "pnlPincMaxUnit", 4),
      Cell("pnlPrefMinUnit", "tsTransm", 226, 110, 96, 5, w),
      Value("lbPrefMin2", "pnlPrefMinUnit", 4),
      Cell("pnlPrefMaxUnit", "tsTransm", 327, 110, 96, 6, w),
      Value("lbPrefMax2", "pnlPrefMaxUnit", 4),
      Cell("pnlTrGainUn", "tsTransm", 125, 50, 96, 7, unitless),
      Value("lbTrGain2", "pnlTrGainUn", 4),
      // One pixel right of and two above its column and row, as drawn.
      Cell("pnlIfcUn", "tsTransm", 126, 18, 96, 8, unitless),
      Value("lbInterf2", "pnlIfcUn", 4),
      Cell("pnlIfcMinUn", "tsTransm", 226, 20, 96, 9, unitless),
      Value("lbIntMin2", "pnlIfcMinUn", 4),
      Cell("pnlIfcMaxUn", "tsTransm", 327, 20, 96, 10, unitless),
      Value("lbIntMax2", "pnlIfcMaxUn", 4),
      Cell("pnlTrGminU", "tsTransm", 226, 50, 96, 11, unitless),
      Value("lbTrGmin", "pnlTrGminU", 4),
      Cell("pnlTrGmaxU", "tsTransm", 327, 50, 96, 12, unitless),
      Value("lbTrGmax", "pnlTrGmaxU", 4),
      Cell("pnlPloadMinU", "tsTransm", 226, 140, 96, 13, w),
      Value("lbPloadMin", "pnlPloadMinU", 4),
      Cell("pnlPloadMaxU", "tsTransm", 327, 140, 96, 14, w),
      Value("lbPloadMax", "pnlPloadMaxU", 4),
      {.Name = "rgTransmMagUnit", .Kind = K::RadioGroup, .Parent = "tsTransm", .Left = 439,
       .Top = 0, .Width = 72, .Height = 92, .TabOrder = 15, .Caption = "Unit",
       .Items = {"Mag", "%", "dB"}, .ItemIndex = 0},

      Sheet("tsPowMeas", 1, "Power Meas"),
      Text("lbPinc3", "tsPowMeas", 0, 24, 54, "Incident"),
      Text("lbPrefl3", "tsPowMeas", 0, 54, 61, "Reflected"),
      Text("lbPload3", "tsPowMeas", 0, 84, 63, "Absorbed"),
      Heading("Label22", "tsPowMeas", 72, 0, 92, "True Value"),
      Heading("Label23", "tsPowMeas", 172, 0, 92, "Min Meas"),
      Heading("Label24", "tsPowMeas", 272, 0, 92, "Max Meas"),
      Heading("Label25", "tsPowMeas", 372, 0, 92, "Min Error"),
      Heading("Label26", "tsPowMeas", 472, 0, 92, "Max Error"),
      Cell("pnlPincVunit", "tsPowMeas", 70, 20, 96, 0, w),
      Value("lbPincV", "pnlPincVunit", 4),
      Cell("pnlPreflVunit", "tsPowMeas", 70, 50, 96, 1, w),
      Value("lbPreflV", "pnlPreflVunit", 4),
      Cell("pnlPloadVunit", "tsPowMeas", 70, 80, 96, 2, w),
      Value("lbPloadV", "pnlPloadVunit", 4),
      Cell("pnlPincMinVunit", "tsPowMeas", 170, 20, 96, 3, w),
      Value("lbPincMinV", "pnlPincMinVunit", 4),
      Cell("pnlPincMax", "tsPowMeas", 270, 20, 96, 4, w),
      Value("lbPlincMaxV", "pnlPincMax", 4),
      Cell("pnlPreflMin", "tsPowMeas", 170, 50, 96, 5, w),
      Value("lbPrefMinV", "pnlPreflMin", 4),
      Cell("pnlPreflMax", "tsPowMeas", 270, 50, 96, 6, w),
      Value("lbPlreflMaxV", "pnlPreflMax", 4),
      Cell("pnlPloadMin", "tsPowMeas", 170, 80, 96, 7, w),
      Value("lbPloadMinV", "pnlPloadMin", 4),
      Cell("pnlPloadMax", "tsPowMeas", 270, 80, 96, 8, w),
      Value("lbPloadMaxV", "pnlPloadMax", 4),
      Cell("pnlPlincMinE", "tsPowMeas", 370, 20, 96, 9, w),
      Value("lbPincMinE", "pnlPlincMinE", 4),
      Cell("pnlPreflMinE", "tsPowMeas", 370, 50, 96, 10, w),
      Value("lbPrefMinE", "pnlPreflMinE", 4),
      Cell("pnlPloadMinE", "tsPowMeas", 370, 80, 96, 11, w),
      Value("lbPloadMinE", "pnlPloadMinE", 4),
      Cell("pnlPreflMaxE", "tsPowMeas", 470, 50, 96, 12, w),
      Value("lbPlreflMaxE", "pnlPreflMaxE", 4),
      Cell("pnlPlincMaxE", "tsPowMeas", 470, 20, 96, 13, w),
      Value("lbPlincMaxE", "pnlPlincMaxE", 4),
      Cell("pnlPloadMaxE", "tsPowMeas", 470, 80, 96, 14, w),
      Value("lbPloadMaxE", "pnlPloadMaxE", 4),
      {.Name = "rgPowMeasUnit", .Kind = K::RadioGroup, .Parent = "tsPowMeas", .Left = 270,
       .Top = 113, .Width = 296, .Height = 48, .TabOrder = 15, .Caption = "Error Unit",
       .Items = {"= P unit", "%", "dB"}, .ItemIndex = 0, .Columns = 3},

      // The magnitude cells carry no unit: their column headings name it.
      Sheet("tsLoadMeas", 2, "Load Meas"),
      Heading("Label6", "tsLoadMeas", 4, 40, 81, "True Value"),
      Heading("Label11", "tsLoadMeas", 94, 42, 81, "Min Meas"),
      Heading("Label29", "tsLoadMeas", 184, 40, 81, "Max Meas"),
      Heading("Label30", "tsLoadMeas", 274, 40, 81, "Min Error %"),
      Heading("Label31", "tsLoadMeas", 364, 40, 81, "Max Error %"),
      Text("Label32", "tsLoadMeas", 12, 14, 259, "Load Reflection Coefficient Magnitude:"),
      Cell("Panel36", "tsLoadMeas", 2, 60, 85, 0, unitless),
      Value("lbMag", "Panel36", 2),
      Cell("Panel37", "tsLoadMeas", 92, 60, 85, 1, unitless),
      Value("lbMagMin", "Panel37", 2),
      Cell("Panel38", "tsLoadMeas", 182, 60, 85, 2, unitless),
      Value("lbMagMax", "Panel38", 2),
      Cell("paMagMinE", "tsLoadMeas", 272, 60, 85, 3, unitless),
      Value("lbMagMinE", "paMagMinE", 2),
      Cell("paMagMaxE", "tsLoadMeas", 362, 60, 85, 4, unitless),
      Value("lbMagMaxE", "paMagMaxE", 2),
      {.Name = "rgLoadMeasMagUnit", .Kind = K::RadioGroup, .Parent = "tsLoadMeas", .Left = 467,
       .Top = 42, .Width = 72, .Height = 92, .TabOrder = 5, .Caption = "Unit",
       .Items = {"Mag", "dB", "SWR"}, .ItemIndex = 0},

      // Drawn over the right end of the page control's tab strip.
      {.Name = "bShowNote", .Kind = K::Button, .Parent = "Form1", .Left = 293, .Top = 245,
       .Width = 113, .Height = 26, .TabOrder = 9, .Caption = "Show Note"},
      {.Name = "rgPowerUnit", .Kind = K::RadioGroup, .Parent = "Form1", .Left = 419, .Top = 95,
       .Width = 103, .Height = 109, .TabOrder = 10, .Caption = "Power Unit",
       .Items = {"Watts", "dBm", "dBW", "dBkW"}, .ItemIndex = 0},
      {.Name = "bHelpChm", .Kind = K::Button, .Parent = "Form1", .Left = 594, .Top = 243,
       .Width = 37, .Height = 28, .TabOrder = 11, .Caption = "C", .Visible = false,
       .Hint = "Open CHM Help (deprecated)|"},
      {.Name = "bHempPdf", .Kind = K::Button, .Parent = "Form1", .Left = 537, .Top = 136,
       .Width = 94, .Height = 28, .TabOrder = 12, .Caption = "Help (PDF)",
       .Hint = "Open PDF Help|"},
      {.Name = "bTheory", .Kind = K::Button, .Parent = "Form1", .Left = 537, .Top = 167,
       .Width = 94, .Height = 28, .TabOrder = 13, .Caption = "Theory", .Hint = "Open PDF Theory|"},
  };
}

// clang-format on

}  // namespace

std::span<const DesignEntry> DesignTable() {
  static const std::vector<DesignEntry> table = BuildTable();
  return table;
}

const DesignEntry* FindDesign(std::string_view name) {
  const auto table = DesignTable();
  const auto it = std::find_if(table.begin(), table.end(),
                               [name](const DesignEntry& e) { return e.Name == name; });
  return it == table.end() ? nullptr : &*it;
}

const FormDesign& Form1Design() {
  static const FormDesign design{.Caption = "BREVIK Zephlane V1.0.0.0",
                                 .Left = 0,
                                 .Top = 200,
                                 .ClientWidth = 663,
                                 .ClientHeight = 506,
                                 .FontName = "Segoe UI",
                                 .FontHeightPx = 15};
  return design;
}

}  // namespace mainwindow
