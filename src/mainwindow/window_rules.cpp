#include "mainwindow/window_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <variant>

#include "mainwindow/design.h"
#include "mainwindow/form.h"

namespace mainwindow {

namespace {

constexpr std::string_view kWindowName = "Form1";

void AppendTabStops(std::string_view container, std::vector<std::string_view>& cycle) {
  std::vector<const DesignEntry*> children;
  for (const DesignEntry& d : DesignTable()) {
    if (d.Parent == container && d.TabOrder >= 0) children.push_back(&d);
  }
  std::stable_sort(
      children.begin(), children.end(),
      [](const DesignEntry* a, const DesignEntry* b) { return a->TabOrder < b->TabOrder; });
  for (const DesignEntry* d : children) {
    if (KindIsTabStop(d->Kind)) cycle.push_back(d->Name);
    // The page control's tabs come before the controls of its pages.
    AppendTabStops(d->Name, cycle);
  }
}

// Enabled and shown: the control itself, and every container up to the window, where a tab
// sheet counts as shown only while it is its page control's active page.
bool Reachable(const TForm1& form, std::string_view name) {
  if (name.empty() || name == kWindowName) return false;
  for (std::string_view n = name; n != kWindowName;) {
    const ControlRef* ref = form.FindControl(n);
    const DesignEntry* d = FindDesign(n);
    if (ref == nullptr || d == nullptr) return false;
    const ControlBase* base = BaseOf(ref->Ptr);
    if (base == nullptr || !base->Visible) return false;
    // A disabled container disables its children; the control's own state counts too.
    if (!base->Enabled) return false;
    if (ref->Kind == ControlKind::TabSheet && form.pcResults.ActivePage != n) return false;
    n = d->Parent;
  }
  return true;
}

}  // namespace

bool DesignFixesBackground(TColor background) { return background != TColor::clBtnFace; }

const std::vector<std::string_view>& DesignTabCycle() {
  static const std::vector<std::string_view> cycle = [] {
    std::vector<std::string_view> c;
    AppendTabStops(kWindowName, c);
    return c;
  }();
  return cycle;
}

std::string_view NextTabStop(const TForm1& form, std::string_view current, bool forward) {
  const std::vector<std::string_view>& cycle = DesignTabCycle();
  const auto count = static_cast<std::ptrdiff_t>(cycle.size());
  if (count == 0) return {};
  const auto at = std::find(cycle.begin(), cycle.end(), current);
  // From a control outside the cycle (an up-down, nothing yet), the first stop in the
  // direction of travel is the one at either end.
  std::ptrdiff_t start = at == cycle.end() ? (forward ? -1 : count) : at - cycle.begin();
  for (std::ptrdiff_t i = 1; i <= count; ++i) {
    const std::ptrdiff_t step = forward ? i : -i;
    const std::ptrdiff_t k = ((start + step) % count + count) % count;
    const std::string_view candidate = cycle[static_cast<std::size_t>(k)];
    if (Reachable(form, candidate)) return candidate;
  }
  return {};
}

std::string_view UpDownOfEdit(std::string_view edit) {
  if (edit.empty()) return {};
  for (const DesignEntry& d : DesignTable()) {
    if (d.Kind == ControlKind::UpDown && d.Associate == edit) return d.Name;
  }
  return {};
}

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

bool LabelCaptionsFit(const std::function<int(std::string_view)>& textWidth, double dotsPerInch) {
  return std::all_of(DesignTable().begin(), DesignTable().end(), [&](const DesignEntry& d) {
    return d.Kind != ControlKind::Label || d.Alignment != TextAlign::Left ||
           textWidth(d.Caption) <= ScaleDesignPx(d.Width, dotsPerInch) + 1;
  });
}

}  // namespace mainwindow
