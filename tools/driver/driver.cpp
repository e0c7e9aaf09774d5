#include "driver.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
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

namespace {

// What a verb works on: the request, the driver's platform and window, and its output.
struct Call {
  const json& req;
  const std::string& verb;
  env::ScriptedPlatform& platform;
  std::unique_ptr<mainwindow::TForm1>& window;
  const std::function<void(const std::string&)>& emit;

  mainwindow::TForm1& form() const { return *window; }
  const ControlRef& control(std::size_t i) const {
    const std::string& name = StringArg(req, i, "control name");
    const ControlRef* ref = window->FindControl(name);
    if (ref == nullptr) throw RequestError("unknown control " + name);
    return *ref;
  }
  RequestError wrongKind(const ControlRef& ref) const {
    return RequestError(std::string(ref.Name) + " is " +
                        std::string(mainwindow::KindPhrase(ref.Kind)) + ": " + verb +
                        " does not apply");
  }
  // ref must be one of the given kinds.
  const ControlRef& controlOf(std::size_t i, std::initializer_list<ControlKind> kinds) const {
    const ControlRef& ref = control(i);
    for (ControlKind k : kinds) {
      if (ref.Kind == k) return ref;
    }
    throw wrongKind(ref);
  }
  void reply(const std::string& valueJson) const { emit("{\"value\":" + valueJson + "}"); }
};

struct Verb {
  std::string_view Name;
  std::size_t Arity;
  bool NeedsWindow;  // refused before create
  void (*Run)(const Call&);
};

// Every request the driver understands. Each handler's checks run in the order of its
// arguments, so the first wrong argument is the one reported.
const Verb kVerbs[] = {
    {"screen", 2, false,
     [](const Call& c) {
       const std::int32_t w = IntArg(c.req, 1, "width");
       const std::int32_t h = IntArg(c.req, 2, "height");
       if (w <= 0 || h <= 0) throw RequestError("screen size must be positive");
       c.platform.Screen = {w, h};
     }},
    {"answer", 1, false,
     [](const Call& c) {
       const std::string& a = StringArg(c.req, 1, "answer");
       if (a != "yes" && a != "no" && a != "discard") {
         throw RequestError("answer must be \"yes\", \"no\" or \"discard\"");
       }
       c.platform.ConfirmAnswer = a == "yes";
       c.platform.DiscardAnswer = a == "discard";
     }},
    {"create", 0, false,
     [](const Call& c) {
       if (c.window) throw RequestError("the window has already been created");
       c.window = std::make_unique<mainwindow::TForm1>(c.platform);
       startup::Create(*c.window);
     }},
    {"text", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::string& text = StringArg(c.req, 2, "text");
       if (ref.Kind != ControlKind::Edit) throw c.wrongKind(ref);
       std::get<mainwindow::Edit*>(ref.Ptr)->Text = text;
     }},
    {"index", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::int32_t n = IntArg(c.req, 2, "index");
       if (ref.Kind == ControlKind::DropDown) {
         std::get<mainwindow::DropDown*>(ref.Ptr)->SetItemIndex(n);
       } else if (ref.Kind == ControlKind::RadioGroup) {
         std::get<mainwindow::RadioGroup*>(ref.Ptr)->SetItemIndex(n);
       } else {
         throw c.wrongKind(ref);
       }
     }},
    {"checked", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const bool b = BoolArg(c.req, 2, "checked");
       if (ref.Kind != ControlKind::CheckBox) throw c.wrongKind(ref);
       std::get<mainwindow::CheckBox*>(ref.Ptr)->SetChecked(b);
     }},
    {"position", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::int32_t n = IntArg(c.req, 2, "position");
       if (ref.Kind != ControlKind::UpDown) throw c.wrongKind(ref);
       std::get<mainwindow::UpDown*>(ref.Ptr)->SetPosition(n);
     }},
    {"focus", 1, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       if (!mainwindow::KindTakesFocus(ref.Kind)) {
         throw RequestError(std::string(ref.Name) + " cannot take the focus");
       }
       c.form().UserFocus(ref.Name);
     }},
    {"type", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::string& text = StringArg(c.req, 2, "text");
       if (ref.Kind != ControlKind::Edit) throw c.wrongKind(ref);
       c.form().UserType(ref.Name, text);
     }},
    {"key", 1, true,
     [](const Call& c) {
       if (StringArg(c.req, 1, "key") != "enter") throw RequestError("the only key is \"enter\"");
       c.form().UserKeyEnter();
     }},
    {"click", 1, true,
     [](const Call& c) {
       c.form().UserClick(c.controlOf(1, {ControlKind::Button, ControlKind::CheckBox}).Name);
     }},
    {"pick", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::int32_t n = IntArg(c.req, 2, "item");
       if (ref.Kind != ControlKind::DropDown && ref.Kind != ControlKind::RadioGroup) {
         throw c.wrongKind(ref);
       }
       c.form().UserPick(ref.Name, n);
     }},
    {"step", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::string& dir = StringArg(c.req, 2, "direction");
       if (dir != "up" && dir != "down") {
         throw RequestError("direction must be \"up\" or \"down\"");
       }
       if (ref.Kind != ControlKind::UpDown) throw c.wrongKind(ref);
       c.form().UserStep(ref.Name, dir == "up");
     }},
    {"page", 1, true,
     [](const Call& c) { c.form().UserPage(c.controlOf(1, {ControlKind::TabSheet}).Name); }},
    {"close", 0, true, [](const Call& c) { c.form().Close(); }},
    {"get", 2, true,
     [](const Call& c) {
       const ControlRef& ref = c.control(1);
       const std::string& prop = StringArg(c.req, 2, "property");
       const std::optional<std::string> value = PropertyJson(ref, prop);
       if (!value) {
         throw RequestError(std::string(ref.Name) + " (" +
                            std::string(mainwindow::KindPhrase(ref.Kind)) + ") has no " + prop);
       }
       c.reply(*value);
     }},
    {"field", 1, true,
     [](const Call& c) {
       const std::string& name = StringArg(c.req, 1, "field name");
       const std::optional<std::string> value = FieldJson(c.form(), name);
       if (!value) throw RequestError("unknown field " + name);
       c.reply(*value);
     }},
    {"dump", 0, true, [](const Call& c) { c.emit(DumpJson(c.form())); }},
};

const Verb* FindVerb(std::string_view name) {
  for (const Verb& v : kVerbs) {
    if (v.Name == name) return &v;
  }
  return nullptr;
}

}  // namespace

bool Driver::HandleLine(std::string_view line) {
  try {
    if (line.size() > kMaxLineBytes) throw RequestError("request line too long");
    // JSON text never holds a raw NUL; a parser that stops at one would carry out the part
    // before it and ignore the rest.
    if (line.find('\0') != std::string_view::npos) {
      throw RequestError("request line holds a NUL byte");
    }
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
    const Verb* v = FindVerb(verb);
    if (v == nullptr) throw RequestError("unknown verb " + verb);
    if (v->NeedsWindow && !form_) throw RequestError(verb + " before create");
    Arity(req, v->Arity);
    v->Run(Call{req, verb, platform_, form_, emit_});
  } catch (const std::exception& e) {
    // RequestError and whatever the window's logic refuses alike: the message is the reply.
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
