#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "env/ini_file.h"
#include "env/my_help.h"
#include "env/platform.h"
#include "mainwindow/controls.h"
#include "mainwindow/measured_load.h"
#include "rf/model.h"

// Every control of the window, in declaration order, as X(kind record, design name). The
// fields, the registry and the design table's check all come from this one list.
#define ZEPHLANE_FORM_CONTROLS(X)  \
  X(GroupBox, gbMgInput)           \
  X(Label, lbAnodeV)               \
  X(Label, lbAnodeI)               \
  X(Label, lbEffic)                \
  X(Label, Label2)                 \
  X(Label, Label4)                 \
  X(Label, Label5)                 \
  X(Edit, edAnodeV)                \
  X(Edit, edAnodeI)                \
  X(Edit, edEffic)                 \
  X(UpDown, udEff)                 \
  X(GroupBox, GroupBox4)           \
  X(Label, Label1)                 \
  X(Label, Label3)                 \
  X(Label, lbLoaMism1)             \
  X(Label, Label13)                \
  X(Edit, edLoaMag)                \
  X(DropDown, cbLoaRfl)            \
  X(Edit, edLoaPha)                \
  X(Panel, pnlLoaMism)             \
  X(UpDown, udLoaPha)              \
  X(DropDown, cbLoaMism)           \
  X(Button, bEvaluate)             \
  X(Button, bHelpHtm)              \
  X(GroupBox, gbCpl)               \
  X(Label, lbDire1)                \
  X(Label, lbDb)                   \
  X(Edit, edDire)                  \
  X(CheckBox, chIdeal)             \
  X(UpDown, udDire)                \
  X(Button, bClose)                \
  X(GroupBox, gbSrcRho)            \
  X(Label, lbSrcMag)               \
  X(Label, lbSrcPha)               \
  X(Label, Label12)                \
  X(Label, lbSrcMism1)             \
  X(Edit, edSrcMag)                \
  X(Edit, edSrcPha)                \
  X(UpDown, udSrcPha)              \
  X(DropDown, cbSrcRfl)            \
  X(Panel, pnlSrcMism)             \
  X(DropDown, cbSrcMism)           \
  X(GroupBox, gbMgOutput)          \
  X(Label, lbAvailPow1)            \
  X(Label, lbPmatch1)              \
  X(Panel, pnlPavUnit)             \
  X(Label, lbPav)                  \
  X(Panel, pnlPmatchUnit)          \
  X(Label, lbPmatch2)              \
  X(PageControl, pcResults)        \
  X(TabSheet, tsTransm)            \
  X(Label, lbPinc1)                \
  X(Label, lbPrefl1)               \
  X(Label, lbPload1)               \
  X(Label, lbTrGain1)              \
  X(Label, lbInterf1)              \
  X(Label, Label27)                \
  X(Label, Label28)                \
  X(Label, Label38)                \
  X(Panel, pnlPincUnit)            \
  X(Label, lbPinc2)                \
  X(Panel, pnlPreflUnit)           \
  X(Label, lbPrefl2)               \
  X(Panel, pnlPloadUnit)           \
  X(Label, lbPload2)               \
  X(Panel, pnlPincMinUnit)         \
  X(Label, lbPincMin2)             \
  X(Panel, pnlPincMaxUnit)         \
  X(Label, lbPincMax2)             \
  X(Panel, pnlPrefMinUnit)         \
  X(Label, lbPrefMin2)             \
  X(Panel, pnlPrefMaxUnit)         \
  X(Label, lbPrefMax2)             \
  X(Panel, pnlTrGainUn)            \
  X(Label, lbTrGain2)              \
  X(Panel, pnlIfcUn)               \
  X(Label, lbInterf2)              \
  X(Panel, pnlIfcMinUn)            \
  X(Label, lbIntMin2)              \
  X(Panel, pnlIfcMaxUn)            \
  X(Label, lbIntMax2)              \
  X(Panel, pnlTrGminU)             \
  X(Label, lbTrGmin)               \
  X(Panel, pnlTrGmaxU)             \
  X(Label, lbTrGmax)               \
  X(Panel, pnlPloadMinU)           \
  X(Label, lbPloadMin)             \
  X(Panel, pnlPloadMaxU)           \
  X(Label, lbPloadMax)             \
  X(RadioGroup, rgTransmMagUnit)   \
  X(TabSheet, tsPowMeas)           \
  X(Label, lbPinc3)                \
  X(Label, lbPrefl3)               \
  X(Label, lbPload3)               \
  X(Label, Label22)                \
  X(Label, Label23)                \
  X(Label, Label24)                \
  X(Label, Label25)                \
  X(Label, Label26)                \
  X(Panel, pnlPincVunit)           \
  X(Label, lbPincV)                \
  X(Panel, pnlPreflVunit)          \
  X(Label, lbPreflV)               \
  X(Panel, pnlPloadVunit)          \
  X(Label, lbPloadV)               \
  X(Panel, pnlPincMinVunit)        \
  X(Label, lbPincMinV)             \
  X(Panel, pnlPincMax)             \
  X(Label, lbPlincMaxV)            \
  X(Panel, pnlPreflMin)            \
  X(Label, lbPrefMinV)             \
  X(Panel, pnlPreflMax)            \
  X(Label, lbPlreflMaxV)           \
  X(Panel, pnlPloadMin)            \
  X(Label, lbPloadMinV)            \
  X(Panel, pnlPloadMax)            \
  X(Label, lbPloadMaxV)            \
  X(Panel, pnlPlincMinE)           \
  X(Label, lbPincMinE)             \
  X(Panel, pnlPreflMinE)           \
  X(Label, lbPrefMinE)             \
  X(Panel, pnlPloadMinE)           \
  X(Label, lbPloadMinE)            \
  X(Panel, pnlPreflMaxE)           \
  X(Label, lbPlreflMaxE)           \
  X(Panel, pnlPlincMaxE)           \
  X(Label, lbPlincMaxE)            \
  X(Panel, pnlPloadMaxE)           \
  X(Label, lbPloadMaxE)            \
  X(RadioGroup, rgPowMeasUnit)     \
  X(TabSheet, tsLoadMeas)          \
  X(Label, Label6)                 \
  X(Label, Label11)                \
  X(Label, Label29)                \
  X(Label, Label30)                \
  X(Label, Label31)                \
  X(Label, Label32)                \
  X(Panel, Panel36)                \
  X(Label, lbMag)                  \
  X(Panel, Panel37)                \
  X(Label, lbMagMin)               \
  X(Panel, Panel38)                \
  X(Label, lbMagMax)               \
  X(Panel, paMagMinE)              \
  X(Label, lbMagMinE)              \
  X(Panel, paMagMaxE)              \
  X(Label, lbMagMaxE)              \
  X(RadioGroup, rgLoadMeasMagUnit) \
  X(Button, bShowNote)             \
  X(RadioGroup, rgPowerUnit)       \
  X(Button, bHelpChm)              \
  X(Button, bHempPdf)              \
  X(Button, bTheory)

