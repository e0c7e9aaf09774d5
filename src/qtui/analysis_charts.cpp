#include "qtui/analysis_charts.h"

#include "numtext/round_trip.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "analysis/results_table.h"
#include "analysis/sweep.h"
#include "mainwindow/texts.h"
#include "mainwindow/unit_index.h"
#include "qtui/analysis_texts.h"

namespace qtui {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const std::array<QColor, 3> kColors{QColor(0, 90, 200), QColor(200, 40, 40), QColor(0, 140, 60)};

QLineSeries* Line(const QColor& color, Qt::PenStyle style, std::string_view name) {
  auto* s = new QLineSeries;
  QPen pen(color);
  pen.setWidthF(style == Qt::SolidLine ? 2.0 : 1.2);
  pen.setStyle(style);
  s->setPen(pen);
  s->setName(Q(name));
  return s;
}

// Replaces a series' points with the finite ones; a chart cannot draw an infinity or NaN (a
// zero power in decibels, a total reflection).
void ReplaceFinite(QLineSeries* s, const std::vector<double>& x, const std::vector<double>& y,
                   std::vector<double>& plotted) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(x.size()));
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::isfinite(x[i]) && std::isfinite(y[i])) {
      points.append(QPointF(x[i], y[i]));
      plotted.push_back(y[i]);
    }
  }
  s->replace(points);
}

double LargestFinite(std::initializer_list<double> values) {
  double largest = 0.0;
  for (double v : values) {
    if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
  }
  return largest;
}

// The round-trip phase of the actual reflections, wrapped into -180..180 as the sweep has it.
double ActualRoundTrip(const rf::ModelState& m) {
  const double sum = m.SrcRfl.Pha + m.LoaRfl.Pha;
  return std::remainder(sum, 360.0);
}

}  // namespace

PowerUnit ChoosePowerUnit(int powerUnitIndex, double largestWatts) {
  switch (powerUnitIndex) {
    case mainwindow::kPowerDbm:
      return {Q(mainwindow::kUnitDbm), true, 1e3};
    case mainwindow::kPowerDbw:
      return {Q(mainwindow::kUnitDbw), true, 1.0};
    case mainwindow::kPowerDbkw:
      return {Q(mainwindow::kUnitDbkw), true, 1e-3};
    default:
      break;
  }
  // As the window does for a single value: the prefix follows the size of the largest power.
  if (!(largestWatts < 1e3)) {
    return largestWatts < 1e6 ? PowerUnit{Q(mainwindow::kUnitKW), false, 1e-3}
                              : PowerUnit{Q(mainwindow::kUnitMW), false, 1e-6};
  }
  return {Q(mainwindow::kUnitW), false, 1.0};
}

double InUnit(const PowerUnit& unit, double watts) {
  const double x = watts * unit.Factor;
  return unit.Decibel ? 10.0 * std::log10(x) : x;
}

std::string ChartCsv(const ChartTable& table) {
  std::string out;
  for (qsizetype i = 0; i < table.Columns.size(); ++i) {
    if (i > 0) out += ',';
    analysis::AppendCsvField(out, table.Columns[i].toStdString());
  }
  out += "\r\n";
  for (const std::vector<double>& row : table.Rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += ',';
      numtext::AppendRoundTrip(out, row[i]);
    }
    out += "\r\n";
  }
  return out;
}

SweepChart::SweepChart() : chart_(new QChart), x_(new QValueAxis), y_(new QValueAxis) {
  chart_->addAxis(x_, Qt::AlignBottom);
  chart_->addAxis(y_, Qt::AlignLeft);
  chart_->legend()->setAlignment(Qt::AlignBottom);
  // Animations would make each redraw last longer than a frame.
  chart_->setAnimationOptions(QChart::NoAnimation);
}

void SweepChart::Attach(QAbstractSeries* s) {
  chart_->addSeries(s);
  s->attachAxis(x_);
  s->attachAxis(y_);
}

