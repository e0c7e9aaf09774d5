#ifndef _WIN32

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "env/user_dir.h"

namespace env {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

// The per-user configuration folder is where desktop programs here keep their settings; a
// relative XDG_CONFIG_HOME is invalid by its own rules and is ignored.
std::string GetShellFolder(std::int32_t& status) {
  status = 1;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); IsAbsolute(xdg)) {
    status = 0;
    return WithoutTrailingSlashes(xdg);
  }
  std::string home;
  if (const char* env = std::getenv("HOME"); IsAbsolute(env)) {
    home = env;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && IsAbsolute(pw->pw_dir)) {
    home = pw->pw_dir;
  }
  if (home.empty()) return {};
  status = 0;
  home = WithoutTrailingSlashes(home);
  return (home == "/" ? "" : home) + "/.config";
}

char PathSeparator() { return '/'; }

}  // namespace env

#endif  // _WIN32
