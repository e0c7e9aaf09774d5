#pragma once

#include <cmath>
#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "rf/complex.h"
#include "rf/model.h"
#include "rf/model_fields.h"
#include "rf/reflection.h"

// The whole model along a band of frequencies: at each one the load's reflection (and, if
// given, the source's) comes from a function of frequency, such as a measured file seen
// through a line, and the window's ComputeTransmission evaluates every field.
namespace analysis {

// The names the calculator and the exports use for this sweep and its swept column.
inline constexpr std::string_view kFrequencySweepName = "frequency";
inline constexpr std::string_view kFrequencyColumn = "freq_hz";

// Frequency i of n from fromHz to toHz, both ends exactly included; n == 1 gives fromHz.
double BandPointHz(double fromHz, double toHz, int i, int n);

// A reflection in rectangular form made whole as the window holds it: Mag, Pha in degrees,
// return loss and SWR.
void SetReflection(rf::TRefl& r, rf::TComplex z);

// Puts a reflection's magnitude and phase (degrees) into r from its rectangular form; the
// return loss and SWR are left for ReflFromMag.
void SetPolar(rf::TRefl& r, rf::TComplex z);

// A reflection already in polar form (Mag, and PhaDeg in degrees), as a sweep's reflection
// functions may give it to spare the rectangular round trip.
template <class P>
concept PolarForm = requires(const P& p) {
  { p.Mag } -> std::convertible_to<double>;
  { p.PhaDeg } -> std::convertible_to<double>;
};

inline void SetPolar(rf::TRefl& r, const PolarForm auto& p) {
  r.Mag = p.Mag;
  r.Pha = p.PhaDeg;
}

inline void SetReflection(rf::TRefl& r, const PolarForm auto& p) {
  SetPolar(r, p);
  rf::ReflFromMag(r);
}

// Passed as the source's function: the source keeps the base state's reflection.
struct KeepSource {};

// Calls f(hz, model) for n points (none when n < 1). loadAt(hz), and srcAt(hz) unless it is
// KeepSource, return a result with Ok(), Value (an rf::TComplex or a PolarForm) and Error (a
// message); the
// first one that is not Ok stops the sweep and its Error is returned; empty when every point
// was evaluated. base must hold the inputs that do not depend on frequency. Every point is
// what the window's ComputeTransmission gives for its reflections, bit for bit; what depends
// on the magnitudes alone (the limits over all phases, the coupler factors) is formed again
// only when a magnitude changes from one point to the next (a constant load, or a file's
// repeated values).
template <class LoadAt, class SrcAt, class F>
std::string ForEachFrequencyPoint(const rf::ModelState& base, double fromHz, double toHz, int n,
                                  LoadAt&& loadAt, SrcAt&& srcAt, F&& f) {
  constexpr bool kKeepSource = std::is_same_v<std::decay_t<SrcAt>, KeepSource>;
  rf::ModelState m = base;
  rf::CouplerFactors factors;
  rf::TComplex gs;
  rf::TComplex gl;
  for (int i = 0; i < n; ++i) {
    const double hz = BandPointHz(fromHz, toHz, i, n);
    const double loadMag = m.LoaRfl.Mag;
    const double srcMag = m.SrcRfl.Mag;
    const auto load = loadAt(hz);
    if (!load.Ok()) return load.Error;
    SetPolar(m.LoaRfl, load.Value);
    if constexpr (!kKeepSource) {
      const auto src = srcAt(hz);
      if (!src.Ok()) return src.Error;
      SetPolar(m.SrcRfl, src.Value);
    }
    // As ComputeTransmission forms them: from the stored magnitude and phase.
    if (i == 0 || !kKeepSource) {
      rf::CxSet(gs, m.SrcRfl.Mag, m.SrcRfl.Pha);
      rf::CxPolarDegToRect(gs, gs);
    }
    rf::CxSet(gl, m.LoaRfl.Mag, m.LoaRfl.Pha);
    rf::CxPolarDegToRect(gl, gl);
    // A NaN magnitude never equals the last one, so it is always formed afresh.
    if (i == 0 || m.LoaRfl.Mag != loadMag || m.SrcRfl.Mag != srcMag) {
      rf::ReflFromMag(m.LoaRfl);
      if constexpr (!kKeepSource) rf::ReflFromMag(m.SrcRfl);
      rf::ComputeTransmissionLimits(m);
      factors = rf::ComputeCouplerFactors(m);
    }
    rf::ComputeTransmissionAt(m, gs, gl);
    rf::ApplyMeasurement(m, factors);
    f(hz, static_cast<const rf::ModelState&>(m));
  }
  return {};
}

struct FrequencyPoint {
  double FreqHz = 0.0;
  rf::ModelState Model;
};

struct FrequencySweepResult {
  std::vector<FrequencyPoint> Points;  // empty when Error is set
  std::string Error;
};

template <class LoadAt, class SrcAt = KeepSource>
FrequencySweepResult FrequencySweep(const rf::ModelState& base, double fromHz, double toHz, int n,
                                    LoadAt&& loadAt, SrcAt&& srcAt = {}) {
  FrequencySweepResult out;
  if (n > 0) out.Points.reserve(static_cast<std::size_t>(n));
  out.Error = ForEachFrequencyPoint(base, fromHz, toHz, n, loadAt, srcAt,
                                    [&](double hz, const rf::ModelState& m) {
                                      out.Points.push_back({hz, m});
                                    });
  if (!out.Error.empty()) out.Points.clear();
  return out;
}

// A chart series: one scalar field along the band.
std::vector<double> Column(const std::vector<FrequencyPoint>& points, const rf::ScalarField& field);

// The smallest and largest value of a field over the band and where they lie; NaN points are
// passed over, and a field that is NaN everywhere gives NaN at NaN Hz.
struct BandExtremes {
  double Min = 0.0;
  double MinAtHz = 0.0;
  double Max = 0.0;
  double MaxAtHz = 0.0;
};
BandExtremes Extremes(const std::vector<FrequencyPoint>& points, const rf::ScalarField& field);

}  // namespace analysis
