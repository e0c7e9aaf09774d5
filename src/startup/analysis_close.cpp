#include "startup/analysis_close.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "env/ini_file.h"
#include "startup/settings.h"

namespace startup {

namespace {

template <typename Write>
bool JoinSettings(mainwindow::TForm1& form, Write&& write) {
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
    write(ini);
    return true;
  } catch (const env::IniWriteError&) {
    return false;
  }
}

}  // namespace

bool SaveAnalysisOnClose(mainwindow::TForm1& form, const Box& at) {
  return JoinSettings(form, [&](env::TIniFile& ini) { SaveAnalysisPlacement(ini, at); });
}

bool SaveFilesOnClose(mainwindow::TForm1& form, const FileSettings& files) {
  return JoinSettings(form, [&](env::TIniFile& ini) { SaveFileSettings(ini, files); });
}

}  // namespace startup
