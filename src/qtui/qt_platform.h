#pragma once

#include <QPointer>
#include <QWidget>

#include "env/platform.h"

// The platform services of the desktop: Qt message boxes over the window, documents handed to
// the desktop's default viewers, the primary screen.
namespace qtui {

class QtPlatform : public env::Platform {
 public:
  // The window the boxes belong to; boxes before it exists have no parent.
  void SetParentWindow(QWidget* window) { parent_ = window; }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& title, const std::string& text) override;
  env::ConfirmChoice ConfirmOrDiscard(const std::string& title, const std::string& text,
                                      const std::string& discardCaption) override;
  void ShowError(const std::string& title, const std::string& text) override;
  void OpenDocument(const std::string& path) override;
  // There is no compiled-help viewer on this desktop; the help buttons open documents.
  void ShowHelpTopic(const std::string& helpFile, const std::string& topic) override;
  env::ScreenSize PrimaryScreen() const override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace qtui
