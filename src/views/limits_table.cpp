#include "views/limits_table.h"

#include <cmath>

#include "analysis/uncertainty.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"
#include "views/texts.h"

namespace views {

const std::array<std::string_view, kLimitColumns>& LimitTableHeader() {
  static const std::array<std::string_view, kLimitColumns> header{
      kColQuantity, kColUnit, kColMin, kColActual, kColMax, kColMean, kColStd, kColExpanded};
  return header;
}

std::vector<LimitTableRow> LimitsTable(const rf::ModelState& m) {
  using numtext::FloatToText;
  std::vector<LimitTableRow> rows;
  for (const analysis::LimitRow& row : analysis::LimitsAndUncertainty(m)) {
    LimitTableRow r;
    r[0] = std::string(row.Name);
    const auto scale = numtext::ScaleFor(numtext::PowerUnit::Watts, std::fabs(row.Max));
    const auto v = [&](double x) {
      return row.IsPower ? FloatToText(numtext::ToScale(scale, x), numtext::kPowerDecimals)
                         : FloatToText(x, numtext::kRatioDecimals);
    };
    if (row.IsPower) r[1] = std::string(numtext::ScaleName(scale));
    r[2] = v(row.Min);
    r[3] = v(row.Actual);
    r[4] = v(row.Max);
    r[5] = v(row.Stats.Mean);
    r[6] = v(row.Stats.Std);
    r[7] = v(row.Stats.Expanded);
    rows.push_back(std::move(r));
  }
  const analysis::InferredLoadRange inferred = analysis::InferredLoadReflection(m);
  LimitTableRow mag;
  mag[0] = std::string(kInferredLoadMag);
  mag[2] = FloatToText(inferred.Lo.Mag, numtext::kRatioDecimals);
  mag[4] = FloatToText(inferred.Hi.Mag, numtext::kRatioDecimals);
  rows.push_back(std::move(mag));
  LimitTableRow swr;
  swr[0] = std::string(kInferredLoadSwr);
  swr[2] = FloatToText(inferred.Lo.Swr, numtext::kSwrDecimals);
  swr[4] = FloatToText(inferred.Hi.Swr, numtext::kSwrDecimals);
  rows.push_back(std::move(swr));
  return rows;
}

}  // namespace views
