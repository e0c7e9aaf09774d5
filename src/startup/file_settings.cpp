#include "startup/file_settings.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <variant>

#include "startup/texts.h"

namespace startup {

namespace {

struct FileKey {
  const char* Name;
  std::variant<std::string FileSettings::*, int FileSettings::*> Field;
};

const std::array<FileKey, 7> kFileKeys{{
    {"LoadFile", &FileSettings::LoadPath},
    {"SourceFile", &FileSettings::SrcPath},
    {"Frequency", &FileSettings::Frequency},
    {"LineLength", &FileSettings::LengthM},
    {"LineMedium", &FileSettings::Medium},
    {"VelocityFactor", &FileSettings::VelocityFactor},
    {"LineLoss", &FileSettings::LossDbPerM},
}};

bool Gone(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return !std::filesystem::is_regular_file(path, ec);
}

}  // namespace

FileSettings LoadFileSettings(const env::TIniFile& ini) {
  FileSettings s;
  for (const FileKey& k : kFileKeys) {
    if (auto text = std::get_if<std::string FileSettings::*>(&k.Field)) {
      s.** text = ini.ReadString(kFilesSection, k.Name, s.**text);
    } else {
      auto number = std::get<int FileSettings::*>(k.Field);
      s.*number = ini.ReadInteger(kFilesSection, k.Name, s.*number);
    }
  }
  if (s.Medium < 0) s.Medium = 0;  // a hand-edited file; the sheet bounds the upper end
  return s;
}

void SaveFileSettings(env::TIniFile& ini, const FileSettings& s) {
  ini.BeginUpdate();
  try {
    ini.EraseSection(kFilesSection);
    if (!s.LoadPath.empty() || !s.SrcPath.empty()) {
      for (const FileKey& k : kFileKeys) {
        if (auto text = std::get_if<std::string FileSettings::*>(&k.Field)) {
          ini.WriteString(kFilesSection, k.Name, s.**text);
        } else {
          ini.WriteInteger(kFilesSection, k.Name, s.*std::get<int FileSettings::*>(k.Field));
        }
      }
    }
    ini.CommitUpdate();
  } catch (...) {
    ini.AbandonUpdate();
    throw;
  }
}

std::string ForgetMissingFiles(FileSettings& s) {
  std::string gone;
  for (std::string* path : {&s.LoadPath, &s.SrcPath}) {
    if (!Gone(*path)) continue;
    gone += gone.empty() ? "" : ", ";
    gone += *path;
    path->clear();
  }
  if (gone.empty()) return {};
  return std::string(kFileGonePrefix) + gone + std::string(kFileGoneEnd);
}

FileSettings FilesToRestore(env::TIniFile& ini, std::string& note) {
  FileSettings s = LoadFileSettings(ini);
  note = ForgetMissingFiles(s);
  if (!note.empty()) {
    try {
      SaveFileSettings(ini, s);
    } catch (const env::IniWriteError&) {
      // Kept in memory; the close writes the section again.
    }
  }
  return s;
}

}  // namespace startup
