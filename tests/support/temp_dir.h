#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <process.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it (also
// after a test made parts of it read-only).
class TempDir {
 public:
  TempDir() {
#ifdef _WIN32
    // No mkdtemp here: the process id and a counter, taken only when the name is free.
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100 && path_.empty(); ++i) {
      const auto name =
          "zephlane-env-" + std::to_string(_getpid()) + "-" + std::to_string(++counter);
      std::error_code ec;
      if (std::filesystem::create_directory(base / name, ec)) path_ = (base / name).string();
    }
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "zephlane-env-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
#endif
  }
  ~TempDir() {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Paths are UTF-8 on every platform, as the program's own are; Windows opens them by the wide
// name, not in its ANSI code page.
inline std::filesystem::path Utf8Path(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(Utf8Path(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
