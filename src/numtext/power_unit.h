#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The power units of every display: watts with the prefix that the size of the power chooses
// (W, kW, MW), or decibels referred to a milliwatt, a watt or a kilowatt.
namespace numtext {

// In the order of the window's power-unit items.
enum class PowerUnit : std::int32_t { Watts = 0, Dbm = 1, Dbw = 2, Dbkw = 3 };
inline constexpr std::int32_t kPowerUnitCount = 4;

// How one power, or one set of powers, is written within its unit.
enum class PowerScale { W, KW, MW, Dbm, Dbw, Dbkw };

inline constexpr std::string_view kUnitW = "W";
inline constexpr std::string_view kUnitKW = "kW";
inline constexpr std::string_view kUnitMW = "MW";
inline constexpr std::string_view kUnitDbm = "dBm";
inline constexpr std::string_view kUnitDbw = "dBW";
inline constexpr std::string_view kUnitDbkw = "dBkW";

std::string_view ScaleName(PowerScale s);
bool IsDecibel(PowerScale s);

// The scale for a power of this magnitude (watts, >= 0): watts below 1 kW, kilowatts below
// 1 MW, megawatts above, where infinities and NaN land too; a decibel unit is its own scale.
PowerScale ScaleFor(PowerUnit unit, double magnitudeWatts);

// A power in watts in the scale, before the logarithm of a decibel scale: p / 1e3 for kW and
// dBkW, p * 1e3 for dBm. Each is the one operation the window's cells show, to the last bit.
double ToScale(PowerScale s, double watts);
// The number plotted or exported: ToScale, and for a decibel scale 10 log10 of it.
double InScale(PowerScale s, double watts);

// The unit by its name as the window's items and the calculator's option write it ("W", "dBm",
// "dBW", "dBkW"), exactly; and the unit of an item index, nullopt beyond the items.
std::optional<PowerUnit> FindPowerUnit(std::string_view name);
std::optional<PowerUnit> PowerUnitOfIndex(std::int32_t index);

}  // namespace numtext
