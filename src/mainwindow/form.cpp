#include <string>
#include <type_traits>

#include "mainwindow/design.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "rf/reflection.h"

namespace mainwindow {

namespace {

constexpr ControlKind KindOf(FormProps*) { return ControlKind::Form; }
constexpr ControlKind KindOf(GroupBox*) { return ControlKind::GroupBox; }
constexpr ControlKind KindOf(Label*) { return ControlKind::Label; }
constexpr ControlKind KindOf(Edit*) { return ControlKind::Edit; }
constexpr ControlKind KindOf(DropDown*) { return ControlKind::DropDown; }
constexpr ControlKind KindOf(UpDown*) { return ControlKind::UpDown; }
constexpr ControlKind KindOf(CheckBox*) { return ControlKind::CheckBox; }
constexpr ControlKind KindOf(RadioGroup*) { return ControlKind::RadioGroup; }
constexpr ControlKind KindOf(Button*) { return ControlKind::Button; }
constexpr ControlKind KindOf(Panel*) { return ControlKind::Panel; }
constexpr ControlKind KindOf(PageControl*) { return ControlKind::PageControl; }
constexpr ControlKind KindOf(TabSheet*) { return ControlKind::TabSheet; }

template <class T>
ControlRef Ref(std::string_view name, T& control) {
  return ControlRef{name, KindOf(&control), ControlPtr{&control}};
}

std::vector<std::string> ToStrings(const std::vector<std::string_view>& items) {
  return {items.begin(), items.end()};
}

// Copies one design entry into the control it describes. Indexes and Checked go through
// their setters while no handler is bound yet, so applying the design raises nothing.
struct DesignApplier {
  const DesignEntry& d;

