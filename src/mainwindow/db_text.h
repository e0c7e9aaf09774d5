#pragma once

#include <string>

namespace mainwindow {

// A power or power ratio as decibel text: 10 log10 x, two decimals, the display's rules for
// infinities and NaN (0 gives "-∞", a negative value "NAN").
std::string DbText(double x);

}  // namespace mainwindow
