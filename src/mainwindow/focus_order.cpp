#include "mainwindow/focus_order.h"

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

std::size_t FocusButtonOfRadioGroup(std::int32_t index, std::size_t buttons) {
  return index >= 0 && static_cast<std::size_t>(index) < buttons ? static_cast<std::size_t>(index)
                                                                 : 0;
}

}  // namespace mainwindow
