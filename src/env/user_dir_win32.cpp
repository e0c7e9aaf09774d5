#ifdef _WIN32

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "env/shell_folder_win32.h"
#include "env/user_dir.h"
#include "env/win32_text.h"

namespace env {

namespace win32 {

namespace {

// The services are looked up in the shell library the process already holds, never loaded
// here. This import of the shell's oldest folder service makes the loader map the library
// before any static initializer runs, on every Windows that has a shell at all.
[[gnu::used]] const auto kShellImport = &::SHGetFolderPathW;

// GetProcAddress gives a generic entry point; it reaches its real type through the one
// function type the compiler accepts as a go-between.
template <typename Fn>
Fn EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

ShellFolderServices ResolveShellServices() {
  ShellFolderServices s;
  const HMODULE shell = GetModuleHandleW(L"Shell32");
  if (shell == nullptr) return s;
  s.Known = EntryPoint<KnownFolderService>(shell, "SHGetKnownFolderPath");
  // Shells before Vista have no known-folder service; they all have the legacy one.
  if (s.Known == nullptr) s.Legacy = EntryPoint<LegacyFolderService>(shell, "SHGetFolderPathA");
  return s;
}

ShellFolderServices gServices = ResolveShellServices();

}  // namespace

ShellFolderServices& ShellServices() { return gServices; }

std::string GetShellFolder(const GUID& folder, int csidl, std::int32_t& status) {
  status = -1;
  std::string path;
  const ShellFolderServices& s = gServices;
  if (s.Known != nullptr) {
    PWSTR buffer = nullptr;
    const HRESULT hr = s.Known(folder, 0, nullptr, &buffer);
    if (hr == S_OK) {
      status = 0;
      if (buffer != nullptr) path = Narrow(buffer);
    } else if (hr == E_FAIL) {
      status = 1;
    } else if (hr == E_INVALIDARG) {
      status = 2;
    } else {
      status = static_cast<std::int32_t>(hr);
    }
    // The service may allocate even when it fails; the buffer is the caller's to free.
    CoTaskMemFree(buffer);
  } else if (s.Legacy != nullptr) {
    char buffer[MAX_PATH + 1] = {};
    const HRESULT hr = s.Legacy(nullptr, csidl, nullptr, 0, buffer);
    if (hr == S_OK) {
      status = 0;
      buffer[MAX_PATH] = '\0';
      path = AnsiToUtf8(buffer);
    } else if (hr == E_FAIL || hr == S_FALSE) {
      status = 1;
    } else if (hr == E_INVALIDARG) {
      status = 2;
    }
  }
  return path;
}

}  // namespace win32

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates the folder and every missing folder above it. Levels made before a failure stay.
bool CreateFolderWithParents(const std::wstring& path) {
  if (IsFolder(path)) return true;
  // Every separator after the first character ends one level; creating the drive or share
  // itself fails harmlessly, as does a level that already exists.
  for (std::size_t i = path.find_first_of(L"\\/", 1); i != std::wstring::npos;
       i = path.find_first_of(L"\\/", i + 1)) {
    const std::wstring level = path.substr(0, i);
    if (!IsFolder(level)) CreateDirectoryW(level.c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
  return IsFolder(path);
}

}  // namespace

std::string GetShellFolder(std::int32_t& status) {
  return win32::GetShellFolder(win32::kFolderIdProfile, win32::kCsidlProfile, status);
}

void ForceUserDir(const std::string& base, std::int32_t status, const std::string& subPath,
                  std::string& dir) {
  dir.clear();
  // A service that claims success with an empty path must not put the folder at a drive's root.
  if (status == 0 && !base.empty()) {
    dir = base + "\\" + subPath;
    // A file in the way, a missing drive or a refusal leaves the profile folder itself.
    if (!CreateFolderWithParents(win32::Widen(dir))) dir = base;
  }
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
}

char PathSeparator() { return '\\'; }

}  // namespace env

#endif  // _WIN32
