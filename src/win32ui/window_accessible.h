#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "mainwindow/form.h"

// The names a screen reader reads through MSAA (and UI Automation's bridge from it). The
// standard objects name an edit after its own text and a cell after its unit; here each input,
// unit list, up-down (and its two arrows) and result cell answers with the window's accessible
// texts, read from the form when asked, so a cell's value is always the one shown.
namespace win32ui {

// Answers the accessibility requests of every named control; windowOf finds a control's
// window by name. The form must outlive the controls' windows.
void ServeAccessibleNames(const mainwindow::TForm1& form,
                          const std::function<HWND(std::string_view)>& windowOf);

// Answers with a fixed name for a control that no label of its own names: the standard object
// would read an edit's own text, or nothing for a list.
void ServeFixedName(HWND hwnd, std::string_view name);

}  // namespace win32ui
