#ifdef _WIN32

#include <windows.h>

#include <string>
#include <vector>

#include "env/file_system.h"
#include "env/win32_text.h"

namespace env {

namespace {

// Closes a file handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!Valid()) return true;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE file, const std::string& contents) {
  const char* p = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) return false;
    p += written;
    left -= written;
  }
  return true;
}

// A temporary file beside the target, so that the final move stays on one volume and is a
// rename, not a copy. Its name carries the process id and a counter, and it is created only
// when no such file exists.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
    const HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return INVALID_HANDLE_VALUE;
}

class Win32FileSystem : public FileSystem {
 public:
  explicit Win32FileSystem(WriteFault fault) : fault_(fault) {}

  std::optional<std::string> ReadFile(const std::string& path) override {
    // Sharing everything lets another instance replace the file while this one reads it.
    Handle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) return std::nullopt;
    std::string data;
    std::vector<char> buf(16384);
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(file.Get(), buf.data(), static_cast<DWORD>(buf.size()), &n, nullptr)) {
        return std::nullopt;
      }
      if (n == 0) break;
      data.append(buf.data(), n);
    }
    return data;
  }

  bool ReplaceFileAtomically(const std::string& path, const std::string& contents) override {
    const std::wstring target = win32::Widen(path);
    if (target.empty()) return false;

    // The move below would replace a read-only file without asking, so a file the user made
    // read-only is refused here, as is a folder of that name.
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      return false;
    }

    std::wstring tempName;
    Handle temp(CreateTemporary(target, tempName));
    if (!temp.Valid()) return false;

    bool ok = fault_ != WriteFault::Write && WriteAll(temp.Get(), contents);
    if (ok) ok = fault_ != WriteFault::Sync && FlushFileBuffers(temp.Get()) != 0;
    if (ok)
      ok = temp.Close();
    else
      temp.Close();
    // Write-through returns only when the move is on the disk.
    if (ok) {
      ok = fault_ != WriteFault::Rename &&
           MoveFileExW(tempName.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok) DeleteFileW(tempName.c_str());
    return ok;
  }

 private:
  WriteFault fault_;
};

}  // namespace

std::shared_ptr<FileSystem> RealFileSystem() { return RealFileSystem(WriteFault::None); }

std::shared_ptr<FileSystem> RealFileSystem(WriteFault fault) {
  return std::make_shared<Win32FileSystem>(fault);
}

}  // namespace env

#endif  // _WIN32
