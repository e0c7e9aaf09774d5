#pragma once

#include <string>

#include "env/ini_file.h"
#include "mainwindow/form.h"

// The settings file <-> window controls mapping: inputs, unit choices and window position.
namespace startup {

// The settings file's path: the window's per-user folder followed by "Zephlane.ini".
std::string IniFileName(const mainwindow::TForm1& form);

// Reads every stored control value into the window; a missing key gives its default.
// Radio groups and the Ideal box are assigned through their setters, so their OnClick runs
// nested here whenever a stored choice differs from the current one.
void LoadSettings(mainwindow::TForm1& form, env::TIniFile& ini);

// Rewrites the file from the controls as one atomic replacement: only the "Zephlane" section
// remains. Throws env::IniWriteError and then leaves the old file whole.
void SaveSettings(mainwindow::TForm1& form, env::TIniFile& ini);

}  // namespace startup
