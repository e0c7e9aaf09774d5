#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/readings_truth.h"

// The Analysis window's "From readings" sheet as texts: the forward and the reflected reading
// of the couplers, each in a power unit, and the couplers; the ranges of the truth they allow.
namespace views {

// The units a reading is typed in, in the order of the sheet's lists.
enum class ReadingUnit : std::size_t { W, KW, MW, Dbm, Dbw, Dbkw };
inline constexpr std::array<std::string_view, 6> kReadingUnitNames{"W",   "kW",  "MW",
                                                                   "dBm", "dBW", "dBkW"};
// The reading unit that matches the main window's power-unit item (W, dBm, dBW, dBkW).
ReadingUnit ReadingUnitOfPowerUnitIndex(int index);
// The text of a reading in watts; nullopt for a text that is not a number. A decibel reading
// is always a positive power; a negative number of watts is passed on, for the analysis to
// refuse with its reason.
std::optional<double> ReadingWatts(std::string_view text, ReadingUnit unit);

struct ReadingsInputs {
  std::string Forward;
  ReadingUnit ForwardUnit = ReadingUnit::W;
  std::string Reflected;
  ReadingUnit ReflectedUnit = ReadingUnit::W;
  bool Ideal = false;
  std::string DirectivityDb = "20";
  friend bool operator==(const ReadingsInputs&, const ReadingsInputs&) = default;
};

// The sheet's inputs before the user types any: a worked case, 1 kW forward and 40 W reflected
// (SWR 1.5 with ideal couplers), in the main window's power unit (dBm for any decibel unit),
// with the main window's couplers.
ReadingsInputs StartingReadings(int powerUnitIndex, bool ideal, double directivityDb);

// The inputs in numbers, or the message why they are not.
struct ParsedReadings {
  bool Ok = false;
  std::string Message;
  double ForwardW = 0.0;
  double ReflectedW = 0.0;
  bool Ideal = false;
  double DirDb = 0.0;
};
ParsedReadings ParseReadings(const ReadingsInputs& in);

// Quantity, Unit, Min, Max.
inline constexpr std::size_t kTruthColumns = 4;
using TruthRow = std::array<std::string, kTruthColumns>;
std::array<std::string, kTruthColumns> TruthHeader();

struct TruthSheet {
  bool Ok = false;      // the rows hold numbers
  std::string Message;  // what the ranges mean, or why there are none
  std::vector<TruthRow> Rows;
  analysis::Truth Truth;  // the numbers behind the rows
};
// The rows: incident, reflected and absorbed power, the load's reflection as Mag, dB and SWR.
// Each Min is rounded down and each Max up at the shown precision, so that the shown range
// holds the whole true one; an exact truth (ideal couplers) is rounded to nearest.
TruthSheet TruthFromInputs(const ReadingsInputs& in);

}  // namespace views
