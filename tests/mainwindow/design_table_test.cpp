#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/design.h"
#include "mainwindow/form.h"

namespace mainwindow {
namespace {

// TForm1's controls in declaration order, with the kind of their record: the order and the
// kinds the design table must follow.
struct Declared {
  std::string_view Name;
  ControlKind Kind;
};
constexpr std::array kDeclarationOrder = {
#define ZEPHLANE_DECLARED(Type, name) Declared{#name, KindOf(static_cast<Type*>(nullptr))},
    ZEPHLANE_FORM_CONTROLS(ZEPHLANE_DECLARED)
#undef ZEPHLANE_DECLARED
};

bool IsContainer(ControlKind k) {
  return k == ControlKind::GroupBox || k == ControlKind::TabSheet ||
         k == ControlKind::PageControl || k == ControlKind::Panel;
}

TEST(DesignTable, FollowsDeclarationOrderExactlyOnce) {
  const auto table = DesignTable();
  ASSERT_EQ(table.size(), kDeclarationOrder.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].Name, kDeclarationOrder[i].Name) << "at position " << i;
    EXPECT_EQ(table[i].Kind, kDeclarationOrder[i].Kind) << table[i].Name;
  }
  std::set<std::string_view> unique;
  for (const Declared& d : kDeclarationOrder) unique.insert(d.Name);
  EXPECT_EQ(unique.size(), kDeclarationOrder.size());
}

TEST(DesignTable, FindDesignFindsEveryControlAndNothingElse) {
  for (const DesignEntry& e : DesignTable()) {
    const DesignEntry* found = FindDesign(e.Name);
    ASSERT_NE(found, nullptr) << e.Name;
    EXPECT_EQ(found, &e);
  }
  EXPECT_EQ(FindDesign("Form1"), nullptr);
  EXPECT_EQ(FindDesign(""), nullptr);
  EXPECT_EQ(FindDesign("edanodev"), nullptr);
}

TEST(DesignTable, EveryParentIsAContainerDeclaredBeforeItsChildren) {
  std::map<std::string_view, ControlKind> seen;
  for (const DesignEntry& e : DesignTable()) {
    if (e.Parent != "Form1") {
      const auto parent = seen.find(e.Parent);
      ASSERT_NE(parent, seen.end()) << e.Name << " has parent " << e.Parent;
      EXPECT_TRUE(IsContainer(parent->second)) << e.Name;
      // A page control holds only its sheets, and a value cell only its value label.
      if (parent->second == ControlKind::PageControl) {
        EXPECT_EQ(e.Kind, ControlKind::TabSheet) << e.Name;
      }
      if (parent->second == ControlKind::Panel) {
        EXPECT_EQ(e.Kind, ControlKind::Label) << e.Name;
      }
    }
    if (e.Kind == ControlKind::TabSheet) {
      EXPECT_EQ(e.Parent, "pcResults");
    }
    seen.emplace(e.Name, e.Kind);
  }
}

TEST(DesignTable, ChildrenLieInsideTheirParent) {
  const FormDesign& form = Form1Design();
  for (const DesignEntry& e : DesignTable()) {
    int width = form.ClientWidth;
    int height = form.ClientHeight;
    if (e.Parent != "Form1") {
      const DesignEntry* parent = FindDesign(e.Parent);
      ASSERT_NE(parent, nullptr);
      width = parent->Width;
      height = parent->Height;
    }
    EXPECT_GE(e.Left, 0) << e.Name;
    EXPECT_GE(e.Top, 0) << e.Name;
    EXPECT_GT(e.Width, 0) << e.Name;
    EXPECT_GT(e.Height, 0) << e.Name;
    EXPECT_LE(e.Left + e.Width, width) << e.Name;
    EXPECT_LE(e.Top + e.Height, height) << e.Name;
  }
}

TEST(DesignTable, TabOrdersAreContiguousWithinEachParent) {
  std::map<std::string_view, std::vector<int>> orders;
  for (const DesignEntry& e : DesignTable()) {
    if (e.Kind == ControlKind::Label) {
      EXPECT_EQ(e.TabOrder, -1) << e.Name;
    } else {
      EXPECT_GE(e.TabOrder, 0) << e.Name;
      orders[e.Parent].push_back(e.TabOrder);
    }
  }
  for (auto& [parent, list] : orders) {
    std::sort(list.begin(), list.end());
    for (std::size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(list[i], static_cast<int>(i)) << "in " << parent;
    }
  }
}

TEST(DesignTable, TopLevelTabOrderFollowsTheWindow) {
  const std::vector<std::string_view> expected = {
      "gbMgInput",  "GroupBox4", "bEvaluate", "bHelpHtm",    "gbCpl",    "bClose",   "gbSrcRho",
      "gbMgOutput", "pcResults", "bShowNote", "rgPowerUnit", "bHelpChm", "bHempPdf", "bTheory"};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const DesignEntry* e = FindDesign(expected[i]);
    ASSERT_NE(e, nullptr) << expected[i];
    EXPECT_EQ(e->Parent, "Form1");
    EXPECT_EQ(e->TabOrder, static_cast<int>(i)) << expected[i];
  }
}

TEST(DesignTable, HintsOnlyOnTheSixButtons) {
  const std::map<std::string_view, std::string_view> expected = {
      {"bEvaluate", "Compute results based on the current inputs|"},
      {"bHelpHtm", "Open HTML5 Help|"},
      {"bClose", "Terminate program execution|"},
      {"bHelpChm", "Open CHM Help (deprecated)|"},
      {"bHempPdf", "Open PDF Help|"},
      {"bTheory", "Open PDF Theory|"}};
  for (const DesignEntry& e : DesignTable()) {
    const auto it = expected.find(e.Name);
    EXPECT_EQ(std::string(e.Hint), it == expected.end() ? "" : std::string(it->second)) << e.Name;
  }
}

