#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "env/file_system.h"

// Platform services that show something to a person or ask the desktop for something. Each
// window binding implements it on its toolkit (Qt, Win32); the driver and the tests use a
// scripted one.
namespace env {

struct ScreenSize {
  int Width = 1920;
  int Height = 1080;
};

// The answers of a confirmation that also offers to go on without saving.
enum class ConfirmChoice { Yes, No, Discard };

class Platform {
 public:
  virtual ~Platform() = default;
  // Modal message box with an OK button and no icon.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
  // Modal Yes/No confirmation, Yes the default. True only for Yes.
  virtual bool Confirm(const std::string& title, const std::string& text) = 0;
  // Confirm with a third button, captioned discardCaption, beside Yes and No; Escape is No.
  virtual ConfirmChoice ConfirmOrDiscard(const std::string& title, const std::string& text,
                                         const std::string& discardCaption) = 0;
  // The application's standard error box: stop icon, OK.
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
  // Hands a document to the desktop's default viewer without waiting.
  virtual void OpenDocument(const std::string& path) = 0;
  // A topic request to the compiled-help viewer; platforms without one ignore it.
  virtual void ShowHelpTopic(const std::string& helpFile, const std::string& topic) = 0;
  virtual ScreenSize PrimaryScreen() const = 0;

  // The running program's environment. The defaults ask the system; the driver keeps them,
  // tests script them.
  virtual std::string ExeDir() const;      // the executable's folder, trailing separator
  virtual std::string ExeVersion() const;  // its file version ("2.1.0.0"), or empty
  // The user's profile folder and the status of the look-up, as env::GetShellFolder gives them.
  virtual std::string ProfileFolder(std::int32_t& status) const;
  // The files every save goes through: the settings file and every export.
  virtual std::shared_ptr<FileSystem> Files() const;
};

}  // namespace env
