#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace mainwindow {
class TForm1;
}

// Where the user's files go on Windows: the common save dialog, then one atomic replacement
// through the platform's file system, so a failed export leaves an existing file as it was.
// Every dialog starts in the folder the user last chose a file in (the form's LastFolder, kept
// in the settings file), at first in the Documents folder.
namespace win32ui {

// The user's Documents known folder (UTF-8); empty when the shell names none.
std::string DocumentsFolder();

// The path the user chose (UTF-8), or nothing when the dialog was cancelled. The filter is a
// shared one, "CSV files (*.csv)" (a second one after ";;" is left to "All files"): its pattern
// gives the dialog's filter and the extension added to a name typed without one; the dialog
// asks before it overwrites. A chosen file's folder becomes the form's LastFolder.
std::optional<std::string> AskSavePath(HWND owner, mainwindow::TForm1& form, std::string_view title,
                                       std::string_view suggestedName, std::string_view filter);
// The same for a file that must exist.
std::optional<std::string> AskOpenPath(HWND owner, mainwindow::TForm1& form, std::string_view title,
                                       std::string_view filter);

// Asks, then writes; a failed write goes to the platform's error box. False when cancelled or
// failed.
bool SaveWithDialog(HWND owner, mainwindow::TForm1& form, std::string_view title,
                    std::string_view suggestedName, std::string_view filter,
                    const std::string& data);

}  // namespace win32ui
