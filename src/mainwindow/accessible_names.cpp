#include "mainwindow/accessible_names.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <variant>
#include <vector>

#include "mainwindow/texts.h"

namespace mainwindow {

namespace {

using R = AccessibleRole;

// One row per named control. A quantity is its spoken words where the captions are too terse,
// else the captions of Group and Caption joined; a cell adds its column heading.
struct Row {
  std::string_view Control;
  AccessibleRole Role;
  std::string_view Spoken{};   // words of its own, or empty
  std::string_view Group{};    // a group box whose caption leads the quantity, or empty
  std::string_view Caption{};  // the label naming it on the screen; a cell's row label
  std::string_view Column{};   // a cell's column heading
  std::string_view Unit{};     // a unit label, a unit panel, a unit list or radio group
  std::string_view Value{};    // a cell's value label; empty: the panel shows its own value
  std::string_view Serves{};   // a unit list or up-down: the control whose quantity it serves
};

// One control per row reads better than one field per line.
// clang-format off
std::vector<Row> BuildRows() {
  namespace s = spoken;
  const auto cell = [](std::string_view panel, std::string_view rowLabel, std::string_view column,
                       std::string_view value) {
    return Row{.Control = panel, .Role = R::Cell, .Caption = rowLabel, .Column = column,
               .Unit = panel, .Value = value};
  };
  const auto measured = [](std::string_view panel, std::string_view words, std::string_view column,
                           std::string_view value) {
    return Row{.Control = panel, .Role = R::Cell, .Spoken = words, .Column = column,
               .Unit = panel, .Value = value};
  };
  const auto loadCell = [](std::string_view panel, std::string_view column, std::string_view value,
                           std::string_view unit) {
    return Row{.Control = panel, .Role = R::Cell, .Caption = "Label32", .Column = column,
               .Unit = unit, .Value = value};
  };
  const std::string_view byHeading;  // the Load Meas error headings name their unit
  return {
      {.Control = "edAnodeV", .Role = R::Input, .Spoken = s::kAnodeVoltage, .Caption = "lbAnodeV", .Unit = "Label2"},
      {.Control = "edAnodeI", .Role = R::Input, .Spoken = s::kAnodeCurrent, .Caption = "lbAnodeI", .Unit = "Label4"},
      {.Control = "edEffic", .Role = R::Input, .Group = "gbMgInput", .Caption = "lbEffic", .Unit = "Label5"},
      {.Control = "udEff", .Role = R::UpDown, .Serves = "edEffic"},
      {.Control = "edLoaMag", .Role = R::Input, .Group = "GroupBox4", .Caption = "Label1"},
      {.Control = "cbLoaRfl", .Role = R::UnitList, .Serves = "edLoaMag"},
      {.Control = "edLoaPha", .Role = R::Input, .Group = "GroupBox4", .Caption = "Label3", .Unit = "Label13"},
      {.Control = "pnlLoaMism", .Role = R::Cell, .Group = "GroupBox4", .Caption = "lbLoaMism1", .Unit = "cbLoaMism"},
      {.Control = "udLoaPha", .Role = R::UpDown, .Serves = "edLoaPha"},
      {.Control = "cbLoaMism", .Role = R::UnitList, .Serves = "pnlLoaMism"},
      {.Control = "edDire", .Role = R::Input, .Spoken = s::kDirectivity, .Caption = "lbDire1", .Unit = "lbDb"},
      {.Control = "chIdeal", .Role = R::Input, .Spoken = s::kIdealCouplers},
      {.Control = "udDire", .Role = R::UpDown, .Serves = "edDire"},
      {.Control = "edSrcMag", .Role = R::Input, .Group = "gbSrcRho", .Caption = "lbSrcMag"},
      {.Control = "edSrcPha", .Role = R::Input, .Group = "gbSrcRho", .Caption = "lbSrcPha", .Unit = "Label12"},
      {.Control = "udSrcPha", .Role = R::UpDown, .Serves = "edSrcPha"},
      {.Control = "cbSrcRfl", .Role = R::UnitList, .Serves = "edSrcMag"},
      {.Control = "pnlSrcMism", .Role = R::Cell, .Group = "gbSrcRho", .Caption = "lbSrcMism1", .Unit = "cbSrcMism"},
      {.Control = "cbSrcMism", .Role = R::UnitList, .Serves = "pnlSrcMism"},

      cell("pnlPavUnit", "lbAvailPow1", {}, "lbPav"),
      cell("pnlPmatchUnit", "lbPmatch1", {}, "lbPmatch2"),

      cell("pnlPincUnit", "lbPinc1", "Label38", "lbPinc2"),
      cell("pnlPreflUnit", "lbPrefl1", "Label38", "lbPrefl2"),
      cell("pnlPloadUnit", "lbPload1", "Label38", "lbPload2"),
      cell("pnlPincMinUnit", "lbPinc1", "Label27", "lbPincMin2"),
      cell("pnlPincMaxUnit", "lbPinc1", "Label28", "lbPincMax2"),
      cell("pnlPrefMinUnit", "lbPrefl1", "Label27", "lbPrefMin2"),
      cell("pnlPrefMaxUnit", "lbPrefl1", "Label28", "lbPrefMax2"),
      cell("pnlTrGainUn", "lbTrGain1", "Label38", "lbTrGain2"),
      cell("pnlIfcUn", "lbInterf1", "Label38", "lbInterf2"),
      cell("pnlIfcMinUn", "lbInterf1", "Label27", "lbIntMin2"),
      cell("pnlIfcMaxUn", "lbInterf1", "Label28", "lbIntMax2"),
      cell("pnlTrGminU", "lbTrGain1", "Label27", "lbTrGmin"),
      cell("pnlTrGmaxU", "lbTrGain1", "Label28", "lbTrGmax"),
      cell("pnlPloadMinU", "lbPload1", "Label27", "lbPloadMin"),
      cell("pnlPloadMaxU", "lbPload1", "Label28", "lbPloadMax"),

      measured("pnlPincVunit", s::kMeasuredIncident, "Label22", "lbPincV"),
      measured("pnlPreflVunit", s::kMeasuredReflected, "Label22", "lbPreflV"),
      measured("pnlPloadVunit", s::kMeasuredAbsorbed, "Label22", "lbPloadV"),
      measured("pnlPincMinVunit", s::kMeasuredIncident, "Label23", "lbPincMinV"),
      measured("pnlPincMax", s::kMeasuredIncident, "Label24", "lbPlincMaxV"),
      measured("pnlPreflMin", s::kMeasuredReflected, "Label23", "lbPrefMinV"),
      measured("pnlPreflMax", s::kMeasuredReflected, "Label24", "lbPlreflMaxV"),
      measured("pnlPloadMin", s::kMeasuredAbsorbed, "Label23", "lbPloadMinV"),
      measured("pnlPloadMax", s::kMeasuredAbsorbed, "Label24", "lbPloadMaxV"),
      measured("pnlPlincMinE", s::kMeasuredIncident, "Label25", "lbPincMinE"),
      measured("pnlPreflMinE", s::kMeasuredReflected, "Label25", "lbPrefMinE"),
      measured("pnlPloadMinE", s::kMeasuredAbsorbed, "Label25", "lbPloadMinE"),
      measured("pnlPreflMaxE", s::kMeasuredReflected, "Label26", "lbPlreflMaxE"),
      measured("pnlPlincMaxE", s::kMeasuredIncident, "Label26", "lbPlincMaxE"),
      measured("pnlPloadMaxE", s::kMeasuredAbsorbed, "Label26", "lbPloadMaxE"),

      loadCell("Panel36", "Label6", "lbMag", "rgLoadMeasMagUnit"),
      loadCell("Panel37", "Label11", "lbMagMin", "rgLoadMeasMagUnit"),
      loadCell("Panel38", "Label29", "lbMagMax", "rgLoadMeasMagUnit"),
      loadCell("paMagMinE", "Label30", "lbMagMinE", byHeading),
      loadCell("paMagMaxE", "Label31", "lbMagMaxE", byHeading),
  };
}
// clang-format on

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

const std::vector<AccessibleControl>& Controls() {
  static const std::vector<AccessibleControl> controls = [] {
    std::vector<AccessibleControl> out;
    for (const Row& r : Rows()) out.push_back({r.Control, r.Role});
    return out;
  }();
  return controls;
}

const Row* FindRow(std::string_view control) {
  const auto& rows = Rows();
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [control](const Row& r) { return r.Control == control; });
  return it == rows.end() ? nullptr : &*it;
}

// The text a control shows: a caption, an edit's text, a list's or radio group's item.
std::string ShownText(const TForm1& f, std::string_view name) {
  if (name.empty()) return {};
  const ControlRef* ref = f.FindControl(name);
  if (ref == nullptr) return {};
  return std::visit(
      [](const auto* c) -> std::string {
        using T = std::remove_cv_t<std::remove_pointer_t<decltype(c)>>;
        if constexpr (std::is_same_v<T, DropDown> || std::is_same_v<T, RadioGroup>) {
          const std::int32_t i = c->ItemIndex();
          if (i < 0 || static_cast<std::size_t>(i) >= c->Items.size()) return {};
          return c->Items[static_cast<std::size_t>(i)];
        } else if constexpr (std::is_same_v<T, Edit>) {
          return c->Text;
        } else if constexpr (requires { c->Caption; }) {
          return c->Caption;
        } else {
          return {};
        }
      },
      ref->Ptr);
}

// A unit as a listener hears it. A list's or radio group's first item is the plain magnitude
// ("Mag"), which has no unit to speak.
std::string UnitText(const TForm1& f, std::string_view name) {
  if (name.empty()) return {};
  if (const ControlRef* ref = f.FindControl(name)) {
    if (const auto* list = std::get_if<DropDown*>(&ref->Ptr)) {
      if ((*list)->ItemIndex() == 0) return {};
    } else if (const auto* group = std::get_if<RadioGroup*>(&ref->Ptr)) {
      if ((*group)->ItemIndex() == 0) return {};
    }
  }
  return ShownText(f, name);
}

std::string Quantity(const TForm1& f, const Row& r) {
  if (!r.Serves.empty()) {
    const Row* served = FindRow(r.Serves);
    return served == nullptr ? std::string() : Quantity(f, *served);
  }
  std::string q;
  if (!r.Spoken.empty()) {
    q = r.Spoken;
  } else {
    std::string words = ShownText(f, r.Group);
    const std::string caption = ShownText(f, r.Caption);
    if (!words.empty() && !caption.empty()) words += ' ';
    q = SentenceCase(words + caption);
  }
  if (!r.Column.empty()) {
    q += spoken::kUnitSeparator;
    q += SentenceCase(ShownText(f, r.Column), false);
  }
  return q;
}

bool IsCapitalisedWord(std::string_view w) {
  if (w.size() < 2 || !std::isupper(static_cast<unsigned char>(w[0]))) return false;
  return std::all_of(w.begin() + 1, w.end(),
                     [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::span<const AccessibleControl> AccessibleControls() { return Controls(); }

std::string SentenceCase(std::string_view caption, bool keepFirst) {
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) {
    caption.remove_suffix(1);
  }
  std::string out;
  bool first = true;
  std::size_t i = 0;
  while (i < caption.size()) {
    if (caption[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(caption.find(' ', i), caption.size());
    std::string word(caption.substr(i, end - i));
    if ((!first || !keepFirst) && IsCapitalisedWord(word)) {
      word[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
    }
    if (!out.empty()) out += ' ';
    out += word;
    first = false;
    i = end;
  }
  return out;
}

std::string AccessibleName(const TForm1& f, std::string_view control) {
  const Row* r = FindRow(control);
  if (r == nullptr) return {};
  std::string name = Quantity(f, *r);
  switch (r->Role) {
    case R::Input: {
      const std::string unit = UnitText(f, r->Unit);
      if (!unit.empty()) name += std::string(spoken::kUnitSeparator) + unit;
      break;
    }
    case R::UnitList:
      name += spoken::kUnitListSuffix;
      break;
    case R::UpDown:
      name += spoken::kUpDownSuffix;
      break;
    case R::Cell:
      break;
  }
  return name;
}

std::string AccessibleCellValue(const TForm1& f, std::string_view control) {
  const Row* r = FindRow(control);
  if (r == nullptr || r->Role != R::Cell) return {};
  std::string value = ShownText(f, r->Value.empty() ? r->Control : r->Value);
  const std::string unit = UnitText(f, r->Unit);
  if (!value.empty() && !unit.empty()) value += ' ' + unit;
  return value;
}

std::string AccessibleValueText(const TForm1& f, std::string_view control) {
  const Row* r = FindRow(control);
  if (r == nullptr || r->Role != R::Cell) return {};
  std::string text = AccessibleName(f, control);
  const std::string value = AccessibleCellValue(f, control);
  if (!value.empty()) text += std::string(spoken::kValueSeparator) + value;
  return text;
}

std::string StepArrowName(const TForm1& f, std::string_view updown, bool up) {
  const Row* r = FindRow(updown);
  if (r == nullptr || r->Role != R::UpDown) return {};
  return Quantity(f, *r) + std::string(up ? spoken::kStepUpSuffix : spoken::kStepDownSuffix);
}

std::string_view CaptionLabelOf(std::string_view control) {
  const Row* r = FindRow(control);
  return r == nullptr || r->Role != R::Input ? std::string_view() : r->Caption;
}

std::string_view ValueLabelOf(std::string_view cell) {
  const Row* r = FindRow(cell);
  return r == nullptr || r->Role != R::Cell ? std::string_view() : r->Value;
}

}  // namespace mainwindow
