#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "mainwindow/controls.h"

namespace mainwindow {
namespace {

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

struct RadioRow {
  std::string Name;
  std::size_t ItemCount;
  std::int32_t Start;
  std::int32_t Assigned;
  std::int32_t Expected;
  int Clicks;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const RadioRow& row, std::ostream* os) { *os << row.Name; }

class RadioGroupAssign : public testing::TestWithParam<RadioRow> {};

TEST_P(RadioGroupAssign, ClampsThenRaisesOnlyOnANewItem) {
  const RadioRow& row = GetParam();
  RadioGroup rg;
  rg.Items.assign(row.ItemCount, "item");
  rg.SetItemIndex(row.Start);
  int clicks = 0;
  std::int32_t seen = -2;
  rg.OnClick = [&] {
    ++clicks;
    seen = rg.ItemIndex();
  };
  rg.SetItemIndex(row.Assigned);
  EXPECT_EQ(rg.ItemIndex(), row.Expected);
  EXPECT_EQ(clicks, row.Clicks);
  // The handler runs after the new index is stored.
  if (clicks > 0) {
    EXPECT_EQ(seen, row.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, RadioGroupAssign,
                         testing::Values(RadioRow{"FirstSelection", 3, -1, 0, 0, 1},
                                         RadioRow{"SameItem", 3, 1, 1, 1, 0},
                                         RadioRow{"OtherItem", 3, 0, 2, 2, 1},
                                         RadioRow{"MinusOneClearsSilently", 3, 1, -1, -1, 0},
                                         RadioRow{"BelowMinusOneClearsSilently", 3, 1, -5, -1, 0},
                                         RadioRow{"LowestIntClearsSilently", 3, 2, kIntMin, -1, 0},
                                         RadioRow{"BeyondLastBecomesLast", 3, 0, 7, 2, 1},
                                         RadioRow{"BeyondLastWhileLastSelected", 3, 2, 3, 2, 0},
                                         RadioRow{"HighestIntBecomesLast", 4, 0, kIntMax, 3, 1},
                                         RadioRow{"NoItemsSelectsNothing", 0, -1, 0, -1, 0}),
                         [](const testing::TestParamInfo<RadioRow>& row) {
                           return row.param.Name;
                         });

struct CheckRow {
  std::string Name;
  bool Start;
  bool Assigned;
  int Clicks;
};

void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.Name; }

class CheckBoxAssign : public testing::TestWithParam<CheckRow> {};

TEST_P(CheckBoxAssign, RaisesOnlyOnAChange) {
  const CheckRow& row = GetParam();
  CheckBox ch;
  ch.SetChecked(row.Start);
  int clicks = 0;
  bool seen = !row.Assigned;
  ch.OnClick = [&] {
    ++clicks;
    seen = ch.Checked();
  };
  ch.SetChecked(row.Assigned);
  EXPECT_EQ(ch.Checked(), row.Assigned);
  EXPECT_EQ(clicks, row.Clicks);
  if (clicks > 0) {
    EXPECT_EQ(seen, row.Assigned);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckBoxAssign,
    testing::Values(CheckRow{"Check", false, true, 1}, CheckRow{"Clear", true, false, 1},
                    CheckRow{"CheckAgain", true, true, 0}, CheckRow{"ClearAgain", false, false, 0}),
    [](const testing::TestParamInfo<CheckRow>& row) { return row.param.Name; });

TEST(CheckBox, AssignWithoutHandlerStillStores) {
  CheckBox ch;
  ch.SetChecked(true);
  EXPECT_TRUE(ch.Checked());
}

struct IndexRow {
  std::string Name;
  std::int32_t Assigned;
  std::int32_t Expected;
};

void PrintTo(const IndexRow& row, std::ostream* os) { *os << row.Name; }

class DropDownAssign : public testing::TestWithParam<IndexRow> {};

TEST_P(DropDownAssign, OutsideTheItemsSelectsNothing) {
  DropDown cb;
  cb.Items = {"Mag", "dB", "SWR"};
  cb.SetItemIndex(1);
  cb.SetItemIndex(GetParam().Assigned);
  EXPECT_EQ(cb.ItemIndex(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DropDownAssign,
    testing::Values(IndexRow{"First", 0, 0}, IndexRow{"Last", 2, 2}, IndexRow{"MinusOne", -1, -1},
                    IndexRow{"BelowMinusOne", -2, -1}, IndexRow{"JustBeyondLast", 3, -1},
                    IndexRow{"LowestInt", kIntMin, -1}, IndexRow{"HighestInt", kIntMax, -1}),
    [](const testing::TestParamInfo<IndexRow>& row) { return row.param.Name; });

UpDown PhaseUpDown() {
  UpDown ud;
  ud.Min = -180;
  ud.Max = 180;
  ud.Increment = 5;
  ud.Wrap = true;
  return ud;
}

class UpDownAssign : public testing::TestWithParam<IndexRow> {};

TEST_P(UpDownAssign, ClampsToTheRange) {
  UpDown ud = PhaseUpDown();
  ud.SetPosition(GetParam().Assigned);
  EXPECT_EQ(ud.Position(), GetParam().Expected);
}

// An assigned position is clamped but not moved onto the step grid.
INSTANTIATE_TEST_SUITE_P(
    Rules, UpDownAssign,
    testing::Values(IndexRow{"Inside", 47, 47}, IndexRow{"AtMax", 180, 180},
                    IndexRow{"AboveMax", 181, 180}, IndexRow{"AtMin", -180, -180},
                    IndexRow{"BelowMin", -200, -180}, IndexRow{"LowestInt", kIntMin, -180},
                    IndexRow{"HighestInt", kIntMax, 180}),
    [](const testing::TestParamInfo<IndexRow>& row) { return row.param.Name; });

struct StepRow {
  std::string Name;
  std::int32_t Min, Max, Increment;
  bool Wrap;
  std::int32_t Start;
  bool Up;
  std::int32_t Expected;
  bool Changed;
};

void PrintTo(const StepRow& row, std::ostream* os) { *os << row.Name; }

class UpDownStep : public testing::TestWithParam<StepRow> {};

TEST_P(UpDownStep, MovesByIncrementWithinTheRange) {
  const StepRow& row = GetParam();
  UpDown ud;
  ud.Min = row.Min;
  ud.Max = row.Max;
  ud.Increment = row.Increment;
  ud.Wrap = row.Wrap;
  ud.SetPosition(row.Start);
  EXPECT_EQ(ud.Step(row.Up), row.Changed);
  EXPECT_EQ(ud.Position(), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, UpDownStep,
    testing::Values(
        StepRow{"SrcPhaUpFrom45", -180, 180, 5, true, 45, true, 50, true},
        StepRow{"SrcPhaDownFrom45", -180, 180, 5, true, 45, false, 40, true},
        StepRow{"SrcPhaUpAt180WrapsToMinus180", -180, 180, 5, true, 180, true, -180, true},
        StepRow{"SrcPhaDownAtMinus180WrapsTo180", -180, 180, 5, true, -180, false, 180, true},
        StepRow{"WrapPassingMaxLandsOnMin", -180, 180, 5, true, 178, true, -180, true},
        StepRow{"WrapPassingMinLandsOnMax", -180, 180, 5, true, -177, false, 180, true},
        StepRow{"EffUpAt100WrapsTo0", 0, 100, 1, true, 100, true, 0, true},
        StepRow{"DireUpAt100Unchanged", 0, 100, 1, false, 100, true, 100, false},
        StepRow{"DireDownAt0Unchanged", 0, 100, 1, false, 0, false, 0, false},
        StepRow{"DireDownFrom100", 0, 100, 1, false, 100, false, 99, true},
        StepRow{"NoWrapStopsAtMax", 0, 100, 5, false, 98, true, 100, true},
        StepRow{"NoWrapStopsAtMin", 0, 100, 5, false, 3, false, 0, true},
        StepRow{"FullRangeUpAtTop", kIntMin, kIntMax, 1, false, kIntMax, true, kIntMax, false},
        StepRow{"FullRangeDownAtBottomWraps", kIntMin, kIntMax, 1, true, kIntMin, false, kIntMax,
                true}),
    [](const testing::TestParamInfo<StepRow>& row) { return row.param.Name; });

}  // namespace
}  // namespace mainwindow
