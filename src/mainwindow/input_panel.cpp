#include <cmath>
#include <cstdint>
#include <string>

#include "mainwindow/form.h"
#include "mainwindow/unit_index.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/parse.h"
#include "rf/input_limits.h"
#include "rf/model.h"
#include "rf/reflection.h"

// The input panel: the input edits and their up-downs and lists read into the model and
// written back in canonical form, and the evaluation cycle that starts from them.
namespace mainwindow {

using numtext::kInputDecimals;

void TForm1::bEvaluateClick() {
  ++cycles_;
  EndHoldIfTypedOver();
  ReadInputs();
  ComputeTransmission();
  ShowResults();
  // The canonical texts the cycle wrote are the held load's own.
  if (heldLoad_) {
    heldMagText_ = edLoaMag.Text;
    heldPhaText_ = edLoaPha.Text;
  }
}

void TForm1::ComputeTransmission() { rf::ComputeTransmission(*this); }

void TForm1::ComputeMeasurement() { rf::ComputeMeasurement(*this); }

void TForm1::ReadInputs() {
  using numtext::TextToFloat;
  Va = numtext::TextToInt(edAnodeV.Text, Va, 0, rf::kVaMax, true);
  Ia = TextToFloat(edAnodeI.Text, Ia, rf::kIaRange.Lo, rf::kIaRange.Hi, true);
  Eff = TextToFloat(edEffic.Text, Eff * 100.0, rf::kEffPercentRange.Lo, rf::kEffPercentRange.Hi,
                    true) /
        100.0;
  ReadRefl(SrcRfl, cbSrcRfl, edSrcMag);
  SrcRfl.Pha = TextToFloat(edSrcPha.Text, SrcRfl.Pha, rf::kPhaseRange.Lo, rf::kPhaseRange.Hi, true);
  ReadRefl(LoaRfl, cbLoaRfl, edLoaMag);
  LoaRfl.Pha = TextToFloat(edLoaPha.Text, LoaRfl.Pha, rf::kPhaseRange.Lo, rf::kPhaseRange.Hi, true);
  CplDirDb =
      TextToFloat(edDire.Text, CplDirDb, rf::kDirectivityRange.Lo, rf::kDirectivityRange.Hi, true);
  CplIdeal = chIdeal.Checked();
  ShowInputs();
}

void TForm1::ShowInputs() {
  using numtext::FloatToText;
  edAnodeV.Text = numtext::IntToText(Va);
  edAnodeI.Text = FloatToText(Ia, kInputDecimals);
  edEffic.Text = FloatToText(Eff * 100.0, kInputDecimals);
  SyncUpDown(udEff, Eff * 100.0);
  ShowRefl(SrcRfl, cbSrcRfl, edSrcMag);
  edSrcPha.Text = FloatToText(SrcRfl.Pha, kInputDecimals);
  SyncUpDown(udSrcPha, SrcRfl.Pha);
  ShowRefl(LoaRfl, cbLoaRfl, edLoaMag);
  edLoaPha.Text = FloatToText(LoaRfl.Pha, kInputDecimals);
  SyncUpDown(udLoaPha, LoaRfl.Pha);
  edDire.Text = FloatToText(CplDirDb, kInputDecimals);
  SyncUpDown(udDire, CplDirDb);
}

// A rejected text keeps the last accepted value of the same form; the other two forms are
// re-derived from it.
void TForm1::ReadRefl(rf::TRefl& refl, DropDown& list, Edit& edit) {
  using numtext::TextToFloat;
  switch (list.ItemIndex()) {
    case kReflDb:
      refl.Rloss =
          TextToFloat(edit.Text, refl.Rloss, rf::kRlossRange.Lo, rf::kRlossRange.Hi, false);
      rf::ReflFromRloss(refl);
      break;
    case kReflSwr:
      refl.Swr = TextToFloat(edit.Text, refl.Swr, rf::kSwrRange.Lo, rf::kSwrRange.Hi, false);
      rf::ReflFromSwr(refl);
      break;
    default:
      list.SetItemIndex(kReflMag);
      refl.Mag = TextToFloat(edit.Text, refl.Mag, rf::kMagRange.Lo, rf::kMagRange.Hi, false);
      rf::ReflFromMag(refl);
      break;
  }
}

std::string TForm1::ReflText(const rf::TRefl& refl, std::int32_t itemIndex) {
  using numtext::FloatToText;
  switch (itemIndex) {
    case kReflDb:
      return FloatToText(refl.Rloss, numtext::kDbDecimals);
    case kReflSwr:
      return FloatToText(refl.Swr, numtext::kSwrDecimals);
    default:
      return FloatToText(refl.Mag, kInputDecimals);
  }
}

void TForm1::ShowRefl(const rf::TRefl& refl, const DropDown& list, Edit& edit) {
  edit.Text = ReflText(refl, list.ItemIndex());
}

std::int32_t TForm1::SyncedPosition(const UpDown& updown, double value) {
  const double c = numtext::ClampFloat(updown.Min, value, updown.Max);
  // Ties go to the even integer (the default rounding mode); NaN has no position and
  // stands at 0, as converting it to an integer would be undefined.
  const double r = std::isnan(c) ? 0.0 : std::nearbyint(c);
  const auto whole = static_cast<std::int32_t>(r);
  const std::int32_t inc = updown.Increment > 0 ? updown.Increment : 1;
  return inc * (whole / inc);
}

void TForm1::SyncUpDown(UpDown& updown, double value) {
  updown.SetPosition(SyncedPosition(updown, value));
}

void TForm1::SetEffFromUpDown(std::int32_t position) {
  Eff = position / 100.0;
  edEffic.Text = numtext::FloatToText(Eff * 100.0, kInputDecimals);
}

void TForm1::TreatEdDire() {
  edDire.Enabled = !chIdeal.Checked();
  udDire.Enabled = edDire.Enabled;
  edDire.Color = edDire.Enabled ? TColor::clYellow : TColor::clBtnFace;
}

void TForm1::edSrcPhaExit() { bEvaluateClick(); }

void TForm1::edSrcMagExit() {
  ReadRefl(SrcRfl, cbSrcRfl, edSrcMag);
  bEvaluateClick();
}

void TForm1::edLoaMagExit() {
  EndHoldIfTypedOver();
  ReadRefl(LoaRfl, cbLoaRfl, edLoaMag);
  bEvaluateClick();
}

void TForm1::udEffClick() {
  SetEffFromUpDown(udEff.Position());
  bEvaluateClick();
}

void TForm1::udSrcPhaClick() {
  SrcRfl.Pha = udSrcPha.Position();
  edSrcPha.Text = numtext::FloatToText(SrcRfl.Pha, kInputDecimals);
  bEvaluateClick();
}

void TForm1::udLoaPhaClick() {
  ReleaseMeasuredLoad();  // a step is the user's own phase
  LoaRfl.Pha = udLoaPha.Position();
  edLoaPha.Text = numtext::FloatToText(LoaRfl.Pha, kInputDecimals);
  bEvaluateClick();
}

// The step has already written the position into edDire.
void TForm1::udDireClick() {
  CplDirDb = udDire.Position();
  bEvaluateClick();
}

void TForm1::cbSrcRflChange() { ShowRefl(SrcRfl, cbSrcRfl, edSrcMag); }

void TForm1::cbLoaRflChange() {
  if (!heldLoad_) {
    ShowRefl(LoaRfl, cbLoaRfl, edLoaMag);
    return;
  }
  // The file's own value in the new form, not one re-derived from the rounded text of the old.
  ShowRefl(MeasuredRefl(*heldLoad_), cbLoaRfl, edLoaMag);
  heldMagText_ = edLoaMag.Text;
}

void TForm1::cbSrcMismChange() { ShowMism(SrcRfl, cbSrcMism, pnlSrcMism); }

void TForm1::cbLoaMismChange() { ShowMism(LoaRfl, cbLoaMism, pnlLoaMism); }

// Measurement only: the directivity is kept while the couplers are ideal and used again
// when the box is cleared.
void TForm1::chIdealClick() {
  TreatEdDire();
  CplIdeal = chIdeal.Checked();
  ComputeMeasurement();
  ShowPowMeas();
}

}  // namespace mainwindow
