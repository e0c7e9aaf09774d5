#include "views/band_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "analysis/coupler_design.h"
#include "analysis/uncertainty.h"
#include "chart/ticks.h"
#include "views/texts.h"

namespace views {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMHz = 1e6;
// Reading errors in per cent, from what a good coupler reaches to an error as large as the
// power itself.
constexpr std::array<double, 11> kErrorLevels{0.0, 0.1,  0.2,  0.5,  1.0,  2.0,
                                              5.0, 10.0, 20.0, 50.0, 100.0};

chart::Reflection Gamma(const rf::TRefl& r) {
  return std::polar(r.Mag, r.Pha * 3.141592653589793 / 180.0);
}

std::string Column(std::string_view name, numtext::PowerScale scale) {
  std::string s(name);
  s += ' ';
  s += numtext::ScaleName(scale);
  return s;
}

double RoundSignificant(double v, int digits) {
  if (!std::isfinite(v) || v == 0.0) return v;
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - (digits - 1));
  return std::round(v / unit) * unit;
}

}  // namespace

BuiltChart BandPowersChart(const BandEvaluation& e, const BandSetup& s, numtext::PowerUnit unit) {
  const numtext::PowerScale scale = BandScale(e, unit);
  BuiltChart b;
  b.FileStem = std::string(kStemBandPowers);
  chart::XyChart& c = b.Chart;
  c.Title = std::string(kChartBandPowers);
  c.X.Title = std::string(kTitleFrequency);
  c.X.Unit = std::string(kUnitMegahertz);
  if (s.Band.ToHz > s.Band.FromHz) {
    c.X.Min = s.Band.FromHz / kMHz;
    c.X.Max = s.Band.ToHz / kMHz;
  }
  c.Y.Title = std::string(kTitlePower);
  c.Y.Unit = std::string(numtext::ScaleName(scale));

  std::vector<double> x;
  std::array<std::vector<double>, 3> power;
  std::array<std::vector<double>, 6> limits;
  for (const analysis::FrequencyPoint& p : e.Points) {
    const rf::ModelState& m = p.Model;
    x.push_back(p.FreqHz / kMHz);
    const std::array<double, 3> v{m.Pinc, m.Prefl, m.Pload};
    const std::array<double, 6> l{m.PincMin,  m.PincMax,  m.PreflMin,
                                  m.PreflMax, m.PloadMin, m.PloadMax};
    for (std::size_t i = 0; i < 3; ++i) power[i].push_back(numtext::InScale(scale, v[i]));
    for (std::size_t i = 0; i < 6; ++i) limits[i].push_back(numtext::InScale(scale, l[i]));
    std::vector<double> row{p.FreqHz};
    row.insert(row.end(), v.begin(), v.end());
    row.insert(row.end(), l.begin(), l.end());
    for (std::size_t i = 1; i < row.size(); ++i) row[i] = numtext::InScale(scale, row[i]);
    b.Table.Rows.push_back(std::move(row));
  }
  b.Table.Columns = {std::string(analysis::kFrequencyColumn),
                     Column(kSeriesPinc, scale),
                     Column(kSeriesPrefl, scale),
                     Column(kSeriesPload, scale),
                     Column(kColPincMin, scale),
                     Column(kColPincMax, scale),
                     Column(kColPreflMin, scale),
                     Column(kColPreflMax, scale),
                     Column(kColPloadMin, scale),
                     Column(kColPloadMax, scale)};

  const std::array<std::string_view, 3> names{kSeriesPinc, kSeriesPrefl, kSeriesPload};
  const std::array<std::string_view, 3> limitNames{kSeriesPincLimits, kSeriesPreflLimits,
                                                   kSeriesPloadLimits};
  for (std::size_t i = 0; i < 3; ++i) {
    chart::Band band;
    band.Name = std::string(limitNames[i]);
    band.X = x;
    band.Lower = limits[2 * i];
    band.Upper = limits[2 * i + 1];
    band.Colour = static_cast<int>(i);
    c.Bands.push_back(std::move(band));
  }
  for (std::size_t i = 0; i < 3; ++i) {
    chart::Series line;
    line.Name = std::string(names[i]);
    line.X = x;
    line.Y = std::move(power[i]);
    line.Colour = static_cast<int>(i);
    if (i == 2) line.EmptyNote = std::string(kNoAbsorbedPower);
    c.Lines.push_back(std::move(line));
  }
  chart::TargetLine at;
  at.Along = chart::Orientation::Vertical;
  at.Value = s.FreqHz / kMHz;
  at.Label = std::string(kOperatingFrequency);
  c.Targets.push_back(std::move(at));
  const rf::ModelState& op = e.Operating;
  bool named = false;
  for (const double w : {op.Pinc, op.Prefl, op.Pload}) {
    chart::Marker m;
    m.X = s.FreqHz / kMHz;
    m.Y = numtext::InScale(scale, w);
    // One legend entry for the three marks: the first that has a place carries it.
    if (!named && std::isfinite(m.Y)) {
      m.Name = std::string(kSeriesOperating);
      named = true;
    }
    c.Markers.push_back(std::move(m));
  }
  return b;
}

