#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

#include "env/file_system.h"

namespace env {

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A settings path that is a symbolic link (a dotfile kept elsewhere) keeps being a link: the
// file it points to is the one replaced. The links are followed one by one rather than
// canonicalised, so that a link whose target does not exist yet still leads there: the save
// then creates the target, as it replaces a live one. A chain too long (a loop) leads nowhere.
std::optional<std::string> ResolveLinks(const std::string& path) {
  // As the kernel's own limit on links followed in one lookup.
  constexpr int kMaxLinks = 40;
  std::filesystem::path current(path);
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, ec))) {
      return current.string();
    }
    std::filesystem::path target = std::filesystem::read_symlink(current, ec);
    if (ec || target.empty()) return std::nullopt;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return std::nullopt;
}

std::string NameOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Another user's process also counts: kill then fails with EPERM, not ESRCH.
bool ProcessRunning(std::uint32_t pid) {
  if (pid == 0 || pid > static_cast<std::uint32_t>(std::numeric_limits<pid_t>::max())) {
    return false;
  }
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, const std::string& contents) {
  const char* p = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> NativeFileSystem::ReadFile(const std::string& path) {
  // Opening a FIFO for reading waits for a writer, and a device may wait for its hardware:
  // open without waiting, and read only a regular file, in blocking mode again.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.Get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;
  // Sized once from the file's length, so a large file is held once and not in a buffer
  // that grew to twice its size; a file that grows meanwhile is still read to its end.
  std::string data(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0, '\0');
  std::size_t filled = 0;
  char more[16384];
  for (;;) {
    // Into the sized buffer while it has room, then (to find the end, or for what a writer
    // appended) through a small one.
    const bool room = filled < data.size();
    char* into = room ? data.data() + filled : more;
    const std::size_t size = room ? data.size() - filled : sizeof more;
    const ssize_t n = ::read(fd.Get(), into, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    if (!room) data.append(more, static_cast<std::size_t>(n));
    filled += static_cast<std::size_t>(n);
  }
  data.resize(filled);
  return data;
}

bool NativeFileSystem::ReplaceFileAtomically(const std::string& path, const std::string& contents) {
  const std::optional<std::string> resolved = ResolveLinks(path);
  if (!resolved) return false;
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);

  // Root passes every permission check and rename() ignores the file's own bits, so a
  // file the user made read-only is refused here by its mode.
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) return false;

  RemoveStaleTemporaries(target);
  std::string tempName = target + ".tmp-" + std::to_string(::getpid()) + "-XXXXXX";
  Fd fd(::mkstemp(tempName.data()));
  if (fd.Get() < 0) return false;

  bool ok = Proceed(ReplaceStep::Write) && WriteAll(fd.Get(), contents);
  // The replacement keeps the old file's permissions and, where allowed, its owner (root
  // saving a user's file must not take it away from the user).
  if (ok) ok = ::fchmod(fd.Get(), exists ? (old.st_mode & 07777) : NewFileMode()) == 0;
  if (ok && exists) {
    if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
      // Not allowed for an ordinary user; the file then belongs to that user, as before.
    }
  }
  if (ok) ok = Proceed(ReplaceStep::Sync) && ::fsync(fd.Get()) == 0;
  if (ok) ok = ::close(fd.Release()) == 0;
  if (ok) ok = Proceed(ReplaceStep::Rename) && ::rename(tempName.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tempName.c_str());
    return false;
  }

  // The rename is durable only once the folder's entry is on the disk. The new file is in
  // place whatever this reports, so a failure here is no failure of the save: the old file
  // is no longer there to fall back to, and an error would make the user retry for nothing.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (Proceed(ReplaceStep::FolderSync) && dir.Get() >= 0) (void)::fsync(dir.Get());
  return true;
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = FolderOf(path);
  const std::string prefix = NameOf(path) + ".tmp-";
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const auto owner = TemporaryOwner(name.substr(prefix.size()));
    if (owner && ProcessRunning(*owner)) continue;
    const std::string full = folder + "/" + std::string(name);
    struct stat st {};
    // Only plain files: a folder or link of that name is nothing a save left.
    if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - st.st_mtime < kStaleTemporaryAgeSeconds) continue;
    ::unlink(full.c_str());
  }
  ::closedir(dir);
}

std::shared_ptr<FileSystem> RealFileSystem() { return std::make_shared<NativeFileSystem>(); }

}  // namespace env

#endif  // _WIN32
