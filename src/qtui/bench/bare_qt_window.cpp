// The comparison for the start-up benchmark: the least a Qt Widgets program can show, a window
// of the main window's client size with one label, linked against Qt Widgets alone.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "first_frame.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  QLabel label(QStringLiteral("Hello"), &window);
  window.resize(513, 362);
  bench::FirstFrame frame(window);
  window.show();
  return QApplication::exec();
}
