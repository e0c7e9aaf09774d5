#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "env/scripted_platform.h"
#include "mainwindow/form.h"

// The headless driver: one request line in, zero or more reply and event lines out, over the
// same window logic as the desktop application, with a scripted platform.
namespace driver {

class Driver {
 public:
  // emit receives every output line without its line end, in order.
  explicit Driver(std::function<void(const std::string&)> emit);

  // Handles one request line. Returns false once the window has closed: the driver ends.
  bool HandleLine(std::string_view line);

  // The longest request line and the deepest nesting the driver accepts.
  static constexpr std::size_t kMaxLineBytes = 8u << 20;
  static constexpr int kMaxDepth = 32;

 private:
  std::function<void(const std::string&)> emit_;
  env::ScriptedPlatform platform_;
  std::unique_ptr<mainwindow::TForm1> form_;

  void Error(std::string_view what);
  void OnPlatformEvent(const env::PlatformEvent& e);
};

}  // namespace driver
