#include "output_values.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "text/json.h"

namespace calc {

namespace {

bool Hidden(const rf::ScalarField& f) {
  const std::string_view name = f.Field->Name;
  if (name == "SelUnit" || name == "SelErrUnit") return true;
  // The measured reflections carry a magnitude and its forms only.
  if (name == "MeaMin" || name == "MeaMax") return f.PartName == "Pha" || f.PartName == "Mism";
  return false;
}

std::string_view NonFiniteWord(double x) {
  if (std::isnan(x)) return "nan";
  return x > 0.0 ? "inf" : "-inf";
}

void AppendValue(std::string& out, const rf::ScalarField& f, const rf::ModelState& m,
                 void (*number)(std::string&, double)) {
  if (f.IsBool()) {
    out += f.Value(m) != 0.0 ? "true" : "false";
  } else if (f.IsInt()) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(f.Value(m)));
    out.append(buf, r.ptr);
  } else {
    number(out, f.Value(m));
  }
}

}  // namespace

const std::vector<rf::ScalarField>& OutputFields() {
  static const std::vector<rf::ScalarField> fields = [] {
    std::vector<rf::ScalarField> v;
    for (const rf::ScalarField& f : rf::ScalarFields()) {
      if (!Hidden(f)) v.push_back(f);
    }
    return v;
  }();
  return fields;
}

bool HasValue(const rf::ScalarField& f, const rf::ModelState& m) {
  return !(m.CplIdeal && f.Field->Name == "CplDirDb");
}

void AppendJsonNumber(std::string& out, double x) {
  if (std::isfinite(x)) {
    text::AppendRoundTrip(out, x);
  } else {
    out += '"';
    out += NonFiniteWord(x);
    out += '"';
  }
}

void AppendCsvNumber(std::string& out, double x) {
  if (std::isfinite(x)) {
    text::AppendRoundTrip(out, x);
  } else {
    out += NonFiniteWord(x);
  }
}

void AppendJsonField(std::string& out, const rf::ScalarField& f, const rf::ModelState& m) {
  if (!HasValue(f, m)) {
    out += "null";
    return;
  }
  AppendValue(out, f, m, AppendJsonNumber);
}

void AppendCsvField(std::string& out, const rf::ScalarField& f, const rf::ModelState& m) {
  if (HasValue(f, m)) AppendValue(out, f, m, AppendCsvNumber);
}

}  // namespace calc
