#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "env/file_system.h"

// The settings-file object: holds only the path; every read goes to the file at the time of
// the call. Writes replace the file atomically (temporary file, fsync, rename), so a failure
// never leaves it erased or half-written. Between BeginUpdate and CommitUpdate writes are
// collected and committed as one replacement.
namespace env {

// Raised by a write that cannot reach the file; what() is "Unable to write to <path>".
class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::string& path);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class TIniFile {
 public:
  // fs: the file layer; nullptr means the real file system.
  explicit TIniFile(std::string fileName, std::shared_ptr<FileSystem> fs = nullptr);

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  void ReadSections(std::vector<std::string>& list) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void EraseSection(const std::string& section);

  // Collects the writes that follow and commits them as one atomic replacement; reads in
  // between see the collected writes. Nested updates commit with the outermost one.
  void BeginUpdate();
  void CommitUpdate();   // throws IniWriteError; the old file is then intact
  void AbandonUpdate();  // drops collected writes

 private:
  struct Pending;
  std::string Text() const;             // the file's content, or the collected one
  void Store(const std::string& text);  // replaces the file, or collects

  std::string fileName_;
  std::shared_ptr<FileSystem> fs_;
  std::shared_ptr<Pending> pending_;
};

}  // namespace env
