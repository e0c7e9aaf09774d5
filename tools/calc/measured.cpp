#include "measured.h"

#include "analysis/frequency_sweep.h"
#include "lines/load_through_line.h"
#include "output_values.h"
#include "rf/model_fields.h"
#include "safe_text.h"
#include "texts.h"

namespace calc {

namespace {

// A path is quoted whole, however long: only its controls are escaped.
std::string FileName(std::string_view option, const std::string& path) {
  return std::string(option) + ": \"" + SafeMessage(path) + "\"";
}

std::string FileMessage(std::string_view option, const std::string& path, const std::string& e) {
  return FileName(option, path) + ": " + e;
}

std::optional<std::string> ReadInto(std::string_view option, const std::string& path, int port,
                                    std::vector<touchstone::Point>& out) {
  touchstone::Loaded loaded = touchstone::ReadFile(path, port);
  if (loaded.Error) return FileMessage(option, path, touchstone::ErrorText(*loaded.Error));
  if (loaded.Points.empty()) return FileMessage(option, path, std::string(kFileHasNoPoints));
  out = std::move(loaded.Points);
  return std::nullopt;
}

// The fields whose extremes over a band a script looks for: the absorbed power, its limits over
// all phases and the readings' limits.
constexpr std::string_view kBandFields[] = {"Pload",     "PloadMin",  "PloadMax",
                                            "PincMinV",  "PincMaxV",  "PreflMinV",
                                            "PreflMaxV", "PloadMinV", "PloadMaxV"};

}  // namespace

std::variant<MeasuredSetup, std::string> LoadMeasured(const Options& o) {
  MeasuredSetup s;
  const Measured& m = o.Meas;
  if (!m.LoadFile.empty()) {
    if (auto e = ReadInto("--load-file", m.LoadFile, m.Port, s.Load)) return *e;
    s.LoadPolar = touchstone::ToPolar(s.Load);
    s.LoadName = FileName("--load-file", m.LoadFile);
  }
  if (!m.SrcFile.empty()) {
    std::vector<touchstone::Point> src;
    if (auto e = ReadInto("--src-file", m.SrcFile, 1, src)) return *e;
    s.SrcPolar = touchstone::ToPolar(src);
    s.SrcName = FileName("--src-file", m.SrcFile);
  }
  const auto line = lines::MakeLine(m.LineM, m.Medium, m.LossDbPerM);
  if (!line.Ok()) return "--line: " + line.Error;
  s.Line = line.Value;
  s.FreqHz = m.FreqHz.value_or(lines::FirstFrequencyHz(s.Load));
  s.Active = m.Any();
  return s;
}

namespace {

lines::ReflectionAlongBand LoadAlongBand(const MeasuredSetup& s, const Inputs& in) {
  if (!s.LoadPolar.empty()) return {s.LoadPolar, s.Line};
  return {lines::PolarReflection{in.Load.Refl.Mag, in.Load.Refl.Pha}, s.Line};
}

}  // namespace

MeasuredAlongBand::MeasuredAlongBand(const MeasuredSetup& s, const Inputs& in)
    : setup_(s), load_(LoadAlongBand(s, in)), src_(s.SrcPolar) {}

lines::Result<lines::PolarReflection> MeasuredAlongBand::LoadAt(double hz) {
  lines::Result<lines::PolarReflection> r = load_.At(hz);
  if (!r.Ok()) r.Error = (setup_.LoadPolar.empty() ? "--line" : setup_.LoadName) + ": " + r.Error;
  return r;
}

lines::Result<lines::PolarReflection> MeasuredAlongBand::SrcAt(double hz) {
  lines::Result<lines::PolarReflection> r = src_.At(hz);
  if (!r.Ok()) r.Error = setup_.SrcName + ": " + r.Error;
  return r;
}

std::variant<rf::ModelState, std::string> MeasuredModel(const Options& o, const MeasuredSetup& s) {
  if (!s.Active) return ComputeModel(o.In);
  Inputs in = o.In;
  MeasuredAlongBand along(s, o.In);
  const auto load = along.LoadAt(s.FreqHz);
  if (!load.Ok()) return load.Error;
  analysis::SetReflection(in.Load.Refl, load.Value);
  if (!s.SrcPolar.empty()) {
    const auto src = along.SrcAt(s.FreqHz);
    if (!src.Ok()) return src.Error;
    analysis::SetReflection(in.Src.Refl, src.Value);
  }
  return ComputeModel(in);
}

std::optional<std::string> AppendBandMember(std::string& out, const Options& o,
                                            const MeasuredSetup& s) {
  const rf::ModelState base = ComputeModel(o.In);
  MeasuredAlongBand along(s, o.In);
  const auto loadAt = [&along](double hz) { return along.LoadAt(hz); };
  analysis::FrequencySweepResult sweep;
  if (s.SrcPolar.empty()) {
    sweep = analysis::FrequencySweep(base, o.Band->FromHz, o.Band->ToHz, o.Points, loadAt);
  } else {
    sweep = analysis::FrequencySweep(base, o.Band->FromHz, o.Band->ToHz, o.Points, loadAt,
                                     [&along](double hz) { return along.SrcAt(hz); });
  }
  if (!sweep.Error.empty()) return sweep.Error;
  out += ",\"band\":{\"from_hz\":";
  AppendJsonNumber(out, o.Band->FromHz);
  out += ",\"to_hz\":";
  AppendJsonNumber(out, o.Band->ToHz);
  out += ",\"points\":" + std::to_string(o.Points);
  for (const std::string_view name : kBandFields) {
    const auto field = rf::FindScalarField(name);
    if (!field) continue;
    const analysis::BandExtremes x = analysis::Extremes(sweep.Points, *field);
    out += ",\"";
    out += name;
    out += "\":{\"min\":";
    AppendJsonNumber(out, x.Min);
    out += ",\"min_hz\":";
    AppendJsonNumber(out, x.MinAtHz);
    out += ",\"max\":";
    AppendJsonNumber(out, x.Max);
    out += ",\"max_hz\":";
    AppendJsonNumber(out, x.MaxAtHz);
    out += '}';
  }
  out += '}';
  return std::nullopt;
}

}  // namespace calc
