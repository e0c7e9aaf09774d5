#pragma once

#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string>

// The moment a start-up ends for its user: the window's first frame is painted. A program
// started by the start-up benchmark prints then, on one line, the CPU time it has used since
// its process began (loading the libraries included) and its peak resident memory, and ends.
namespace bench {

inline long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

class FirstFrame : public QObject {
 public:
  explicit FirstFrame(QWidget& window) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // After this paint has been flushed to the screen.
      QTimer::singleShot(0, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long cpuUs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                           usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
        std::printf("%ld %ld\n", cpuUs, PeakResidentKb());
        std::fflush(stdout);
        QApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace bench