struct UpDownRow {
  std::string_view Name;
  std::string_view Associate;
  int Min, Max, Increment;
  bool Wrap;
  int Position;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const UpDownRow& row, std::ostream* os) { *os << row.Name; }

class UpDownDesign : public testing::TestWithParam<UpDownRow> {};

TEST_P(UpDownDesign, StepsItsEditInTheSameGroup) {
  const UpDownRow& row = GetParam();
  const DesignEntry* ud = FindDesign(row.Name);
  ASSERT_NE(ud, nullptr);
  EXPECT_EQ(ud->Kind, ControlKind::UpDown);
  EXPECT_EQ(ud->Associate, row.Associate);
  EXPECT_EQ(ud->Min, row.Min);
  EXPECT_EQ(ud->Max, row.Max);
  EXPECT_EQ(ud->Increment, row.Increment);
  EXPECT_EQ(ud->Wrap, row.Wrap);
  EXPECT_EQ(ud->Position, row.Position);
  const DesignEntry* edit = FindDesign(ud->Associate);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Kind, ControlKind::Edit);
  EXPECT_EQ(edit->Parent, ud->Parent);
  // The spinner sits flush against the right edge of its edit.
  EXPECT_EQ(edit->Left + edit->Width, ud->Left);
  EXPECT_EQ(edit->Top, ud->Top);
}

INSTANTIATE_TEST_SUITE_P(Window, UpDownDesign,
                         testing::Values(UpDownRow{"udEff", "edEffic", 0, 100, 1, true, 100},
                                         UpDownRow{"udSrcPha", "edSrcPha", -180, 180, 5, true, 180},
                                         UpDownRow{"udLoaPha", "edLoaPha", -180, 180, 5, true, 90},
                                         UpDownRow{"udDire", "edDire", 0, 100, 1, false, 20}),
                         [](const testing::TestParamInfo<UpDownRow>& row) {
                           return std::string(row.param.Name);
                         });

TEST(DesignTable, ColoursFollowTheControlKind) {
  for (const DesignEntry& e : DesignTable()) {
    const DesignEntry* parent = FindDesign(e.Parent);
    const bool inCell = parent != nullptr && parent->SunkenCell;
    TColor expected = TColor::clBtnFace;
    if (e.Kind == ControlKind::Edit) expected = TColor::clYellow;
    if (e.SunkenCell || inCell) expected = TColor::clWhite;
    EXPECT_EQ(e.Color, expected) << e.Name;
    if (e.SunkenCell) {
      EXPECT_EQ(e.Kind, ControlKind::Panel) << e.Name;
    }
  }
}

TEST(DesignTable, ValueCellsHoldOneLabelExceptTheMismatchPanels) {
  std::map<std::string_view, int> inner;
  for (const DesignEntry& e : DesignTable()) {
    if (e.SunkenCell) inner[e.Name];
    const DesignEntry* parent = FindDesign(e.Parent);
    if (parent != nullptr && parent->Kind == ControlKind::Panel) ++inner[e.Parent];
  }
  EXPECT_EQ(inner.size(), 2u + 2u + 15u + 15u + 5u);
  for (const auto& [panel, count] : inner) {
    const bool mismatch = panel == "pnlSrcMism" || panel == "pnlLoaMism";
    EXPECT_EQ(count, mismatch ? 0 : 1) << panel;
  }
}

TEST(DesignTable, SelectionsAreWithinTheirItems) {
  for (const DesignEntry& e : DesignTable()) {
    if (e.Kind != ControlKind::DropDown && e.Kind != ControlKind::RadioGroup) {
      EXPECT_TRUE(e.Items.empty()) << e.Name;
      continue;
    }
    EXPECT_FALSE(e.Items.empty()) << e.Name;
    EXPECT_GE(e.ItemIndex, -1) << e.Name;
    EXPECT_LT(e.ItemIndex, static_cast<int>(e.Items.size())) << e.Name;
  }
}

TEST(DesignTable, SingleDesignFlagsSitOnTheirControls) {
  for (const DesignEntry& e : DesignTable()) {
    EXPECT_EQ(e.Default, e.Name == "bEvaluate") << e.Name;
    EXPECT_EQ(e.Visible, e.Name != "bHelpChm") << e.Name;
    EXPECT_EQ(e.Checked, e.Name == "chIdeal") << e.Name;
    EXPECT_EQ(e.ActivePage.empty(), e.Name != "pcResults") << e.Name;
  }
  const DesignEntry* pc = FindDesign("pcResults");
  ASSERT_NE(pc, nullptr);
  EXPECT_EQ(pc->ActivePage, "tsPowMeas");
  EXPECT_EQ(FindDesign("chIdeal")->Caption, "Ideal");
}

TEST(Form1Design, HasTheDesignWindowValues) {
  const FormDesign& f = Form1Design();
  EXPECT_EQ(f.Caption, "BREVIK Zephlane V1.0.0.0");
  EXPECT_EQ(f.Left, 0);
  EXPECT_EQ(f.Top, 200);
  EXPECT_EQ(f.ClientWidth, 663);
  EXPECT_EQ(f.ClientHeight, 506);
  EXPECT_EQ(f.FontName, "Segoe UI");
  EXPECT_EQ(f.FontHeightPx, 15);
  // Start-up shrinks the window to the Magnetron Output group and the page control.
  const DesignEntry* out = FindDesign("gbMgOutput");
  const DesignEntry* pc = FindDesign("pcResults");
  EXPECT_EQ(out->Left + out->Width + 4, 641);
  EXPECT_EQ(pc->Top + pc->Height + 2, 452);
}

}  // namespace
}  // namespace mainwindow
