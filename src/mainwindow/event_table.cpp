#include <algorithm>
#include <array>

#include "mainwindow/form.h"

// Which handler each control's events run: the window's whole event wiring in one table.
namespace mainwindow {

namespace {

using E = EventKind;
using F = TForm1;

// clang-format off
constexpr std::array kEventTable = {
    // Leaving a numeric edit runs the full cycle; the magnitude edits keep the typed form.
    EventBinding{"edAnodeV",          E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"edAnodeI",          E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"edEffic",           E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"udEff",             E::OnClick,  &F::udEffClick},
    EventBinding{"edLoaMag",          E::OnExit,   &F::edLoaMagExit},
    EventBinding{"cbLoaRfl",          E::OnChange, &F::cbLoaRflChange},
    EventBinding{"edLoaPha",          E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"udLoaPha",          E::OnClick,  &F::udLoaPhaClick},
    EventBinding{"cbLoaMism",         E::OnChange, &F::cbLoaMismChange},
    EventBinding{"bEvaluate",         E::OnClick,  &F::bEvaluateClick},
    EventBinding{"bHelpHtm",          E::OnClick,  &F::bHelpHtmClick},
    EventBinding{"edDire",            E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"chIdeal",           E::OnClick,  &F::chIdealClick},
    EventBinding{"udDire",            E::OnClick,  &F::udDireClick},
    EventBinding{"bClose",            E::OnClick,  &F::bCloseClick},
    EventBinding{"edSrcMag",          E::OnExit,   &F::edSrcMagExit},
    EventBinding{"edSrcPha",          E::OnExit,   &F::edSrcPhaExit},
    EventBinding{"udSrcPha",          E::OnClick,  &F::udSrcPhaClick},
    EventBinding{"cbSrcRfl",          E::OnChange, &F::cbSrcRflChange},
    EventBinding{"cbSrcMism",         E::OnChange, &F::cbSrcMismChange},
    EventBinding{"rgTransmMagUnit",   E::OnClick,  &F::rgTransmMagUnitClick},
    EventBinding{"rgPowMeasUnit",     E::OnClick,  &F::rgPowMeasUnitClick},
    EventBinding{"rgLoadMeasMagUnit", E::OnClick,  &F::rgLoadMeasMagUnitClick},
    EventBinding{"bShowNote",         E::OnClick,  &F::bShowNoteClick},
    // A new power unit re-evaluates: the dB units need the powers recomputed and shown.
    EventBinding{"rgPowerUnit",       E::OnClick,  &F::bEvaluateClick},
    EventBinding{"bHelpChm",          E::OnClick,  &F::bHelpChmClick},
    EventBinding{"bHempPdf",          E::OnClick,  &F::bHelpPdfClick},
    EventBinding{"bTheory",           E::OnClick,  &F::bTheoryClick},
};
// clang-format on

}  // namespace

std::string_view EventName(EventKind e) {
  switch (e) {
    case EventKind::OnExit:
      return "OnExit";
    case EventKind::OnClick:
      return "OnClick";
    case EventKind::OnChange:
      return "OnChange";
  }
  return "OnClick";
}

std::span<const EventBinding> EventTable() { return kEventTable; }

const EventBinding* FindEvent(std::string_view control, EventKind event) {
  const auto it = std::find_if(kEventTable.begin(), kEventTable.end(), [&](const EventBinding& b) {
    return b.Control == control && b.Event == event;
  });
  return it == kEventTable.end() ? nullptr : &*it;
}

void TForm1::Raise(std::string_view control, EventKind event) {
  if (const EventBinding* b = FindEvent(control, event)) (this->*b->Handler)();
}

// A radio group or the check box raises its OnClick inside the assignment of a new value, so
// its record carries the call; it comes from the same table as every other event.
void TForm1::BindEvents() {
  for (const EventBinding& b : kEventTable) {
    const ControlRef* ref = FindControl(b.Control);
    if (ref == nullptr || b.Event != EventKind::OnClick) continue;
    auto handler = [this, h = b.Handler] { (this->*h)(); };
    if (ref->Kind == ControlKind::RadioGroup) std::get<RadioGroup*>(ref->Ptr)->OnClick = handler;
    if (ref->Kind == ControlKind::CheckBox) std::get<CheckBox*>(ref->Ptr)->OnClick = handler;
  }
}

}  // namespace mainwindow
