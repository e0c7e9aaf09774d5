#include "analysis/sweep.h"

namespace analysis {

namespace {

struct NamedSweep {
  SweepKind Kind;
  std::string_view Name;
};
constexpr NamedSweep kSweepNames[] = {{SweepKind::LoadPhase, "load-phase"},
                                      {SweepKind::SrcPhase, "src-phase"},
                                      {SweepKind::RoundTrip, "round-trip"},
                                      {SweepKind::Directivity, "directivity"}};

}  // namespace

double WrapPhase(double deg) {
  if (deg > kPhaseLast) return deg - 360.0;
  if (deg < kPhaseFirst) return deg + 360.0;
  return deg;
}

double RoundTripPhase(const rf::ModelState& m) { return WrapPhase(m.SrcRfl.Pha + m.LoaRfl.Pha); }

std::string_view SweepName(SweepKind kind) {
  for (const auto& s : kSweepNames) {
    if (s.Kind == kind) return s.Name;
  }
  return {};
}

std::optional<SweepKind> FindSweep(std::string_view name) {
  for (const auto& s : kSweepNames) {
    if (s.Name == name) return s.Kind;
  }
  return std::nullopt;
}

std::string_view SweepColumn(SweepKind kind) {
  return kind == SweepKind::Directivity ? "directivity_db" : "phase_deg";
}

double SweepValue(SweepKind kind, int i, int n) {
  const bool dir = kind == SweepKind::Directivity;
  const double first = dir ? kDirectivityFirst : kPhaseFirst;
  const double last = dir ? kDirectivityLast : kPhaseLast;
  if (i <= 0) return first;
  if (i >= n - 1) return last;
  // The span times i first, then the division: the middle of an odd sweep lands exactly on
  // the centre value (0 degrees, 30 dB).
  return first + ((last - first) * i) / (n - 1);
}

void EvaluateAt(rf::ModelState& m, SweepKind kind, double x) {
  switch (kind) {
    case SweepKind::LoadPhase:
      m.LoaRfl.Pha = x;
      rf::ComputeTransmission(m);
      break;
    case SweepKind::SrcPhase:
      m.SrcRfl.Pha = x;
      rf::ComputeTransmission(m);
      break;
    case SweepKind::RoundTrip:
      m.LoaRfl.Pha = WrapPhase(x - m.SrcRfl.Pha);
      rf::ComputeTransmission(m);
      break;
    case SweepKind::Directivity:
      m.CplIdeal = false;
      m.CplDirDb = x;
      rf::ComputeMeasurement(m);
      break;
  }
}

std::vector<SweepPoint> Sweep(const rf::ModelState& base, SweepKind kind, int n) {
  std::vector<SweepPoint> out;
  if (n < kMinSweepPoints) return out;
  out.reserve(static_cast<std::size_t>(n));
  ForEachSweepPoint(base, kind, n, [&](double x, const rf::ModelState& m) {
    out.push_back(SweepPoint{x, m});
  });
  return out;
}

std::vector<double> Column(const std::vector<SweepPoint>& points, const rf::ScalarField& field) {
  std::vector<double> out;
  out.reserve(points.size());
  for (const SweepPoint& p : points) out.push_back(field.Value(p.Model));
  return out;
}

}  // namespace analysis