// The one window: its controls as value records, the calculation model as its own fields
// (inherited from rf::ModelState, in the model's declaration order), and every handler.
namespace mainwindow {

// The window's own properties.
struct FormProps {
  std::string Caption;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t ClientWidth = 0;
  std::int32_t ClientHeight = 0;
  TColor Color = TColor::clBtnFace;
  bool Resizable = true;        // false once start-up has fixed the border
  bool PositionStored = false;  // the settings gave both Left and Top as whole numbers
};

namespace detail {
template <class Sentinel, class... Records>
struct PointerVariant {
  using type = std::variant<Records*...>;
};
}  // namespace detail

// A pointer to any control's record; its index is the control's kind.
#define MAINWINDOW_KIND_TYPE(kind, type, focus, tabStop, phrase, props) , type
using ControlPtr =
    detail::PointerVariant<void MAINWINDOW_CONTROL_KINDS(MAINWINDOW_KIND_TYPE)>::type;
#undef MAINWINDOW_KIND_TYPE

#define MAINWINDOW_KIND_OF(kind, type, focus, tabStop, phrase, props) \
  constexpr ControlKind KindOf(type*) { return ControlKind::kind; }
MAINWINDOW_CONTROL_KINDS(MAINWINDOW_KIND_OF)
#undef MAINWINDOW_KIND_OF

struct ControlRef {
  std::string_view Name;
  ControlKind Kind;
  ControlPtr Ptr;
};

// The common part of a control, or nullptr for the window itself.
const ControlBase* BaseOf(const ControlPtr& ptr);

enum class TCloseAction { caNone, caFree };

class TForm1;

// The events a user action raises on a control.
enum class EventKind { OnExit, OnClick, OnChange };
std::string_view EventName(EventKind e);  // "OnExit", "OnClick", "OnChange"

// One row of the window's event table: this event of this control runs this handler.
struct EventBinding {
  std::string_view Control;
  EventKind Event;
  void (TForm1::*Handler)();
};
// Every event of every control that has one, and nothing else.
std::span<const EventBinding> EventTable();
const EventBinding* FindEvent(std::string_view control, EventKind event);

class TForm1 : public rf::ModelState {
 public:
  // Controls take their design values; every model field is zero, false or empty.
  explicit TForm1(env::Platform& platform);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  env::Platform& Platform() { return platform_; }

