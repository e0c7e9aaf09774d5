#pragma once

#include <array>
#include <string>
#include <vector>

#include "numtext/power_unit.h"
#include "rf/model.h"

// What each chart of the Analysis window plots, in the window's units, and the table its CSV
// export writes. Every face of the window and every file draws from these.
namespace views {

inline constexpr int kPhasePoints = 361;
inline constexpr int kDirectivityPoints = 121;

// A chart's data as plotted: the swept value first, one row per point.
struct ChartTable {
  std::vector<std::string> Columns;
  std::vector<std::vector<double>> Rows;
};
// Comma separated, header first, CR LF, shortest round-trip numbers with "." (Infinity,
// -Infinity, NaN as such).
std::string ChartCsv(const ChartTable& table);

// Incident, reflected and absorbed power over the round-trip phase, their limits over all
// phases and their values at the actual phase, in the scale the largest limit chooses.
struct PowerChartData {
  numtext::PowerScale Scale = numtext::PowerScale::W;
  std::vector<double> Phase;                 // degrees
  std::array<std::vector<double>, 3> Power;  // Pinc, Prefl, Pload
  // PincMin, PincMax, PreflMin, PreflMax, PloadMin, PloadMax.
  std::array<double, 6> Limits{};
  double ActualPhase = 0.0;
  std::array<double, 3> Actual{};
  ChartTable Table;
};
PowerChartData PowerChart(const rf::ModelState& m, numtext::PowerUnit unit);

// The coupler readings' ranges (min and max over the leakage phases) over the round-trip
// phase: PincMinV, PincMaxV, PreflMinV, PreflMaxV, PloadMinV, PloadMaxV.
struct ReadingChartData {
  numtext::PowerScale Scale = numtext::PowerScale::W;
  std::vector<double> Phase;
  std::array<std::vector<double>, 6> Reading;
  ChartTable Table;
};
ReadingChartData ReadingChart(const rf::ModelState& m, numtext::PowerUnit unit);

// The absorbed-power reading's error band in per cent over the directivity, and the error at
// the present directivity when the couplers are not ideal and it lies on the axis.
struct DirectivityChartData {
  std::vector<double> Directivity;  // dB
  std::vector<double> ErrorMin;
  std::vector<double> ErrorMax;
  bool HasPresent = false;
  double PresentDirectivity = 0.0;
  std::vector<double> PresentError;  // the finite ends of the present band
  ChartTable Table;
};
DirectivityChartData DirectivityChart(const rf::ModelState& m);

}  // namespace views
