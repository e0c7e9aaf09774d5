#include "win32ui/about_box.h"

#include "mainwindow/caption_version.h"
#include "views/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

std::string AboutText(std::string_view caption) {
  std::string s(views::kAboutName);
  s += "\r\n";
  s += views::kAboutVersionPrefix;
  s += mainwindow::VersionOfCaption(caption);
  s += "\r\n\r\n";
  s += views::kAboutBody;
  s += "\r\n\r\n";
  s += views::kAboutLicence;
  return s;
}

void ShowAbout(HWND owner, std::string_view caption) {
  MessageBoxW(owner, W(AboutText(caption)).c_str(), W(views::kAboutTitle).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

}  // namespace win32ui
