#include "mainwindow/accessible_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "mainwindow/design.h"
#include "window_fixture.h"

namespace mainwindow {
namespace {

using tests::ShownWindow;

class AccessibleNames : public ShownWindow {};

bool Listed(std::string_view control) {
  const auto all = AccessibleControls();
  return std::any_of(all.begin(), all.end(),
                     [control](const AccessibleControl& a) { return a.Control == control; });
}

// A screen reader that meets a control without a name of its own falls back to a group's
// title or a list's current item, which is what made three edits all "Magnetron".
TEST(AccessibleControlsTable, CoversEveryInputListUpDownAndCellOfTheDesign) {
  for (const DesignEntry& d : DesignTable()) {
    const bool needsName = d.Kind == ControlKind::Edit || d.Kind == ControlKind::DropDown ||
                           d.Kind == ControlKind::UpDown || d.Kind == ControlKind::Panel ||
                           d.Kind == ControlKind::CheckBox;
    EXPECT_EQ(Listed(d.Name), needsName) << d.Name;
  }
}

TEST(AccessibleControlsTable, EachRoleSitsOnItsKindOfControlOnce) {
  std::set<std::string_view> seen;
  for (const AccessibleControl& a : AccessibleControls()) {
    EXPECT_TRUE(seen.insert(a.Control).second) << a.Control;
    const DesignEntry* d = FindDesign(a.Control);
    ASSERT_NE(d, nullptr) << a.Control;
    switch (a.Role) {
      case AccessibleRole::Input:
        EXPECT_TRUE(d->Kind == ControlKind::Edit || d->Kind == ControlKind::CheckBox) << a.Control;
        break;
      case AccessibleRole::UnitList:
        EXPECT_EQ(d->Kind, ControlKind::DropDown) << a.Control;
        break;
      case AccessibleRole::UpDown:
        EXPECT_EQ(d->Kind, ControlKind::UpDown) << a.Control;
        break;
      case AccessibleRole::Cell:
        EXPECT_EQ(d->Kind, ControlKind::Panel) << a.Control;
        break;
    }
  }
}

TEST_F(AccessibleNames, EveryInputIsNamedAfterItsOwnCaptionAndUnit) {
  struct Case {
    std::string_view Control;
    std::string Name;
  };
  const Case cases[] = {
      {"edAnodeV", "Anode voltage, V"},
      {"edAnodeI", "Anode current, A"},
      {"edEffic", "Magnetron efficiency, %"},
      {"edSrcMag", "Source reflection magnitude"},
      {"edSrcPha", "Source reflection phase, deg"},
      {"edLoaMag", "Load reflection magnitude"},
      {"edLoaPha", "Load reflection phase, deg"},
      {"edDire", "Coupler directivity, dB"},
      {"chIdeal", "Ideal couplers"},
      {"cbSrcRfl", "Source reflection magnitude unit"},
      {"cbLoaMism", "Load reflection mismatch unit"},
      {"udEff", "Magnetron efficiency up-down"},
      {"udLoaPha", "Load reflection phase up-down"},
      {"pnlLoaMism", "Load reflection mismatch"},
      {"pnlPmatchUnit", "Power to match"},
      {"pnlPincUnit", "Incident power, actual value"},
      {"pnlIfcMaxUn", "Interference factor, max value"},
      {"pnlPincMax", "Measured incident power, max meas"},
      {"Panel36", "Load reflection coefficient magnitude, true value"},
      {"paMagMaxE", "Load reflection coefficient magnitude, max error %"},
  };
  for (const Case& c : cases) EXPECT_EQ(AccessibleName(form, c.Control), c.Name) << c.Control;
}

// Names are what tells two controls apart by ear: unique, and never a bare number or empty.
TEST_F(AccessibleNames, AreUniqueAndNeverJustANumber) {
  form.bEvaluateClick();
  std::set<std::string> names;
  for (const AccessibleControl& a : AccessibleControls()) {
    const std::string name = AccessibleName(form, a.Control);
    EXPECT_TRUE(names.insert(name).second) << a.Control << ": " << name;
    const bool hasLetter = std::any_of(name.begin(), name.end(), [](char ch) {
      return std::isalpha(static_cast<unsigned char>(ch)) != 0;
    });
    EXPECT_TRUE(hasLetter) << a.Control << ": " << name;
  }
}

TEST_F(AccessibleNames, FollowTheCaptionsTheWindowShowsNow) {
  // Both phase edits say "deg": each must take the unit beside its own edit.
  form.Label12.Caption = "source unit";
  form.Label13.Caption = "load unit";
  form.gbSrcRho.Caption = "Generator Side";
  EXPECT_EQ(AccessibleName(form, "edSrcPha"), "Generator side phase, source unit");
  EXPECT_EQ(AccessibleName(form, "edLoaPha"), "Load reflection phase, load unit");
  EXPECT_EQ(AccessibleName(form, "udSrcPha"), "Generator side phase up-down");
}

TEST_F(AccessibleNames, CellValueTextCarriesQuantityValueAndUnit) {
  struct Case {
    std::string_view Cell;
    std::string Value;  // written into the cell's value label
    std::string Unit;   // written into the cell's unit caption
    std::string Text;
  };
  const Case cases[] = {
      {"pnlPincUnit", "992.32", "W", "Incident power, actual value: 992.32 W"},
      {"pnlPrefMaxUnit", "-3.1", "dBm", "Reflected power, max value: -3.1 dBm"},
      {"pnlTrGainUn", "0.98", "", "Transducer gain, actual value: 0.98"},  // a plain factor
      {"pnlPloadMaxE", "NAN", "%", "Measured absorbed power, max error: NAN %"},
      {"pnlPincUnit", "", "W", "Incident power, actual value"},  // nothing shown yet
  };
  struct Target {
    std::string_view Cell;
    Label TForm1::*Value;
    Panel TForm1::*Unit;
  };
  const Target targets[] = {
      {"pnlPincUnit", &TForm1::lbPinc2, &TForm1::pnlPincUnit},
      {"pnlPrefMaxUnit", &TForm1::lbPrefMax2, &TForm1::pnlPrefMaxUnit},
      {"pnlTrGainUn", &TForm1::lbTrGain2, &TForm1::pnlTrGainUn},
      {"pnlPloadMaxE", &TForm1::lbPloadMaxE, &TForm1::pnlPloadMaxE},
  };
  for (const Case& c : cases) {
    const auto t = std::find_if(std::begin(targets), std::end(targets),
                                [&](const Target& x) { return x.Cell == c.Cell; });
    ASSERT_NE(t, std::end(targets));
    (form.*(t->Value)).Caption = c.Value;
    (form.*(t->Unit)).Caption = c.Unit;
    EXPECT_EQ(AccessibleValueText(form, c.Cell), c.Text);
  }
}

// Where the unit is chosen in a list, the first item is the plain magnitude and is not spoken.
TEST_F(AccessibleNames, UnitsChosenInAListOrGroupFollowTheChoice) {
  struct Case {
    int Index;
    std::string Mismatch;
    std::string LoadMag;
  };
  const Case cases[] = {
      {0, "Source reflection mismatch: 0.25", "0.5"},
      {1, "Source reflection mismatch: 0.25 dB", "0.5 dB"},
      {2, "Source reflection mismatch: 0.25 %", "0.5 SWR"},
  };
  for (const Case& c : cases) {
    form.cbSrcMism.SetItemIndex(c.Index);
    // Choosing the sheet's unit recomputes its cells: write the shown value after it.
    form.rgLoadMeasMagUnit.SetItemIndex(c.Index);
    form.pnlSrcMism.Caption = "0.25";
    form.lbMag.Caption = "0.5";
    EXPECT_EQ(AccessibleValueText(form, "pnlSrcMism"), c.Mismatch) << c.Index;
    EXPECT_EQ(AccessibleCellValue(form, "Panel36"), c.LoadMag) << c.Index;
  }
}

TEST_F(AccessibleNames, AfterEvaluationEveryCellSpeaksItsShownValue) {
  form.bEvaluateClick();
  EXPECT_EQ(
      AccessibleValueText(form, "pnlPincUnit"),
      "Incident power, actual value: " + form.lbPinc2.Caption + " " + form.pnlPincUnit.Caption);
  form.rgPowerUnit.SetItemIndex(1);  // dBm: the cell follows the unit the window paints
  EXPECT_NE(AccessibleCellValue(form, "pnlPincUnit").find(form.pnlPincUnit.Caption),
            std::string::npos);
}

TEST_F(AccessibleNames, OnlyTheirOwnKindGetsEachText) {
  struct Case {
    std::string_view Control;
    bool Value, Arrows, Buddy;
  };
  const Case cases[] = {
      {"edAnodeV", false, false, true},   {"udEff", false, true, false},
      {"cbLoaRfl", false, false, false},  {"pnlPincUnit", true, false, false},
      {"bEvaluate", false, false, false}, {"lbPinc2", false, false, false},
      {"nonesuch", false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!AccessibleValueText(form, c.Control).empty(), c.Value) << c.Control;
    EXPECT_EQ(!StepArrowName(form, c.Control, true).empty(), c.Arrows) << c.Control;
    EXPECT_EQ(!CaptionLabelOf(c.Control).empty(), c.Buddy) << c.Control;
  }
  EXPECT_TRUE(AccessibleName(form, "bEvaluate").empty());
  EXPECT_EQ(StepArrowName(form, "udDire", true), "Coupler directivity, step up");
  EXPECT_EQ(StepArrowName(form, "udDire", false), "Coupler directivity, step down");
}

// An edit's buddy is the label beside it in its own group, never one of another group.
TEST(CaptionLabels, StandInTheSameContainerAsTheirInput) {
  for (const AccessibleControl& a : AccessibleControls()) {
    const std::string_view label = CaptionLabelOf(a.Control);
    if (label.empty()) continue;
    const DesignEntry* l = FindDesign(label);
    ASSERT_NE(l, nullptr) << label;
    EXPECT_EQ(l->Kind, ControlKind::Label) << label;
    EXPECT_EQ(l->Parent, FindDesign(a.Control)->Parent) << a.Control;
  }
}

// A cell's value label stands inside the cell: the label a listener would otherwise meet as a
// bare number.
TEST(ValueLabels, AreTheLabelsInsideTheirCells) {
  int cellsWithLabel = 0;
  for (const AccessibleControl& a : AccessibleControls()) {
    const std::string_view label = ValueLabelOf(a.Control);
    if (a.Role != AccessibleRole::Cell) {
      EXPECT_TRUE(label.empty()) << a.Control;
      continue;
    }
    if (label.empty()) continue;
    ++cellsWithLabel;
    const DesignEntry* l = FindDesign(label);
    ASSERT_NE(l, nullptr) << label;
    EXPECT_EQ(l->Kind, ControlKind::Label) << label;
    EXPECT_EQ(l->Parent, a.Control) << label;
  }
  // Every cell but the two mismatch panels, which show their value themselves.
  EXPECT_EQ(cellsWithLabel, 37);
  EXPECT_TRUE(ValueLabelOf("pnlSrcMism").empty());
}

TEST(SentenceCaseOfCaptions, LowersOnlyCapitalisedWords) {
  struct Case {
    std::string_view Caption;
    bool KeepFirst;
    std::string Expected;
  };
  const Case cases[] = {
      {"Power to Match", true, "Power to match"},
      {"Anode  I", true, "Anode I"},  // the design's double space
      {"Load Reflection Coefficient Magnitude:", true, "Load reflection coefficient magnitude"},
      {"Min Error %", false, "min error %"},
      {"Max dB SWR", false, "max dB SWR"},  // units and acronyms keep their capitals
      {"A", false, "A"},                    // a one-letter unit is no word
      {"  ", true, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SentenceCase(c.Caption, c.KeepFirst), c.Expected) << c.Caption;
  }
}

}  // namespace
}  // namespace mainwindow