  // ---- The window itself, then its controls in declaration order ----
  FormProps Form1;
#define ZEPHLANE_DECLARE_CONTROL(Kind, name) Kind name;
  ZEPHLANE_FORM_CONTROLS(ZEPHLANE_DECLARE_CONTROL)
#undef ZEPHLANE_DECLARE_CONTROL

  // ---- Environment fields (the model fields come from rf::ModelState) ----
  std::string ExeDir;
  std::string UserDir;  // the per-user settings folder, trailing separator; empty: none
  std::unique_ptr<env::TIniFile> AutoIniFile;
  std::string ChmHelpName;
  std::string ChmHelpFile;
  std::string PdfHelpName;
  std::string PdfHelpFile;
  std::string TheoryName;
  std::string TheoryFile;
  env::TMyHelp MyHelp;
  // The desktop's memory, kept in the settings file: the folder a file dialog last opened in,
  // and the case files opened or saved last, newest first, one per line.
  std::string LastFolder;
  std::string RecentCases;

  // ---- Registry: Form1 first, then every control in declaration order ----
  std::span<const ControlRef> Controls() const;
  const ControlRef* FindControl(std::string_view name) const;

  // ---- Window events ----
  // Set by the start-up layer: OnCreate runs FormCreate, OnClose runs FormClose.
  std::function<void()> OnCreate;
  std::function<void(TCloseAction&)> OnClose;
  // A close request (close box, bClose, system menu): runs OnClose; caFree closes the window.
  void Close();
  bool Closed() const { return closed_; }

  // ---- User actions: the only entry points besides code assignments ----
  // Each runs to completion; an error escaping a handler goes to the application's error box.
  const std::string& Focused() const { return focused_; }
  void UserFocus(std::string_view control);  // raises OnExit of an edit losing the focus
  void UserType(std::string_view edit, const std::string& text);  // focus, then replace text
  void UserKeyEnter();                       // focused button clicks itself, else bEvaluate
  void UserClick(std::string_view control);  // button or check box (toggles); focus first
  void UserPick(std::string_view control, std::int32_t index);  // drop-down or radio group
  void UserStep(std::string_view updown, bool up);              // arrow or Up/Down key
  void UserPage(std::string_view tabSheet);                     // activate a tab sheet
  // Runs one action with the application's standard error handling around it.
  void RunUserAction(const std::function<void()>& action);
  // Puts the focus on a control from code, as the window does when it is first shown;
  // raises nothing.
  void SetInitialFocus(std::string_view control);

  // The environment-free part of the window's creation, run after the settings are loaded:
  // Transmission sheet active, directivity controls after chIdeal, factors and measurement
  // re-presented, client area fixed at 641 x 452 (not resizable), Rloss and Swr of both
  // reflections completed from their Mag, one full cycle, focus on edAnodeV.
  void PrepareForShow();

  // ---- Evaluation cycle ----
  void bEvaluateClick();
  // How many full cycles have run since construction (the tests count them).
  std::uint64_t CycleCount() const { return cycles_; }

  // ---- Input panel ----
  void ReadInputs();
  void ShowInputs();
  void ReadRefl(rf::TRefl& refl, DropDown& list, Edit& edit);
  void ShowRefl(const rf::TRefl& refl, const DropDown& list, Edit& edit);
  void SyncUpDown(UpDown& updown, double value);
  void SetEffFromUpDown(std::int32_t position);
  void TreatEdDire();
  void edSrcPhaExit();
  void edSrcMagExit();
  void edLoaMagExit();
  void udEffClick();
  void udSrcPhaClick();
  void udLoaPhaClick();
  void udDireClick();
  void cbSrcRflChange();
  void cbLoaRflChange();
  void cbSrcMismChange();
  void cbLoaMismChange();
  void chIdealClick();
  // The magnitude of refl as ShowRefl writes it for a list standing at itemIndex.
  static std::string ReflText(const rf::TRefl& refl, std::int32_t itemIndex);
  // The position SyncUpDown gives updown for value.
  static std::int32_t SyncedPosition(const UpDown& updown, double value);

