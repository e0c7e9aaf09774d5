#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The ways into what lies beyond the specified window: the menu bar in the non-client area
// (outside the client size the design fixes), the context menu of the window's background and
// the shortcuts that no control of the window uses.
namespace win32ui {

// Menu command identifiers, above every control identifier of the window.
enum class Command : int {
  ExportResults = 40001,
  Quit,
  CopyResults,
  Analysis,
  HelpContents,
  HelpManual,
  HelpTheory,
  About,
  ExportReport,
  OpenCase,
  SaveCase,
  CopyNumbers,
  OpenLoadFile,
  OpenSourceFile,
  ForgetLoadFile,
  ForgetSourceFile,
};

// The Recent Cases entries: the first identifier is the newest case's.
inline constexpr int kFirstRecentCaseId = 40200;
// The place in the recent-cases list of an identifier from WM_COMMAND; nothing for another.
std::optional<std::size_t> RecentCaseOfId(int id);
// The File menu's Recent Cases submenu of a bar BuildMenuBar made.
HMENU RecentCasesMenu(HMENU bar);
// Fills it with the paths, newest first; "(none)", greyed, for an empty list.
void FillRecentCases(HMENU recent, const std::vector<std::string>& paths);

// A command identifier from WM_COMMAND; nothing for an identifier that is no menu command.
std::optional<Command> CommandOfId(int id);

// File (Open Case..., Save Case..., Recent Cases, the load and source files, Export Results...,
// Export Report..., Quit), Edit (Copy Results, as Numbers), View (Analysis...), Help (Contents,
// Manual (PDF), Theory, About); the caller owns the menu until it is set on a window.
HMENU BuildMenuBar();
// Analysis..., the copies and exports, the case and the measured files, About; the caller
// destroys it.
HMENU BuildContextMenu();

// The command of a key pressed with the given modifiers: Ctrl+Shift+A, C and E, and F1.
std::optional<Command> ShortcutCommand(WPARAM key, bool ctrl, bool shift, bool alt);

}  // namespace win32ui
