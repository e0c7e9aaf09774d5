#pragma once

#include <string>
#include <string_view>

// The program's version as the About boxes show it, taken from the window's caption, which the
// creation handler made from the executable's own version information.
namespace mainwindow {

// "2.1.0.0" from "Zephlane V 2.1.0.0"; a caption of another form is returned whole.
std::string VersionOfCaption(std::string_view caption);

}  // namespace mainwindow
