#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "analysis/sweep.h"
#include "inputs.h"
#include "numtext/power_unit.h"

// The command line of zephlane-calc.
namespace calc {

enum class Format { Json, Csv, Text };

inline constexpr int kDefaultPoints = 37;  // 10-degree steps over a full turn
inline constexpr int kMaxPoints = 1000000;

// What to add beside the model fields.
struct Extras {
  bool Uncertainty = false;
  std::optional<double> DesignDirTarget;  // fraction, 0.05 for 5 %
  std::optional<double> DesignSwrTarget;
  bool Any() const { return Uncertainty || DesignDirTarget || DesignSwrTarget; }
};

struct Options {
  Inputs In = DefaultInputs();
  Format Out = Format::Json;
  bool FormatGiven = false;
  numtext::PowerUnit Unit = numtext::PowerUnit::Watts;
  std::optional<analysis::SweepKind> Sweep;
  int Points = kDefaultPoints;
  Extras Add;
  bool Batch = false;
  bool Help = false;
  bool Version = false;
};

// Options, or the one message for standard error (without the program's name).
std::variant<Options, std::string> ParseOptions(std::span<const std::string_view> args);

}  // namespace calc
