#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "driver.h"
#include "fuzz_check.h"
#include "fuzz_home.h"

// Request lines into the driver: whatever arrives, each line gets its replies and the driver
// goes on, until the window closes. Every run starts without a settings file.
namespace {

std::string home;

void RemoveHome() {
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  home = MakeFuzzHome();
  std::atexit(RemoveHome);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::error_code ec;
  std::filesystem::remove(FuzzSettingsFile(home), ec);
  std::size_t lines = 0;
  driver::Driver d([&](const std::string& line) {
    FUZZ_CHECK(!line.empty() && line.front() == '{' && line.back() == '}');
    FUZZ_CHECK(line.find('\n') == std::string::npos);
  });
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty() && lines++ < 200) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!d.HandleLine(line)) break;
  }
  return 0;
}
