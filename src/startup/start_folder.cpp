#include "startup/start_folder.h"

#include <filesystem>
#include <system_error>

namespace startup {

namespace {

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

bool RealIsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(PathOf(path), ec);
}

std::string StartFolder(const std::string& lastFolder, const std::string& documents,
                        const std::string& home, const IsFolder& isFolder) {
  // A folder that was removed or lies on a drive no longer there would make the dialog open
  // somewhere arbitrary, or complain: the next one in line is a better start.
  for (const std::string* f : {&lastFolder, &documents, &home})
    if (!f->empty() && isFolder(*f)) return *f;
  return {};
}

std::string FolderOfChosen(const std::string& chosenPath) {
  const std::u8string s = PathOf(chosenPath).parent_path().u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace startup
