#include <QApplication>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "env/exe_info.h"
#include "mainwindow/form.h"
#include "mainwindow/texts.h"
#include "qtui/app_window.h"

namespace {

// The command line's own texts. The window itself takes no arguments; these two questions are
// answered before anything needs a display, so they work over ssh and in a packager's chroot.
constexpr std::string_view kUsage =
    "Usage: zephlane [--help | --version]\n"
    "\n"
    "Opens the Zephlane window: the power a magnetron delivers into a mismatched load, and the\n"
    "readings of directional couplers of finite directivity. Inputs and unit choices are kept\n"
    "in $XDG_CONFIG_HOME/Brevik/Zephlane/Zephlane.ini (~/.config when XDG_CONFIG_HOME is unset).\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Other arguments are ignored. The window needs a display: an X11 or Wayland session\n"
    "(DISPLAY or WAYLAND_DISPLAY) or a Qt platform named in QT_QPA_PLATFORM.\n";
constexpr std::string_view kNoDisplay =
    "zephlane: no display to open the window on (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM "
    "are unset); try zephlane --help\n";
constexpr std::string_view kDisplayFailed = "zephlane: cannot open the display: ";

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// A Qt platform can also be chosen on the command line ("-platform offscreen").
bool PlatformArgument(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") return true;
  }
  return false;
}

// Qt reports a display it cannot open with a few warnings and then a fatal message that aborts
// the process with a core dump. While the application object is being made, its messages are
// held back; a fatal one becomes one line and exit status 1, and otherwise they are passed on.
QStringList heldMessages;  // only touched on the main thread, before the event loop

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    heldMessages.append(qFormatLogMessage(type, context, message));
    return;
  }
  // Qt's first warning names the display it could not reach; its fatal text is a paragraph.
  const QString reason =
      heldMessages.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0) : heldMessages.front();
  std::fputs(kDisplayFailed.data(), stderr);
  std::fputs(reason.toLocal8Bit().constData(), stderr);
  std::fputc('\n', stderr);
  std::_Exit(1);
}

}  // namespace

// The program: one window, ends when the window has closed. --help and --version answer and
// exit; any other argument is ignored.
int main(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      std::fputs(kUsage.data(), stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("%s %s\n", std::string(mainwindow::kAppTitle).c_str(),
                  env::GetExeVersion().c_str());
      return 0;
    }
  }
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM") &&
      !PlatformArgument(argc, argv)) {
    std::fputs(kNoDisplay.data(), stderr);
    return 1;
  }

  const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);
  for (const QString& line : heldMessages) {
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
  }
  heldMessages.clear();

  qtui::SetApplicationIdentity();
  qtui::AppWindow window;
  window.Show();
  return QApplication::exec();
}
