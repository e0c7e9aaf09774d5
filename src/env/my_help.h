#pragma once

#include <cstdint>
#include <string>

#include "env/platform.h"

// Launcher for the help that is addressed by topic: HTML pages and the compiled help file.
namespace env {

struct TMyHelp {
  std::string BasePath;   // folder of the HTML pages, with a trailing separator
  std::uint8_t Mode = 0;  // 0 none, 1 HTML page, 2 compiled-help topic
  std::string HelpFile;   // the application's help file (compiled help)

  void Init(std::uint8_t mode);
  void SetBasePath(const std::string& path);
  void SetMode(std::uint8_t mode);
  void OpenPage(Platform& platform, const std::string& topic) const;
  void ShowTopic(Platform& platform, const std::string& topic) const;
};

}  // namespace env
