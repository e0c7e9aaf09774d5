#include "numtext/power_unit.h"

#include <cmath>

namespace numtext {

std::string_view ScaleName(PowerScale s) {
  switch (s) {
    case PowerScale::W:
      return kUnitW;
    case PowerScale::KW:
      return kUnitKW;
    case PowerScale::MW:
      return kUnitMW;
    case PowerScale::Dbm:
      return kUnitDbm;
    case PowerScale::Dbw:
      return kUnitDbw;
    case PowerScale::Dbkw:
      return kUnitDbkw;
  }
  return {};
}

bool IsDecibel(PowerScale s) {
  return s == PowerScale::Dbm || s == PowerScale::Dbw || s == PowerScale::Dbkw;
}

PowerScale ScaleFor(PowerUnit unit, double magnitudeWatts) {
  switch (unit) {
    case PowerUnit::Dbm:
      return PowerScale::Dbm;
    case PowerUnit::Dbw:
      return PowerScale::Dbw;
    case PowerUnit::Dbkw:
      return PowerScale::Dbkw;
    case PowerUnit::Watts:
      break;
  }
  if (magnitudeWatts < 1e3) return PowerScale::W;
  if (magnitudeWatts < 1e6) return PowerScale::KW;
  return PowerScale::MW;
}

double ToScale(PowerScale s, double watts) {
  switch (s) {
    case PowerScale::KW:
    case PowerScale::Dbkw:
      return watts / 1e3;
    case PowerScale::MW:
      return watts / 1e6;
    case PowerScale::Dbm:
      return watts * 1e3;
    case PowerScale::W:
    case PowerScale::Dbw:
      break;
  }
  return watts;
}

double InScale(PowerScale s, double watts) {
  const double x = ToScale(s, watts);
  return IsDecibel(s) ? 10.0 * std::log10(x) : x;
}

std::optional<PowerUnit> FindPowerUnit(std::string_view name) {
  for (std::int32_t i = 0; i < kPowerUnitCount; ++i) {
    const auto unit = static_cast<PowerUnit>(i);
    if (ScaleName(ScaleFor(unit, 0.0)) == name) return unit;
  }
  return std::nullopt;
}

std::optional<PowerUnit> PowerUnitOfIndex(std::int32_t index) {
  if (index < 0 || index >= kPowerUnitCount) return std::nullopt;
  return static_cast<PowerUnit>(index);
}

}  // namespace numtext
