#pragma once

#include <map>
#include <optional>
#include <string>

#include "env/file_system.h"

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
