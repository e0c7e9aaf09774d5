#ifndef _WIN32

#include <filesystem>
#include <system_error>

#include "env/exe_info.h"

namespace env {

std::string GetExeDir() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// Executables here carry no version resource: the build states the version.
std::string GetExeVersion() { return ZEPHLANE_FILE_VERSION; }

}  // namespace env

#endif  // _WIN32
