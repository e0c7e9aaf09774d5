#include <optional>
#include <string>

#include "views/texts.h"
#include "win32ui/band_sheets.h"
#include "win32ui/save_dialog.h"
#include "win32ui/window_basics.h"

// The band sheets' files: Touchstone files read for the load and the source, a case's files,
// and the main window's load edits while a load file is in use.
namespace win32ui {

bool BandSheets::OpenLoadFile() {
  const std::optional<std::string> path = AskOpenPath(
      GetAncestor(hwnd(), GA_ROOT), form_, views::kOpenLoadFile, views::kTouchstoneFilter);
  return path && OpenLoadPath(*path);
}

bool BandSheets::OpenLoadPath(const std::string& path) {
  // A file that is refused leaves the one before it, and the charts, as they were.
  session_.SetInputs(Inputs());
  if (!session_.OpenLoad(path, form_, Unit())) {
    SetText(message_, W(session_.Message()));
    return false;
  }
  SendMessageW(port_, CB_SETCURSEL, static_cast<WPARAM>(session_.LoadPort() - 1), 0);
  SendMessageW(band_, CB_SETCURSEL, static_cast<WPARAM>(session_.Inputs().Band), 0);
  ShowOutcome(true);
  ShowFiles();
  TellWindow(WindowLoad::Hold);
  return true;
}

bool BandSheets::OpenSourceFile() {
  const std::optional<std::string> path = AskOpenPath(
      GetAncestor(hwnd(), GA_ROOT), form_, views::kOpenSourceFile, views::kTouchstoneFilter);
  return path && OpenSourcePath(*path);
}

bool BandSheets::OpenSourcePath(const std::string& path) {
  session_.SetInputs(Inputs());
  if (!session_.OpenSource(path, form_, Unit())) {
    SetText(message_, W(session_.Message()));
    return false;
  }
  ShowOutcome(true);
  ShowFiles();
  return true;
}

bool BandSheets::PutCase(const views::BandInputs& in, int loadPort, const std::string& loadPath,
                         const std::string& sourcePath) {
  // Both files are read before anything is shown, so a refused one leaves the sheets whole.
  if (!session_.PutCase(in, loadPort, loadPath, sourcePath, form_, Unit())) {
    SetText(message_, W(session_.Message()));
    return false;
  }
  SendMessageW(port_, CB_SETCURSEL, static_cast<WPARAM>(session_.LoadPort() - 1), 0);
  SetInputs(session_.Inputs());
  ShowFiles();
  // Typed inputs that do not read are the case's as saved: the message says which.
  ShowOutcome(session_.Message().empty());
  return true;
}

void BandSheets::ForgetLoadFile() {
  session_.SetInputs(Inputs());
  session_.ForgetLoad();
  SendMessageW(band_, CB_SETCURSEL, static_cast<WPARAM>(session_.Inputs().Band), 0);
  ShowFiles();
  // The typed load is back in the main window before the band is evaluated with it.
  TellWindow(WindowLoad::Forget);
  Recompute();
}

void BandSheets::ForgetSourceFile() {
  session_.ForgetSource();
  ShowFiles();
  Recompute();
}

startup::FileSettings BandSheets::Files() const {
  const views::BandInputs in = Inputs();
  startup::FileSettings s;
  s.LoadPath = session_.LoadPath();
  s.SrcPath = session_.SourcePath();
  s.Frequency = in.Frequency;
  s.LengthM = in.LengthM;
  s.Medium = in.Medium;
  s.VelocityFactor = in.VelocityFactor;
  s.LossDbPerM = in.LossDbPerM;
  return s;
}

void BandSheets::RestoreFiles(const startup::FileSettings& s) {
  views::BandInputs in = Inputs();
  in.Frequency = s.Frequency;
  in.LengthM = s.LengthM;
  if (s.Medium >= 0 && s.Medium < views::kMediumCount) in.Medium = s.Medium;
  in.VelocityFactor = s.VelocityFactor;
  in.LossDbPerM = s.LossDbPerM;
  SetInputs(in);
  // A file that is there but no longer reads says so in the sheet, as when it was opened.
  if (!s.LoadPath.empty()) OpenLoadPath(s.LoadPath);
  if (!s.SrcPath.empty()) OpenSourcePath(s.SrcPath);
}

void BandSheets::TellWindow(WindowLoad what) {
  if (what == WindowLoad::Forget) {
    act_([this] { form_.ForgetMeasuredLoad(); });
    return;
  }
  const std::optional<mainwindow::MeasuredLoad> m = session_.WindowLoad();
  if (!m) return;
  // Inside one of the main window's own actions (its push telling these sheets) nothing runs:
  // the file's value does not depend on the window's typed load.
  act_([this, &m, what] {
    if (what == WindowLoad::Hold) {
      form_.HoldMeasuredLoad(*m);
    } else {
      form_.FollowMeasuredLoad(*m);
    }
  });
}

}  // namespace win32ui
