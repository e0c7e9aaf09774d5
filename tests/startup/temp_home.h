#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "env/user_dir.h"

#ifdef _WIN32
#include <objbase.h>
#include <process.h>

#include <cstring>

#include "env/shell_folder_win32.h"
#include "env/win32_text.h"
#endif

namespace startup::testing {

// A fresh HOME for one test, with XDG_CONFIG_HOME unset, so the settings folder is
// <home>/.config/Brevik/Zephlane (on Windows a fresh profile folder, see below). The environment
// is restored and the folder removed (also after a test made parts of it
// read-only) by the destructor.
class TempHome {
 public:
#ifdef _WIN32
  // Windows: the shell names the profile folder; a stand-in known-folder service names this
  // one, and the settings folder is <folder>\Brevik\Zephlane.
  TempHome() : oldShell_(env::win32::ShellServices()) {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100 && path_.empty(); ++i) {
      const auto name =
          "zephlane-startup-" + std::to_string(_getpid()) + "-" + std::to_string(++counter);
      std::error_code ec;
      if (std::filesystem::create_directory(base / name, ec)) path_ = (base / name).string();
    }
    Profile() = env::win32::Widen(path_);
    env::win32::ShellServices() = {&FakeProfileService, nullptr};
  }
  ~TempHome() {
    env::win32::ShellServices() = oldShell_;
    RemoveFolder();
  }
  std::string SettingsDir() const { return path_ + "\\Brevik\\Zephlane"; }
  std::string SettingsFile() const { return SettingsDir() + "\\Zephlane.ini"; }
#else
  TempHome() : oldHome_(Get("HOME")), oldXdg_(Get("XDG_CONFIG_HOME")) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zephlane-startup-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    setenv("HOME", path_.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
  }
  ~TempHome() {
    Restore("HOME", oldHome_);
    Restore("XDG_CONFIG_HOME", oldXdg_);
    RemoveFolder();
  }
  std::string SettingsDir() const { return path_ + "/.config/Brevik/Zephlane"; }
  std::string SettingsFile() const { return SettingsDir() + "/Zephlane.ini"; }
#endif
  void RemoveFolder() const {
    std::error_code ec;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
  }
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
  std::string path_;
};

}  // namespace startup::testing
