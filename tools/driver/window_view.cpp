#include "window_view.h"

#include <array>
#include <cstdint>
#include <type_traits>
#include <variant>
#include <vector>

#include "rf/model_fields.h"
#include "text/json.h"

namespace driver {

namespace {

using mainwindow::ControlKind;
using mainwindow::TForm1;

constexpr std::array<std::string_view, 6> kFormProps{"Caption",     "Left",         "Top",
                                                     "ClientWidth", "ClientHeight", "Color"};
constexpr std::array<std::string_view, 5> kCaptionColorProps{"Caption", "Color", "Enabled",
                                                             "Visible", "Hint"};
constexpr std::array<std::string_view, 5> kEditProps{"Text", "Color", "Enabled", "Visible", "Hint"};
constexpr std::array<std::string_view, 6> kDropDownProps{"Items",   "ItemIndex", "Color",
                                                         "Enabled", "Visible",   "Hint"};
constexpr std::array<std::string_view, 8> kUpDownProps{"Min",  "Max",     "Increment", "Position",
                                                       "Wrap", "Enabled", "Visible",   "Hint"};
constexpr std::array<std::string_view, 5> kCheckBoxProps{"Caption", "Checked", "Enabled", "Visible",
                                                         "Hint"};
constexpr std::array<std::string_view, 6> kRadioGroupProps{"Caption", "Items",   "ItemIndex",
                                                           "Enabled", "Visible", "Hint"};
constexpr std::array<std::string_view, 4> kButtonProps{"Caption", "Enabled", "Visible", "Hint"};
constexpr std::array<std::string_view, 4> kPageControlProps{"ActivePage", "Enabled", "Visible",
                                                            "Hint"};
constexpr std::array<std::string_view, 4> kTabSheetProps{"Caption", "Enabled", "Visible", "Hint"};

void AppendItems(std::string& out, const std::vector<std::string>& items) {
  out += '[';
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    text::AppendJsonString(out, items[i]);
  }
  out += ']';
}

void AppendColor(std::string& out, mainwindow::TColor c) {
  text::AppendJsonString(out, mainwindow::ColorName(c));
}

// Properties that not every kind has; the kind's name list has already admitted the name.
template <class T>
bool AppendOwnProperty(std::string& out, const T& c, std::string_view prop) {
  if constexpr (requires { c.Caption; }) {
    if (prop == "Caption") return text::AppendJsonString(out, c.Caption), true;
  }
  if constexpr (requires { c.Color; }) {
    if (prop == "Color") return AppendColor(out, c.Color), true;
  }
  if constexpr (requires { c.Text; }) {
    if (prop == "Text") return text::AppendJsonString(out, c.Text), true;
  }
  if constexpr (requires { c.Items; }) {
    if (prop == "Items") return AppendItems(out, c.Items), true;
  }
  if constexpr (requires { c.ItemIndex(); }) {
    if (prop == "ItemIndex") return text::AppendJsonInt(out, c.ItemIndex()), true;
  }
  if constexpr (requires { c.Position(); }) {
    if (prop == "Min") return text::AppendJsonInt(out, c.Min), true;
    if (prop == "Max") return text::AppendJsonInt(out, c.Max), true;
    if (prop == "Increment") return text::AppendJsonInt(out, c.Increment), true;
    if (prop == "Position") return text::AppendJsonInt(out, c.Position()), true;
    if (prop == "Wrap") return text::AppendJsonBool(out, c.Wrap), true;
  }
  if constexpr (requires { c.Checked(); }) {
    if (prop == "Checked") return text::AppendJsonBool(out, c.Checked()), true;
  }
  if constexpr (requires { c.ActivePage; }) {
    if (prop == "ActivePage") return text::AppendJsonString(out, c.ActivePage), true;
  }
  if constexpr (std::is_same_v<T, mainwindow::FormProps>) {
    if (prop == "Left") return text::AppendJsonInt(out, c.Left), true;
    if (prop == "Top") return text::AppendJsonInt(out, c.Top), true;
    if (prop == "ClientWidth") return text::AppendJsonInt(out, c.ClientWidth), true;
    if (prop == "ClientHeight") return text::AppendJsonInt(out, c.ClientHeight), true;
  }
  if constexpr (std::is_base_of_v<mainwindow::ControlBase, T>) {
    if (prop == "Enabled") return text::AppendJsonBool(out, c.Enabled), true;
    if (prop == "Visible") return text::AppendJsonBool(out, c.Visible), true;
    if (prop == "Hint") return text::AppendJsonString(out, c.Hint), true;
  }
  return false;
}

using rf::kModelFields;
using rf::ModelField;
using rf::ReflField;

// The environment fields after the model, in declaration order; MyHelp is an object.
constexpr std::array<std::string_view, 9> kEnvFields{"ExeDir",      "AutoIniFile", "ChmHelpName",
                                                     "ChmHelpFile", "PdfHelpName", "PdfHelpFile",
                                                     "TheoryName",  "TheoryFile",  "MyHelp"};

const double* ReflPart(const rf::TRefl& r, std::string_view part) {
  const auto member = rf::FindReflPart(part);
  return member ? &(r.**member) : nullptr;
}

void AppendRefl(std::string& out, const rf::TRefl& r) {
  out += '{';
  bool first = true;
  for (const rf::ReflPart& part : rf::kReflParts) {
    if (!first) out += ',';
    first = false;
    text::AppendJsonString(out, part.Name);
    out += ':';
    text::AppendRoundTrip(out, r.*part.Member);
  }
  out += '}';
}

bool AppendMyHelpPart(std::string& out, const env::TMyHelp& h, std::string_view part) {
  if (part == "BasePath") return text::AppendJsonString(out, h.BasePath), true;
  if (part == "Mode") return text::AppendJsonInt(out, h.Mode), true;
  if (part == "HelpFile") return text::AppendJsonString(out, h.HelpFile), true;
  return false;
}

void AppendMyHelp(std::string& out, const env::TMyHelp& h) {
  out += "{\"BasePath\":";
  AppendMyHelpPart(out, h, "BasePath");
  out += ",\"Mode\":";
  AppendMyHelpPart(out, h, "Mode");
  out += ",\"HelpFile\":";
  AppendMyHelpPart(out, h, "HelpFile");
  out += '}';
}

bool AppendEnvField(std::string& out, const TForm1& form, std::string_view name) {
  if (name == "ExeDir") return text::AppendJsonString(out, form.ExeDir), true;
  if (name == "AutoIniFile") {
    // The settings object shows as the file it stands for; null once released.
    if (form.AutoIniFile) {
      text::AppendJsonString(out, form.AutoIniFile->FileName());
    } else {
      out += "null";
    }
    return true;
  }
  if (name == "ChmHelpName") return text::AppendJsonString(out, form.ChmHelpName), true;
  if (name == "ChmHelpFile") return text::AppendJsonString(out, form.ChmHelpFile), true;
  if (name == "PdfHelpName") return text::AppendJsonString(out, form.PdfHelpName), true;
  if (name == "PdfHelpFile") return text::AppendJsonString(out, form.PdfHelpFile), true;
  if (name == "TheoryName") return text::AppendJsonString(out, form.TheoryName), true;
  if (name == "TheoryFile") return text::AppendJsonString(out, form.TheoryFile), true;
  if (name == "MyHelp") return AppendMyHelp(out, form.MyHelp), true;
  return false;
}

bool AppendModelField(std::string& out, const TForm1& form, const ModelField& f,
                      std::string_view part) {
  const rf::ModelState& m = form;
  return std::visit(
      [&](auto member) {
        using M = decltype(member);
        if constexpr (std::is_same_v<M, ReflField>) {
          if (part.empty()) return AppendRefl(out, m.*member), true;
          const double* p = ReflPart(m.*member, part);
          if (p == nullptr) return false;
          text::AppendRoundTrip(out, *p);
          return true;
        } else {
          if (!part.empty()) return false;
          if constexpr (std::is_same_v<M, rf::DoubleField>) text::AppendRoundTrip(out, m.*member);
          if constexpr (std::is_same_v<M, rf::IntField>) text::AppendJsonInt(out, m.*member);
          if constexpr (std::is_same_v<M, rf::BoolField>) text::AppendJsonBool(out, m.*member);
          return true;
        }
      },
      f.Member);
}

}  // namespace

