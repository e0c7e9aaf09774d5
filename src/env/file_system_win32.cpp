#ifdef _WIN32

#include <windows.h>

#include <cstdint>
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

// A process that has ended but is still referenced keeps its id; it counts as gone. One that
// this user may not open counts as running.
bool ProcessRunning(DWORD pid) {
  if (pid == GetCurrentProcessId()) return true;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = GetExitCodeProcess(process, &code) == 0 || code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

// A settings path that is a symbolic link keeps being a link, as on other systems: the file it
// leads to is replaced, where MoveFileExW would replace the link itself. The target is found by
// opening through the link; a link whose target cannot be opened (dangling, or a loop) is
// refused rather than turned into a file.
bool ResolveLinks(std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    return true;
  Handle file(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) return false;
  // A system that opens the link itself rather than its target (as Wine may) would lead the
  // move to replace the link: refused too.
  BY_HANDLE_FILE_INFORMATION opened{};
  if (!GetFileInformationByHandle(file.Get(), &opened) ||
      (opened.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return false;
  }
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  const DWORD size = GetFinalPathNameByHandleW(file.Get(), nullptr, 0, kFlags);
  if (size == 0) return false;
  std::wstring resolved(size, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(file.Get(), resolved.data(), size, kFlags);
  if (length == 0 || length >= size) return false;
  resolved.resize(length);
  target = resolved;
  return true;
}

std::uint64_t Ticks(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

std::optional<std::string> NativeFileSystem::ReadFile(const std::string& path) {
  // Sharing everything lets another instance replace the file while this one reads it.
  Handle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return std::nullopt;
  // Room for the whole file at once, so a large file is held once and not in a buffer that
  // grew to twice its size.
  std::string data;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0)
    data.reserve(static_cast<std::size_t>(size.QuadPart));
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

bool NativeFileSystem::ReplaceFileAtomically(const std::string& path, const std::string& contents) {
  std::wstring target = win32::Widen(path);
  if (target.empty() || !ResolveLinks(target)) return false;

  // The move below would replace a read-only file without asking, so a file the user made
  // read-only is refused here, as is a folder of that name.
  const DWORD old = GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES &&
      (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }

  RemoveStaleTemporaries(win32::Narrow(target));
  std::wstring tempName;
  Handle temp(CreateTemporary(target, tempName));
  if (!temp.Valid()) return false;

  bool ok = Proceed(ReplaceStep::Write) && WriteAll(temp.Get(), contents);
  if (ok) ok = Proceed(ReplaceStep::Sync) && FlushFileBuffers(temp.Get()) != 0;
  if (ok)
    ok = temp.Close();
  else
    temp.Close();
  // Write-through returns only when the move is on the disk.
  if (ok) {
    ok = Proceed(ReplaceStep::Rename) &&
         MoveFileExW(tempName.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!ok) DeleteFileW(tempName.c_str());
  return ok;
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::wstring target = win32::Widen(path);
  if (target.empty()) return;
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  const std::wstring prefix =
      (slash == std::wstring::npos ? target : target.substr(slash + 1)) + L".tmp-";
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((target + L".tmp-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME nowTime{};
  GetSystemTimeAsFileTime(&nowTime);
  const std::uint64_t now = Ticks(nowTime);
  constexpr std::uint64_t kTicksPerSecond = 10'000'000;
  do {
    const std::wstring name(found.cFileName);
    if (name.size() <= prefix.size() || _wcsnicmp(name.c_str(), prefix.c_str(), prefix.size()) != 0)
      continue;
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
      continue;
    std::string rest;
    for (wchar_t c : name.substr(prefix.size())) rest += c < 128 ? static_cast<char>(c) : '?';
    const auto owner = TemporaryOwner(rest);
    if (owner && ProcessRunning(*owner)) continue;
    const std::uint64_t written = Ticks(found.ftLastWriteTime);
    if (written > now || now - written < kStaleTemporaryAgeSeconds * kTicksPerSecond) continue;
    // A file still open in a save cannot be deleted: its handle shares nothing.
    DeleteFileW((folder + name).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::shared_ptr<FileSystem> RealFileSystem() { return std::make_shared<NativeFileSystem>(); }

}  // namespace env

#endif  // _WIN32
