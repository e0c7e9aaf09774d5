#pragma once

#include "mainwindow/form.h"
#include "startup/analysis_settings.h"
#include "startup/file_settings.h"

// The Analysis window's share of the program's end: its place joins the settings file that the
// confirmed close has just written.
namespace startup {

// Writes the box into the Analysis section of the window's settings file, only when that file
// exists in the settings folder (a file made here alone would make the next start look like a later
// one: the window would not open centred). A write that fails is dropped: the inputs are saved, and
// a window's place is not worth an error box at exit. True when the section was written.
bool SaveAnalysisOnClose(mainwindow::TForm1& form, const Box& at);
// The same for the measured files and their line, in their own section.
bool SaveFilesOnClose(mainwindow::TForm1& form, const FileSettings& files);

}  // namespace startup
