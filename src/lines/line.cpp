#include "lines/line.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "lines/frequency.h"
#include "lines/texts.h"
#include "text/ascii.h"

namespace lines {

Result<Medium> TemMedium(double velocityFactor) {
  Result<Medium> out;
  if (!(velocityFactor > 0.0 && velocityFactor <= 1.0)) {
    out.Error = kVelocityFactor;
    return out;
  }
  out.Value.Kind = MediumKind::Tem;
  out.Value.VelocityFactor = velocityFactor;
  return out;
}

Result<Medium> FindWaveguide(std::string_view name) {
  Result<Medium> out;
  const std::string_view n = text::Trim(name, text::IsSpaceOrTab);
  for (const Waveguide& w : kWaveguides) {
    // "WR-340" also as "WR340".
    const std::string joined = std::string(w.Name.substr(0, 2)) + std::string(w.Name.substr(3));
    if (text::EqualsNoCase(n, w.Name) || text::EqualsNoCase(n, joined)) {
      out.Value.Kind = MediumKind::Waveguide;
      out.Value.BroadWallM = w.BroadWallM;
      out.Value.Name = w.Name;
      return out;
    }
  }
  out.Error = kExpectedMedium;
  return out;
}

Result<Medium> ParseMedium(std::string_view text) {
  const std::string_view t = text::Trim(text, text::IsSpaceOrTab);
  if (text::EqualsNoCase(t, kTem)) return TemMedium(1.0);
  const std::string prefix = std::string(kTem) + std::string(kTemSeparator);
  if (text::StartsWithNoCase(t, prefix)) {
    const std::string_view vf = t.substr(prefix.size());
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(vf.data(), vf.data() + vf.size(), v);
    // from_chars would take "nan" and "inf" too; the range check turns both away.
    if (vf.empty() || ec != std::errc() || ptr != vf.data() + vf.size()) {
      Result<Medium> out;
      out.Error = kVelocityFactor;
      return out;
    }
    return TemMedium(v);
  }
  return FindWaveguide(t);
}

std::string MediumText(const Medium& m) {
  if (m.Kind == MediumKind::Waveguide) return std::string(m.Name);
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, m.VelocityFactor);
  return std::string(kTem) + std::string(kTemSeparator) + std::string(buf, r.ptr);
}

double CutoffHz(const Medium& m) {
  return m.Kind == MediumKind::Waveguide ? kSpeedOfLight / (2.0 * m.BroadWallM) : 0.0;
}

Result<double> GuideWavelength(const Medium& m, double hz) {
  Result<double> out;
  if (!(hz > 0.0) || !std::isfinite(hz)) {
    out.Error = kFrequencyZero;
    return out;
  }
  const double lambda0 = kSpeedOfLight / hz;
  if (m.Kind == MediumKind::Tem) {
    out.Value = m.VelocityFactor * lambda0;
    return out;
  }
  const double fc = CutoffHz(m);
  if (!(hz > fc)) {
    out.Error = std::string(kBelowCutoffBefore) + FormatFrequency(hz) +
                std::string(kBelowCutoffMiddle) + std::string(m.Name) +
                std::string(kBelowCutoffAfter) + FormatFrequency(fc);
    return out;
  }
  const double r = fc / hz;
  out.Value = lambda0 / std::sqrt(1.0 - r * r);
  return out;
}

Result<Line> MakeLine(double lengthM, const Medium& m, double lossDbPerM) {
  Result<Line> out;
  if (!(lengthM >= 0.0) || !std::isfinite(lengthM)) {
    out.Error = kLength;
  } else if (!(lossDbPerM >= 0.0) || !std::isfinite(lossDbPerM)) {
    out.Error = kLoss;
  } else {
    out.Value = Line{lengthM, m, lossDbPerM};
  }
  return out;
}

namespace {

// 2 beta l in turns, or why the line carries nothing at hz.
Result<double> RoundTripTurns(const Line& line, double hz) {
  Result<double> out;
  const Result<double> lg = GuideWavelength(line.Med, hz);
  if (!lg.Ok()) {
    out.Error = lg.Error;
    return out;
  }
  out.Value = RoundTripOf(line).Turns(hz);
  return out;
}

}  // namespace

RoundTrip RoundTripOf(const Line& line) {
  // 2 l / lambda_g with lambda_g = VF c / f on a TEM line, c / (f sqrt(1 - (fc/f)^2)) in a guide.
  const double velocity =
      line.Med.Kind == MediumKind::Tem ? line.Med.VelocityFactor * kSpeedOfLight : kSpeedOfLight;
  return {2.0 * line.LengthM / velocity, CutoffHz(line.Med)};
}

Result<double> RoundTripPhaseDeg(const Line& line, double hz) {
  Result<double> out;
  const Result<double> turns = RoundTripTurns(line, hz);
  if (!turns.Ok()) {
    out.Error = turns.Error;
    return out;
  }
  out.Value = -360.0 * turns.Value;
  if (out.Value > 180.0) out.Value -= 360.0;
  if (out.Value == 0.0) out.Value = 0.0;  // -0 is 0 degrees
  return out;
}

double RoundTripGain(const Line& line) {
  // The loss is one way in dB/m of the wave; the reflection travels the line twice.
  const double lossDb = 2.0 * line.LossDbPerM * line.LengthM;
  // pow(10, -0) is exactly 1: a lossless line spares the sweep its one pow per point.
  return lossDb == 0.0 ? 1.0 : std::pow(10.0, -lossDb / 20.0);
}

Result<rf::TComplex> ReflectionThroughLine(const Line& line, double hz, rf::TComplex load) {
  Result<rf::TComplex> out;
  const Result<double> turns = RoundTripTurns(line, hz);
  if (!turns.Ok()) {
    out.Error = turns.Error;
    return out;
  }
  const double gain = RoundTripGain(line);
  const double angle = -2.0 * std::numbers::pi * turns.Value;
  const double c = gain * std::cos(angle);
  const double s = gain * std::sin(angle);
  out.Value = rf::TComplex{load.Re * c - load.Im * s, load.Re * s + load.Im * c};
  return out;
}

}  // namespace lines
