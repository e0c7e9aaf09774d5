#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "rf/model.h"
#include "rf/reflection.h"

// The model's fields by the names the window, the driver and the calculator use, in
// declaration order: one list, so that every reader names and orders them the same way.
namespace rf {

using IntField = std::int32_t ModelState::*;
using DoubleField = double ModelState::*;
using BoolField = bool ModelState::*;
using ReflField = TRefl ModelState::*;
using ReflPartField = double TRefl::*;

struct ModelField {
  std::string_view Name;
  std::variant<IntField, DoubleField, BoolField, ReflField> Member;
};

inline const std::array kModelFields{
#define RF_MODEL_FIELD_ROW(type, name, init) ModelField{#name, &ModelState::name},
    RF_MODEL_FIELDS(RF_MODEL_FIELD_ROW)
#undef RF_MODEL_FIELD_ROW
};

struct ReflPart {
  std::string_view Name;
  ReflPartField Member;
};

// The parts of a TRefl in declaration order; "LoaRfl.Swr" names one of them.
inline constexpr std::array<ReflPart, 5> kReflParts{{{"Mag", &TRefl::Mag},
                                                     {"Pha", &TRefl::Pha},
                                                     {"Rloss", &TRefl::Rloss},
                                                     {"Swr", &TRefl::Swr},
                                                     {"Mism", &TRefl::Mism}}};

std::optional<ReflPartField> FindReflPart(std::string_view part);

// One scalar of the model: a plain field, or one part of a TRefl field ("SrcRfl.Mag").
struct ScalarField {
  const ModelField* Field = nullptr;
  ReflPartField Part = nullptr;  // set exactly when Field is a TRefl
  std::string_view PartName;

  std::string Name() const;
  bool IsInt() const { return std::holds_alternative<IntField>(Field->Member); }
  bool IsBool() const { return std::holds_alternative<BoolField>(Field->Member); }
  // Every scalar as a double: integers convert exactly, false and true are 0 and 1.
  double Value(const ModelState& m) const;
};

// Every scalar of the model in declaration order, a TRefl expanded into its five parts.
inline constexpr std::size_t kScalarFieldCount = kModelFields.size() - 4 + 4 * kReflParts.size();
const std::array<ScalarField, kScalarFieldCount>& ScalarFields();

// A scalar by its name ("Pinc", "MeaMin.Mag"); nullopt for an unknown name or a bare TRefl.
std::optional<ScalarField> FindScalarField(std::string_view name);

}  // namespace rf
