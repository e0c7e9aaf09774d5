#include "qtui/app_window.h"

#include <QApplication>
#include <QIcon>
#include <string_view>

#include "mainwindow/texts.h"
#include "qtui/qt_text.h"
#include "startup/lifecycle.h"

namespace qtui {

namespace {
// Names the desktop entry (zephlane.desktop) that Wayland compositors match the window with.
constexpr std::string_view kDesktopFileName = "zephlane";

// The form must be attached to its settings before the window reads it.
mainwindow::TForm1& Attached(mainwindow::TForm1& form) {
  startup::Attach(form);
  return form;
}
}  // namespace

void SetApplicationIdentity() {
  QApplication::setApplicationName(Q(mainwindow::kAppTitle));
  QGuiApplication::setDesktopFileName(Q(kDesktopFileName));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zephlane.svg")));
}

AppWindow::AppWindow() : form_(platform_), window_(Attached(form_)), menu_(window_) {
  // Dialogs and message boxes belong to the window from here on.
  platform_.SetParentWindow(&window_);
  window_.Create();
}

void AppWindow::Show() {
  window_.show();
  menu_.RestoreFiles();
}

}  // namespace qtui
