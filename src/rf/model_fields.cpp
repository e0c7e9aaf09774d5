#include "rf/model_fields.h"

namespace rf {

std::optional<ReflPartField> FindReflPart(std::string_view part) {
  for (const ReflPart& p : kReflParts) {
    if (p.Name == part) return p.Member;
  }
  return std::nullopt;
}

std::string ScalarField::Name() const {
  std::string s(Field->Name);
  if (Part != nullptr) {
    s += '.';
    s += PartName;
  }
  return s;
}

double ScalarField::Value(const ModelState& m) const {
  const auto& member = Field->Member;
  if (const auto* d = std::get_if<DoubleField>(&member)) return m.**d;
  if (const auto* r = std::get_if<ReflField>(&member)) return (m.**r).*Part;
  if (const auto* i = std::get_if<IntField>(&member)) return static_cast<double>(m.**i);
  return m.*std::get<BoolField>(member) ? 1.0 : 0.0;
}

const std::array<ScalarField, kScalarFieldCount>& ScalarFields() {
  static const std::array<ScalarField, kScalarFieldCount> fields = [] {
    std::array<ScalarField, kScalarFieldCount> out{};
    std::size_t n = 0;
    for (const ModelField& f : kModelFields) {
      if (std::holds_alternative<ReflField>(f.Member)) {
        for (const ReflPart& p : kReflParts) out[n++] = ScalarField{&f, p.Member, p.Name};
      } else {
        out[n++] = ScalarField{&f, nullptr, {}};
      }
    }
    return out;
  }();
  return fields;
}

std::optional<ScalarField> FindScalarField(std::string_view name) {
  std::string_view part;
  const auto dot = name.find('.');
  const bool hasPart = dot != std::string_view::npos;
  if (hasPart) {
    part = name.substr(dot + 1);
    name = name.substr(0, dot);
  }
  for (const ModelField& f : kModelFields) {
    if (f.Name != name) continue;
    const bool isRefl = std::holds_alternative<ReflField>(f.Member);
    if (!isRefl) {
      if (hasPart) return std::nullopt;
      return ScalarField{&f, nullptr, {}};
    }
    for (const ReflPart& rp : kReflParts) {
      if (rp.Name == part) return ScalarField{&f, rp.Member, rp.Name};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace rf
