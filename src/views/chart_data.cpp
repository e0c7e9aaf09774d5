#include "views/chart_data.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "analysis/sweep.h"
#include "text/json.h"
#include "text/table.h"
#include "views/texts.h"

namespace views {

namespace {

using numtext::InScale;

double LargestFinite(std::initializer_list<double> values) {
  double largest = 0.0;
  for (double v : values) {
    if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
  }
  return largest;
}

// A column in words with its unit, as a spreadsheet user reads it: "Incident power (kW)".
std::string Column(std::string_view name, numtext::PowerScale scale) {
  return ColumnWithUnit(name, numtext::ScaleName(scale));
}

}  // namespace

std::string ChartCsv(const ChartTable& table) {
  std::string out;
  for (std::size_t i = 0; i < table.Columns.size(); ++i) {
    if (i > 0) out += ',';
    text::AppendCsvField(out, table.Columns[i]);
  }
  out += "\r\n";
  for (const std::vector<double>& row : table.Rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += ',';
      text::AppendRoundTrip(out, row[i]);
    }
    out += "\r\n";
  }
  return out;
}

PowerChartData PowerChart(const rf::ModelState& m, numtext::PowerUnit unit) {
  PowerChartData d;
  d.Scale = numtext::ScaleFor(unit, LargestFinite({m.PincMax, m.PreflMax, m.PloadMax}));
  d.Table.Columns = {std::string(kAxisPhase), Column(kColPinc, d.Scale), Column(kColPrefl, d.Scale),
                     Column(kColPload, d.Scale)};
  const auto points = analysis::Sweep(m, analysis::SweepKind::RoundTrip, kPhasePoints);
  for (const analysis::SweepPoint& p : points) {
    const std::array<double, 3> v{InScale(d.Scale, p.Model.Pinc), InScale(d.Scale, p.Model.Prefl),
                                  InScale(d.Scale, p.Model.Pload)};
    d.Phase.push_back(p.X);
    for (std::size_t i = 0; i < v.size(); ++i) d.Power[i].push_back(v[i]);
    d.Table.Rows.push_back({p.X, v[0], v[1], v[2]});
  }
  const std::array<double, 6> limits{m.PincMin,  m.PincMax,  m.PreflMin,
                                     m.PreflMax, m.PloadMin, m.PloadMax};
  for (std::size_t i = 0; i < limits.size(); ++i) d.Limits[i] = InScale(d.Scale, limits[i]);
  d.ActualPhase = analysis::RoundTripPhase(m);
  d.Actual = {InScale(d.Scale, m.Pinc), InScale(d.Scale, m.Prefl), InScale(d.Scale, m.Pload)};
  return d;
}

ReadingChartData ReadingChart(const rf::ModelState& m, numtext::PowerUnit unit) {
  ReadingChartData d;
  const auto points = analysis::Sweep(m, analysis::SweepKind::RoundTrip, kPhasePoints);
  double largest = 0.0;
  for (const analysis::SweepPoint& p : points) {
    largest =
        std::max(largest, LargestFinite({p.Model.PincMaxV, p.Model.PreflMaxV, p.Model.PloadMaxV}));
  }
  d.Scale = numtext::ScaleFor(unit, largest);
  d.Table.Columns = {std::string(kAxisPhase)};
  for (std::string_view name :
       {kColPincMinV, kColPincMaxV, kColPreflMinV, kColPreflMaxV, kColPloadMinV, kColPloadMaxV}) {
    d.Table.Columns.push_back(Column(name, d.Scale));
  }
  for (const analysis::SweepPoint& p : points) {
    const rf::ModelState& q = p.Model;
    const std::array<double, 6> v{InScale(d.Scale, q.PincMinV),  InScale(d.Scale, q.PincMaxV),
                                  InScale(d.Scale, q.PreflMinV), InScale(d.Scale, q.PreflMaxV),
                                  InScale(d.Scale, q.PloadMinV), InScale(d.Scale, q.PloadMaxV)};
    d.Phase.push_back(p.X);
    std::vector<double> row{p.X};
    for (std::size_t i = 0; i < v.size(); ++i) {
      d.Reading[i].push_back(v[i]);
      row.push_back(v[i]);
    }
    d.Table.Rows.push_back(std::move(row));
  }
  return d;
}

DirectivityChartData DirectivityChart(const rf::ModelState& m) {
  DirectivityChartData d;
  d.Table.Columns = {std::string(kAxisDirectivity), ColumnWithUnit(kColErrorMin, kUnitPercent),
                     ColumnWithUnit(kColErrorMax, kUnitPercent)};
  const auto points = analysis::Sweep(m, analysis::SweepKind::Directivity, kDirectivityPoints);
  for (const analysis::SweepPoint& p : points) {
    d.Directivity.push_back(p.X);
    d.ErrorMin.push_back((p.Model.PloadMinRelat - 1.0) * 100.0);
    d.ErrorMax.push_back((p.Model.PloadMaxRelat - 1.0) * 100.0);
    d.Table.Rows.push_back({p.X, d.ErrorMin.back(), d.ErrorMax.back()});
  }
  d.HasPresent = !m.CplIdeal && m.CplDirDb >= analysis::kDirectivityFirst &&
                 m.CplDirDb <= analysis::kDirectivityLast;
  if (d.HasPresent) {
    d.PresentDirectivity = m.CplDirDb;
    for (double r : {m.PloadMinRelat, m.PloadMaxRelat}) {
      const double e = (r - 1.0) * 100.0;
      if (std::isfinite(e)) d.PresentError.push_back(e);
    }
  }
  return d;
}

}  // namespace views
