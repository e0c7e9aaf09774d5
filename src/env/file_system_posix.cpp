#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

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
// file it points to is the one replaced.
std::string ResolveLinks(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  auto target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target.string();
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

class PosixFileSystem : public FileSystem {
 public:
  explicit PosixFileSystem(WriteFault fault) : fault_(fault) {}

  std::optional<std::string> ReadFile(const std::string& path) override {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::string data;
    std::vector<char> buf(16384);
    for (;;) {
      ssize_t n = ::read(fd.Get(), buf.data(), buf.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        return std::nullopt;
      }
      if (n == 0) break;
      data.append(buf.data(), static_cast<std::size_t>(n));
    }
    return data;
  }

  bool ReplaceFileAtomically(const std::string& path, const std::string& contents) override {
    const std::string target = ResolveLinks(path);
    const std::string folder = FolderOf(target);

    // Root passes every permission check and rename() ignores the file's own bits, so a
    // file the user made read-only is refused here by its mode.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) return false;

    std::string tempName = target + ".tmp-XXXXXX";
    Fd fd(::mkstemp(tempName.data()));
    if (fd.Get() < 0) return false;

    bool ok = fault_ != WriteFault::Write && WriteAll(fd.Get(), contents);
    // The replacement keeps the old file's permissions and, where allowed, its owner (root
    // saving a user's file must not take it away from the user).
    if (ok) ok = ::fchmod(fd.Get(), exists ? (old.st_mode & 07777) : NewFileMode()) == 0;
    if (ok && exists) {
      if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
        // Not allowed for an ordinary user; the file then belongs to that user, as before.
      }
    }
    if (ok) ok = fault_ != WriteFault::Sync && ::fsync(fd.Get()) == 0;
    if (ok) ok = ::close(fd.Release()) == 0;
    if (ok) ok = fault_ != WriteFault::Rename && ::rename(tempName.c_str(), target.c_str()) == 0;
    if (!ok) {
      ::unlink(tempName.c_str());
      return false;
    }

    // The rename is durable only once the folder's entry is on the disk.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0 && ::fsync(dir.Get()) != 0 && errno != EINVAL) return false;
    return true;
  }

 private:
  WriteFault fault_;
};

}  // namespace

std::shared_ptr<FileSystem> RealFileSystem() { return RealFileSystem(WriteFault::None); }

std::shared_ptr<FileSystem> RealFileSystem(WriteFault fault) {
  return std::make_shared<PosixFileSystem>(fault);
}

}  // namespace env

#endif  // _WIN32
