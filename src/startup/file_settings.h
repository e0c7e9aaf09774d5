#pragma once

#include <string>

#include "env/ini_file.h"

// The measured load and source files the main window shows, and the line between the file's
// reference plane and the load, kept in a section of the settings file of their own. The
// section is written only once a file was opened, so a settings file of someone who never
// opened one stays as it was.
namespace startup {

inline const std::string kFilesSection = "Files";

struct FileSettings {
  std::string LoadPath;  // empty: the typed load reflection
  std::string SrcPath;   // empty: the typed source reflection
  std::string Frequency;
  std::string LengthM = "0";
  int Medium = 0;
  std::string VelocityFactor = "1";
  std::string LossDbPerM = "0";
  friend bool operator==(const FileSettings&, const FileSettings&) = default;
};

FileSettings LoadFileSettings(const env::TIniFile& ini);
// One replacement of the file; throws env::IniWriteError and leaves the old file whole. With
// neither file named the section is removed instead of written.
void SaveFileSettings(env::TIniFile& ini, const FileSettings& s);

// The files named in the settings that are gone: their paths are cleared so the typed values
// hold, and the one note that says so is returned (empty when both are there or none named).
std::string ForgetMissingFiles(FileSettings& s);

// At start: the files the settings name, those that are gone cleared, and then the section
// saved so that the note saying so (in note; empty when every file is there) is given once.
// A settings file that cannot be written now is written again at the close.
FileSettings FilesToRestore(env::TIniFile& ini, std::string& note);

}  // namespace startup
