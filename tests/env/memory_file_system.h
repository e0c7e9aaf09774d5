#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "env/file_system.h"
#include "env/ini_file.h"

// A file's text with LF line ends, as the settings file is written on this platform.
inline std::string NativeLines(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += env::ini::kLineEnd;
    else
      out += c;
  }
  return out;
}

// An in-memory disk that counts what is asked of it and can be told to refuse every
// replacement.
class MemoryFileSystem : public env::FileSystem {
 public:
  std::map<std::string, std::string> Files;
  bool Fail = false;
  int Reads = 0;
  int Replacements = 0;

  std::optional<std::string> ReadFile(const std::string& path) override {
    ++Reads;
    auto it = Files.find(path);
    if (it == Files.end()) return std::nullopt;
    return it->second;
  }
  bool ReplaceFileAtomically(const std::string& path, const std::string& contents) override {
    ++Replacements;
    if (Fail) return false;
    Files[path] = contents;
    return true;
  }
};
