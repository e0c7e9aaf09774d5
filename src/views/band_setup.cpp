#include "views/band_setup.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "analysis/frequency_sweep.h"
#include "lines/frequency.h"
#include "lines/load_through_line.h"
#include "lines/texts.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "rf/model_fields.h"
#include "views/texts.h"

namespace views {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A plain decimal number, the whole text: a length or a loss typed with a stray letter is
// refused rather than read as its leading digits.
std::optional<double> Number(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0.0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v, std::chars_format::general);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

std::string Named(std::string_view input, std::string_view message) {
  std::string s(input);
  s += ": ";
  s += message;
  return s;
}

std::string FileError(const std::string& name, const std::string& message) {
  return name + ": " + message;
}

}  // namespace

BandSetupResult MakeBandSetup(const BandInputs& in, const MeasuredFile* load,
                              const MeasuredFile* src) {
  BandSetupResult r;
  BandSetup& s = r.Setup;
  for (const MeasuredFile* f : {load, src}) {
    if (f != nullptr && f->Points.empty()) {
      r.Error = FileError(f->Name, std::string(kFileHasNoPoints));
      return r;
    }
  }
  if (load != nullptr) {
    s.HasLoadFile = true;
    s.Load = touchstone::ToPolar(load->Points);
    s.LoadName = load->Name;
  }
  if (src != nullptr) {
    s.HasSrcFile = true;
    s.Src = touchstone::ToPolar(src->Points);
    s.SrcName = src->Name;
  }

  if (Trim(in.Frequency).empty()) {
    s.FreqHz = load != nullptr ? lines::FirstFrequencyHz(load->Points) : lines::kDefaultFrequencyHz;
  } else {
    const auto f = lines::ParseFrequency(in.Frequency);
    if (!f.Ok()) {
      r.Error = Named(kInputFrequency, f.Error);
      return r;
    }
    s.FreqHz = f.Value;
  }

  if (in.Band == BandChoice::WholeFile) {
    if (load == nullptr) {
      r.Error = Named(kInputBand, kWholeFileNeedsFile);
      return r;
    }
    const auto b = lines::FileBand(load->Points);
    if (!b.Ok()) {
      r.Error = FileError(load->Name, b.Error);
      return r;
    }
    s.Band = b.Value;
  } else {
    double centre = s.FreqHz;
    if (!Trim(in.Centre).empty()) {
      const auto c = lines::ParseFrequency(in.Centre);
      if (!c.Ok()) {
        r.Error = Named(kInputCentre, c.Error);
        return r;
      }
      centre = c.Value;
    }
    const auto spread = lines::ParseFrequencyOrZero(in.Spread);
    if (!spread.Ok()) {
      r.Error = Named(kInputSpread, spread.Error);
      return r;
    }
    const auto b = lines::BandAround(centre, spread.Value);
    if (!b.Ok()) {
      r.Error = Named(kInputBand, b.Error);
      return r;
    }
    s.Band = b.Value;
  }

  const auto length = Number(in.LengthM);
  const auto loss = Number(in.LossDbPerM);
  if (!length) {
    r.Error = Named(kInputLength, lines::kLength);
    return r;
  }
  if (!loss) {
    r.Error = Named(kInputLoss, lines::kLoss);
    return r;
  }
  lines::Result<lines::Medium> medium;
  if (in.Medium <= kMediumTem || in.Medium >= kMediumCount) {
    const auto vf = Number(in.VelocityFactor);
    medium = lines::TemMedium(vf ? *vf : std::numeric_limits<double>::quiet_NaN());
    if (!medium.Ok()) {
      r.Error = Named(kInputVelocityFactor, medium.Error);
      return r;
    }
  } else {
    medium = lines::FindWaveguide(lines::kWaveguides[static_cast<std::size_t>(in.Medium - 1)].Name);
  }
  const auto line = lines::MakeLine(*length, medium.Value, *loss);
  if (!line.Ok()) {
    r.Error = Named(kInputLine, line.Error);
    return r;
  }
  s.Line = line.Value;
  // A guide below its cutoff at the operating frequency is refused here, with the frequency,
  // so that the sheet does not first show a sweep that stops half way.
  const auto lg = lines::GuideWavelength(s.Line.Med, s.FreqHz);
  if (!lg.Ok()) {
    r.Error = Named(kInputLine, lg.Error);
    return r;
  }
  return r;
}

