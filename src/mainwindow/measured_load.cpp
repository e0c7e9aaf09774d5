#include "mainwindow/measured_load.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mainwindow/form.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/parse.h"
#include "rf/input_limits.h"

// A measured load holding the load's edits: what the window shows and evaluates while it holds,
// and the typed values it keeps for afterwards.
namespace mainwindow {

bool SameMeasuredLoad(const MeasuredLoad& a, const MeasuredLoad& b) {
  return a.FileName == b.FileName && a.FreqHz == b.FreqHz && a.Gamma.Re == b.Gamma.Re &&
         a.Gamma.Im == b.Gamma.Im;
}

rf::TRefl MeasuredRefl(const MeasuredLoad& load) {
  rf::TRefl r;
  r.Mag = std::min(std::hypot(load.Gamma.Re, load.Gamma.Im), rf::kMagRange.Hi);
  if (r.Mag > 0.0) {
    const double deg = std::atan2(load.Gamma.Im, load.Gamma.Re) * 180.0 / std::numbers::pi;
    // + 0.0 turns the -0 of a reflection just below the real axis into 0.
    r.Pha = std::clamp(deg, rf::kPhaseRange.Lo, rf::kPhaseRange.Hi) + 0.0;
  }
  rf::ReflFromMag(r);
  return r;
}

bool TForm1::HoldMeasuredLoad(const MeasuredLoad& load) {
  if (!std::isfinite(load.Gamma.Re) || !std::isfinite(load.Gamma.Im)) return false;
  if (heldLoad_ && SameMeasuredLoad(*heldLoad_, load)) return false;
  if (!heldLoad_) {
    // The typed values as the next cycle would read them, text not yet left included.
    typedLoad_ = LoaRfl;
    DropDown list = cbLoaRfl;
    ReadRefl(typedLoad_, list, edLoaMag);
    typedLoad_.Pha = numtext::TextToFloat(edLoaPha.Text, LoaRfl.Pha, rf::kPhaseRange.Lo,
                                          rf::kPhaseRange.Hi, true);
  }
  heldLoad_ = load;
  ApplyHeldLoad();
  return true;
}

bool TForm1::FollowMeasuredLoad(const MeasuredLoad& load) {
  return heldLoad_ && HoldMeasuredLoad(load);
}

void TForm1::ForgetMeasuredLoad() {
  if (!heldLoad_) return;  // typed over: what is on screen is already the user's
  heldLoad_.reset();
  LoaRfl.Mag = typedLoad_.Mag;
  LoaRfl.Rloss = typedLoad_.Rloss;
  LoaRfl.Swr = typedLoad_.Swr;
  LoaRfl.Pha = typedLoad_.Pha;
  ShowRefl(typedLoad_, cbLoaRfl, edLoaMag);
  edLoaPha.Text = numtext::FloatToText(typedLoad_.Pha, numtext::kInputDecimals);
  bEvaluateClick();
}

std::string TForm1::TypedLoaMagText() const {
  return heldLoad_ ? ReflText(typedLoad_, cbLoaRfl.ItemIndex()) : edLoaMag.Text;
}

std::int32_t TForm1::TypedLoaPhaPosition() const {
  return heldLoad_ ? SyncedPosition(udLoaPha, typedLoad_.Pha) : udLoaPha.Position();
}

void TForm1::ApplyHeldLoad() {
  const rf::TRefl r = MeasuredRefl(*heldLoad_);
  // The model holds the exact value first: a text that does not read back as a number (the
  // SWR of total reflection is written as infinity) then keeps the file's value, not the typed.
  LoaRfl.Mag = r.Mag;
  LoaRfl.Rloss = r.Rloss;
  LoaRfl.Swr = r.Swr;
  LoaRfl.Pha = r.Pha;
  ShowRefl(r, cbLoaRfl, edLoaMag);
  edLoaPha.Text = numtext::FloatToText(r.Pha, numtext::kInputDecimals);
  heldMagText_ = edLoaMag.Text;
  heldPhaText_ = edLoaPha.Text;
  bEvaluateClick();
}

void TForm1::EndHoldIfTypedOver() {
  if (heldLoad_ && (edLoaMag.Text != heldMagText_ || edLoaPha.Text != heldPhaText_)) {
    heldLoad_.reset();
  }
}

}  // namespace mainwindow
