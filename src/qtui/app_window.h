#pragma once

#include "mainwindow/form.h"
#include "qtui/main_window.h"
#include "qtui/qt_platform.h"
#include "qtui/window_menu.h"

// The program's one window as the program starts it: the platform, the form with its settings,
// the Qt window and its menus, in the order they depend on each other. The program and the
// start-up benchmark make it the same way, so what is measured is what users start.
namespace qtui {

// The application's name, desktop entry and icon; after the QApplication exists.
void SetApplicationIdentity();

class AppWindow {
 public:
  AppWindow();
  // Shown, then the measured files of the last session opened again.
  void Show();
  MainWindow& Window() { return window_; }

 private:
  QtPlatform platform_;
  mainwindow::TForm1 form_;
  MainWindow window_;
  WindowMenu menu_;
};

}  // namespace qtui
