#include "views/analysis_charts.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "analysis/sweep.h"
#include "numtext/format.h"
#include "views/texts.h"

namespace views {

namespace {

chart::Axis PhaseAxis() {
  chart::Axis a;
  a.Title = std::string(kTitlePhase);
  a.Unit = std::string(kUnitDegrees);
  a.Min = analysis::kPhaseFirst;
  a.Max = analysis::kPhaseLast;
  a.Step = 45.0;  // the phase reads in eighths of a turn
  return a;
}

chart::Axis PowerAxis(numtext::PowerScale scale) {
  chart::Axis a;
  a.Title = std::string(kTitlePower);
  a.Unit = std::string(numtext::ScaleName(scale));
  return a;
}

chart::Series Line(std::string_view name, std::vector<double> x, std::vector<double> y, int colour,
                   chart::Dash dash = chart::Dash::Solid) {
  chart::Series s;
  s.Name = std::string(name);
  s.X = std::move(x);
  s.Y = std::move(y);
  s.Colour = colour;
  s.Style = dash;
  if (dash != chart::Dash::Solid) s.Width = 1.25;
  return s;
}

// The operating point of each quantity: the first carries the legend's name, the others share
// it (one name for one kind of mark).
void AddOperatingPoints(chart::XyChart& c, double phase, const std::array<double, 3>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    chart::Marker m;
    m.Name = i == 0 ? std::string(kSeriesOperating) : std::string();
    m.X = phase;
    m.Y = values[i];
    c.Markers.push_back(std::move(m));
  }
}

// A marker without a finite place is never drawn, so its name must pass to the next one that
// is: the legend would otherwise drop the kind of mark altogether.
void NameFirstDrawnMarker(chart::XyChart& c, std::string_view name) {
  for (chart::Marker& m : c.Markers) m.Name.clear();
  for (chart::Marker& m : c.Markers) {
    if (std::isfinite(m.X) && std::isfinite(m.Y)) {
      m.Name = std::string(name);
      return;
    }
  }
}

}  // namespace

BuiltChart PowersChart(const rf::ModelState& m, numtext::PowerUnit unit) {
  PowerChartData d = PowerChart(m, unit);
  BuiltChart b;
  b.FileStem = std::string(kStemPowers);
  chart::XyChart& c = b.Chart;
  c.Title = std::string(kChartPowers);
  c.X = PhaseAxis();
  c.Y = PowerAxis(d.Scale);
  const std::array<std::string_view, 3> names{kSeriesPinc, kSeriesPrefl, kSeriesPload};
  const std::array<std::string_view, 3> limitNames{kSeriesPincLimits, kSeriesPreflLimits,
                                                   kSeriesPloadLimits};
  for (std::size_t i = 0; i < 3; ++i) {
    chart::Series s = Line(names[i], d.Phase, d.Power[i], static_cast<int>(i));
    if (i == 2) s.EmptyNote = std::string(kNoAbsorbedPower);
    c.Lines.push_back(std::move(s));
  }
  // A limit holds over every phase: a level line across the axis, min and max in one name.
  const std::vector<double> ends{analysis::kPhaseFirst, analysis::kPhaseLast};
  for (std::size_t i = 0; i < 3; ++i) {
    const double lo = d.Limits[2 * i];
    const double hi = d.Limits[2 * i + 1];
    c.Lines.push_back(
        Line(limitNames[i], ends, {lo, lo}, static_cast<int>(i), chart::Dash::Dashed));
    c.Lines.push_back(Line({}, ends, {hi, hi}, static_cast<int>(i), chart::Dash::Dashed));
    // When the minimum has no place (0 W in decibels), the maximum carries the name.
    if (!std::isfinite(lo)) std::swap(c.Lines[c.Lines.size() - 2].Name, c.Lines.back().Name);
  }
  AddOperatingPoints(c, d.ActualPhase, d.Actual);
  NameFirstDrawnMarker(c, kSeriesOperating);
  b.Table = std::move(d.Table);
  return b;
}