  void Base(ControlBase& c) const {
    c.Enabled = true;
    c.Visible = d.Visible;
    c.Hint = std::string(d.Hint);
  }
  void operator()(FormProps*) const {}
  void operator()(GroupBox* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Label* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Panel* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(Edit* c) const {
    Base(*c);
    c->Text = std::string(d.Caption);
    c->Color = d.Color;
  }
  void operator()(DropDown* c) const {
    Base(*c);
    c->Items = ToStrings(d.Items);
    c->Color = d.Color;
    c->SetItemIndex(d.ItemIndex);
  }
  void operator()(UpDown* c) const {
    Base(*c);
    c->Min = d.Min;
    c->Max = d.Max;
    c->Increment = d.Increment;
    c->Wrap = d.Wrap;
    c->Associate = std::string(d.Associate);
    c->SetPosition(d.Position);
  }
  void operator()(CheckBox* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->SetChecked(d.Checked);
  }
  void operator()(RadioGroup* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Items = ToStrings(d.Items);
    c->Columns = d.Columns;
    c->SetItemIndex(d.ItemIndex);
  }
  void operator()(Button* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
    c->Default = d.Default;
  }
  void operator()(PageControl* c) const {
    Base(*c);
    c->ActivePage = std::string(d.ActivePage);
  }
  void operator()(TabSheet* c) const {
    Base(*c);
    c->Caption = std::string(d.Caption);
  }
};

}  // namespace

TForm1::TForm1(env::Platform& platform) : platform_(platform) {
  BuildRegistry();
  ApplyDesign();
  BindEvents();
}

void TForm1::BuildRegistry() {
  registry_ = {
      Ref("Form1", Form1),
      Ref("gbMgInput", gbMgInput),
      Ref("lbAnodeV", lbAnodeV),
      Ref("lbAnodeI", lbAnodeI),
      Ref("lbEffic", lbEffic),
      Ref("Label2", Label2),
      Ref("Label4", Label4),
      Ref("Label5", Label5),
      Ref("edAnodeV", edAnodeV),
      Ref("edAnodeI", edAnodeI),
      Ref("edEffic", edEffic),
      Ref("udEff", udEff),
      Ref("GroupBox4", GroupBox4),
      Ref("Label1", Label1),
      Ref("Label3", Label3),
      Ref("lbLoaMism1", lbLoaMism1),
      Ref("Label13", Label13),
      Ref("edLoaMag", edLoaMag),
      Ref("cbLoaRfl", cbLoaRfl),
      Ref("edLoaPha", edLoaPha),
      Ref("pnlLoaMism", pnlLoaMism),
      Ref("udLoaPha", udLoaPha),
      Ref("cbLoaMism", cbLoaMism),
      Ref("bEvaluate", bEvaluate),
      Ref("bHelpHtm", bHelpHtm),
      Ref("gbCpl", gbCpl),
      Ref("lbDire1", lbDire1),
      Ref("lbDb", lbDb),
      Ref("edDire", edDire),
      Ref("chIdeal", chIdeal),
      Ref("udDire", udDire),
      Ref("bClose", bClose),
      Ref("gbSrcRho", gbSrcRho),
      Ref("lbSrcMag", lbSrcMag),
      Ref("lbSrcPha", lbSrcPha),
      Ref("Label12", Label12),
      Ref("lbSrcMism1", lbSrcMism1),
      Ref("edSrcMag", edSrcMag),
      Ref("edSrcPha", edSrcPha),
      Ref("udSrcPha", udSrcPha),
      Ref("cbSrcRfl", cbSrcRfl),
      Ref("pnlSrcMism", pnlSrcMism),
      Ref("cbSrcMism", cbSrcMism),
      Ref("gbMgOutput", gbMgOutput),
      Ref("lbAvailPow1", lbAvailPow1),
      Ref("lbPmatch1", lbPmatch1),
      Ref("pnlPavUnit", pnlPavUnit),
      Ref("lbPav", lbPav),
      Ref("pnlPmatchUnit", pnlPmatchUnit),
      Ref("lbPmatch2", lbPmatch2),
      Ref("pcResults", pcResults),
      Ref("tsTransm", tsTransm),
      Ref("lbPinc1", lbPinc1),
      Ref("lbPrefl1", lbPrefl1),
      Ref("lbPload1", lbPload1),
      Ref("lbTrGain1", lbTrGain1),
      Ref("lbInterf1", lbInterf1),
      Ref("Label27", Label27),
      Ref("Label28", Label28),
      Ref("Label38", Label38),
      Ref("pnlPincUnit", pnlPincUnit),
      Ref("lbPinc2", lbPinc2),
      Ref("pnlPreflUnit", pnlPreflUnit),
      Ref("lbPrefl2", lbPrefl2),
      Ref("pnlPloadUnit", pnlPloadUnit),
      Ref("lbPload2", lbPload2),
      Ref("pnlPincMinUnit", pnlPincMinUnit),
      Ref("lbPincMin2", lbPincMin2),
      Ref("pnlPincMaxUnit", pnlPincMaxUnit),
      Ref("lbPincMax2", lbPincMax2),
      Ref("pnlPrefMinUnit", pnlPrefMinUnit),
      Ref("lbPrefMin2", lbPrefMin2),
      Ref("pnlPrefMaxUnit", pnlPrefMaxUnit),
      Ref("lbPrefMax2", lbPrefMax2),
      Ref("pnlTrGainUn", pnlTrGainUn),
      Ref("lbTrGain2", lbTrGain2),
      Ref("pnlIfcUn", pnlIfcUn),
      Ref("lbInterf2", lbInterf2),
      Ref("pnlIfcMinUn", pnlIfcMinUn),
      Ref("lbIntMin2", lbIntMin2),
      Ref("pnlIfcMaxUn", pnlIfcMaxUn),
      Ref("lbIntMax2", lbIntMax2),
      Ref("pnlTrGminU", pnlTrGminU),
      Ref("lbTrGmin", lbTrGmin),
      Ref("pnlTrGmaxU", pnlTrGmaxU),
      Ref("lbTrGmax", lbTrGmax),
      Ref("pnlPloadMinU", pnlPloadMinU),
      Ref("lbPloadMin", lbPloadMin),
      Ref("pnlPloadMaxU", pnlPloadMaxU),
      Ref("lbPloadMax", lbPloadMax),
      Ref("rgTransmMagUnit", rgTransmMagUnit),
      Ref("tsPowMeas", tsPowMeas),
      Ref("lbPinc3", lbPinc3),
      Ref("lbPrefl3", lbPrefl3),
      Ref("lbPload3", lbPload3),
      Ref("Label22", Label22),
      Ref("Label23", Label23),
      Ref("Label24", Label24),
      Ref("Label25", Label25),
      Ref("Label26", Label26),
      Ref("pnlPincVunit", pnlPincVunit),
      Ref("lbPincV", lbPincV),
      Ref("pnlPreflVunit", pnlPreflVunit),
      Ref("lbPreflV", lbPreflV),
      Ref("pnlPloadVunit", pnlPloadVunit),
      Ref("lbPloadV", lbPloadV),
      Ref("pnlPincMinVunit", pnlPincMinVunit),
      Ref("lbPincMinV", lbPincMinV),
      Ref("pnlPincMax", pnlPincMax),
      Ref("lbPlincMaxV", lbPlincMaxV),
      Ref("pnlPreflMin", pnlPreflMin),
      Ref("lbPrefMinV", lbPrefMinV),
      Ref("pnlPreflMax", pnlPreflMax),
      Ref("lbPlreflMaxV", lbPlreflMaxV),
      Ref("pnlPloadMin", pnlPloadMin),
      Ref("lbPloadMinV", lbPloadMinV),
      Ref("pnlPloadMax", pnlPloadMax),
      Ref("lbPloadMaxV", lbPloadMaxV),
      Ref("pnlPlincMinE", pnlPlincMinE),
      Ref("lbPincMinE", lbPincMinE),
      Ref("pnlPreflMinE", pnlPreflMinE),
      Ref("lbPrefMinE", lbPrefMinE),
      Ref("pnlPloadMinE", pnlPloadMinE),
      Ref("lbPloadMinE", lbPloadMinE),
      Ref("pnlPreflMaxE", pnlPreflMaxE),
      Ref("lbPlreflMaxE", lbPlreflMaxE),
      Ref("pnlPlincMaxE", pnlPlincMaxE),
      Ref("lbPlincMaxE", lbPlincMaxE),
      Ref("pnlPloadMaxE", pnlPloadMaxE),
      Ref("lbPloadMaxE", lbPloadMaxE),
      Ref("rgPowMeasUnit", rgPowMeasUnit),
      Ref("tsLoadMeas", tsLoadMeas),
      Ref("Label6", Label6),
      Ref("Label11", Label11),
      Ref("Label29", Label29),
      Ref("Label30", Label30),
      Ref("Label31", Label31),
      Ref("Label32", Label32),
      Ref("Panel36", Panel36),
      Ref("lbMag", lbMag),
      Ref("Panel37", Panel37),
      Ref("lbMagMin", lbMagMin),
      Ref("Panel38", Panel38),
      Ref("lbMagMax", lbMagMax),
      Ref("paMagMinE", paMagMinE),
      Ref("lbMagMinE", lbMagMinE),
      Ref("paMagMaxE", paMagMaxE),
      Ref("lbMagMaxE", lbMagMaxE),
      Ref("rgLoadMeasMagUnit", rgLoadMeasMagUnit),
      Ref("bShowNote", bShowNote),
      Ref("rgPowerUnit", rgPowerUnit),
      Ref("bHelpChm", bHelpChm),
      Ref("bHempPdf", bHempPdf),
      Ref("bTheory", bTheory),
  };
}

void TForm1::ApplyDesign() {
  const FormDesign& fd = Form1Design();
  Form1.Caption = std::string(fd.Caption);
  Form1.Left = fd.Left;
  Form1.Top = fd.Top;
  Form1.ClientWidth = fd.ClientWidth;
  Form1.ClientHeight = fd.ClientHeight;
  Form1.Color = TColor::clBtnFace;
  Form1.Resizable = true;
  for (const ControlRef& ref : registry_) {
    if (ref.Kind == ControlKind::Form) continue;
    // The design table's own test proves it covers every control; a gap leaves defaults.
    if (const DesignEntry* d = FindDesign(ref.Name)) std::visit(DesignApplier{*d}, ref.Ptr);
  }
}

void TForm1::BindEvents() {
  rgPowerUnit.OnClick = [this] { bEvaluateClick(); };
  rgTransmMagUnit.OnClick = [this] { rgTransmMagUnitClick(); };
  rgPowMeasUnit.OnClick = [this] { rgPowMeasUnitClick(); };
  rgLoadMeasMagUnit.OnClick = [this] { rgLoadMeasMagUnitClick(); };
  chIdeal.OnClick = [this] { chIdealClick(); };
}

std::span<const ControlRef> TForm1::Controls() const { return registry_; }

const ControlRef* TForm1::FindControl(std::string_view name) const {
  for (const ControlRef& ref : registry_) {
    if (ref.Name == name) return &ref;
  }
  return nullptr;
}

void TForm1::PrepareForShow() {
  pcResults.ActivePage = "tsTransm";
  TreatEdDire();
  NaplnFactors();
  ShowPowMeas();
  // The client area ends 4 pixels right of the Magnetron Output group and 2 pixels below
  // the result pages; from here on the window keeps that size.
  const DesignEntry* out = FindDesign("gbMgOutput");
  const DesignEntry* pages = FindDesign("pcResults");
  if (out != nullptr) Form1.ClientWidth = out->Left + out->Width + 4;
  if (pages != nullptr) Form1.ClientHeight = pages->Top + pages->Height + 2;
  Form1.Resizable = false;
  // The first reading of the reflection edits falls back to these forms when their text is
  // not a number.
  rf::ReflFromMag(SrcRfl);
  rf::ReflFromMag(LoaRfl);
  bEvaluateClick();
  SetInitialFocus("edAnodeV");
}

}  // namespace mainwindow
