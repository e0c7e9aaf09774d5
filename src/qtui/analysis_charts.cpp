#include "qtui/analysis_charts.h"

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
#include <cmath>
#include <limits>
#include <string_view>

#include "analysis/sweep.h"
#include "numtext/power_unit.h"
#include "qtui/qt_text.h"
#include "views/texts.h"

namespace qtui {

namespace {

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

// The window's power unit; a group with nothing selected plots in watts.
numtext::PowerUnit PowerUnitOf(int index) {
  return numtext::PowerUnitOfIndex(index).value_or(numtext::PowerUnit::Watts);
}

}  // namespace

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
  chart_->setTitle(Q(views::kChartPowers));
  x_->setTitleText(Q(views::kAxisPhase));
  x_->setRange(analysis::kPhaseFirst, analysis::kPhaseLast);
  x_->setTickCount(9);
  const std::array<std::string_view, 3> names{views::kSeriesPinc, views::kSeriesPrefl,
                                              views::kSeriesPload};
  for (std::size_t i = 0; i < names.size(); ++i) {
    lines_.push_back(Line(kColors[i], Qt::SolidLine, names[i]));
    Attach(lines_.back());
  }
  for (std::size_t i = 0; i < 2 * names.size(); ++i) {
    limits_.push_back(Line(kColors[i / 2], Qt::DashLine, {}));
    Attach(limits_.back());
  }
  marker_ = new QScatterSeries;
  marker_->setName(Q(views::kSeriesActual));
  marker_->setMarkerSize(10.0);
  marker_->setColor(Qt::black);
  Attach(marker_);
  // The dashed limits explain themselves by colour; the legend names the curves only.
  for (QLineSeries* s : limits_) chart_->legend()->markers(s).first()->setVisible(false);
}

void PowerChart::Update(const rf::ModelState& m, int powerUnitIndex) {
  views::PowerChartData d = views::PowerChart(m, PowerUnitOf(powerUnitIndex));
  y_->setTitleText(Q(views::kAxisPowerPrefix) + Q(numtext::ScaleName(d.Scale)) + QLatin1Char(')'));
  std::vector<double> plotted;
  for (std::size_t i = 0; i < 3; ++i) ReplaceFinite(lines_[i], d.Phase, d.Power[i], plotted);
  const std::vector<double> ends{analysis::kPhaseFirst, analysis::kPhaseLast};
  for (std::size_t i = 0; i < d.Limits.size(); ++i) {
    ReplaceFinite(limits_[i], ends, {d.Limits[i], d.Limits[i]}, plotted);
  }
  QList<QPointF> marks;
  for (double v : d.Actual) {
    if (std::isfinite(v) && std::isfinite(d.ActualPhase)) marks.append(QPointF(d.ActualPhase, v));
  }
  marker_->replace(marks);
  FitY(plotted);
  table_ = std::move(d.Table);
}

ReadingChart::ReadingChart() {
  chart_->setTitle(Q(views::kChartReadings));
  x_->setTitleText(Q(views::kAxisPhase));
  x_->setRange(analysis::kPhaseFirst, analysis::kPhaseLast);
  x_->setTickCount(9);
  const std::array<std::string_view, 3> names{views::kSeriesPincReading, views::kSeriesPreflReading,
                                              views::kSeriesPloadReading};
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
  views::ReadingChartData d = views::ReadingChart(m, PowerUnitOf(powerUnitIndex));
  y_->setTitleText(Q(views::kAxisPowerPrefix) + Q(numtext::ScaleName(d.Scale)) + QLatin1Char(')'));
  std::vector<double> plotted;
  for (std::size_t i = 0; i < 3; ++i) {
    ReplaceFinite(lower_[i], d.Phase, d.Reading[2 * i], plotted);
    ReplaceFinite(upper_[i], d.Phase, d.Reading[2 * i + 1], plotted);
  }
  FitY(plotted);
  table_ = std::move(d.Table);
}

DirectivityChart::DirectivityChart() {
  chart_->setTitle(Q(views::kChartDirectivity));
  x_->setTitleText(Q(views::kAxisDirectivity));
  x_->setRange(analysis::kDirectivityFirst, analysis::kDirectivityLast);
  x_->setTickCount(7);
  y_->setTitleText(Q(views::kAxisError));
  lower_ = new QLineSeries;
  upper_ = new QLineSeries;
  auto* band = new QAreaSeries(upper_, lower_);
  lower_->setParent(band);
  upper_->setParent(band);
  band->setName(Q(views::kSeriesErrorBand));
  QColor fill = kColors[2];
  fill.setAlpha(90);
  band->setBrush(fill);
  band->setPen(QPen(kColors[2], 1.0));
  Attach(band);
  present_ = new QScatterSeries;
  present_->setName(Q(views::kSeriesPresentDir));
  present_->setMarkerSize(10.0);
  present_->setColor(Qt::black);
  Attach(present_);
}

void DirectivityChart::Update(const rf::ModelState& m, int /*powerUnitIndex*/) {
  views::DirectivityChartData d = views::DirectivityChart(m);
  std::vector<double> plotted;
  ReplaceFinite(lower_, d.Directivity, d.ErrorMin, plotted);
  ReplaceFinite(upper_, d.Directivity, d.ErrorMax, plotted);
  QList<QPointF> marks;
  for (double e : d.PresentError) marks.append(QPointF(d.PresentDirectivity, e));
  present_->replace(marks);
  FitY(plotted);
  table_ = std::move(d.Table);
}

}  // namespace qtui
