#include "startup/analysis_close.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "env/ini_file.h"
#include "startup/settings.h"

namespace startup {

bool SaveAnalysisOnClose(mainwindow::TForm1& form, const Box& at) {
  // Without a settings folder there are no saved settings to join.
  if (form.UserDir.empty()) return false;
  const std::string path = IniFileName(form);
  std::error_code ec;
  // The name is UTF-8 on every platform.
  if (!std::filesystem::is_regular_file(
          std::filesystem::path(std::u8string(path.begin(), path.end())), ec)) {
    return false;
  }
  try {
    env::TIniFile ini(path, form.Platform().Files());
    SaveAnalysisPlacement(ini, at);
    return true;
  } catch (const env::IniWriteError&) {
    return false;
  }
}

}  // namespace startup
