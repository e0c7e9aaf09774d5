#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// A fresh HOME for the whole fuzzing process, in memory where the system offers it (every save
// syncs its file); the settings file lies where the program looks for it.
inline std::string MakeFuzzHome() {
  const std::string base = std::filesystem::is_directory("/dev/shm")
                               ? std::string("/dev/shm")
                               : std::filesystem::temp_directory_path().string();
  std::string pattern = base + "/zephlane-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) abort();
  setenv("HOME", pattern.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  return pattern;
}

inline std::string FuzzSettingsFile(const std::string& home) {
  return home + "/.config/Brevik/Zephlane/Zephlane.ini";
}
