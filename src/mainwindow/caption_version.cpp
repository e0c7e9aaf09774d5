#include "mainwindow/caption_version.h"

#include "mainwindow/texts.h"

namespace mainwindow {

std::string VersionOfCaption(std::string_view caption) {
  if (caption.substr(0, kCaptionPrefix.size()) == kCaptionPrefix) {
    return std::string(caption.substr(kCaptionPrefix.size()));
  }
  return std::string(caption);
}

}  // namespace mainwindow
