#include "driver.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>
#include <vector>

#include "startup/lifecycle.h"
#include "text/json.h"
#include "window_view.h"

namespace driver {

namespace {

using mainwindow::ControlKind;
using mainwindow::ControlRef;
using nlohmann::json;

// A reply the request caused; thrown out of a verb and written as {"error": ...}.
class RequestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void Arity(const json& req, std::size_t args) {
  if (req.size() != args + 1) {
    throw RequestError(req[0].get<std::string>() + " takes " + std::to_string(args) +
                       (args == 1 ? " argument" : " arguments"));
  }
}

const std::string& StringArg(const json& req, std::size_t i, std::string_view what) {
  if (!req[i].is_string()) throw RequestError(std::string(what) + " must be a string");
  return req[i].get_ref<const std::string&>();
}

std::int32_t IntArg(const json& req, std::size_t i, std::string_view what) {
  const json& v = req[i];
  constexpr auto lo = std::numeric_limits<std::int32_t>::min();
  constexpr auto hi = std::numeric_limits<std::int32_t>::max();
  if (v.is_number_unsigned()) {
    const auto u = v.get<std::uint64_t>();
    if (u <= static_cast<std::uint64_t>(hi)) return static_cast<std::int32_t>(u);
  } else if (v.is_number_integer()) {
    const auto s = v.get<std::int64_t>();
    if (s >= lo && s <= hi) return static_cast<std::int32_t>(s);
  } else {
    throw RequestError(std::string(what) + " must be an integer");
  }
  throw RequestError(std::string(what) + " is beyond 32 bits");
}

bool BoolArg(const json& req, std::size_t i, std::string_view what) {
  if (!req[i].is_boolean()) throw RequestError(std::string(what) + " must be true or false");
  return req[i].get<bool>();
}

const char* KindText(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form:
      return "the window";
    case ControlKind::GroupBox:
      return "a group box";
    case ControlKind::Label:
      return "a label";
    case ControlKind::Edit:
      return "an edit";
    case ControlKind::DropDown:
      return "a drop-down list";
    case ControlKind::UpDown:
      return "an up-down";
    case ControlKind::CheckBox:
      return "a check box";
    case ControlKind::RadioGroup:
      return "a radio group";
    case ControlKind::Button:
      return "a button";
    case ControlKind::Panel:
      return "a panel";
    case ControlKind::PageControl:
      return "a page control";
    case ControlKind::TabSheet:
      return "a tab sheet";
  }
  return "a control";
}

std::string EventLine(const env::PlatformEvent& e) {
  using Kind = env::PlatformEvent::Kind;
  std::string out = "{\"event\":";
  switch (e.What) {
    case Kind::Message:
    case Kind::Error:
    case Kind::Confirm:
      text::AppendJsonString(out, e.What == Kind::Message ? "message"
                                  : e.What == Kind::Error ? "error"
                                                          : "confirm");
      out += ",\"title\":";
      text::AppendJsonString(out, e.Title);
      out += ",\"text\":";
      text::AppendJsonString(out, e.Text);
      if (e.What == Kind::Confirm && !e.DiscardCaption.empty()) {
        out += ",\"discard\":";
        text::AppendJsonString(out, e.DiscardCaption);
      }
      if (e.What == Kind::Confirm) {
        out += e.Discarded ? ",\"answer\":\"discard\""
               : e.Answer  ? ",\"answer\":\"yes\""
                           : ",\"answer\":\"no\"";
      }
      break;
    case Kind::Open:
      out += "\"open\",\"path\":";
      text::AppendJsonString(out, e.Path);
      break;
    case Kind::Help:
      out += "\"help\",\"file\":";
      text::AppendJsonString(out, e.Path);
      out += ",\"topic\":";
      text::AppendJsonString(out, e.Text);
      break;
  }
  out += '}';
  return out;
}

}  // namespace

Driver::Driver(std::function<void(const std::string&)> emit) : emit_(std::move(emit)) {
  platform_.OnEvent = [this](const env::PlatformEvent& e) { OnPlatformEvent(e); };
}

void Driver::OnPlatformEvent(const env::PlatformEvent& e) {
  emit_(EventLine(e));
  // The scripted platform's record is not needed here; keep it from growing over a long run.
  platform_.Events.clear();
}

void Driver::Error(std::string_view what) {
  std::string out = "{\"error\":";
  text::AppendJsonString(out, what);
  out += '}';
  emit_(out);
}

void Driver::Reply(const std::string& valueJson) { emit_("{\"value\":" + valueJson + "}"); }

