#pragma once

#include <span>
#include <string>
#include <string_view>

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

// What a stored input holds: an edit's text, a whole number (an up-down's position, a list's
// or a radio group's index), or the check box's 0 or 1.
enum class InputKind { Text, Whole, Flag };
struct InputKey {
  std::string_view Key;
  InputKind Kind;
};
// Every stored key that holds an input of the window, in the order the file holds them: the
// window's place and the desktop's remembered folders are not inputs.
std::span<const InputKey> InputKeys();

// Reads the inputs of the section into the window as LoadSettings does, leaving the window's
// place alone; a missing key gives its default.
void LoadInputs(mainwindow::TForm1& form, env::TIniFile& ini, const std::string& section);

// The window's inputs under their keys, in InputKeys() order, each as SaveSettings writes it.
env::ini::KeyList InputValues(const mainwindow::TForm1& form);

}  // namespace startup
