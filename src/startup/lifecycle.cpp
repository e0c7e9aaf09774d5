#include "startup/lifecycle.h"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "env/ini_file.h"
#include "env/user_dir.h"
#include "mainwindow/texts.h"
#include "startup/settings.h"

namespace startup {

void FormCreate(mainwindow::TForm1& form) {
  using namespace mainwindow;
  env::Platform& platform = form.Platform();
  form.ExeDir = platform.ExeDir();
  std::int32_t status = -1;
  const std::string profile = platform.ProfileFolder(status);
  env::ForceUserDir(profile, status, std::string(kSettingsSubPath), form.UserDir);
  form.MyHelp.Init(0);
  form.ChmHelpName = std::string(kChmHelpName);
  form.PdfHelpName = std::string(kPdfHelpName);
  form.TheoryName = std::string(kTheoryName);
  form.ChmHelpFile = form.ExeDir + form.ChmHelpName;
  form.PdfHelpFile = form.ExeDir + form.PdfHelpName;
  form.TheoryFile = form.ExeDir + form.TheoryName;
  form.MyHelp.HelpFile = form.ChmHelpFile;
  const char sep = env::PathSeparator();
  form.MyHelp.SetBasePath(form.ExeDir + std::string(kWebHelpFolder) + sep +
                          std::string(kWebHelpContentFolder) + sep);
  form.pcResults.ActivePage = "tsTransm";
  form.AutoIniFile = std::make_unique<env::TIniFile>(IniFileName(form), platform.Files());
  LoadSettings(form, *form.AutoIniFile);
  // Directivity controls after chIdeal, factors and measurement re-presented, the window's
  // size fixed, both reflections completed from their Mag, one full cycle, initial focus.
  form.PrepareForShow();
  form.Form1.Caption = std::string(kCaptionPrefix) + platform.ExeVersion();
}

void FormClose(mainwindow::TForm1& form, mainwindow::TCloseAction& action) {
  using namespace mainwindow;
  action = TCloseAction::caFree;
  // Once a save has failed (a full disk, a read-only folder) saving may keep failing; the user
  // can then still end the program, knowingly leaving the file as it is.
  const bool offerDiscard = form.AutoIniFile && form.AutoIniFile->LastWriteFailed();
  const std::string title(kConfirmTitle);
  const std::string question(kTerminateQuestion);
  const env::ConfirmChoice choice =
      offerDiscard
          ? form.Platform().ConfirmOrDiscard(title, question, std::string(kQuitWithoutSaving))
          : (form.Platform().Confirm(title, question) ? env::ConfirmChoice::Yes
                                                      : env::ConfirmChoice::No);
  if (choice == env::ConfirmChoice::No) {
    action = TCloseAction::caNone;
    return;
  }
  if (choice == env::ConfirmChoice::Discard) {
    form.AutoIniFile.reset();
    return;
  }
  // A failed save leaves this handler by the exception: the window stays open and keeps its
  // settings object, so the next close asks again and retries.
  if (form.AutoIniFile) SaveSettings(form, *form.AutoIniFile);
  form.AutoIniFile.reset();
}

bool OpensCentred(const mainwindow::TForm1& form) {
  std::error_code ec;
  // The file name is UTF-8 on every platform; Windows must not read it in its ANSI code page.
  return !form.Form1.PositionStored || !form.AutoIniFile ||
         !std::filesystem::exists(
             std::filesystem::path(std::u8string(form.AutoIniFile->FileName().begin(),
                                                 form.AutoIniFile->FileName().end())),
             ec);
}

void Attach(mainwindow::TForm1& form) {
  form.OnCreate = [&form] { FormCreate(form); };
  form.OnClose = [&form](mainwindow::TCloseAction& action) { FormClose(form, action); };
}

void Create(mainwindow::TForm1& form) {
  Attach(form);
  form.OnCreate();
}

}  // namespace startup
