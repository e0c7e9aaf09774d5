#pragma once

#include <string>

#include "env/ini_file.h"

// Where the Analysis window stood and how large it was, in a section of the settings file of
// its own beside the main window's, and where it opens: beside the main window, inside the
// screen's work area.
namespace startup {

inline const std::string kAnalysisSection = "Analysis";

struct Box {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

struct AnalysisPlacement {
  bool Known = false;  // false: never saved, or a section that does not hold a usable box
  Box At{};
};

AnalysisPlacement LoadAnalysisPlacement(const env::TIniFile& ini);
// One replacement of the file; throws env::IniWriteError and leaves the old file whole.
void SaveAnalysisPlacement(env::TIniFile& ini, const Box& at);

// The box the window opens in: the saved one when it still meets the work area, otherwise the
// wanted size (shrunk to the work area) to the right of the main window, or to its left, or
// over it, whichever fits first; always inside the work area.
Box PlaceAnalysis(const AnalysisPlacement& saved, const Box& mainWindow, int wantWidth,
                  int wantHeight, const Box& workArea);

}  // namespace startup
