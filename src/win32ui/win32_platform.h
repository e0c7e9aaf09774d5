#pragma once

#include <windows.h>

#include <string>

#include "env/platform.h"

// The platform services on Windows: the system's message boxes owned by the window, documents
// handed to the shell, the primary monitor.
namespace win32ui {

class Win32Platform : public env::Platform {
 public:
  // The window the boxes belong to; a box before it exists has no owner.
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& title, const std::string& text) override;
  // A task dialog: Yes (the default), No and the discard button; Escape and the close box are
  // No.
  env::ConfirmChoice ConfirmOrDiscard(const std::string& title, const std::string& text,
                                      const std::string& discardCaption) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void OpenDocument(const std::string& path) override;
  void ShowHelpTopic(const std::string& helpFile, const std::string& topic) override;
  env::ScreenSize PrimaryScreen() const override;

 private:
  int Box(const std::string& title, const std::string& text, UINT type) const;

  HWND owner_ = nullptr;
};

}  // namespace win32ui
