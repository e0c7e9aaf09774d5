#include "analysis/coupler_design.h"
#include "analysis/frequency_sweep.h"
#include "lines/load_through_line.h"
#include "measured.h"
#include "output.h"
#include "output_values.h"
#include "safe_text.h"
#include "texts.h"

namespace calc {

namespace {

// Output in blocks as it is computed: a long table needs no memory of its own.
class BlockWriter {
 public:
  explicit BlockWriter(std::FILE* out) : out_(out) {}
  std::string& Buffer() { return buf_; }
  void MaybeFlush() {
    if (buf_.size() >= (1u << 16)) Flush();
  }
  void Flush() {
    if (!buf_.empty() && std::fwrite(buf_.data(), 1, buf_.size(), out_) != buf_.size()) {
      failed_ = true;
    }
    buf_.clear();
  }
  // The exit status: 0, or 1 with the message when writing failed.
  int Finish(std::FILE* err) {
    Flush();
    if (failed_ || std::fflush(out_) != 0) {
      std::fprintf(err, "%s: %s\n", kProgram.data(), std::string(kCannotWrite).c_str());
      return 1;
    }
    return 0;
  }

 private:
  std::FILE* out_;
  std::string buf_;
  bool failed_ = false;
};

int Refuse(const std::string& message, std::FILE* err) {
  std::fprintf(err, "%s: %s\n", kProgram.data(), SafeMessage(message).c_str());
  return 2;
}

}  // namespace

int RunFrequencySweep(const Options& o, const MeasuredSetup& s, std::FILE* out, std::FILE* err) {
  lines::Band band;
  if (o.FromHz) {
    const auto b = lines::BandBetween(*o.FromHz, *o.ToHz);
    if (!b.Ok()) return Refuse("--from: " + b.Error, err);
    band = b.Value;
  } else if (o.Band) {
    band = *o.Band;
  } else {
    const auto b = lines::FileBand(s.Load);
    if (!b.Ok()) return Refuse("--load-file: " + b.Error, err);
    band = b.Value;
  }
  // Both ends first: a band beyond a file's range is refused before any row is written.
  MeasuredAlongBand along(s, o.In);
  for (const double hz : {band.FromHz, band.ToHz}) {
    const auto load = along.LoadAt(hz);
    if (!load.Ok()) return Refuse(load.Error, err);
    if (!s.SrcPolar.empty()) {
      const auto src = along.SrcAt(hz);
      if (!src.Ok()) return Refuse(src.Error, err);
    }
  }
  const rf::ModelState base = ComputeModel(o.In);
  BlockWriter w(out);
  AppendCsvHeader(w.Buffer(), Extras{}, analysis::kFrequencyColumn);
  const ExtraResults none;
  const auto row = [&](double hz, const rf::ModelState& m) {
    AppendCsvRow(w.Buffer(), m, none, hz);
    w.MaybeFlush();
  };
  const auto loadAt = [&along](double hz) { return along.LoadAt(hz); };
  std::string error;
  if (s.SrcPolar.empty()) {
    error = analysis::ForEachFrequencyPoint(base, band.FromHz, band.ToHz, o.Points, loadAt,
                                            analysis::KeepSource{}, row);
  } else {
    error = analysis::ForEachFrequencyPoint(
        base, band.FromHz, band.ToHz, o.Points, loadAt,
        [&along](double hz) { return along.SrcAt(hz); }, row);
  }
  if (!error.empty()) {
    w.Flush();
    return Refuse(error, err);
  }
  return w.Finish(err);
}

int RunMap(const Options& o, const MeasuredSetup& s, std::FILE* out, std::FILE* err) {
  Inputs in = o.In;
  if (!s.SrcPolar.empty()) {
    const auto src = MeasuredAlongBand(s, o.In).SrcAt(s.FreqHz);
    if (!src.Ok()) return Refuse(src.Error, err);
    analysis::SetReflection(in.Src.Refl, src.Value);
  }
  rf::ModelState m = ComputeModel(in);
  BlockWriter w(out);
  w.Buffer() += kMapHeader;
  const int n = *o.MapPoints;
  for (int i = 0; i < n; ++i) {
    const double im = 1.0 - 2.0 * i / (n - 1);
    for (int k = 0; k < n; ++k) {
      const double re = -1.0 + 2.0 * k / (n - 1);
      // The plane of passive loads: the unit disc, its rim included.
      if (re * re + im * im > 1.0) continue;
      rf::TComplex z;
      rf::CxSet(z, re, im);
      analysis::SetReflection(m.LoaRfl, z);
      rf::ComputeTransmission(m);
      std::string& b = w.Buffer();
      AppendCsvNumber(b, re);
      b += ',';
      AppendCsvNumber(b, im);
      b += ',';
      AppendCsvNumber(b, m.Pload);
      b += ',';
      AppendCsvNumber(b, analysis::AbsorbedReadingError(m));
      b += '\n';
      w.MaybeFlush();
    }
  }
  return w.Finish(err);
}

}  // namespace calc
