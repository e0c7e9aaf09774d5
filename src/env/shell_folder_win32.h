#pragma once

#ifdef _WIN32

#include <windows.h>

#include <cstdint>
#include <string>

// The shell's two folder services as resolved at start-up, and the lookup that asks them.
namespace env::win32 {

using KnownFolderService = HRESULT(WINAPI*)(const GUID& folder, DWORD flags, HANDLE token,
                                            PWSTR* path);
using LegacyFolderService = HRESULT(WINAPI*)(HWND owner, int csidl, HANDLE token, DWORD flags,
                                             LPSTR path);

struct ShellFolderServices {
  KnownFolderService Known = nullptr;    // SHGetKnownFolderPath
  LegacyFolderService Legacy = nullptr;  // SHGetFolderPathA, only when Known is missing
};

// FOLDERID_Profile {5E6C858F-0E22-4760-9AFE-EA3317B67173} and CSIDL_PROFILE.
inline constexpr GUID kFolderIdProfile = {
    0x5E6C858F, 0x0E22, 0x4760, {0x9A, 0xFE, 0xEA, 0x33, 0x17, 0xB6, 0x71, 0x73}};
inline constexpr int kCsidlProfile = 0x0028;

// The services found in the shell library when the program started. Tests replace them to
// play an older or a failing shell, and put them back.
ShellFolderServices& ShellServices();

// The folder's path (no trailing separator) or empty; status 0 found, 1 no path, 2 unknown
// folder, -1 no service or an unexpected legacy answer, else the known-folder service's code.
std::string GetShellFolder(const GUID& folder, int csidl, std::int32_t& status);

}  // namespace env::win32

#endif  // _WIN32