chart::SmithChart BandSmithChart(const BandEvaluation& e) {
  chart::SmithChart c;
  c.Title = std::string(kChartBandSmith);
  // A waveguide has no one characteristic impedance: the read-out is normalised.
  c.Z0 = 0.0;
  const rf::ModelState& op = e.Operating;
  const analysis::InferredLoadRange inferred = analysis::InferredLoadReflection(op);
  // Ideal couplers tell every load apart: no ring, and no legend entry for one.
  if (std::isfinite(inferred.Lo.Mag) && std::isfinite(inferred.Hi.Mag) &&
      inferred.Hi.Mag > inferred.Lo.Mag) {
    chart::SmithAnnulus a;
    a.Name = std::string(kSeriesInferred);
    a.Inner = std::clamp(inferred.Lo.Mag, 0.0, 1.0);
    a.Outer = std::clamp(inferred.Hi.Mag, 0.0, 1.0);
    a.Colour = 4;
    c.Annuli.push_back(std::move(a));
  }
  // With the source fixed, |Gs Gl| stays constant exactly where |Gl| does: a circle about the
  // centre through the operating point, the loads a change of line length alone reaches.
  chart::SmithCircle circle;
  circle.Name = std::string(kSeriesConstantProduct);
  circle.Radius = op.LoaRfl.Mag;
  circle.Colour = 3;
  c.Circles.push_back(std::move(circle));

  chart::SmithLocus locus;
  locus.Name = std::string(kSeriesLoadLocus);
  locus.Colour = 0;
  for (const analysis::FrequencyPoint& p : e.Points) locus.Gamma.push_back(Gamma(p.Model.LoaRfl));
  c.Loci.push_back(std::move(locus));

  chart::SmithPoint conj;
  conj.Name = std::string(kSeriesSourceConjugate);
  conj.Gamma = std::conj(Gamma(op.SrcRfl));
  conj.Shape = chart::MarkerShape::Diamond;
  conj.Colour = 2;
  c.Points.push_back(std::move(conj));
  chart::SmithPoint at;
  at.Name = std::string(kSeriesOperating);
  at.Gamma = Gamma(op.LoaRfl);
  c.Points.push_back(std::move(at));
  return c;
}