BuiltChart ReadingsChart(const rf::ModelState& m, numtext::PowerUnit unit) {
  ReadingChartData d = ReadingChart(m, unit);
  BuiltChart b;
  b.FileStem = std::string(kStemReadings);
  chart::XyChart& c = b.Chart;
  c.Title = std::string(kChartReadings);
  c.X = PhaseAxis();
  c.Y = PowerAxis(d.Scale);
  // The true powers over the same phases, in the readings' scale, so a reading's range can be
  // seen around the value it estimates.
  std::array<std::vector<double>, 3> truth;
  for (const analysis::SweepPoint& p :
       analysis::Sweep(m, analysis::SweepKind::RoundTrip, kPhasePoints)) {
    truth[0].push_back(numtext::InScale(d.Scale, p.Model.Pinc));
    truth[1].push_back(numtext::InScale(d.Scale, p.Model.Prefl));
    truth[2].push_back(numtext::InScale(d.Scale, p.Model.Pload));
  }
  const std::array<std::string_view, 3> trueNames{kSeriesPincTrue, kSeriesPreflTrue,
                                                  kSeriesPloadTrue};
  const std::array<std::string_view, 3> readingNames{kSeriesPincReading, kSeriesPreflReading,
                                                     kSeriesPloadReading};
  for (std::size_t i = 0; i < 3; ++i) {
    chart::Series t = Line(trueNames[i], d.Phase, truth[i], static_cast<int>(i));
    if (i == 2) t.EmptyNote = std::string(kNoAbsorbedPower);
    c.Lines.push_back(std::move(t));
  }
  // Each reading's range as its two edges, dashed in its quantity's colour: two ranges that
  // overlap stay two outlines rather than a mixed fill no legend names.
  for (std::size_t i = 0; i < 3; ++i) {
    c.Lines.push_back(
        Line(readingNames[i], d.Phase, d.Reading[2 * i], static_cast<int>(i), chart::Dash::Dashed));
    c.Lines.push_back(
        Line({}, d.Phase, d.Reading[2 * i + 1], static_cast<int>(i), chart::Dash::Dashed));
  }
  // A minimum edge with no finite point (0 W in decibels) hands the name to the maximum.
  for (std::size_t i = 3; i + 1 < c.Lines.size(); i += 2) {
    bool any = false;
    for (double v : c.Lines[i].Y) any = any || std::isfinite(v);
    if (!any) std::swap(c.Lines[i].Name, c.Lines[i + 1].Name);
  }
  AddOperatingPoints(c, analysis::RoundTripPhase(m),
                     {numtext::InScale(d.Scale, m.Pinc), numtext::InScale(d.Scale, m.Prefl),
                      numtext::InScale(d.Scale, m.Pload)});
  NameFirstDrawnMarker(c, kSeriesOperating);
  b.Table = std::move(d.Table);
  return b;
}

BuiltChart DirectivityErrorChart(const rf::ModelState& m, double targetPercent) {
  DirectivityChartData d = DirectivityChart(m);
  BuiltChart b;
  b.FileStem = std::string(kStemDirectivity);
  chart::XyChart& c = b.Chart;
  c.Title = std::string(kChartDirectivity);
  c.X.Title = std::string(kTitleDirectivity);
  c.X.Unit = std::string(kUnitDecibel);
  c.X.Min = analysis::kDirectivityFirst;
  c.X.Max = analysis::kDirectivityLast;
  c.X.Step = 10.0;
  c.Y.Title = std::string(kTitleError);
  c.Y.Unit = std::string(kUnitPercent);
  // Linear within +-1 %, logarithmic beyond: a few per cent at 30 dB and hundreds at 10 dB
  // share the axis and both read.
  c.Y.Kind = chart::Scale::SymLog;
  c.Y.Threshold = 1.0;
  chart::Band band;
  band.Name = std::string(kSeriesErrorBand);
  band.X = d.Directivity;
  band.Lower = d.ErrorMin;
  band.Upper = d.ErrorMax;
  band.Colour = 2;
  band.EmptyNote = std::string(kNoFiniteError);
  c.Bands.push_back(std::move(band));
  if (std::isfinite(targetPercent) && targetPercent > 0.0) {
    const std::string label = std::string(kTargetPrefix) + numtext::FloatToText(targetPercent, 2) +
                              std::string(" ") + std::string(kUnitPercent);
    c.Targets.push_back({chart::Orientation::Horizontal, targetPercent, label});
    c.Targets.push_back({chart::Orientation::Horizontal, -targetPercent, {}});
  }
  if (d.HasPresent) {
    for (double e : d.PresentError) {
      chart::Marker mk;
      mk.X = d.PresentDirectivity;
      mk.Y = e;
      c.Markers.push_back(std::move(mk));
    }
    NameFirstDrawnMarker(c, kSeriesPresentDir);
  }
  b.Table = std::move(d.Table);
  return b;
}

BuiltChart BuildAnalysisChart(AnalysisChart which, const rf::ModelState& m, numtext::PowerUnit unit,
                              double targetPercent) {
  switch (which) {
    case AnalysisChart::Powers:
      return PowersChart(m, unit);
    case AnalysisChart::Readings:
      return ReadingsChart(m, unit);
    case AnalysisChart::Directivity:
      break;
  }
  return DirectivityErrorChart(m, targetPercent);
}

}  // namespace views
