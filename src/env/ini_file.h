#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "env/file_system.h"
#include "env/ini_text.h"
#include "env/text_encoding.h"

// The settings-file object. The file is read once, at the first read or write, and every key
// is then served from memory; each write (or each update, below) replaces the whole file
// atomically (temporary file, fsync, rename), so a failure never leaves it erased or
// half-written, and the object then keeps what the file still holds. The file's text is kept
// as it was read, and only the sections asked for are parsed out of it (each once), so a
// large file costs little more than its size and its own section; the sections nobody
// touched are written back as they read. A file found in UTF-16 is written back in UTF-16.
namespace env {

// Raised by a write that cannot reach the file; what() is "Unable to write to <path>".
class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::string& path);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class IniDocument;

class TIniFile {
 public:
  // fs: the file layer; nullptr means the real file system. Creating the object touches no file.
  explicit TIniFile(std::string fileName, std::shared_ptr<FileSystem> fs = nullptr);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  void ReadSections(std::vector<std::string>& list) const;

  // Names that a line of the file cannot hold (empty, a line break, "]" in a section name, "="
  // in a key, blanks at either end) are refused with std::invalid_argument.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void EraseSection(const std::string& section);

  // Collects the writes that follow and commits them as one atomic replacement; reads in
  // between see the collected writes. Nested updates commit with the outermost one.
  void BeginUpdate();
  void CommitUpdate();   // throws IniWriteError; the old file and its content here are intact
  void AbandonUpdate();  // drops collected writes

  // True when the last attempt to replace the file failed (the old file is what remains).
  bool LastWriteFailed() const { return lastWriteFailed_; }

 private:
  IniDocument& Doc() const;  // reads the file on first use

  std::string fileName_;
  std::shared_ptr<FileSystem> fs_;
  mutable std::unique_ptr<IniDocument> doc_;
  mutable TextEncoding encoding_ = TextEncoding::Utf8;  // the file's, kept when it is written
  int depth_ = 0;
  bool dirty_ = false;
  bool lastWriteFailed_ = false;
};

}  // namespace env
