#include "calc.h"

#include <string>
#include <variant>

#include "analysis/sweep.h"
#include "batch.h"
#include "options.h"
#include "output.h"
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
  int status = 0;
  analysis::ForEachSweepPoint(base, *o.Sweep, o.Points, [&](double x, const rf::ModelState& m) {
    if (status != 0) return;
    AppendCsvRow(buf, m, o.Add, x);
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
    std::fprintf(err, "%s: %s\n", kProgram.data(), message->c_str());
    return 2;
  }
  const Options& o = std::get<Options>(parsed);
  if (o.Help) return Write(std::string(kHelp), out, err);
  if (o.Version) return Write(std::string(kProgram) + " " + ZEPHLANE_VERSION + "\n", out, err);
  if (o.Batch) return RunBatch(o, in, out, err);
  if (o.Sweep) return RunSweep(o, out, err);

  const rf::ModelState m = ComputeModel(o.In);
  std::string text;
  switch (o.Out) {
    case Format::Json:
      AppendJsonObject(text, m, o.Add);
      text += '\n';
      break;
    case Format::Csv:
      AppendCsvHeader(text, o.Add);
      AppendCsvRow(text, m, o.Add);
      break;
    case Format::Text:
      text = ToAlignedText(WindowRows(o.In, m, o.Unit, o.Add));
      break;
  }
  return Write(text, out, err);
}

}  // namespace calc
