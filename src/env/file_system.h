#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The thin file layer under the settings file, injectable so tests can make any step fail
// (a full disk, a failed fsync) the way a real disk would.
namespace env {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file, or nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Replaces path with contents atomically: a temporary file in the same folder, written,
  // flushed and fsynced, renamed over path, then the folder fsynced. Returns false when the old
  // file is what remains (no temporary file is then left behind); once the rename is done the
  // replacement counts as made, whatever the folder's fsync reports. Temporary files of
  // earlier saves that were killed are removed first (see RemoveStaleTemporaries).
  virtual bool ReplaceFileAtomically(const std::string& path, const std::string& contents) = 0;
};

// The steps of an atomic replacement: writing the temporary file, syncing it to the disk,
// renaming it over the old file, syncing the folder's entry.
enum class ReplaceStep { Write, Sync, Rename, FolderSync };

// The operating system's file system. An existing file without any write permission bit
// counts as read-only, also for root. A symbolic link is followed: its target is replaced, and
// the link stays. A link whose target does not exist is followed too on POSIX systems (the
// save creates the target); on Windows, where the target is found by opening it, such a link
// is refused, as is a chain of links that never ends. Reading anything but a regular file
// (a FIFO, a device) gives nothing, without waiting.
class NativeFileSystem : public FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool ReplaceFileAtomically(const std::string& path, const std::string& contents) override;

 protected:
  // Asked before each step of a replacement; a step refused fails as the disk would fail it.
  // The real disk refuses nothing here: a test's file system refuses one step (a full disk, a
  // failing device, a refused rename) to prove that the old file survives.
  virtual bool Proceed(ReplaceStep /*step*/) { return true; }
};

std::shared_ptr<FileSystem> RealFileSystem();

// Temporary files are named "<file>.tmp-<process id>-<unique part>". One is stale, and is
// removed, when no process of that id runs on this machine and it was last written at least
// kStaleTemporaryAge ago: a save holds its temporary file for well under a second, and the age
// keeps the file of an instance on another machine or in another process namespace that shares
// the folder (whose process ids mean nothing here) until that instance is long done with it.
// Names without a process id (earlier versions) are judged by their age alone.
inline constexpr int kStaleTemporaryAgeSeconds = 60;
// Removes the stale temporary files of path; best effort, reports nothing.
void RemoveStaleTemporaries(const std::string& path);

// The process id in what follows "<file>.tmp-" of a temporary file's name: digits up to a "-";
// nothing for a name of another form.
inline std::optional<std::uint32_t> TemporaryOwner(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9) return std::nullopt;
  std::uint32_t pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return pid;
}

}  // namespace env
