#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "env/ini_file.h"
#include "env/my_help.h"
#include "env/platform.h"
#include "mainwindow/controls.h"
#include "rf/model.h"

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
  bool Resizable = true;  // false once start-up has fixed the border
};

using ControlPtr = std::variant<FormProps*, GroupBox*, Label*, Edit*, DropDown*, UpDown*, CheckBox*,
                                RadioGroup*, Button*, Panel*, PageControl*, TabSheet*>;

struct ControlRef {
  std::string_view Name;
  ControlKind Kind;
  ControlPtr Ptr;
};

enum class TCloseAction { caNone, caFree };

class TForm1 : public rf::ModelState {
 public:
  // Controls take their design values; every model field is zero, false or empty.
  explicit TForm1(env::Platform& platform);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  env::Platform& Platform() { return platform_; }

  // ---- Controls, in declaration order ----
  FormProps Form1;
  GroupBox gbMgInput;
  Label lbAnodeV;
  Label lbAnodeI;
  Label lbEffic;
  Label Label2;
  Label Label4;
  Label Label5;
  Edit edAnodeV;
  Edit edAnodeI;
  Edit edEffic;
  UpDown udEff;
  GroupBox GroupBox4;
  Label Label1;
  Label Label3;
  Label lbLoaMism1;
  Label Label13;
  Edit edLoaMag;
  DropDown cbLoaRfl;
  Edit edLoaPha;
  Panel pnlLoaMism;
  UpDown udLoaPha;
  DropDown cbLoaMism;
  Button bEvaluate;
  Button bHelpHtm;
  GroupBox gbCpl;
  Label lbDire1;
  Label lbDb;
  Edit edDire;
  CheckBox chIdeal;
  UpDown udDire;
  Button bClose;
  GroupBox gbSrcRho;
  Label lbSrcMag;
  Label lbSrcPha;
  Label Label12;
  Label lbSrcMism1;
  Edit edSrcMag;
  Edit edSrcPha;
  UpDown udSrcPha;
  DropDown cbSrcRfl;
  Panel pnlSrcMism;
  DropDown cbSrcMism;
  GroupBox gbMgOutput;
  Label lbAvailPow1;
  Label lbPmatch1;
  Panel pnlPavUnit;
  Label lbPav;
  Panel pnlPmatchUnit;
  Label lbPmatch2;
  PageControl pcResults;
  TabSheet tsTransm;
  Label lbPinc1;
  Label lbPrefl1;
  Label lbPload1;
  Label lbTrGain1;
  Label lbInterf1;
  Label Label27;
  Label Label28;
  Label Label38;
  Panel pnlPincUnit;
  Label lbPinc2;
  Panel pnlPreflUnit;
  Label lbPrefl2;
  Panel pnlPloadUnit;
  Label lbPload2;
  Panel pnlPincMinUnit;
  Label lbPincMin2;
  Panel pnlPincMaxUnit;
  Label lbPincMax2;
  Panel pnlPrefMinUnit;
  Label lbPrefMin2;
  Panel pnlPrefMaxUnit;
  Label lbPrefMax2;
  Panel pnlTrGainUn;
  Label lbTrGain2;
  Panel pnlIfcUn;
  Label lbInterf2;
  Panel pnlIfcMinUn;
  Label lbIntMin2;
  Panel pnlIfcMaxUn;
  Label lbIntMax2;
  Panel pnlTrGminU;
  Label lbTrGmin;
  Panel pnlTrGmaxU;
  Label lbTrGmax;
  Panel pnlPloadMinU;
  Label lbPloadMin;
  Panel pnlPloadMaxU;
  Label lbPloadMax;
  RadioGroup rgTransmMagUnit;
  TabSheet tsPowMeas;
  Label lbPinc3;
  Label lbPrefl3;
  Label lbPload3;
  Label Label22;
  Label Label23;
  Label Label24;
  Label Label25;
  Label Label26;
  Panel pnlPincVunit;
  Label lbPincV;
  Panel pnlPreflVunit;
  Label lbPreflV;
  Panel pnlPloadVunit;
  Label lbPloadV;
  Panel pnlPincMinVunit;
  Label lbPincMinV;
  Panel pnlPincMax;
  Label lbPlincMaxV;
  Panel pnlPreflMin;
  Label lbPrefMinV;
  Panel pnlPreflMax;
  Label lbPlreflMaxV;
  Panel pnlPloadMin;
  Label lbPloadMinV;
  Panel pnlPloadMax;
  Label lbPloadMaxV;
  Panel pnlPlincMinE;
  Label lbPincMinE;
  Panel pnlPreflMinE;
  Label lbPrefMinE;
  Panel pnlPloadMinE;
  Label lbPloadMinE;
  Panel pnlPreflMaxE;
  Label lbPlreflMaxE;
  Panel pnlPlincMaxE;
  Label lbPlincMaxE;
  Panel pnlPloadMaxE;
  Label lbPloadMaxE;
  RadioGroup rgPowMeasUnit;
  TabSheet tsLoadMeas;
  Label Label6;
  Label Label11;
  Label Label29;
  Label Label30;
  Label Label31;
  Label Label32;
  Panel Panel36;
  Label lbMag;
  Panel Panel37;
  Label lbMagMin;
  Panel Panel38;
  Label lbMagMax;
  Panel paMagMinE;
  Label lbMagMinE;
  Panel paMagMaxE;
  Label lbMagMaxE;
  RadioGroup rgLoadMeasMagUnit;
  Button bShowNote;
  RadioGroup rgPowerUnit;
  Button bHelpChm;
  Button bHempPdf;
  Button bTheory;

  // ---- Environment fields (the model fields come from rf::ModelState) ----
  std::string ExeDir;
  std::unique_ptr<env::TIniFile> AutoIniFile;
  std::string ChmHelpName;
  std::string ChmHelpFile;
  std::string PdfHelpName;
  std::string PdfHelpFile;
  std::string TheoryName;
  std::string TheoryFile;
  env::TMyHelp MyHelp;

  // ---- Registry: Form1 first, then the 153 controls in declaration order ----
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
  // How many full cycles have run since construction (for tests and the driver).
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

  void BuildRegistry();
  void ApplyDesign();
  void BindEvents();
  // The named control of the given kind, or std::invalid_argument.
  template <class T>
  T& ControlAs(std::string_view name, ControlKind kind);
  bool TakesFocus(std::string_view name) const;
  // Moves the focus as a user action does: an edit that loses it raises its OnExit.
  void MoveFocus(std::string_view control);
  void ClickButton(std::string_view name);
  void RaiseUpDownClick(std::string_view name);
  void RaiseDropDownChange(std::string_view name);
};

}  // namespace mainwindow
