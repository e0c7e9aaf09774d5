#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "rf/complex.h"
#include "rf/model.h"
#include "rf/model_fields.h"

// The whole model evaluated along one swept input, each point through the window's own
// ComputeTransmission / ComputeMeasurement.
namespace analysis {

enum class SweepKind {
  LoadPhase,    // LoaRfl.Pha, -180..180 degrees
  SrcPhase,     // SrcRfl.Pha, -180..180 degrees
  RoundTrip,    // SrcRfl.Pha + LoaRfl.Pha, -180..180 degrees; the source phase is kept
  Directivity,  // CplDirDb, 0..60 dB, couplers not ideal
};

inline constexpr double kPhaseFirst = -180.0;
inline constexpr double kPhaseLast = 180.0;
inline constexpr double kDirectivityFirst = 0.0;
inline constexpr double kDirectivityLast = 60.0;
inline constexpr int kMinSweepPoints = 2;

// The names the calculator and the exports use: "load-phase", "src-phase", "round-trip",
// "directivity"; and the column of the swept value, "phase_deg" or "directivity_db".
std::string_view SweepName(SweepKind kind);
std::optional<SweepKind> FindSweep(std::string_view name);
std::string_view SweepColumn(SweepKind kind);

// A phase of -360..360 degrees brought into -180..180 by one turn at most.
double WrapPhase(double deg);
// The round-trip phase of the present reflections, SrcRfl.Pha + LoaRfl.Pha wrapped, as the
// round-trip sweep has it.
double RoundTripPhase(const rf::ModelState& m);

// Value of point i of n (n >= 2), the two ends exactly included.
double SweepValue(SweepKind kind, int i, int n);

// Puts x into the state as the swept input and recomputes what depends on it: the full
// transmission for a phase, the measurement only for the directivity. A round-trip phase is
// split as the source phase kept and the load phase x - source phase, wrapped into -180..180,
// since only the sum decides the interference.
void EvaluateAt(rf::ModelState& m, SweepKind kind, double x);

struct SweepPoint {
  double X = 0.0;  // the swept value, degrees or dB
  rf::ModelState Model;
};

// n points (empty when n < 2); base must already be computed.
std::vector<SweepPoint> Sweep(const rf::ModelState& base, SweepKind kind, int n);

// The same points one at a time, for callers that stream instead of storing.
template <class F>
void ForEachSweepPoint(const rf::ModelState& base, SweepKind kind, int n, F&& f) {
  if (n < kMinSweepPoints) return;
  rf::ModelState m = base;
  for (int i = 0; i < n; ++i) {
    const double x = SweepValue(kind, i, n);
    EvaluateAt(m, kind, x);
    f(x, static_cast<const rf::ModelState&>(m));
  }
}

// A chart series: one scalar field along the sweep.
std::vector<double> Column(const std::vector<SweepPoint>& points, const rf::ScalarField& field);

// The grid of both phases, n x n points (source phase outer, load phase inner), every field of
// every point as ComputeTransmission gives it, bit for bit; f(srcPha, loaPha, model). Only
// the phases change, so each phase is converted to rectangular form once, and the limits and
// the coupler factors, which hold for all phases, are formed once.
template <class F>
void ForEachPhasePair(const rf::ModelState& base, int n, F&& f) {
  if (n < kMinSweepPoints) return;
  rf::ModelState m = base;
  const auto count = static_cast<std::size_t>(n);
  std::vector<double> phases(count);
  std::vector<rf::TComplex> gs(count);
  std::vector<rf::TComplex> gl(count);
  for (std::size_t i = 0; i < count; ++i) {
    phases[i] = SweepValue(SweepKind::LoadPhase, static_cast<int>(i), n);
    rf::CxSet(gs[i], m.SrcRfl.Mag, phases[i]);
    rf::CxPolarDegToRect(gs[i], gs[i]);
    rf::CxSet(gl[i], m.LoaRfl.Mag, phases[i]);
    rf::CxPolarDegToRect(gl[i], gl[i]);
  }
  rf::ComputeTransmissionLimits(m);
  const rf::CouplerFactors factors = rf::ComputeCouplerFactors(m);
  for (std::size_t i = 0; i < count; ++i) {
    m.SrcRfl.Pha = phases[i];
    for (std::size_t j = 0; j < count; ++j) {
      m.LoaRfl.Pha = phases[j];
      rf::ComputeTransmissionAt(m, gs[i], gl[j]);
      rf::ApplyMeasurement(m, factors);
      f(m.SrcRfl.Pha, m.LoaRfl.Pha, static_cast<const rf::ModelState&>(m));
    }
  }
}

}  // namespace analysis
