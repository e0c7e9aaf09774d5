#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace env {
class Platform;
}

// Where the user's files go on Windows: the common save dialog, then one atomic replacement
// through the platform's file system, so a failed export leaves an existing file as it was.
namespace win32ui {

// The path the user chose (UTF-8), or nothing when the dialog was cancelled. The filter is a
// shared one, "CSV files (*.csv)": its pattern gives the dialog's filter and the extension
// added to a name typed without one; the dialog asks before it overwrites.
std::optional<std::string> AskSavePath(HWND owner, std::string_view title,
                                       std::string_view suggestedName, std::string_view filter);

// Asks, then writes; a failed write goes to the platform's error box. False when cancelled or
// failed.
bool SaveWithDialog(HWND owner, env::Platform& platform, std::string_view title,
                    std::string_view suggestedName, std::string_view filter,
                    const std::string& data);

}  // namespace win32ui
