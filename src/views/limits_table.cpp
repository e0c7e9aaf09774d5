#include "views/limits_table.h"

#include <algorithm>
#include <cmath>

#include "analysis/coverage.h"
#include "analysis/uncertainty.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"
#include "views/texts.h"

namespace views {

namespace {

// The row names by the coverage items' order.
constexpr std::array<std::string_view, analysis::kCoverageItems.size()> kRowNames{
    kRowInterf, kRowTrGain,      kRowPinc,         kRowPrefl,
    kRowPload,  kRowPincReading, kRowPreflReading, kRowPloadReading};

// One precision per prefix, the same resolution in watts give or take a decade: a kilowatt row
// keeps the digits that a watt row beside it shows.
int PowerDecimals(numtext::PowerScale s) {
  switch (s) {
    case numtext::PowerScale::KW:
      return numtext::kPowerDecimals + 2;
    case numtext::PowerScale::MW:
      return numtext::kPowerDecimals + 3;
    default:
      return numtext::kPowerDecimals;
  }
}

// The number with exactly the given decimals, trailing zeros kept: a column reads by its digits
// lining up. Infinities and NaN as the window writes them.
std::string Fixed(double x, int decimals) {
  std::string s = numtext::FloatToText(x, decimals);
  if (!std::isfinite(x) || decimals <= 0) return s;
  std::size_t dot = s.find('.');
  if (dot == std::string::npos) {
    s += '.';
    dot = s.size() - 1;
  }
  const std::size_t have = s.size() - dot - 1;
  if (have < static_cast<std::size_t>(decimals)) {
    s.append(static_cast<std::size_t>(decimals) - have, '0');
  }
  return s;
}

}  // namespace

std::string CoverageText(double p) {
  std::string s = numtext::FloatToText(p * 100.0, 2);
  // 95.00 -> 95, 68.27 stays: the digits that say something.
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s + " %";
}

std::array<std::string, kLimitColumns> LimitTableHeader(double coverage) {
  const std::string p = CoverageText(coverage);
  return {std::string(kColQuantity),
          std::string(kColUnit),
          std::string(kColMin),
          std::string(kColActual),
          std::string(kColMax),
          std::string(kColMean),
          std::string(kColMedian),
          std::string(kColStd),
          std::string(kColLowPrefix) + p + ")",
          std::string(kColHighPrefix) + p + ")",
          std::string(kColDistribution)};
}

bool LimitColumnIsNumber(std::size_t column) { return column >= 2 && column <= 9; }

std::vector<LimitTableRow> LimitsTable(const rf::ModelState& m, double coverage) {
  const double p = analysis::ValidCoverage(coverage) ? coverage : analysis::kDefaultCoverage;
  const analysis::CoverageRows rows = analysis::LimitsAndCoverage(m, p);
  double largest = 0.0;
  for (const analysis::CoverageRow& row : rows) {
    if (row.IsPower && std::isfinite(row.Max)) largest = std::max(largest, std::fabs(row.Max));
  }
  const auto scale = numtext::ScaleFor(numtext::PowerUnit::Watts, largest);
  std::vector<LimitTableRow> out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const analysis::CoverageRow& row = rows[i];
    LimitTableRow r;
    r[0] = std::string(kRowNames[i]);
    const auto v = [&](double x) {
      return row.IsPower ? Fixed(numtext::ToScale(scale, x), PowerDecimals(scale))
                         : Fixed(x, numtext::kRatioDecimals);
    };
    if (row.IsPower) r[1] = std::string(numtext::ScaleName(scale));
    r[2] = v(row.Min);
    r[3] = v(row.Actual);
    r[4] = v(row.Max);
    r[5] = v(row.Stats.Mean);
    r[6] = v(row.Stats.Median);
    r[7] = v(row.Stats.Std);
    r[8] = v(row.Stats.Low);
    r[9] = v(row.Stats.High);
    r[10] = std::string(analysis::ShapeText(row.Stats.Law));
    out.push_back(std::move(r));
  }
  const analysis::InferredLoadRange inferred = analysis::InferredLoadReflection(m);
  LimitTableRow mag;
  mag[0] = std::string(kInferredLoadMag);
  mag[2] = Fixed(inferred.Lo.Mag, numtext::kRatioDecimals);
  mag[4] = Fixed(inferred.Hi.Mag, numtext::kRatioDecimals);
  out.push_back(std::move(mag));
  LimitTableRow swr;
  swr[0] = std::string(kInferredLoadSwr);
  swr[2] = Fixed(inferred.Lo.Swr, numtext::kSwrDecimals);
  swr[4] = Fixed(inferred.Hi.Swr, numtext::kSwrDecimals);
  out.push_back(std::move(swr));
  return out;
}

}  // namespace views
