#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/frequency_sweep.h"
#include "lines/band.h"
#include "lines/line.h"
#include "numtext/power_unit.h"
#include "rf/complex.h"
#include "rf/model.h"
#include "touchstone/interpolate.h"
#include "touchstone/reader.h"

// The band sheets' inputs as the user types them, the setup they make (frequency, band, line,
// measured files) and the model along the band that every band chart draws from.
namespace views {

inline constexpr int kBandPoints = 201;
inline constexpr int kMediumTem = 0;  // then the waveguides in the order of lines::kWaveguides
inline constexpr int kMediumCount = 1 + static_cast<int>(lines::kWaveguides.size());

enum class BandChoice { Around = 0, WholeFile = 1 };

struct BandInputs {
  std::string Frequency;  // empty: the load file's first frequency, or 2.45 GHz
  BandChoice Band = BandChoice::Around;
  std::string Centre;  // empty: the frequency
  std::string Spread = "50M";
  std::string LengthM = "0";
  int Medium = kMediumTem;
  std::string VelocityFactor = "1";
  std::string LossDbPerM = "0";
  friend bool operator==(const BandInputs&, const BandInputs&) = default;
};

// A measured reflection read from a file: its name as messages show it and its points.
struct MeasuredFile {
  std::string Name;
  std::vector<touchstone::Point> Points;
};

struct BandSetup {
  double FreqHz = 0.0;
  lines::Band Band;
  lines::Line Line;
  bool HasLoadFile = false;
  bool HasSrcFile = false;
  std::vector<touchstone::PolarPoint> Load;
  std::vector<touchstone::PolarPoint> Src;
  std::string LoadName;
  std::string SrcName;
};

struct BandSetupResult {
  BandSetup Setup;
  std::string Error;  // empty when Setup holds; one message naming the input
  bool Ok() const { return Error.empty(); }
};

// Reads the typed inputs; load and src may be null (the window's reflections). A file without
// points, an unreadable number, a band below 0 Hz, a whole-file band without a file and a
// waveguide below cutoff are refused with the input's name first.
BandSetupResult MakeBandSetup(const BandInputs& in, const MeasuredFile* load,
                              const MeasuredFile* src);

// The model at the operating frequency and at n frequencies across the band.
struct BandEvaluation {
  rf::ModelState Operating;
  std::vector<analysis::FrequencyPoint> Points;
  std::string Error;  // the first frequency that cannot be evaluated; then nothing else holds
  bool Ok() const { return Error.empty(); }
};
BandEvaluation EvaluateBand(const rf::ModelState& window, const BandSetup& s, int n = kBandPoints);

// The band's extremes of the absorbed power, its limits over all phases and the readings, as
// the sheet's table shows them: quantity, smallest, where, largest, where.
inline constexpr std::size_t kExtremeColumns = 5;
using ExtremeRow = std::array<std::string, kExtremeColumns>;
std::array<std::string, kExtremeColumns> ExtremesHeader(numtext::PowerScale scale);
std::vector<ExtremeRow> BandExtremesTable(const BandEvaluation& e, numtext::PowerScale scale);
// The scale the band's largest power is written in.
numtext::PowerScale BandScale(const BandEvaluation& e, numtext::PowerUnit unit);

}  // namespace views
