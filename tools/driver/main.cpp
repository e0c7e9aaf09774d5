#include <csignal>
#include <cstdio>
#include <string>

#include "driver.h"

// zephlane-driver: JSON Lines requests on stdin, replies and events on stdout, every line
// flushed at once; exits 0 at end of input or after the window has closed.
namespace {

// One line without its end (LF, or CR LF). A line longer than the limit is read to its end
// but kept only up to one byte past the limit, so the driver can refuse it without storing it.
bool ReadLine(std::FILE* in, std::string& line, std::size_t limit) {
  line.clear();
  int c = std::getc(in);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    if (line.size() <= limit) line += static_cast<char>(c);
    c = std::getc(in);
  }
  if (!line.empty() && line.back() == '\r' && line.size() <= limit) line.pop_back();
  return true;
}

}  // namespace

int main() {
#ifdef SIGPIPE
  // A reader that went away shows as a failed write, not as a killed process.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  bool outputBroken = false;
  driver::Driver d([&](const std::string& line) {
    if (outputBroken) return;
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() ||
        std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0) {
      outputBroken = true;
    }
  });
  std::string line;
  while (!outputBroken && ReadLine(stdin, line, driver::Driver::kMaxLineBytes)) {
    if (!d.HandleLine(line)) break;
  }
  return outputBroken ? 1 : 0;
}
