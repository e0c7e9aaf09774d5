#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "lines/line.h"
#include "lines/load_through_line.h"
#include "lines/result.h"
#include "options.h"
#include "rf/model.h"
#include "touchstone/interpolate.h"
#include "touchstone/reader.h"

// Measured reflections at a frequency: a load (and a source) read from files, or typed, seen
// through the line between; the frequency sweep, the band's extremes and the load-plane map.
namespace calc {

struct MeasuredSetup {
  std::vector<touchstone::Point> Load;  // empty: the typed load
  std::vector<touchstone::PolarPoint> LoadPolar;
  std::vector<touchstone::PolarPoint> SrcPolar;  // empty: the typed source
  std::string LoadName;                          // the files as messages name them
  std::string SrcName;
  lines::Line Line;
  double FreqHz = 0.0;
  // The reflections depend on the frequency: a file or a line is given.
  bool Active = false;
};

// The files read and the line made, or one message naming the file, line and column, or the
// option.
std::variant<MeasuredSetup, std::string> LoadMeasured(const Options& o);

// The load's reflection at hz (the file's or the typed one, through the line), and the
// source's from its file, in the polar form the model takes, for one frequency or the many of a
// sweep; prefixed with the file or the option when it cannot be given.
class MeasuredAlongBand {
 public:
  MeasuredAlongBand(const MeasuredSetup& s, const Inputs& in);
  lines::Result<lines::PolarReflection> LoadAt(double hz);
  lines::Result<lines::PolarReflection> SrcAt(double hz);

 private:
  const MeasuredSetup& setup_;
  lines::ReflectionAlongBand load_;
  lines::ReflectionAlongBand src_;
};

// The model at the setup's frequency; the typed inputs alone without files or a line.
std::variant<rf::ModelState, std::string> MeasuredModel(const Options& o, const MeasuredSetup& s);

// ,"band":{...}: the extremes over the band of --band; the message when a frequency of the band
// cannot be evaluated.
std::optional<std::string> AppendBandMember(std::string& out, const Options& o,
                                            const MeasuredSetup& s);

// CSV, freq_hz first, one row per frequency; returns the exit status.
int RunFrequencySweep(const Options& o, const MeasuredSetup& s, std::FILE* out, std::FILE* err);
// CSV re, im, Pload, reading_error for the points of an N x N grid inside the unit circle.
int RunMap(const Options& o, const MeasuredSetup& s, std::FILE* out, std::FILE* err);

}  // namespace calc
