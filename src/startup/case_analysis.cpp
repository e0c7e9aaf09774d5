#include "startup/case_analysis.h"

#include <charconv>
#include <cstddef>
#include <functional>
#include <string_view>
#include <system_error>
#include <vector>

#include "startup/texts.h"
#include "views/limits_table.h"

namespace startup {

namespace {

// A choice is kept as its index in the sheet's list, a box as 0 or 1, the rest as typed: a
// typed text may be half edited or wrong, and the sheet shows why when it is opened again.
enum class Kind { Text, Choice, Flag };

struct Field {
  std::string_view Key;
  Kind What;
  // A choice is written as a number from First to First + Count - 1.
  int First = 0;
  int Count = 0;
  std::function<std::string&(AnalysisCase&)> Text = {};
  std::function<int(const AnalysisCase&)> Get = {};
  std::function<void(AnalysisCase&, int)> Set = {};
};

Field TextField(std::string_view key, std::function<std::string&(AnalysisCase&)> text) {
  return {key, Kind::Text, 0, 0, std::move(text)};
}

Field ChoiceField(std::string_view key, int count, std::function<int(const AnalysisCase&)> get,
                  std::function<void(AnalysisCase&, int)> set, int first = 0) {
  return {key, Kind::Choice, first, count, {}, std::move(get), std::move(set)};
}

Field FlagField(std::string_view key, bool (*flag)(const AnalysisCase&),
                void (*set)(AnalysisCase&, bool)) {
  return {key,
          Kind::Flag,
          0,
          2,
          {},
          [flag](const AnalysisCase& c) { return flag(c) ? 1 : 0; },
          [set](AnalysisCase& c, int v) { set(c, v != 0); }};
}

int CoverageIndex(double p) {
  for (std::size_t i = 0; i < views::kCoverageChoices.size(); ++i)
    if (views::kCoverageChoices[i] == p) return static_cast<int>(i);
  return 0;
}

const std::vector<Field>& Fields() {
  using views::ReadingUnit;
  static const std::vector<Field> fields{
      ChoiceField(
          "Coverage", static_cast<int>(views::kCoverageChoices.size()),
          [](const AnalysisCase& c) { return c.Coverage; },
          [](AnalysisCase& c, int v) { c.Coverage = v; }),
      TextField("DesignTarget", [](AnalysisCase& c) -> std::string& { return c.DesignTarget; }),
      // The "From readings" sheet.
      TextField("ReadingForward",
                [](AnalysisCase& c) -> std::string& { return c.Readings.Forward; }),
      ChoiceField(
          "ReadingForwardUnit", static_cast<int>(views::kReadingUnitNames.size()),
          [](const AnalysisCase& c) { return static_cast<int>(c.Readings.ForwardUnit); },
          [](AnalysisCase& c, int v) { c.Readings.ForwardUnit = static_cast<ReadingUnit>(v); }),
      TextField("ReadingReflected",
                [](AnalysisCase& c) -> std::string& { return c.Readings.Reflected; }),
      ChoiceField(
          "ReadingReflectedUnit", static_cast<int>(views::kReadingUnitNames.size()),
          [](const AnalysisCase& c) { return static_cast<int>(c.Readings.ReflectedUnit); },
          [](AnalysisCase& c, int v) { c.Readings.ReflectedUnit = static_cast<ReadingUnit>(v); }),
      FlagField(
          "ReadingIdeal", [](const AnalysisCase& c) { return c.Readings.Ideal; },
          [](AnalysisCase& c, bool v) { c.Readings.Ideal = v; }),
      TextField("ReadingDirectivity",
                [](AnalysisCase& c) -> std::string& { return c.Readings.DirectivityDb; }),
      // The budget sheet.
      ChoiceField(
          "BudgetQuestion", 2,
          [](const AnalysisCase& c) { return static_cast<int>(c.Budget.Question); },
          [](AnalysisCase& c, int v) {
            c.Budget.Question = static_cast<views::BudgetQuestion>(v);
          }),
      TextField("BudgetCoupling",
                [](AnalysisCase& c) -> std::string& { return c.Budget.CouplingDb; }),
      ChoiceField(
          "BudgetCouplingLaw", 2,
          [](const AnalysisCase& c) { return static_cast<int>(c.Budget.CouplingLaw); },
          [](AnalysisCase& c, int v) {
            c.Budget.CouplingLaw = static_cast<analysis::CalibrationLaw>(v);
          }),
      TextField("BudgetSensor", [](AnalysisCase& c) -> std::string& { return c.Budget.SensorPct; }),
      ChoiceField(
          "BudgetSensorLaw", 2,
          [](const AnalysisCase& c) { return static_cast<int>(c.Budget.SensorLaw); },
          [](AnalysisCase& c, int v) {
            c.Budget.SensorLaw = static_cast<analysis::CalibrationLaw>(v);
          }),
      FlagField(
          "BudgetCorrelated", [](const AnalysisCase& c) { return c.Budget.Correlated; },
          [](AnalysisCase& c, bool v) { c.Budget.Correlated = v; }),
      TextField("BudgetPsi0", [](AnalysisCase& c) -> std::string& { return c.Budget.Psi0Deg; }),
      TextField("BudgetChi0", [](AnalysisCase& c) -> std::string& { return c.Budget.Chi0Deg; }),
      ChoiceField(
          "BudgetCoverage", static_cast<int>(views::kCoverageChoices.size()),
          [](const AnalysisCase& c) { return CoverageIndex(c.Budget.Coverage); },
          [](AnalysisCase& c, int v) {
            c.Budget.Coverage = views::kCoverageChoices[static_cast<std::size_t>(v)];
          }),
      TextField("BudgetSeed", [](AnalysisCase& c) -> std::string& { return c.Budget.Seed; }),
      // The band sheets and the load file's port.
      TextField("BandFrequency", [](AnalysisCase& c) -> std::string& { return c.Band.Frequency; }),
      ChoiceField(
          "Band", 2, [](const AnalysisCase& c) { return static_cast<int>(c.Band.Band); },
          [](AnalysisCase& c, int v) { c.Band.Band = static_cast<views::BandChoice>(v); }),
      TextField("BandCentre", [](AnalysisCase& c) -> std::string& { return c.Band.Centre; }),
      TextField("BandSpread", [](AnalysisCase& c) -> std::string& { return c.Band.Spread; }),
      TextField("LineLength", [](AnalysisCase& c) -> std::string& { return c.Band.LengthM; }),
      ChoiceField(
          "LineMedium", views::kMediumCount, [](const AnalysisCase& c) { return c.Band.Medium; },
          [](AnalysisCase& c, int v) { c.Band.Medium = v; }),
      TextField("LineVelocityFactor",
                [](AnalysisCase& c) -> std::string& { return c.Band.VelocityFactor; }),
      TextField("LineLoss", [](AnalysisCase& c) -> std::string& { return c.Band.LossDbPerM; }),
      // Kept as the port's number, 1 or 2, as the sheet names it.
      ChoiceField(
          "LoadPort", 2, [](const AnalysisCase& c) { return c.LoadPort; },
          [](AnalysisCase& c, int v) { c.LoadPort = v; }, 1),
  };
  return fields;
}

std::string Quoted(std::string_view s) {
  std::string q = "\"";
  q += s;
  q += '"';
  return q;
}

// Only the digits this program writes: an index read any other way ("+1", " 1", "1.0") is a
// hand edit that may not mean what it seems.
bool ReadNumber(const std::string& v, int& out) {
  if (v.empty() || v.front() < '0' || v.front() > '9') return false;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size();
}

}  // namespace

std::string AnalysisCase::DefaultDesignTarget() {
  char text[32];
  const auto [end, ec] =
      std::to_chars(text, text + sizeof text, views::kDefaultDesignTargetPercent);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

env::ini::KeyList AnalysisKeys(const AnalysisCase& in) {
  env::ini::KeyList keys;
  AnalysisCase copy = in;
  for (const Field& f : Fields()) {
    keys.emplace_back(std::string(f.Key),
                      f.What == Kind::Text ? f.Text(copy) : std::to_string(f.Get(in)));
  }
  return keys;
}

std::string ReadAnalysisKeys(const env::ini::KeyList& keys, AnalysisCase& into) {
  AnalysisCase read = into;
  for (const auto& [key, value] : keys) {
    const std::string folded = env::ini::Fold(key);
    const Field* field = nullptr;
    for (const Field& f : Fields())
      if (env::ini::Fold(f.Key) == folded) field = &f;
    if (field == nullptr) return std::string(kCaseUnknownKey) + Quoted(key);
    if (field->What == Kind::Text) {
      field->Text(read) = value;
      continue;
    }
    int n = 0;
    if (!ReadNumber(value, n) || n < field->First || n >= field->First + field->Count) {
      return Quoted(key) + std::string(field->What == Kind::Flag ? kCaseNotFlag : kCaseNotAChoice);
    }
    field->Set(read, n);
  }
  into = std::move(read);
  return {};
}

}  // namespace startup
