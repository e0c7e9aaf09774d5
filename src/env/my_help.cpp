#include "env/my_help.h"

namespace env {

void TMyHelp::Init(std::uint8_t mode) {
  BasePath.clear();
  Mode = mode;
}

void TMyHelp::SetBasePath(const std::string& path) { BasePath = path; }

void TMyHelp::SetMode(std::uint8_t mode) { Mode = mode; }

void TMyHelp::OpenPage(Platform& platform, const std::string& topic) const {
  platform.OpenDocument(BasePath + topic + ".htm");
}

void TMyHelp::ShowTopic(Platform& platform, const std::string& topic) const {
  switch (Mode) {
    case 1:
      OpenPage(platform, topic);
      break;
    case 2:
      platform.ShowHelpTopic(HelpFile, topic);
      break;
    default:
      break;  // 0 and unknown modes show nothing
  }
}

}  // namespace env