namespace {

// The load's and the source's reflections along the band in the polar form the model takes,
// each fault named as the sheet names its input. The operating point comes from the same
// functions as the sweep, so that the band's point at the operating frequency is the operating
// point, bit for bit.
lines::ReflectionAlongBand LoadAlongBand(const BandSetup& s, const rf::ModelState& window) {
  if (s.HasLoadFile) return {s.Load, s.Line};
  return {lines::PolarReflection{window.LoaRfl.Mag, window.LoaRfl.Pha}, s.Line};
}

struct NamedAlongBand {
  lines::ReflectionAlongBand Along;
  std::string Name;  // empty: a fault names the line
  lines::Result<lines::PolarReflection> At(double hz) {
    lines::Result<lines::PolarReflection> r = Along.At(hz);
    if (!r.Ok()) r.Error = Name.empty() ? Named(kInputLine, r.Error) : FileError(Name, r.Error);
    return r;
  }
};

}  // namespace

BandEvaluation EvaluateBand(const rf::ModelState& window, const BandSetup& s, int n) {
  BandEvaluation e;
  e.Operating = window;
  NamedAlongBand load{LoadAlongBand(s, window), s.HasLoadFile ? s.LoadName : std::string()};
  NamedAlongBand src{lines::ReflectionAlongBand(s.Src), s.SrcName};
  const auto operatingLoad = load.At(s.FreqHz);
  if (!operatingLoad.Ok()) {
    e.Error = operatingLoad.Error;
    return e;
  }
  analysis::SetReflection(e.Operating.LoaRfl, operatingLoad.Value);
  if (s.HasSrcFile) {
    const auto operatingSrc = src.At(s.FreqHz);
    if (!operatingSrc.Ok()) {
      e.Error = operatingSrc.Error;
      return e;
    }
    analysis::SetReflection(e.Operating.SrcRfl, operatingSrc.Value);
  }
  rf::ComputeTransmission(e.Operating);

  const auto loadAt = [&load](double hz) { return load.At(hz); };
  analysis::FrequencySweepResult sweep;
  if (s.HasSrcFile) {
    sweep = analysis::FrequencySweep(window, s.Band.FromHz, s.Band.ToHz, n, loadAt,
                                     [&src](double hz) { return src.At(hz); });
  } else {
    sweep = analysis::FrequencySweep(window, s.Band.FromHz, s.Band.ToHz, n, loadAt);
  }
  if (!sweep.Error.empty()) {
    e.Error = sweep.Error;
    return e;
  }
  e.Points = std::move(sweep.Points);
  return e;
}

numtext::PowerScale BandScale(const BandEvaluation& e, numtext::PowerUnit unit) {
  double largest = 0.0;
  const auto take = [&](double v) {
    if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
  };
  for (const analysis::FrequencyPoint& p : e.Points) {
    take(p.Model.PincMax);
    take(p.Model.PreflMax);
    take(p.Model.PloadMax);
  }
  take(e.Operating.PincMax);
  return numtext::ScaleFor(unit, largest);
}

std::array<std::string, kExtremeColumns> ExtremesHeader(numtext::PowerScale scale) {
  std::string unit(numtext::ScaleName(scale));
  return {std::string(kColQuantity), std::string(kColMin) + " (" + unit + ")", std::string(kColAt),
          std::string(kColMax) + " (" + unit + ")", std::string(kColAt)};
}

std::vector<ExtremeRow> BandExtremesTable(const BandEvaluation& e, numtext::PowerScale scale) {
  std::vector<ExtremeRow> rows;
  const int decimals = numtext::IsDecibel(scale) ? numtext::kDbDecimals : numtext::kPowerDecimals;
  const auto power = [&](double w) {
    return numtext::FloatToText(numtext::InScale(scale, w), decimals);
  };
  const auto where = [](double hz) {
    return std::isfinite(hz) ? lines::FormatFrequency(hz) : std::string(numtext::kNanText);
  };
  for (const BandExtremeField& f : kBandExtremeFields) {
    const auto field = rf::FindScalarField(f.Field);
    if (!field) continue;
    const analysis::BandExtremes x = analysis::Extremes(e.Points, *field);
    rows.push_back(
        {std::string(f.Caption), power(x.Min), where(x.MinAtHz), power(x.Max), where(x.MaxAtHz)});
  }
  return rows;
}

}  // namespace views
