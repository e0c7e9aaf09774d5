#include <QApplication>
#include <QPixmap>
#include <QString>
#include <cstdio>

#include "mainwindow/form.h"
#include "qtui/main_window.h"
#include "qtui/qt_platform.h"
#include "startup/lifecycle.h"

// Build tool: shows the window as a first start does (run it with an empty HOME), grabs it
// and saves it as a PNG: the screenshot that the AppStream metadata points to.
//   zephlane_screenshot <file.png>   (QT_QPA_PLATFORM=offscreen: no display needed)
int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: zephlane_screenshot <file.png>\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  qtui::QtPlatform platform;
  mainwindow::TForm1 form(platform);
  startup::Attach(form);
  qtui::MainWindow window(form);
  platform.SetParentWindow(&window);
  window.Create();
  window.show();
  QApplication::processEvents();
  const QPixmap shot = window.grab();
  if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "zephlane_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%dx%d\n", shot.width(), shot.height());
  return 0;
}