chart::ContourMap LoadPlaneMap(const rf::ModelState& operating, MapQuantity q,
                               numtext::PowerUnit unit, int n) {
  chart::ContourMap map;
  map.ReflectionPlane = true;
  map.X.Title = std::string(kTitleLoadRe);
  map.Y.Title = std::string(kTitleLoadIm);
  map.X.Min = map.Y.Min = -1.0;
  map.X.Max = map.Y.Max = 1.0;
  n = std::max(n, 2);
  const auto count = static_cast<std::size_t>(n);
  for (std::size_t i = 0; i < count; ++i) {
    // Both ends exactly, so that the rim's points lie on the unit circle.
    const double t = -1.0 + 2.0 * static_cast<double>(i) / static_cast<double>(count - 1);
    map.Values.X.push_back(i + 1 == count ? 1.0 : t);
  }
  map.Values.Y = map.Values.X;
  const numtext::PowerScale scale =
      numtext::ScaleFor(unit, std::isfinite(operating.Pav) ? std::fabs(operating.Pav) : 0.0);
  map.Values.Z.reserve(count * count);
  rf::ModelState m = operating;
  // The source stays: its reflection in rectangular form is formed once, as
  // ComputeTransmission forms it, and the power map skips the couplers' readings.
  rf::TComplex gs;
  rf::CxSet(gs, m.SrcRfl.Mag, m.SrcRfl.Pha);
  rf::CxPolarDegToRect(gs, gs);
  for (std::size_t j = 0; j < count; ++j) {
    for (std::size_t i = 0; i < count; ++i) {
      const double re = map.Values.X[i];
      const double im = map.Values.Y[j];
      // The plane of passive loads: the unit disc, its rim included.
      if (re * re + im * im > 1.0) {
        map.Values.Z.push_back(kNaN);
        continue;
      }
      rf::TComplex z;
      rf::CxSet(z, re, im);
      analysis::SetReflection(m.LoaRfl, z);
      if (q == MapQuantity::AbsorbedPower) {
        rf::ComputeTransmissionLimits(m);
        rf::TComplex gl;
        rf::CxSet(gl, m.LoaRfl.Mag, m.LoaRfl.Pha);
        rf::CxPolarDegToRect(gl, gl);
        rf::ComputeTransmissionAt(m, gs, gl);
        map.Values.Z.push_back(numtext::InScale(scale, m.Pload));
      } else {
        rf::ComputeTransmission(m);
        // The relative error grows without bound as the absorbed power vanishes at the rim:
        // the worst errors share the top band, so that the ones that matter keep their colours.
        const double e = 100.0 * analysis::AbsorbedReadingError(m);
        map.Values.Z.push_back(std::isnan(e) ? e : std::min(e, kErrorLevels.back()));
      }
    }
  }
  chart::Marker at;
  at.Name = std::string(kSeriesOperating);
  at.X = operating.LoaRfl.Mag * std::cos(operating.LoaRfl.Pha * 3.141592653589793 / 180.0);
  at.Y = operating.LoaRfl.Mag * std::sin(operating.LoaRfl.Pha * 3.141592653589793 / 180.0);
  map.Markers.push_back(std::move(at));

  if (q == MapQuantity::ReadingError) {
    map.Title = std::string(kChartMapError);
    map.ScaleTitle = std::string(kTitleError);
    map.ScaleUnit = std::string(kUnitPercent);
    map.Levels.assign(kErrorLevels.begin(), kErrorLevels.end());
    return map;
  }
  map.Title = std::string(kChartMapPower);
  map.ScaleTitle = std::string(kTitlePower);
  map.ScaleUnit = std::string(numtext::ScaleName(scale));
  double lo = kNaN;
  double hi = kNaN;
  for (const double v : map.Values.Z) {
    if (!std::isfinite(v)) continue;
    lo = std::isnan(lo) ? v : std::min(lo, v);
    hi = std::isnan(hi) ? v : std::max(hi, v);
  }
  if (std::isnan(lo) || !(hi > lo)) return map;  // the engine's own levels
  const chart::AxisTicks ticks = chart::LinearTicks(lo, hi, 9, true, kNaN);
  for (const chart::Tick& t : ticks.Ticks) {
    if (t.Major) map.Levels.push_back(t.Value);
  }
  // Three significant digits: the colour scale labels it, and 0.1 % of it is no visible place.
  const double tenthDown = RoundSignificant(numtext::InScale(scale, 0.9 * operating.Pload), 3);
  if (std::isfinite(tenthDown) && tenthDown > map.Levels.front() && tenthDown < map.Levels.back()) {
    map.Levels.push_back(tenthDown);
    std::sort(map.Levels.begin(), map.Levels.end());
    // A round level within a hair of it would make a band too thin to see or to label.
    const double step = (map.Levels.back() - map.Levels.front()) * 1e-3;
    map.Levels.erase(std::unique(map.Levels.begin(), map.Levels.end(),
                                 [&](double a, double b2) { return b2 - a < step; }),
                     map.Levels.end());
  }
  return map;
}

}  // namespace views
