#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mainwindow/design.h"
#include "mainwindow/form.h"
#include "startup/analysis_settings.h"
#include "startup/case_analysis.h"
#include "win32ui/menu_bar.h"

// The window on Windows, built on the common controls from the design table over a TForm1. It
// works as pull, act, push: input that means "the user did it" copies the edits' texts into the
// form, runs one user action of the form, and writes every property of every control back
// while notifications are ignored, so code never raises a handler a second time.
//
// The keyboard is the window's own: Tab and Shift+Tab follow the form's tab cycle, Enter is
// the default button's, Alt+letter a button's mnemonic, Up and Down in an edit step its
// up-down. Only Tab, Shift+Tab and a click move the focus as the user's act (an edit's exit).
namespace win32ui {

// Control identifiers: a control's place in the design table, offset; a radio group's buttons
// take their own block. The probe of the tests reads them back to names.
inline constexpr int kFirstControlId = 100;
inline constexpr int kFirstRadioButtonId = 5000;
inline constexpr int kRadioButtonsPerGroup = 8;
inline constexpr int kGroupFrameId = 1;  // the drawn frame of a group box or radio group

class AnalysisWindow;

class MainWindow {
 public:
  MainWindow(mainwindow::TForm1& form, HINSTANCE instance);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The top-level window, not yet shown, with every control at its design value.
  HWND Handle() const { return hwnd_; }
  // The window's creation: runs the form's OnCreate, shows its values, fixes the client size,
  // lays the result pages along the bottom, places the window, shows it and sets the focus.
  void Create(int showCommand);
  // Keyboard and mouse input of this window before it is dispatched; true when consumed.
  bool PreTranslate(const MSG& msg);

  // What lies beyond the specified window: the menu bar's, the context menu's and the
  // shortcuts' commands.
  void RunCommand(Command command);
  AnalysisWindow* Analysis() const { return analysis_.get(); }

 private:
  struct Control {
    const mainwindow::DesignEntry* Design = nullptr;
    const mainwindow::ControlRef* Ref = nullptr;
    HWND Hwnd = nullptr;        // the control, or the container of a group, radio group or sheet
    HWND Frame = nullptr;       // a group's drawn frame
    std::vector<HWND> Buttons;  // a radio group's buttons
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnCommand(HWND from, UINT code);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnColor(HDC dc, HWND from);

  void BuildControls();
  HWND BuildControl(Control& c, HWND parent, int id);
  HFONT CreateFonts();  // the window's font for its DPI; returns the one it replaces
  void Layout();
  void PlaceControl(const Control& c);
  void PlaceLabel(const Control& c);
  void SetClientSize();
  void Place(bool firstStart);

  void Act(const std::function<void()>& action);
  void Pull();
  void Push();
  struct PushSink;
  void SyncFocus();

  void ShowContextMenu(LPARAM at);
  void CopyResults();
  void ExportResults();
  void ExportReport();
  // A help button's own handler, not a click, so the focus stays where it is (a click would
  // raise the focused edit's exit and evaluate a half-typed value).
  void RunHelp(void (mainwindow::TForm1::*handler)(), const mainwindow::Button& button);
  void OpenAnalysis();
  // The Analysis window made (hidden) on first use: its band sheets read the measured files.
  void EnsureAnalysis();
  // Open and Forget Load or Source File: the file asked for, then read by the band sheets (the
  // Analysis window shown), or the typed reflection back.
  void OpenMeasuredFile(bool load);
  void ForgetMeasuredFile(bool load);
  // At start: the files in use when the window closed open again with their line; a file that
  // is gone gives one note and the typed values.
  void RestoreFiles();
  // The confirmed close: the Analysis window's place joins the settings just written, and the
  // window goes with the main window.
  void CloseAnalysis();

  // Case files and the numbers' copy. A case that cannot be opened says why in the error box
  // and changes nothing; the caption names the case while one is open.
  void OpenCase();
  bool OpenCaseFile(const std::string& path);
  void SaveCase();
  void CaseOpened(const std::string& path);
  void FillRecent();
  void ShowCaption();
  void CopyResultsAsNumbers();

  const Control* Find(std::string_view name) const;
  const Control* ControlOf(HWND hwnd) const;  // the control a window belongs to
  HWND FocusWindow(std::string_view name) const;
  int Scale(int designPx) const;
  bool ClickMnemonic(wchar_t key);

  mainwindow::TForm1& form_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND pages_ = nullptr;
  HFONT font_ = nullptr;
  int textHeight_ = 15;
  UINT dpi_ = 96;
  std::vector<Control> controls_;  // design order
  std::map<std::string, std::size_t, std::less<>> byName_;
  std::unordered_map<HWND, std::size_t> byHwnd_;
  std::vector<std::string> sheetNames_;  // page index -> tab sheet
  HBRUSH yellow_ = nullptr;
  HBRUSH white_ = nullptr;
  bool acting_ = false;
  bool pushing_ = false;
  std::unique_ptr<AnalysisWindow> analysis_;
  startup::AnalysisPlacement analysisPlace_;
  std::string casePath_;  // the case open; empty: none
  // The open case's Analysis inputs: what this window shows is taken from the Analysis window
  // at a save, the rest kept as the case held it.
  startup::AnalysisCase caseInputs_;
};

}  // namespace win32ui
