#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The About box: the program's name, its version (from the window's caption, so the box and
// the caption never disagree), what it does and its licence.
namespace win32ui {

// The box's text, lines separated by CR LF.
std::string AboutText(std::string_view caption);
// Modal to the owner; returns when the user closed it.
void ShowAbout(HWND owner, std::string_view caption);

}  // namespace win32ui
