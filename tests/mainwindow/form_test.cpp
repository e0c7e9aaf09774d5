#include <set>
#include <string>

#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

class FormConstruction : public NewWindow {};

TEST_F(FormConstruction, RegistryListsTheWindowThenEveryControlOnce) {
  const auto controls = form.Controls();
  ASSERT_EQ(controls.size(), 154u);
  EXPECT_EQ(controls.front().Name, "Form1");
  EXPECT_EQ(controls.front().Kind, ControlKind::Form);
  EXPECT_EQ(controls[1].Name, "gbMgInput");
  EXPECT_EQ(controls.back().Name, "bTheory");
  std::set<std::string_view> names;
  for (const ControlRef& c : controls) EXPECT_TRUE(names.insert(c.Name).second) << c.Name;
  const ControlRef* dire = form.FindControl("udDire");
  ASSERT_NE(dire, nullptr);
  EXPECT_EQ(dire->Kind, ControlKind::UpDown);
  EXPECT_EQ(std::get<UpDown*>(dire->Ptr), &form.udDire);
  EXPECT_EQ(form.FindControl("udDIRE"), nullptr);
}

TEST_F(FormConstruction, TakesTheDesignWithoutRaisingHandlers) {
  EXPECT_EQ(form.CycleCount(), 0u);
  EXPECT_TRUE(platform.Events.empty());
  EXPECT_EQ(form.Va, 0);
  EXPECT_EQ(form.SelUnit, 0);
  EXPECT_EQ(form.edAnodeV.Text, "40000");
  EXPECT_EQ(form.edLoaMag.Text, "edLoaMag");
  EXPECT_EQ(form.cbSrcRfl.ItemIndex(), 2);
  EXPECT_EQ(form.cbLoaRfl.ItemIndex(), -1);
  EXPECT_TRUE(form.chIdeal.Checked());
  EXPECT_EQ(form.rgPowerUnit.ItemIndex(), 0);
  EXPECT_EQ(form.rgPowMeasUnit.Items.size(), 3u);
  EXPECT_EQ(form.udSrcPha.Position(), 180);
  EXPECT_EQ(form.udSrcPha.Increment, 5);
  EXPECT_TRUE(form.udSrcPha.Wrap);
  EXPECT_EQ(form.udDire.Associate, "edDire");
  EXPECT_EQ(form.edSrcPha.Color, TColor::clYellow);
  EXPECT_FALSE(form.bHelpChm.Visible);
  EXPECT_TRUE(form.bEvaluate.Default);
  EXPECT_EQ(form.bClose.Hint, "Terminate program execution|");
  EXPECT_EQ(form.pcResults.ActivePage, "tsPowMeas");
  EXPECT_EQ(form.Form1.ClientWidth, 663);
  EXPECT_EQ(form.Focused(), "");
}

TEST_F(FormConstruction, HandlersAreBoundAfterTheDesign) {
  // Code assignments of a different selection now raise their handlers.
  form.rgPowerUnit.SetItemIndex(2);
  EXPECT_EQ(form.CycleCount(), 1u);
  form.Interf = 1.5;
  form.rgTransmMagUnit.SetItemIndex(1);
  EXPECT_EQ(form.SelUnit, 1);
  EXPECT_EQ(form.lbInterf2.Caption, "150");
  form.chIdeal.SetChecked(false);
  EXPECT_TRUE(form.edDire.Enabled);
}

class PrepareForShow : public ShownWindow {};

TEST_F(PrepareForShow, FixesTheWindowAndEvaluatesOnce) {
  EXPECT_EQ(form.Form1.ClientWidth, 641);
  EXPECT_EQ(form.Form1.ClientHeight, 452);
  EXPECT_FALSE(form.Form1.Resizable);
  EXPECT_EQ(form.pcResults.ActivePage, "tsTransm");
  EXPECT_EQ(form.Focused(), "edAnodeV");
  EXPECT_EQ(form.CycleCount(), 1u);
  EXPECT_FALSE(form.edDire.Enabled);
  // 40000 V x 0.3555 A x 100 % into a matched load.
  EXPECT_EQ(form.lbPmatch2.Caption, "14.22");
  EXPECT_EQ(form.pnlPmatchUnit.Caption, "kW");
  // The source's SWR text 0.9999 is below 1 and falls back to the completed Swr of Mag 0.
  EXPECT_TRUE(SameDouble(form.SrcRfl.Swr, 1.0));
  EXPECT_EQ(form.edSrcMag.Text, "1");
  EXPECT_TRUE(platform.Events.empty());
}

}  // namespace
}  // namespace mainwindow::tests