  // ---- A measured load in place of the typed one ----
  // While a measured load holds the load's edits, edLoaMag shows its magnitude in the form
  // cbLoaRfl selects and edLoaPha its phase, and the model is evaluated with them as if they
  // had been typed. Typing over either edit or stepping udLoaPha ends the hold and keeps what
  // is on screen.
  // HoldMeasuredLoad starts the hold (a file was opened) and keeps the typed values from before
  // it; during a hold it moves to the new value (another file, frequency, line or port).
  // FollowMeasuredLoad moves only during a hold: once the user has typed over the file, the
  // window no longer follows it. Both run one full cycle when the shown value changes and say
  // whether it did; a reflection that is not finite is refused and changes nothing.
  bool HoldMeasuredLoad(const MeasuredLoad& load);
  bool FollowMeasuredLoad(const MeasuredLoad& load);
  // The file is closed: during a hold the typed values come back, with one full cycle.
  void ForgetMeasuredLoad();
  // Other inputs replace the edits (a case opened): the hold ends, nothing else changes.
  void ReleaseMeasuredLoad() { heldLoad_.reset(); }
  // The load that holds the edits; empty while the typed values are in use.
  const std::optional<MeasuredLoad>& HeldLoad() const { return heldLoad_; }
  // The load's magnitude text and phase position as the user left them: the controls' own, or
  // during a hold those from before it. The settings and case files keep these, so a start
  // without the file shows what was typed.
  std::string TypedLoaMagText() const;
  std::int32_t TypedLoaPhaPosition() const;

  // ---- Model ----
  void ComputeTransmission();
  void ComputeMeasurement();

  // ---- Result presentation ----
  void ShowPower(double p, Label& value, Panel& unit);
  void ShowFactor(double x, Label& value);
  void ShowMism(const rf::TRefl& r, const DropDown& selector, Panel& target);
  void ShowPowError(double p, double ratio, bool isError, Label& value, Panel& unit);
  void ShowMeaRefl(const rf::TRefl& r, std::int32_t index, Label& value);
  void ShowMeaError(const rf::TRefl& mea, const rf::TRefl& ref, std::int32_t index, Label& value,
                    Panel& box);
  void NaplnFactors();
  void ShowLoadMeas();
  void ShowPowMeas();
  void ShowResults();
  void rgTransmMagUnitClick();
  void rgPowMeasUnitClick();
  void rgLoadMeasMagUnitClick();

  // ---- Notes, help, closing ----
  void bShowNoteClick();
  void bCloseClick();
  void bHelpHtmClick();
  void bHelpChmClick();
  void bHelpPdfClick();
  void bTheoryClick();

 private:
  env::Platform& platform_;
  std::string focused_;
  bool closed_ = false;
  std::vector<ControlRef> registry_;
  std::uint64_t cycles_ = 0;
  std::optional<MeasuredLoad> heldLoad_;
  rf::TRefl typedLoad_;      // during a hold: the load as typed before it
  std::string heldMagText_;  // during a hold: what it last wrote into edLoaMag and edLoaPha
  std::string heldPhaText_;

  void BuildRegistry();
  void ApplyDesign();
  void BindEvents();
  // Runs the handler the event table names for this event of this control, if any.
  void Raise(std::string_view control, EventKind event);
  // The named control of the given kind, or std::invalid_argument.
  template <class T>
  T& ControlAs(std::string_view name, ControlKind kind);
  bool TakesFocus(std::string_view name) const;
  // Moves the focus as a user action does: an edit that loses it raises its OnExit.
  void MoveFocus(std::string_view control);
  // Shows the held load in the edits, makes it the model's, and runs one full cycle.
  void ApplyHeldLoad();
  // An edit the hold wrote that no longer reads as it wrote it was typed over: the hold ends.
  void EndHoldIfTypedOver();
};

}  // namespace mainwindow
