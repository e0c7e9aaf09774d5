#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Small file helpers for the document tests.
namespace docs_test {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The .htm pages of a help folder, sorted by name.
inline std::vector<std::filesystem::path> HelpPages(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> pages;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".htm") pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  return pages;
}

}  // namespace docs_test
