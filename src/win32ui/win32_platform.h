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
  // Task dialogs: Yes (the default) and No, and for the second the discard button with a
  // mnemonic; Escape and the close box are No.
  bool Confirm(const std::string& title, const std::string& text) override;
  env::ConfirmChoice ConfirmOrDiscard(const std::string& title, const std::string& text,
                                      const std::string& discardCaption) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void OpenDocument(const std::string& path) override;
  void ShowHelpTopic(const std::string& helpFile, const std::string& topic) override;
  env::ScreenSize PrimaryScreen() const override;

 private:
  int Box(const std::string& title, const std::string& text, UINT type) const;
  // Yes and No, and the extra button when its caption is not empty: the id pressed.
  int Ask(const std::string& title, const std::string& text, const std::wstring& extraCaption,
          int extraId) const;

  HWND owner_ = nullptr;
};

}  // namespace win32ui
