#pragma once

#include <string>
#include <string_view>

// The main window's title bar: the design's caption, after the open case's name and before the
// measured load in use, so that a user comparing configurations always sees which one is on
// screen. Both bindings show exactly this text.
namespace views {

// caseName and measuredLoad may be empty; measuredLoad names the file and the frequency
// ("applicator.s1p at 2.45 GHz").
std::string WindowCaption(std::string_view caption, std::string_view caseName,
                          std::string_view measuredLoad);

// The measured load's part of the caption: the file's name and the frequency it is taken at, as
// the band sheets write frequencies ("applicator.s1p at 2.45 GHz"); empty without a file name.
std::string MeasuredLoadNote(std::string_view fileName, double hz);

}  // namespace views