void SweepChart::FitY(const std::vector<double>& values) {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (double v : values) {
    if (!std::isfinite(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (!(lo <= hi)) {
    lo = 0.0;
    hi = 1.0;
  }
  const double span = hi - lo;
  const double margin = span > 0.0 ? 0.05 * span : std::max(1.0, 0.05 * std::fabs(hi));
  y_->setRange(lo - margin, hi + margin);
  // Round ticks (0.2, 0.25, 0.5 steps of a decade) read better than the data's own ends.
  y_->applyNiceNumbers();
}

PowerChart::PowerChart() {
  chart_->setTitle(Q(kChartPowers));
  x_->setTitleText(Q(kAxisPhase));
  x_->setRange(analysis::kPhaseFirst, analysis::kPhaseLast);
  x_->setTickCount(9);
  const std::array<std::string_view, 3> names{kSeriesPinc, kSeriesPrefl, kSeriesPload};
  for (std::size_t i = 0; i < names.size(); ++i) {
    lines_.push_back(Line(kColors[i], Qt::SolidLine, names[i]));
    Attach(lines_.back());
  }
  for (std::size_t i = 0; i < 2 * names.size(); ++i) {
    limits_.push_back(Line(kColors[i / 2], Qt::DashLine, {}));
    Attach(limits_.back());
  }
  marker_ = new QScatterSeries;
  marker_->setName(Q(kSeriesActual));
  marker_->setMarkerSize(10.0);
  marker_->setColor(Qt::black);
  Attach(marker_);
  // The dashed limits explain themselves by colour; the legend names the curves only.
  for (QLineSeries* s : limits_) chart_->legend()->markers(s).first()->setVisible(false);
}

void PowerChart::Update(const rf::ModelState& m, int powerUnitIndex) {
  const std::vector<analysis::SweepPoint> points =
      analysis::Sweep(m, analysis::SweepKind::RoundTrip, kPhasePoints);
  const PowerUnit unit =
      ChoosePowerUnit(powerUnitIndex, LargestFinite({m.PincMax, m.PreflMax, m.PloadMax}));
  y_->setTitleText(Q(kAxisPowerPrefix) + unit.Name + QLatin1Char(')'));
  table_.Columns = {QStringLiteral("phase_deg"), Q(kSeriesPinc) + QLatin1Char(' ') + unit.Name,
                    Q(kSeriesPrefl) + QLatin1Char(' ') + unit.Name,
                    Q(kSeriesPload) + QLatin1Char(' ') + unit.Name};
  table_.Rows.clear();
  std::vector<double> x;
  std::array<std::vector<double>, 3> y;
  for (const analysis::SweepPoint& p : points) {
    const std::array<double, 3> v{InUnit(unit, p.Model.Pinc), InUnit(unit, p.Model.Prefl),
                                  InUnit(unit, p.Model.Pload)};
    x.push_back(p.X);
    for (std::size_t i = 0; i < 3; ++i) y[i].push_back(v[i]);
    table_.Rows.push_back({p.X, v[0], v[1], v[2]});
  }
  std::vector<double> plotted;
  for (std::size_t i = 0; i < 3; ++i) ReplaceFinite(lines_[i], x, y[i], plotted);
  const std::array<double, 6> limits{m.PincMin,  m.PincMax,  m.PreflMin,
                                     m.PreflMax, m.PloadMin, m.PloadMax};
  const std::vector<double> ends{analysis::kPhaseFirst, analysis::kPhaseLast};
  for (std::size_t i = 0; i < limits.size(); ++i) {
    const double v = InUnit(unit, limits[i]);
    ReplaceFinite(limits_[i], ends, {v, v}, plotted);
  }
  const double at = ActualRoundTrip(m);
  QList<QPointF> marks;
  for (double p : {m.Pinc, m.Prefl, m.Pload}) {
    const double v = InUnit(unit, p);
    if (std::isfinite(v) && std::isfinite(at)) marks.append(QPointF(at, v));
  }
  marker_->replace(marks);
  FitY(plotted);
}

ReadingChart::ReadingChart() {
  chart_->setTitle(Q(kChartReadings));
  x_->setTitleText(Q(kAxisPhase));
  x_->setRange(analysis::kPhaseFirst, analysis::kPhaseLast);
  x_->setTickCount(9);
  const std::array<std::string_view, 3> names{kSeriesPincReading, kSeriesPreflReading,
                                              kSeriesPloadReading};
  for (std::size_t i = 0; i < names.size(); ++i) {
    lower_.push_back(new QLineSeries);
    upper_.push_back(new QLineSeries);
    auto* band = new QAreaSeries(upper_.back(), lower_.back());
    lower_.back()->setParent(band);
    upper_.back()->setParent(band);
    band->setName(Q(names[i]));
    QColor fill = kColors[i];
    fill.setAlpha(90);
    band->setBrush(fill);
    band->setPen(QPen(kColors[i], 1.0));
    Attach(band);
  }
}

void ReadingChart::Update(const rf::ModelState& m, int powerUnitIndex) {
  const std::vector<analysis::SweepPoint> points =
      analysis::Sweep(m, analysis::SweepKind::RoundTrip, kPhasePoints);
  double largest = 0.0;
  for (const analysis::SweepPoint& p : points) {
    largest =
        std::max(largest, LargestFinite({p.Model.PincMaxV, p.Model.PreflMaxV, p.Model.PloadMaxV}));
  }
  const PowerUnit unit = ChoosePowerUnit(powerUnitIndex, largest);
  y_->setTitleText(Q(kAxisPowerPrefix) + unit.Name + QLatin1Char(')'));
  table_.Columns = {QStringLiteral("phase_deg")};
  for (const char* name :
       {"PincMinV", "PincMaxV", "PreflMinV", "PreflMaxV", "PloadMinV", "PloadMaxV"}) {
    table_.Columns.append(QLatin1String(name) + QLatin1Char(' ') + unit.Name);
  }
  table_.Rows.clear();
  std::vector<double> x;
  std::array<std::vector<double>, 6> y;
  for (const analysis::SweepPoint& p : points) {
    const rf::ModelState& q = p.Model;
    const std::array<double, 6> v{InUnit(unit, q.PincMinV),  InUnit(unit, q.PincMaxV),
                                  InUnit(unit, q.PreflMinV), InUnit(unit, q.PreflMaxV),
                                  InUnit(unit, q.PloadMinV), InUnit(unit, q.PloadMaxV)};
    x.push_back(p.X);
    std::vector<double> row{p.X};
    for (std::size_t i = 0; i < 6; ++i) {
      y[i].push_back(v[i]);
      row.push_back(v[i]);
    }
    table_.Rows.push_back(std::move(row));
  }
  std::vector<double> plotted;
  for (std::size_t i = 0; i < 3; ++i) {
    ReplaceFinite(lower_[i], x, y[2 * i], plotted);
    ReplaceFinite(upper_[i], x, y[2 * i + 1], plotted);
  }
  FitY(plotted);
}

DirectivityChart::DirectivityChart() {
  chart_->setTitle(Q(kChartDirectivity));
  x_->setTitleText(Q(kAxisDirectivity));
  x_->setRange(analysis::kDirectivityFirst, analysis::kDirectivityLast);
  x_->setTickCount(7);
  y_->setTitleText(Q(kAxisError));
  lower_ = new QLineSeries;
  upper_ = new QLineSeries;
  auto* band = new QAreaSeries(upper_, lower_);
  lower_->setParent(band);
  upper_->setParent(band);
  band->setName(Q(kSeriesErrorBand));
  QColor fill = kColors[2];
  fill.setAlpha(90);
  band->setBrush(fill);
  band->setPen(QPen(kColors[2], 1.0));
  Attach(band);
  present_ = new QScatterSeries;
  present_->setName(Q(kSeriesPresentDir));
  present_->setMarkerSize(10.0);
  present_->setColor(Qt::black);
  Attach(present_);
}

void DirectivityChart::Update(const rf::ModelState& m, int /*powerUnitIndex*/) {
  const std::vector<analysis::SweepPoint> points =
      analysis::Sweep(m, analysis::SweepKind::Directivity, kDirectivityPoints);
  table_.Columns = {QStringLiteral("directivity_db"), QStringLiteral("error_min_pct"),
                    QStringLiteral("error_max_pct")};
  table_.Rows.clear();
  std::vector<double> x;
  std::vector<double> lo;
  std::vector<double> hi;
  for (const analysis::SweepPoint& p : points) {
    x.push_back(p.X);
    lo.push_back((p.Model.PloadMinRelat - 1.0) * 100.0);
    hi.push_back((p.Model.PloadMaxRelat - 1.0) * 100.0);
    table_.Rows.push_back({p.X, lo.back(), hi.back()});
  }
  std::vector<double> plotted;
  ReplaceFinite(lower_, x, lo, plotted);
  ReplaceFinite(upper_, x, hi, plotted);
  QList<QPointF> marks;
  if (!m.CplIdeal && m.CplDirDb >= analysis::kDirectivityFirst &&
      m.CplDirDb <= analysis::kDirectivityLast) {
    for (double r : {m.PloadMinRelat, m.PloadMaxRelat}) {
      const double e = (r - 1.0) * 100.0;
      if (std::isfinite(e)) marks.append(QPointF(m.CplDirDb, e));
    }
  }
  present_->replace(marks);
  FitY(plotted);
}

}  // namespace qtui
