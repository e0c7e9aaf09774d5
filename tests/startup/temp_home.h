#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "env/user_dir.h"
#include "temp_dir.h"

#ifdef _WIN32
#include <objbase.h>
#include <process.h>

#include <cstring>

#include "env/shell_folder_win32.h"
#include "env/win32_text.h"
#endif

namespace startup::tests {

// A fresh HOME for one test, with XDG_CONFIG_HOME unset, so the settings folder is
// <home>/.config/Brevik/Zephlane (on Windows a fresh profile folder, see below). The environment
// is restored and the folder removed (also after a test made parts of it
// read-only) by the destructor.
class TempHome {
 public:
#ifdef _WIN32
  // Windows: the shell names the profile folder; a stand-in known-folder service names this
  // one, and the settings folder is <folder>\Brevik\Zephlane.
  TempHome() : oldShell_(env::win32::ShellServices()), path_(dir_.Path()) {
    Profile() = env::win32::Widen(path_);
    env::win32::ShellServices() = {&FakeProfileService, nullptr};
  }
  ~TempHome() { env::win32::ShellServices() = oldShell_; }
  std::string SettingsDir() const { return path_ + "\\Brevik\\Zephlane"; }
  std::string SettingsFile() const { return SettingsDir() + "\\Zephlane.ini"; }
#else
  TempHome() : oldHome_(Get("HOME")), oldXdg_(Get("XDG_CONFIG_HOME")), path_(dir_.Path()) {
    setenv("HOME", path_.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
  }
  ~TempHome() {
    Restore("HOME", oldHome_);
    Restore("XDG_CONFIG_HOME", oldXdg_);
  }
  std::string SettingsDir() const { return path_ + "/.config/Brevik/Zephlane"; }
  std::string SettingsFile() const { return SettingsDir() + "/Zephlane.ini"; }
#endif
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::string& Path() const { return path_; }

  // Puts a settings file in place (creating its folder) before the window starts.
  void WriteSettings(const std::string& bytes) const {
    std::filesystem::create_directories(SettingsDir());
    std::ofstream(SettingsFile(), std::ios::binary | std::ios::trunc) << bytes;
  }
  // The file's bytes; nothing when it is missing or is not a regular file.
  std::optional<std::string> ReadSettings() const {
    if (!std::filesystem::is_regular_file(SettingsFile())) return std::nullopt;
    std::ifstream in(SettingsFile(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
#ifdef _WIN32
  static std::wstring& Profile() {
    static std::wstring profile;
    return profile;
  }
  static HRESULT WINAPI FakeProfileService(const GUID&, DWORD, HANDLE, PWSTR* path) {
    const std::size_t bytes = (Profile().size() + 1) * sizeof(wchar_t);
    *path = static_cast<PWSTR>(CoTaskMemAlloc(bytes));
    if (*path == nullptr) return E_OUTOFMEMORY;
    std::memcpy(*path, Profile().c_str(), bytes);
    return S_OK;
  }
  env::win32::ShellFolderServices oldShell_;
#else
  static std::optional<std::string> Get(const char* name) {
    const char* v = getenv(name);
    return v != nullptr ? std::optional<std::string>(v) : std::nullopt;
  }
  static void Restore(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

  std::optional<std::string> oldHome_;
  std::optional<std::string> oldXdg_;
#endif
  TempDir dir_;  // removed with everything in it, read-only parts included
  std::string path_;
};

}  // namespace startup::tests
