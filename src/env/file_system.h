#pragma once

#include <memory>
#include <optional>
#include <string>

// The thin file layer under the settings file, injectable so tests can make any step fail
// (a full disk, a failed fsync) the way a real disk would.
namespace env {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file, or nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Replaces path with contents atomically: a temporary file in the same folder, written,
  // flushed and fsynced, renamed over path, then the folder fsynced. Returns false on any
  // failure, with the old file intact and no temporary file left behind.
  virtual bool ReplaceFileAtomically(const std::string& path, const std::string& contents) = 0;
};

// The real file system. An existing file without any write permission bit counts as
// read-only, also for root. A symbolic link is followed: its target is replaced.
std::shared_ptr<FileSystem> RealFileSystem();

// A step of an atomic replacement that the real file system can be told to fail, as a full
// disk (Write), a failing device (Sync) or a refused rename (Rename) would; for tests.
enum class WriteFault { None, Write, Sync, Rename };
std::shared_ptr<FileSystem> RealFileSystem(WriteFault fault);

}  // namespace env
