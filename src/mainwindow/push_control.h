#pragma once

#include <string_view>
#include <type_traits>
#include <variant>

#include "mainwindow/binding_rules.h"
#include "mainwindow/form.h"

// Showing the form on a toolkit's widgets. Which fields of each control reach the screen, and in
// which order, is decided here once; a binding's sink only says how its widgets show them:
//   Title(caption)                  the window's caption, never an empty one
//   State(ref, visible, enabled)    every control but the window and the tab sheets, before
//                                   the control's own fields
//   Sheet(ref, active)              a tab sheet, shown while its page is the active one
//   Show(ref, const Record&)        the record's own fields, one overload per kind
//   Show(ref, const Button&, tip)   a button with the part of its hint a tooltip shows
namespace mainwindow {

template <class Sink>
void PushControl(const ControlRef& ref, const TForm1& form, Sink& sink) {
  std::visit(
      [&](const auto* c) {
        using T = std::remove_cvref_t<decltype(*c)>;
        if constexpr (std::is_same_v<T, FormProps>) {
          if (!c->Caption.empty()) sink.Title(c->Caption);
        } else if constexpr (std::is_same_v<T, TabSheet>) {
          sink.Sheet(ref, form.pcResults.ActivePage == ref.Name);
        } else {
          sink.State(ref, c->Visible, c->Enabled);
          if constexpr (std::is_same_v<T, Button>) {
            sink.Show(ref, *c, ToolTipText(c->Hint));
          } else {
            sink.Show(ref, *c);
          }
        }
      },
      ref.Ptr);
}

}  // namespace mainwindow
