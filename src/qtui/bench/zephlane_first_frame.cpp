// The program as users start it, ending at its first frame: the same application identity,
// settings, window and menus as the program's own main.
#include <QApplication>

#include "first_frame.h"
#include "qtui/app_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  qtui::SetApplicationIdentity();
  qtui::AppWindow window;
  bench::FirstFrame frame(window.Window());
  window.Show();
  return QApplication::exec();
}
