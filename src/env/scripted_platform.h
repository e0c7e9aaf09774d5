#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "env/platform.h"

// A platform for the driver and the tests: nothing is shown; every request is recorded as an
// event and reported to a listener, and confirmations take a scripted answer.
namespace env {

struct PlatformEvent {
  enum class Kind { Message, Confirm, Error, Open, Help };
  Kind What;
  std::string Title;    // message, confirm, error
  std::string Text;     // message, confirm, error; the topic of Help
  std::string Path;     // Open: the document; Help: the help file
  bool Answer = false;  // Confirm: the scripted answer (true = yes)
  // Confirm with a third button: its caption, and whether the answer was that button.
  std::string DiscardCaption;
  bool Discarded = false;
};

class ScriptedPlatform : public Platform {
 public:
  bool ConfirmAnswer = true;
  // Takes the third button where a confirmation offers one; a plain Yes/No box is then
  // answered No, as a user looking for that button would close it.
  bool DiscardAnswer = false;
  ScreenSize Screen;
  std::vector<PlatformEvent> Events;
  std::function<void(const PlatformEvent&)> OnEvent;
  // The environment as a test wants it; unset parts come from the system.
  std::optional<std::string> ScriptedExeDir;
  std::optional<std::string> ScriptedExeVersion;
  std::optional<std::string> ScriptedProfile;  // look-up status 0; an empty text: no profile
  std::shared_ptr<FileSystem> ScriptedFiles;   // null: the real file system

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& title, const std::string& text) override;
  ConfirmChoice ConfirmOrDiscard(const std::string& title, const std::string& text,
                                 const std::string& discardCaption) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void OpenDocument(const std::string& path) override;
  void ShowHelpTopic(const std::string& helpFile, const std::string& topic) override;
  ScreenSize PrimaryScreen() const override { return Screen; }
  std::string ExeDir() const override;
  std::string ExeVersion() const override;
  std::string ProfileFolder(std::int32_t& status) const override;
  std::shared_ptr<FileSystem> Files() const override;

 private:
  void Record(PlatformEvent e);
};

}  // namespace env
