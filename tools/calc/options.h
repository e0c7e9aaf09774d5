#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "analysis/sweep.h"
#include "extras.h"
#include "inputs.h"
#include "lines/band.h"
#include "lines/line.h"
#include "numtext/power_unit.h"

// The command line of zephlane-calc.
namespace calc {

enum class Format { Json, Csv, Text };

inline constexpr int kDefaultPoints = 37;  // 10-degree steps over a full turn
inline constexpr int kMaxPoints = 1000000;
inline constexpr int kMinMapPoints = 2;
inline constexpr int kMaxMapPoints = 4001;
// Upper ends of the budget's and the line's values: beyond them the numbers mean nothing.
inline constexpr double kMaxCouplingUncDb = 10.0;
inline constexpr double kMaxSensorUncPct = 100.0;
inline constexpr double kMaxLineM = 1e6;
inline constexpr double kMaxLossDbPerM = 1000.0;

// A measured load or source, a frequency and the line between: the reflections then come from
// the files at that frequency, seen through the line.
struct Measured {
  std::string LoadFile;  // empty: the typed load
  int Port = 1;
  std::string SrcFile;  // empty: the typed source
  std::optional<double> FreqHz;
  double LineM = 0.0;
  bool LineGiven = false;
  lines::Medium Medium;
  double LossDbPerM = 0.0;
  bool Any() const { return !LoadFile.empty() || !SrcFile.empty() || LineGiven; }
};

struct Options {
  Inputs In = DefaultInputs();
  Format Out = Format::Json;
  bool FormatGiven = false;
  numtext::PowerUnit Unit = numtext::PowerUnit::Watts;
  std::optional<analysis::SweepKind> Sweep;
  bool FrequencySweep = false;  // --sweep frequency
  std::optional<double> FromHz;
  std::optional<double> ToHz;
  std::optional<lines::Band> Band;
  std::optional<int> MapPoints;
  int Points = kDefaultPoints;
  Measured Meas;
  Extras Add;
  std::uint64_t Seed = 1;
  analysis::CalibrationLaw CouplingLaw = analysis::CalibrationLaw::Rectangular;
  analysis::CalibrationLaw SensorLaw = analysis::CalibrationLaw::Rectangular;
  bool Correlated = false;  // --correlated-phases
  double Psi0Deg = 0.0;
  double Chi0Deg = 0.0;
  bool Batch = false;
  bool Help = false;
  bool Version = false;
};

// Every option's name, "--va" to "--version", for the help and its checks.
std::vector<std::string_view> OptionNames();

// Options, or the one message for standard error (without the program's name).
std::variant<Options, std::string> ParseOptions(std::span<const std::string_view> args);

}  // namespace calc
