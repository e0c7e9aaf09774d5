#include "model_fields.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

namespace rf_test {

namespace {

using Getter = double (*)(const rf::ModelState&);

const std::pair<std::string_view, Getter> kFields[] = {
    {"SrcRfl.Mism", [](const rf::ModelState& m) { return m.SrcRfl.Mism; }},
    {"LoaRfl.Mism", [](const rf::ModelState& m) { return m.LoaRfl.Mism; }},
    {"Interf", [](const rf::ModelState& m) { return m.Interf; }},
    {"InterfMin", [](const rf::ModelState& m) { return m.InterfMin; }},
    {"InterfMax", [](const rf::ModelState& m) { return m.InterfMax; }},
    {"TrGain", [](const rf::ModelState& m) { return m.TrGain; }},
    {"TrGainMin", [](const rf::ModelState& m) { return m.TrGainMin; }},
    {"TrGainMax", [](const rf::ModelState& m) { return m.TrGainMax; }},
    {"Pmatch", [](const rf::ModelState& m) { return m.Pmatch; }},
    {"Pav", [](const rf::ModelState& m) { return m.Pav; }},
    {"Pinc", [](const rf::ModelState& m) { return m.Pinc; }},
    {"PincMin", [](const rf::ModelState& m) { return m.PincMin; }},
    {"PincMax", [](const rf::ModelState& m) { return m.PincMax; }},
    {"Prefl", [](const rf::ModelState& m) { return m.Prefl; }},
    {"PreflMin", [](const rf::ModelState& m) { return m.PreflMin; }},
    {"PreflMax", [](const rf::ModelState& m) { return m.PreflMax; }},
    {"Pload", [](const rf::ModelState& m) { return m.Pload; }},
    {"PloadMin", [](const rf::ModelState& m) { return m.PloadMin; }},
    {"PloadMax", [](const rf::ModelState& m) { return m.PloadMax; }},
    {"ErrInciMinus", [](const rf::ModelState& m) { return m.ErrInciMinus; }},
    {"ErrInciPlus", [](const rf::ModelState& m) { return m.ErrInciPlus; }},
    {"PincMinV", [](const rf::ModelState& m) { return m.PincMinV; }},
    {"PincMaxV", [](const rf::ModelState& m) { return m.PincMaxV; }},
    {"ErrReflMinus", [](const rf::ModelState& m) { return m.ErrReflMinus; }},
    {"ErrReflPlus", [](const rf::ModelState& m) { return m.ErrReflPlus; }},
    {"PreflMinV", [](const rf::ModelState& m) { return m.PreflMinV; }},
    {"PreflMaxV", [](const rf::ModelState& m) { return m.PreflMaxV; }},
    {"PloadMinV", [](const rf::ModelState& m) { return m.PloadMinV; }},
    {"PloadMaxV", [](const rf::ModelState& m) { return m.PloadMaxV; }},
    {"PloadMinRelat", [](const rf::ModelState& m) { return m.PloadMinRelat; }},
    {"PloadMaxRelat", [](const rf::ModelState& m) { return m.PloadMaxRelat; }},
    {"MeaMin.Mag", [](const rf::ModelState& m) { return m.MeaMin.Mag; }},
    {"MeaMin.Rloss", [](const rf::ModelState& m) { return m.MeaMin.Rloss; }},
    {"MeaMin.Swr", [](const rf::ModelState& m) { return m.MeaMin.Swr; }},
    {"MeaMax.Mag", [](const rf::ModelState& m) { return m.MeaMax.Mag; }},
    {"MeaMax.Rloss", [](const rf::ModelState& m) { return m.MeaMax.Rloss; }},
    {"MeaMax.Swr", [](const rf::ModelState& m) { return m.MeaMax.Swr; }},
};

}  // namespace

double Field(const rf::ModelState& m, std::string_view name) {
  for (const auto& [fieldName, get] : kFields) {
    if (fieldName == name) return get(m);
  }
  ADD_FAILURE() << "unknown model field " << std::string(name);
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace rf_test
