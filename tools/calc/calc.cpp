#include "calc.h"

#include <string>
#include <variant>

#include "analysis/sweep.h"
#include "batch.h"
#include "extras.h"
#include "measured.h"
#include "options.h"
#include "output.h"
#include "safe_text.h"
#include "texts.h"
#include "window_text.h"

namespace calc {

namespace {

int Write(const std::string& text, std::FILE* out, std::FILE* err) {
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
    std::fprintf(err, "%s: %s\n", kProgram.data(), std::string(kCannotWrite).c_str());
    return 1;
  }
  return 0;
}

// One row per point, written as it is computed: a long sweep needs no memory for its table.
int RunSweep(const Options& o, std::FILE* out, std::FILE* err) {
  const rf::ModelState base = ComputeModel(o.In);
  std::string buf;
  AppendCsvHeader(buf, o.Add, analysis::SweepColumn(*o.Sweep));
  const ExtraResults none;
  int status = 0;
  analysis::ForEachSweepPoint(base, *o.Sweep, o.Points, [&](double x, const rf::ModelState& m) {
    if (status != 0) return;
    AppendCsvRow(buf, m, none, x);
    if (buf.size() >= (1u << 16)) {
      if (std::fwrite(buf.data(), 1, buf.size(), out) != buf.size()) status = 1;
      buf.clear();
    }
  });
  if (status != 0) {
    std::fprintf(err, "%s: %s\n", kProgram.data(), std::string(kCannotWrite).c_str());
    return status;
  }
  return Write(buf, out, err);
}

}  // namespace

int Run(std::span<const std::string_view> args, std::FILE* in, std::FILE* out, std::FILE* err) {
  auto parsed = ParseOptions(args);
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    std::fprintf(err, "%s: %s\n", kProgram.data(), SafeMessage(*message).c_str());
    return 2;
  }
  const Options& o = std::get<Options>(parsed);
  if (o.Help) return Write(std::string(kHelp), out, err);
  if (o.Version) return Write(std::string(kProgram) + " " + ZEPHLANE_VERSION + "\n", out, err);
  if (o.Batch) return RunBatch(o, in, out, err);
  if (o.Sweep) return RunSweep(o, out, err);

  const auto fail = [&](const std::string& message) {
    std::fprintf(err, "%s: %s\n", kProgram.data(), SafeMessage(message).c_str());
    return 2;
  };
  auto setup = LoadMeasured(o);
  if (const auto* message = std::get_if<std::string>(&setup)) return fail(*message);
  const MeasuredSetup& meas = std::get<MeasuredSetup>(setup);
  if (o.FrequencySweep) return RunFrequencySweep(o, meas, out, err);
  if (o.MapPoints) return RunMap(o, meas, out, err);

  auto model = MeasuredModel(o, meas);
  if (const auto* message = std::get_if<std::string>(&model)) return fail(*message);
  const rf::ModelState& m = std::get<rf::ModelState>(model);
  auto extras = ComputeExtras(m, o.Add);
  if (const auto* message = std::get_if<std::string>(&extras)) return fail(*message);
  const ExtraResults& x = std::get<ExtraResults>(extras);
  std::string text;
  switch (o.Out) {
    case Format::Json: {
      std::string band;
      if (o.Band) {
        if (auto e = AppendBandMember(band, o, meas)) return fail(*e);
      }
      AppendJsonObject(text, m, x, band);
      text += '\n';
      break;
    }
    case Format::Csv:
      AppendCsvHeader(text, o.Add);
      AppendCsvRow(text, m, x);
      break;
    case Format::Text:
      text = ToAlignedText(WindowRows(o.In, m, o.Unit, x));
      break;
  }
  return Write(text, out, err);
}

}  // namespace calc
