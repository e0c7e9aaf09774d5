#pragma once

#include <string_view>

#include "mainwindow/form.h"

// What each binding does around the window's logic, the same way on every toolkit: guarding
// re-entry, running a user's action between reading and showing the controls, and the part of
// a hint a tooltip shows.
namespace mainwindow {

// Sets a flag for the length of a scope and gives it back its old value on leaving, also by an
// exception; nested guards of one flag so leave it set until the outermost ends.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = old_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// One user action: the edits' texts are read from the widgets (pull), the action runs, and every
// control is shown again (push). A handler that opens a box runs a nested event loop, in which
// nothing may start a second action, and a closed window takes none. Returns whether the window
// is closed afterwards, so the binding closes its own.
template <class Pull, class Action, class Push>
bool RunUserAction(bool& acting, const TForm1& form, Pull&& pull, Action&& action, Push&& push) {
  if (acting || form.Closed()) return false;
  {
    const FlagGuard guard(acting);
    pull();
    action();
    push();
  }
  return form.Closed();
}

// Only the text before "|" is a tooltip; the long hint after it is not shown.
constexpr std::string_view ToolTipText(std::string_view hint) {
  return hint.substr(0, hint.find('|'));
}

}  // namespace mainwindow
