#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

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

// The process's HOME: made by the fuzzer's initialisation, removed when the process ends.
inline std::string& FuzzHome() {
  static std::string home;
  return home;
}

inline void SetUpFuzzHome() {
  FuzzHome() = MakeFuzzHome();
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(FuzzHome(), ec);
  });
}
