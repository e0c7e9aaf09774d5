#include "env/user_dir.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace env {

void ForceUserDir(const std::string& subPath, std::string& dir) {
  std::int32_t status = -1;
  const std::string profile = GetShellFolder(status);
  ForceUserDir(profile, status, subPath, dir);
}

#ifndef _WIN32
// Windows builds the folder with wide-character calls (user_dir_win32.cpp).
void ForceUserDir(const std::string& base, std::int32_t status, const std::string& subPath,
                  std::string& dir) {
  dir.clear();
  if (status == 0 && !base.empty()) {
    std::string sub = subPath;
    std::replace(sub.begin(), sub.end(), '\\', PathSeparator());
    dir = base + PathSeparator() + sub;
    std::error_code ec;
    // A file in the way (or a folder that cannot be made) leaves the profile folder itself;
    // levels already made stay.
    if (!std::filesystem::is_directory(dir, ec)) {
      std::filesystem::create_directories(dir, ec);
      if (ec || !std::filesystem::is_directory(dir, ec)) dir = base;
    }
  }
  if (!dir.empty() && dir.back() != PathSeparator()) dir += PathSeparator();
}
#endif  // _WIN32

}  // namespace env
