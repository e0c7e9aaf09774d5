#pragma once

#include "mainwindow/form.h"

// The window's creation and closing: environment, settings, first evaluation, confirmation.
namespace startup {

// The creation handler: folders, help paths, settings, layout, first cycle, caption, focus.
void FormCreate(mainwindow::TForm1& form);

// The closing handler: asks "Terminate Zephlane?"; Yes saves the settings (a write error
// propagates and keeps the window and its settings object) and releases the settings object;
// after a failed save the question also offers "Quit Without Saving", which releases the
// settings object without writing; any other answer leaves Action at caNone.
void FormClose(mainwindow::TForm1& form, mainwindow::TCloseAction& action);

// Whether the window opens centred in the work area rather than where the user left it: at
// the program's first start (no settings file existed when the window was created; the file is
// written only by a confirmed close), and whenever the file holds no usable position (a
// malformed or hand-made file), which would otherwise put the window at the screen's corner.
bool OpensCentred(const mainwindow::TForm1& form);

// Binds OnCreate and OnClose of the window to the handlers above.
void Attach(mainwindow::TForm1& form);

// Attach, then run the creation handler: the program's start for this window.
void Create(mainwindow::TForm1& form);

}  // namespace startup
