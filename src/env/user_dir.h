#pragma once

#include <cstdint>
#include <string>

// The per-user folder that holds the settings file.
namespace env {

// The user's profile folder as the platform gives it (no trailing separator), or empty;
// status 0 found, 1 no path, 2 unknown folder, -1 no service, other: the service's code.
// On Windows: the shell's known-folder service, else the legacy one. Elsewhere: the
// configuration folder ($XDG_CONFIG_HOME when absolute, else $HOME/.config, HOME falling
// back to the password database).
std::string GetShellFolder(std::int32_t& status);

// dir := profile folder + separator + subPath + separator, created with its parents when
// missing; the profile folder + separator when creation fails; empty when the look-up of the
// profile folder failed (status not 0) or gave no path.
// subPath uses "\" between levels, as written in the window's code; it is converted here.
void ForceUserDir(const std::string& profile, std::int32_t status, const std::string& subPath,
                  std::string& dir);
// The same over the system's own profile folder (GetShellFolder).
void ForceUserDir(const std::string& subPath, std::string& dir);

char PathSeparator();  // '\\' on Windows, '/' elsewhere

}  // namespace env
