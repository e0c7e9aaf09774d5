#pragma once

#include <array>
#include <string>

#include "chart/xy_chart.h"
#include "numtext/power_unit.h"
#include "rf/model.h"
#include "views/chart_data.h"

// The Analysis window's charts as engine charts, built once from the chart data so that every
// face of the window (Qt, Win32) and every file (SVG, the report) shows the same picture.
namespace views {

inline constexpr int kAnalysisChartCount = 3;
enum class AnalysisChart { Powers = 0, Readings = 1, Directivity = 2 };

// A chart ready to lay out, with the table its CSV export writes and the stem of its files.
struct BuiltChart {
  chart::XyChart Chart;
  ChartTable Table;
  std::string FileStem;
};

// Incident, reflected and absorbed power over the round-trip phase; each quantity's min..max
// over all phases as a dashed pair in its colour; the operating point as markers.
BuiltChart PowersChart(const rf::ModelState& m, numtext::PowerUnit unit);
// Each reading's range over the leakage phases as two edges in the quantity's colour (no
// translucent fills that overlap into colours no legend names), the true value beneath as a
// line and the operating point.
BuiltChart ReadingsChart(const rf::ModelState& m, numtext::PowerUnit unit);
// The absorbed reading's error band over the directivity on a symmetric-log axis, so that
// +-1 % and +-500 % both read, with the design target drawn at plus and minus its value.
BuiltChart DirectivityErrorChart(const rf::ModelState& m, double targetPercent);

BuiltChart BuildAnalysisChart(AnalysisChart which, const rf::ModelState& m, numtext::PowerUnit unit,
                              double targetPercent);

}  // namespace views