std::span<const std::string_view> PropertyNames(ControlKind kind) {
  static constexpr std::span<const std::string_view> kByKind[] = {
#define DRIVER_KIND_PROPS(kind, type, focus, tabStop, phrase, props) props,
      MAINWINDOW_CONTROL_KINDS(DRIVER_KIND_PROPS)
#undef DRIVER_KIND_PROPS
  };
  return kByKind[static_cast<std::size_t>(kind)];
}

std::optional<std::string> PropertyJson(const mainwindow::ControlRef& ref, std::string_view prop) {
  bool known = false;
  for (std::string_view p : PropertyNames(ref.Kind)) known = known || p == prop;
  if (!known) return std::nullopt;
  std::string out;
  const bool ok =
      std::visit([&](const auto* c) { return AppendOwnProperty(out, *c, prop); }, ref.Ptr);
  if (!ok) return std::nullopt;
  return out;
}

std::optional<std::string> FieldJson(const TForm1& form, std::string_view name) {
  std::string_view part;
  if (const auto dot = name.find('.'); dot != std::string_view::npos) {
    part = name.substr(dot + 1);
    name = name.substr(0, dot);
  }
  std::string out;
  for (const ModelField& f : kModelFields) {
    if (f.Name != name) continue;
    if (!AppendModelField(out, form, f, part)) return std::nullopt;
    return out;
  }
  if (name == "MyHelp" && !part.empty()) {
    if (!AppendMyHelpPart(out, form.MyHelp, part)) return std::nullopt;
    return out;
  }
  if (!part.empty() || !AppendEnvField(out, form, name)) return std::nullopt;
  return out;
}

std::string DumpJson(const TForm1& form) {
  std::string out = "{\"controls\":{";
  bool firstControl = true;
  for (const mainwindow::ControlRef& ref : form.Controls()) {
    if (!firstControl) out += ',';
    firstControl = false;
    text::AppendJsonString(out, ref.Name);
    out += ":{";
    bool firstProp = true;
    for (std::string_view prop : PropertyNames(ref.Kind)) {
      if (!firstProp) out += ',';
      firstProp = false;
      text::AppendJsonString(out, prop);
      out += ':';
      out += PropertyJson(ref, prop).value_or("null");
    }
    out += '}';
  }
  out += "},\"fields\":{";
  bool firstField = true;
  auto field = [&](std::string_view name) {
    if (!firstField) out += ',';
    firstField = false;
    text::AppendJsonString(out, name);
    out += ':';
    out += FieldJson(form, name).value_or("null");
  };
  for (const ModelField& f : kModelFields) field(f.Name);
  for (std::string_view name : kEnvFields) field(name);
  out += "}}";
  return out;
}

}  // namespace driver
