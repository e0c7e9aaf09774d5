#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

#include "mainwindow/db_text.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "mainwindow/unit_index.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"

// Result presentation: every computed result written into its label in the unit the user
// selected. Nothing here computes a model value.
namespace mainwindow {

namespace {

using numtext::FloatToText;

using numtext::kDbDecimals;
using numtext::kPercentDecimals;
using numtext::kPowerDecimals;
using numtext::kRatioDecimals;
using numtext::kSwrDecimals;

// Both the factor unit and the error unit have three items.
bool IsUnitIndex(std::int32_t i) { return i >= 0 && i <= kFactorDb; }

std::string Str(std::string_view s) { return std::string(s); }

}  // namespace

void TForm1::ShowPower(double p, Label& value, Panel& unit) {
  const std::optional<numtext::PowerUnit> u = numtext::PowerUnitOfIndex(rgPowerUnit.ItemIndex());
  if (!u) return;  // no power unit selected: the cell keeps what it shows
  // In watts the prefix follows the size of the power, so a negative error difference of
  // -1500 W reads -1.5 kW; infinities and NaN land in megawatts.
  const numtext::PowerScale scale = numtext::ScaleFor(*u, std::fabs(p));
  const double x = numtext::ToScale(scale, p);
  value.Caption = numtext::IsDecibel(scale) ? DbText(x) : FloatToText(x, kPowerDecimals);
  unit.Caption = Str(numtext::ScaleName(scale));
}

void TForm1::ShowFactor(double x, Label& value) {
  switch (SelUnit) {
    case kFactorRatio:
      value.Caption = FloatToText(x, kRatioDecimals);
      break;
    case kFactorPercent:
      value.Caption = FloatToText(x * 100.0, kPercentDecimals);
      break;
    case kFactorDb:
      value.Caption = DbText(x);  // a power ratio: 10 log10
      break;
    default:
      value.Caption = Str(kBadUnit);
      break;
  }
}

void TForm1::ShowMism(const rf::TRefl& r, const DropDown& selector, Panel& target) {
  switch (selector.ItemIndex()) {
    case kMismDb:
      target.Caption = DbText(r.Mism);
      break;
    case kMismPercent:
      target.Caption = FloatToText(r.Mism * 100.0, kPercentDecimals);
      break;
    case kMismRatio:
    default:
      target.Caption = FloatToText(r.Mism, kRatioDecimals);
      break;
  }
}

void TForm1::ShowPowError(double p, double ratio, bool isError, Label& value, Panel& unit) {
  switch (SelErrUnit) {
    case kErrorPower:
      // A power difference has no decibel value; in a decibel power unit the error cells
      // show the measured/true ratio in dB instead.
      if (isError && rgPowerUnit.ItemIndex() != kPowerWatts) {
        value.Caption = DbText(ratio);
        unit.Caption = Str(ErrUnitStr[kErrorDb]);
      } else {
        ShowPower(p, value, unit);
      }
      break;
    case kErrorPercent:
      if (isError) ratio -= 1.0;
      value.Caption = FloatToText(ratio * 100.0, kPercentDecimals);
      unit.Caption = Str(ErrUnitStr[kErrorPercent]);
      break;
    case kErrorDb:
      // Measured and error columns show the same number: the ratio in dB.
      value.Caption = DbText(ratio);
      unit.Caption = Str(ErrUnitStr[kErrorDb]);
      break;
    default:
      value.Caption = Str(kBadUnit);
      break;
  }
}

void TForm1::ShowMeaRefl(const rf::TRefl& r, std::int32_t index, Label& value) {
  switch (index) {
    case kReflDb:
      value.Caption = FloatToText(r.Rloss, kDbDecimals);
      break;
    case kReflSwr:
      value.Caption = FloatToText(r.Swr, kSwrDecimals);
      break;
    default:
      value.Caption = FloatToText(r.Mag, kRatioDecimals);
      break;
  }
}

// The error of a measured magnitude is meaningful only as a magnitude difference (in
// percentage points); in the other units the box greys out and stays empty.
void TForm1::ShowMeaError(const rf::TRefl& mea, const rf::TRefl& ref, std::int32_t index,
                          Label& value, Panel& box) {
  if (index == kReflMag) {
    box.Color = TColor::clWhite;
    value.Caption = FloatToText((mea.Mag - ref.Mag) * 100.0, kPercentDecimals);
  } else {
    box.Color = TColor::clBtnFace;
    value.Caption.clear();
  }
  value.Color = box.Color;
}

void TForm1::NaplnFactors() {
  if (IsUnitIndex(SelUnit)) {
    const std::string u = Str(UnitStr[static_cast<std::size_t>(SelUnit)]);
    for (Panel* p :
         {&pnlIfcUn, &pnlIfcMinUn, &pnlIfcMaxUn, &pnlTrGainUn, &pnlTrGminU, &pnlTrGmaxU}) {
      p->Caption = u;
    }
  }
  ShowMism(SrcRfl, cbSrcMism, pnlSrcMism);
  ShowMism(LoaRfl, cbLoaMism, pnlLoaMism);
  ShowFactor(Interf, lbInterf2);
  ShowFactor(InterfMin, lbIntMin2);
  ShowFactor(InterfMax, lbIntMax2);
  ShowFactor(TrGain, lbTrGain2);
  ShowFactor(TrGainMin, lbTrGmin);
  ShowFactor(TrGainMax, lbTrGmax);
}

void TForm1::ShowLoadMeas() {
  const std::int32_t index = rgLoadMeasMagUnit.ItemIndex();
  ShowMeaRefl(LoaRfl, index, lbMag);
  ShowMeaRefl(MeaMin, index, lbMagMin);
  ShowMeaRefl(MeaMax, index, lbMagMax);
  ShowMeaError(MeaMin, LoaRfl, index, lbMagMinE, paMagMinE);
  ShowMeaError(MeaMax, LoaRfl, index, lbMagMaxE, paMagMaxE);
}

void TForm1::ShowPowMeas() {
  ShowPowError(PincMinV, ErrInciMinus, false, lbPincMinV, pnlPincMinVunit);
  ShowPowError(PincMaxV, ErrInciPlus, false, lbPlincMaxV, pnlPincMax);
  ShowPowError(PreflMinV, ErrReflMinus, false, lbPrefMinV, pnlPreflMin);
  ShowPowError(PreflMaxV, ErrReflPlus, false, lbPlreflMaxV, pnlPreflMax);
  ShowPowError(PloadMinV, PloadMinRelat, false, lbPloadMinV, pnlPloadMin);
  ShowPowError(PloadMaxV, PloadMaxRelat, false, lbPloadMaxV, pnlPloadMax);
  ShowPowError(PincMinV - Pinc, ErrInciMinus, true, lbPincMinE, pnlPlincMinE);
  ShowPowError(PincMaxV - Pinc, ErrInciPlus, true, lbPlincMaxE, pnlPlincMaxE);
  ShowPowError(PreflMinV - Prefl, ErrReflMinus, true, lbPrefMinE, pnlPreflMinE);
  ShowPowError(PreflMaxV - Prefl, ErrReflPlus, true, lbPlreflMaxE, pnlPreflMaxE);
  ShowPowError(PloadMinV - Pload, PloadMinRelat, true, lbPloadMinE, pnlPloadMinE);
  ShowPowError(PloadMaxV - Pload, PloadMaxRelat, true, lbPloadMaxE, pnlPloadMaxE);
  ShowLoadMeas();
}

void TForm1::ShowResults() {
  ShowPower(Pmatch, lbPmatch2, pnlPmatchUnit);
  ShowPower(Pav, lbPav, pnlPavUnit);
  NaplnFactors();
  ShowPowMeas();
  ShowPower(Pinc, lbPinc2, pnlPincUnit);
  ShowPower(PincMin, lbPincMin2, pnlPincMinUnit);
  ShowPower(PincMax, lbPincMax2, pnlPincMaxUnit);
  ShowPower(Prefl, lbPrefl2, pnlPreflUnit);
  ShowPower(PreflMin, lbPrefMin2, pnlPrefMinUnit);
  ShowPower(PreflMax, lbPrefMax2, pnlPrefMaxUnit);
  ShowPower(Pload, lbPload2, pnlPloadUnit);
  ShowPower(PloadMin, lbPloadMin, pnlPloadMinU);
  ShowPower(PloadMax, lbPloadMax, pnlPloadMaxU);
  ShowPower(Pinc, lbPincV, pnlPincVunit);
  ShowPower(Prefl, lbPreflV, pnlPreflVunit);
  ShowPower(Pload, lbPloadV, pnlPloadVunit);
}

void TForm1::rgTransmMagUnitClick() {
  const std::int32_t i = rgTransmMagUnit.ItemIndex();
  if (IsUnitIndex(i)) SelUnit = i;
  NaplnFactors();
}

void TForm1::rgPowMeasUnitClick() {
  const std::int32_t i = rgPowMeasUnit.ItemIndex();
  if (IsUnitIndex(i)) SelErrUnit = i;
  ShowPowMeas();
}

void TForm1::rgLoadMeasMagUnitClick() { ShowLoadMeas(); }

}  // namespace mainwindow
