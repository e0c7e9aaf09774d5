#pragma once

#include <string>

// Facts about the running executable.
namespace env {

std::string GetExeDir();      // its folder, with a trailing separator
std::string GetExeVersion();  // its file version ("2.1.0.0"), or empty

}  // namespace env
