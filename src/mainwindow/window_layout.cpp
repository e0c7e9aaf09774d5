#include "mainwindow/window_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mainwindow {

WindowPosition PlaceWindow(bool firstStart, WindowPosition stored, int width, int height,
                           const ScreenRect& workArea) {
  if (firstStart) {
    // The work area's centre pixel less half the window, both rounded down.
    return {workArea.Left + (workArea.Width - 1) / 2 - width / 2,
            workArea.Top + (workArea.Height - 1) / 2 - height / 2};
  }
  const int right = std::max(workArea.Left, workArea.Left + workArea.Width - width);
  const int bottom = std::max(workArea.Top, workArea.Top + workArea.Height - height);
  return {std::clamp(stored.Left, workArea.Left, right),
          std::clamp(stored.Top, workArea.Top, bottom)};
}

int ScaleDesignPx(int designPx, double dotsPerInch) {
  const double px = std::round(designPx * dotsPerInch / kDesignDotsPerInch);
  // A broken DPI report must not turn into undefined behaviour in the conversion to int.
  if (!(px > std::numeric_limits<int>::min() && px < std::numeric_limits<int>::max())) return 0;
  return static_cast<int>(px);
}

Extent PlaceLabelText(TextAlign align, int left, int width, int textWidth) {
  switch (align) {
    case TextAlign::Center: {
      const int w = std::max(textWidth, width);
      return {left + (width - w) / 2, w};
    }
    case TextAlign::Right: {
      const int w = std::max(textWidth, width);
      return {left + width - w, w};
    }
    case TextAlign::Left:
      break;
  }
  return {left, textWidth};
}

ScreenRect RadioButtonRect(int index, int count, int columns, int groupWidth, int groupHeight,
                           int textHeight) {
  if (count <= 0 || columns <= 0 || index < 0 || index >= count) return {};
  const int perColumn = (count + columns - 1) / columns;
  const int leftMargin = static_cast<int>(std::lround(textHeight * 8.0 / 15.0));
  const int rightMargin = static_cast<int>(std::lround(textHeight * 2.0 / 15.0));
  const int buttonWidth = std::max(0, (groupWidth - leftMargin - rightMargin) / columns);
  const int free = std::max(0, groupHeight - textHeight - 5);
  const int buttonHeight = free / perColumn;
  const int topMargin = textHeight + 1 + (free % perColumn) / 2;
  return {leftMargin + (index / perColumn) * buttonWidth,
          topMargin + (index % perColumn) * buttonHeight, buttonWidth, buttonHeight};
}

namespace {

// A left-aligned caption and the extremes of the design widths it is given. Many labels share
// a caption (the value placeholders, the units), and a caption measures the same in every
// label, so each is measured once, against its tightest width: scaling is monotonic, so the
// tightest scaled width is that of one of the two extremes.
struct CaptionLimit {
  std::string_view Caption;
  int NarrowestWidth = 0;
  int WidestWidth = 0;
};

const std::vector<CaptionLimit>& LeftCaptionLimits() {
  static const std::vector<CaptionLimit> limits = [] {
    std::vector<CaptionLimit> out;
    for (const DesignEntry& d : DesignTable()) {
      if (d.Kind != ControlKind::Label || d.Alignment != TextAlign::Left) continue;
      const auto it = std::find_if(out.begin(), out.end(),
                                   [&](const CaptionLimit& c) { return c.Caption == d.Caption; });
      if (it == out.end()) {
        out.push_back({d.Caption, d.Width, d.Width});
      } else {
        it->NarrowestWidth = std::min(it->NarrowestWidth, d.Width);
        it->WidestWidth = std::max(it->WidestWidth, d.Width);
      }
    }
    return out;
  }();
  return limits;
}

}  // namespace

bool LabelCaptionsFit(const std::function<int(std::string_view)>& textWidth, double dotsPerInch) {
  return std::all_of(LeftCaptionLimits().begin(), LeftCaptionLimits().end(),
                     [&](const CaptionLimit& c) {
                       const int limit = std::min(ScaleDesignPx(c.NarrowestWidth, dotsPerInch),
                                                  ScaleDesignPx(c.WidestWidth, dotsPerInch));
                       return textWidth(c.Caption) <= limit + 1;
                     });
}

int StepDownFontSize(int designSize, const std::function<bool(int size)>& fits) {
  const int smallest = designSize * 3 / 4;
  for (int size = designSize; size > smallest; --size) {
    if (fits(size)) return size;
  }
  return smallest;
}

}  // namespace mainwindow
