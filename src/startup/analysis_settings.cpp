#include "startup/analysis_settings.h"

#include <algorithm>

namespace startup {

namespace {

// The smallest window that still shows a chart and the table.
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 240;

bool Overlaps(const Box& a, const Box& b) {
  return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
         b.Top < a.Top + a.Height;
}

// Moves and shrinks a box until it lies inside the area.
Box Inside(Box b, const Box& area) {
  b.Width = std::clamp(b.Width, 1, std::max(1, area.Width));
  b.Height = std::clamp(b.Height, 1, std::max(1, area.Height));
  b.Left = std::clamp(b.Left, area.Left, area.Left + area.Width - b.Width);
  b.Top = std::clamp(b.Top, area.Top, area.Top + area.Height - b.Height);
  return b;
}

}  // namespace

AnalysisPlacement LoadAnalysisPlacement(const env::TIniFile& ini) {
  AnalysisPlacement p;
  constexpr int kMissing = -1;
  p.At.Left = ini.ReadInteger(kAnalysisSection, "Left", 0);
  p.At.Top = ini.ReadInteger(kAnalysisSection, "Top", 0);
  p.At.Width = ini.ReadInteger(kAnalysisSection, "Width", kMissing);
  p.At.Height = ini.ReadInteger(kAnalysisSection, "Height", kMissing);
  p.Known = p.At.Width >= kMinWidth && p.At.Height >= kMinHeight;
  return p;
}

void SaveAnalysisPlacement(env::TIniFile& ini, const Box& at) {
  ini.BeginUpdate();
  try {
    ini.EraseSection(kAnalysisSection);
    ini.WriteInteger(kAnalysisSection, "Left", at.Left);
    ini.WriteInteger(kAnalysisSection, "Top", at.Top);
    ini.WriteInteger(kAnalysisSection, "Width", at.Width);
    ini.WriteInteger(kAnalysisSection, "Height", at.Height);
    ini.CommitUpdate();
  } catch (...) {
    ini.AbandonUpdate();
    throw;
  }
}

Box PlaceAnalysis(const AnalysisPlacement& saved, const Box& mainWindow, int wantWidth,
                  int wantHeight, const Box& workArea) {
  // A saved box on a screen that is gone (or smaller now) is pulled back onto this one.
  if (saved.Known && Overlaps(saved.At, workArea)) return Inside(saved.At, workArea);
  const int w = std::min(std::max(wantWidth, kMinWidth), workArea.Width);
  const int h = std::min(std::max(wantHeight, kMinHeight), workArea.Height);
  const int right = mainWindow.Left + mainWindow.Width;
  const int areaRight = workArea.Left + workArea.Width;
  Box b{0, mainWindow.Top, w, h};
  const int roomRight = areaRight - right;
  const int roomLeft = mainWindow.Left - workArea.Left;
  if (roomRight >= w) {
    b.Left = right;
  } else if (roomLeft >= w) {
    b.Left = mainWindow.Left - w;
  } else if (std::max(roomRight, roomLeft) >= std::max(kMinWidth, w / 2)) {
    // Narrower beside it rather than over it: the main window stays in view while typing.
    b.Width = std::max(roomRight, roomLeft);
    b.Left = roomRight >= roomLeft ? right : workArea.Left;
  } else {
    b.Left = areaRight - w;  // no room beside it: over its right part, inside the area
  }
  return Inside(b, workArea);
}

}  // namespace startup