bool Driver::HandleLine(std::string_view line) {
  try {
    if (line.size() > kMaxLineBytes) throw RequestError("request line too long");
    // The parser keeps its own stack, but a deep value is still walked recursively later;
    // requests never nest, so a shallow limit costs nothing.
    if (text::JsonNestingDepth(line, kMaxDepth) > kMaxDepth)
      throw RequestError("request nested too deeply");
    json req;
    try {
      req = json::parse(line);
    } catch (const json::exception&) {
      throw RequestError("not a JSON value");
    }
    if (!req.is_array() || req.empty() || !req[0].is_string()) {
      throw RequestError("a request is an array that starts with its verb");
    }
    const std::string& verb = req[0].get_ref<const std::string&>();

    if (verb == "screen") {
      Arity(req, 2);
      const std::int32_t w = IntArg(req, 1, "width");
      const std::int32_t h = IntArg(req, 2, "height");
      if (w <= 0 || h <= 0) throw RequestError("screen size must be positive");
      platform_.Screen = {w, h};
      return true;
    }
    if (verb == "answer") {
      Arity(req, 1);
      const std::string& a = StringArg(req, 1, "answer");
      if (a != "yes" && a != "no" && a != "discard") {
        throw RequestError("answer must be \"yes\", \"no\" or \"discard\"");
      }
      platform_.ConfirmAnswer = a == "yes";
      platform_.DiscardAnswer = a == "discard";
      return true;
    }
    if (verb == "create") {
      Arity(req, 0);
      if (form_) throw RequestError("the window has already been created");
      form_ = std::make_unique<mainwindow::TForm1>(platform_);
      startup::Create(*form_);
      return true;
    }

    static const std::vector<std::string_view> kVerbs{
        "text", "index", "checked", "position", "focus", "type",  "key", "click",
        "pick", "step",  "page",    "close",    "get",   "field", "dump"};
    bool known = false;
    for (std::string_view v : kVerbs) known = known || v == verb;
    if (!known) throw RequestError("unknown verb " + verb);
    if (!form_) throw RequestError(verb + " before create");
    mainwindow::TForm1& form = *form_;

    auto control = [&](std::size_t i) -> const ControlRef& {
      const std::string& name = StringArg(req, i, "control name");
      const ControlRef* ref = form.FindControl(name);
      if (ref == nullptr) throw RequestError("unknown control " + name);
      return *ref;
    };
    auto wrongKind = [&](const ControlRef& ref) {
      return RequestError(std::string(ref.Name) + " is " + KindText(ref.Kind) + ": " + verb +
                          " does not apply");
    };

    if (verb == "text") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::string& text = StringArg(req, 2, "text");
      if (ref.Kind != ControlKind::Edit) throw wrongKind(ref);
      std::get<mainwindow::Edit*>(ref.Ptr)->Text = text;
    } else if (verb == "index") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::int32_t n = IntArg(req, 2, "index");
      if (ref.Kind == ControlKind::DropDown) {
        std::get<mainwindow::DropDown*>(ref.Ptr)->SetItemIndex(n);
      } else if (ref.Kind == ControlKind::RadioGroup) {
        std::get<mainwindow::RadioGroup*>(ref.Ptr)->SetItemIndex(n);
      } else {
        throw wrongKind(ref);
      }
    } else if (verb == "checked") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const bool b = BoolArg(req, 2, "checked");
      if (ref.Kind != ControlKind::CheckBox) throw wrongKind(ref);
      std::get<mainwindow::CheckBox*>(ref.Ptr)->SetChecked(b);
    } else if (verb == "position") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::int32_t n = IntArg(req, 2, "position");
      if (ref.Kind != ControlKind::UpDown) throw wrongKind(ref);
      std::get<mainwindow::UpDown*>(ref.Ptr)->SetPosition(n);
    } else if (verb == "focus") {
      Arity(req, 1);
      const ControlRef& ref = control(1);
      if (!mainwindow::KindTakesFocus(ref.Kind)) {
        throw RequestError(std::string(ref.Name) + " cannot take the focus");
      }
      form.UserFocus(ref.Name);
    } else if (verb == "type") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::string& text = StringArg(req, 2, "text");
      if (ref.Kind != ControlKind::Edit) throw wrongKind(ref);
      form.UserType(ref.Name, text);
    } else if (verb == "key") {
      Arity(req, 1);
      if (StringArg(req, 1, "key") != "enter") throw RequestError("the only key is \"enter\"");
      form.UserKeyEnter();
    } else if (verb == "click") {
      Arity(req, 1);
      const ControlRef& ref = control(1);
      if (ref.Kind != ControlKind::Button && ref.Kind != ControlKind::CheckBox) {
        throw wrongKind(ref);
      }
      form.UserClick(ref.Name);
    } else if (verb == "pick") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::int32_t n = IntArg(req, 2, "item");
      if (ref.Kind != ControlKind::DropDown && ref.Kind != ControlKind::RadioGroup) {
        throw wrongKind(ref);
      }
      form.UserPick(ref.Name, n);
    } else if (verb == "step") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::string& dir = StringArg(req, 2, "direction");
      if (dir != "up" && dir != "down") throw RequestError("direction must be \"up\" or \"down\"");
      if (ref.Kind != ControlKind::UpDown) throw wrongKind(ref);
      form.UserStep(ref.Name, dir == "up");
    } else if (verb == "page") {
      Arity(req, 1);
      const ControlRef& ref = control(1);
      if (ref.Kind != ControlKind::TabSheet) throw wrongKind(ref);
      form.UserPage(ref.Name);
    } else if (verb == "close") {
      Arity(req, 0);
      form.Close();
    } else if (verb == "get") {
      Arity(req, 2);
      const ControlRef& ref = control(1);
      const std::string& prop = StringArg(req, 2, "property");
      const std::optional<std::string> value = PropertyJson(ref, prop);
      if (!value) {
        throw RequestError(std::string(ref.Name) + " (" + KindText(ref.Kind) + ") has no " + prop);
      }
      Reply(*value);
    } else if (verb == "field") {
      Arity(req, 1);
      const std::string& name = StringArg(req, 1, "field name");
      const std::optional<std::string> value = FieldJson(form, name);
      if (!value) throw RequestError("unknown field " + name);
      Reply(*value);
    } else if (verb == "dump") {
      Arity(req, 0);
      emit_(DumpJson(form));
    }
  } catch (const RequestError& e) {
    Error(e.what());
  } catch (const std::exception& e) {
    Error(e.what());
  } catch (...) {
    Error("request failed");
  }
  // Any action may have closed the window (close, bClose, Enter on bClose).
  if (form_ && form_->Closed()) {
    emit_("{\"event\":\"closed\"}");
    return false;
  }
  return true;
}

}  // namespace driver
