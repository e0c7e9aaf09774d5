#include <QApplication>

#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "qtui/main_window.h"
#include "qtui/qt_platform.h"
#include "qtui/window_menu.h"
#include "startup/lifecycle.h"

// The program: no arguments, one window, ends when the window has closed.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(
      mainwindow::kAppTitle.data(), static_cast<qsizetype>(mainwindow::kAppTitle.size())));
  qtui::QtPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Attach(form);
  qtui::MainWindow window(form);
  platform.SetParentWindow(&window);
  qtui::WindowMenu menu(window);
  window.Create();
  window.show();
  return QApplication::exec();
}
