#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mainwindow/form.h"

// Reading the window for the driver: control properties and model fields as JSON values.
namespace driver {

// The properties a control kind has, in the order dump lists them.
std::span<const std::string_view> PropertyNames(mainwindow::ControlKind kind);

// The property as JSON, or nothing when the control's kind lacks it.
std::optional<std::string> PropertyJson(const mainwindow::ControlRef& ref, std::string_view prop);

// A model or environment field as JSON (a TRefl as an object of its five parts, or one part
// named with a dot: "LoaRfl.Swr"), or nothing for an unknown name.
std::optional<std::string> FieldJson(const mainwindow::TForm1& form, std::string_view name);

// {"controls": {...}, "fields": {...}}: every control with every property, every field.
std::string DumpJson(const mainwindow::TForm1& form);

}  // namespace driver
