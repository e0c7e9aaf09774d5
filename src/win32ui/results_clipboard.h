#pragma once

#include <windows.h>

#include <string>

// The clipboard of Windows for what the window copies: Unicode text, the "HTML Format" that
// office programs and browsers paste as a table, and a chart's picture.
namespace win32ui {

// Replaces the clipboard's contents by the text (UTF-8; its line ends become CR LF, as
// CF_UNICODETEXT wants them), the HTML fragment when it is not empty (wrapped in the format's
// header) and the bitmap when given (the clipboard then owns it). False when the clipboard
// could not be opened or filled; then it holds nothing of this copy.
bool PutOnClipboard(HWND owner, const std::string& text, const std::string& htmlFragment,
                    HBITMAP bitmap = nullptr);

// The window's results as the user reads them, as tab-separated text and as an HTML table.
bool CopyResultRows(HWND owner, const std::string& tabText, const std::string& htmlTable);

}  // namespace win32ui
