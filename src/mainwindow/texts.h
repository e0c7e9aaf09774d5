#pragma once

#include <array>
#include <string_view>

// Every user-visible text of the application that is not a design caption, in one place.
namespace mainwindow {

// The application title: caption of the notes box and of the error box.
inline constexpr std::string_view kAppTitle = "Zephlane";
// The window caption is this prefix followed by the executable's file version.
inline constexpr std::string_view kCaptionPrefix = "Zephlane V ";

// Notes shown by Show Note for the active result sheet; lines end in CR LF, the last one not.
inline constexpr std::string_view kNoteTransm =
    "Min & Max values result from all possible phases\r\n"
    "of the source and load reflection coefficients,\r\n"
    "obtained, e.g., by varying the length of the\r\n"
    "interconnecting waveguide.\r\n"
    "\r\n"
    "NAN = Not a number (result of 0/0)";
inline constexpr std::string_view kNotePowMeas =
    "True Values are equal to Actual Values\r\n"
    "in the Transmission tabsheet.\r\n"
    "Min & Max values result from the finite directivity\r\n"
    "of the measurement couplers.\r\n"
    "\r\n"
    "NAN = Not a number (result of 0/0)";
inline constexpr std::string_view kNoteLoadMeas =
    "Min & Max values result from the finite directivity\r\n"
    "of the measurement couplers.\r\n"
    "Min & Max values are only meaningful if the Unit=Mag.";

// Unit captions of the factors (by SelUnit) and of the measurement errors (by SelErrUnit).
inline constexpr std::array<std::string_view, 3> UnitStr{"", "%", "dB"};
inline constexpr std::array<std::string_view, 3> ErrUnitStr{"", "%", "dB"};
// Written into a value label when its unit selector holds no known unit.
inline constexpr std::string_view kBadUnit = "Bad unit";

// The Ideal box's state in a results table.
inline constexpr std::string_view kCheckedText = "yes";
inline constexpr std::string_view kUncheckedText = "no";

// Closing.
inline constexpr std::string_view kConfirmTitle = "Confirm";
inline constexpr std::string_view kTerminateQuestion = "Terminate Zephlane?";
// The third button of the close confirmation once a save has failed.
inline constexpr std::string_view kQuitWithoutSaving = "Quit Without Saving";

// Documents next to the executable.
inline constexpr std::string_view kChmHelpName = "ZephlaneHelp.chm";
inline constexpr std::string_view kPdfHelpName = "ZephlaneHelp.pdf";
inline constexpr std::string_view kTheoryName = "ZephlaneTheory.pdf";
// The HTML help pages: "WebHelp\Content\" below the executable's folder.
inline constexpr std::string_view kWebHelpFolder = "WebHelp";
inline constexpr std::string_view kWebHelpContentFolder = "Content";
// The topic every help button starts with.
inline constexpr std::string_view kHelpStartTopic = "Introduction";

// Settings: "Brevik\Zephlane" below the per-user folder, holding "Zephlane.ini".
inline constexpr std::string_view kSettingsSubPath = "Brevik\\Zephlane";
inline constexpr std::string_view kIniFileName = "Zephlane.ini";

}  // namespace mainwindow

// What a screen reader says for the controls whose captions are abbreviations or too short to
// stand alone; every other accessible name is built from the captions the window shows.
namespace mainwindow::spoken {
inline constexpr std::string_view kAnodeVoltage = "Anode voltage";
inline constexpr std::string_view kAnodeCurrent = "Anode current";
inline constexpr std::string_view kDirectivity = "Coupler directivity";
inline constexpr std::string_view kIdealCouplers = "Ideal couplers";
inline constexpr std::string_view kMeasuredIncident = "Measured incident power";
inline constexpr std::string_view kMeasuredReflected = "Measured reflected power";
inline constexpr std::string_view kMeasuredAbsorbed = "Measured absorbed power";
// Joined to a quantity: its unit list, its up-down, the up-down's two arrows.
inline constexpr std::string_view kUnitListSuffix = " unit";
inline constexpr std::string_view kUpDownSuffix = " up-down";
inline constexpr std::string_view kStepUpSuffix = ", step up";
inline constexpr std::string_view kStepDownSuffix = ", step down";
// Between a quantity and its unit in a name ("Anode voltage, V"), and between a cell's
// quantity and its value ("Incident power, actual value: 992.32 W").
inline constexpr std::string_view kUnitSeparator = ", ";
inline constexpr std::string_view kValueSeparator = ": ";
}  // namespace mainwindow::spoken
