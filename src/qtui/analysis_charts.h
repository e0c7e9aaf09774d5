#pragma once

#include <QString>
#include <vector>

#include "rf/model.h"
#include "views/chart_data.h"

class QAbstractSeries;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The Analysis window's three charts: each keeps its series and axes and only replaces their
// points on an update, which is what makes a redraw fit in a frame.
namespace qtui {

class SweepChart {
 public:
  SweepChart();
  virtual ~SweepChart() = default;
  SweepChart(const SweepChart&) = delete;
  SweepChart& operator=(const SweepChart&) = delete;

  // Recomputes from a computed model in the given power unit and replaces the points.
  virtual void Update(const rf::ModelState& m, int powerUnitIndex) = 0;
  QChart* Chart() const { return chart_; }
  const views::ChartTable& Table() const { return table_; }
  virtual QString FileStem() const = 0;

 protected:
  QChart* chart_;  // owned by the view it is given to
  QValueAxis* x_;
  QValueAxis* y_;
  views::ChartTable table_;
  void Attach(QAbstractSeries* s);
  // The y axis over every finite value plotted, with a margin.
  void FitY(const std::vector<double>& values);
};

// Incident, reflected and absorbed power over the round-trip phase, their minimum and maximum
// as dashed lines, a marker at the actual phase.
class PowerChart : public SweepChart {
 public:
  PowerChart();
  void Update(const rf::ModelState& m, int powerUnitIndex) override;
  QString FileStem() const override { return QStringLiteral("zephlane-powers"); }
  QLineSeries* Series(int i) const { return lines_[static_cast<std::size_t>(i)]; }
  QScatterSeries* Marker() const { return marker_; }

 private:
  std::vector<QLineSeries*> lines_;   // Pinc, Prefl, Pload
  std::vector<QLineSeries*> limits_;  // min, max of each
  QScatterSeries* marker_;
};

// The bands (min..max) of the incident, reflected and absorbed readings over the same phases.
class ReadingChart : public SweepChart {
 public:
  ReadingChart();
  void Update(const rf::ModelState& m, int powerUnitIndex) override;
  QString FileStem() const override { return QStringLiteral("zephlane-readings"); }

 private:
  std::vector<QLineSeries*> lower_;
  std::vector<QLineSeries*> upper_;
};

// The error band of the absorbed-power reading, per cent, over the directivity 0..60 dB.
class DirectivityChart : public SweepChart {
 public:
  DirectivityChart();
  void Update(const rf::ModelState& m, int powerUnitIndex) override;
  QString FileStem() const override { return QStringLiteral("zephlane-directivity"); }

 private:
  QLineSeries* lower_;
  QLineSeries* upper_;
  QScatterSeries* present_;
};

}  // namespace qtui
