#include "window_text.h"

#include <algorithm>

#include <cmath>
#include <utility>
#include "analysis/coupler_design.h"

#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "mainwindow/result_rows.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "numtext/power_unit.h"
#include "texts.h"

namespace calc {

namespace {

using mainwindow::Label;
using mainwindow::Panel;
using mainwindow::TForm1;
using text::ResultRow;

// " (interval low, 95 %)"
std::string IntervalEnd(std::string_view side, double p) {
  std::string t(side);
  t += numtext::FloatToText(p * 100.0, kCoverageDecimals);
  t += kRowPercentClose;
  return t;
}

// A spread (a standard deviation) in watts whatever the power unit: a difference of powers
// has no meaning in decibels.
std::pair<std::string, std::string> SpreadInWatts(double w) {
  const numtext::PowerScale scale = numtext::ScaleFor(numtext::PowerUnit::Watts, std::fabs(w));
  return {numtext::FloatToText(numtext::ToScale(scale, w), numtext::kPowerDecimals),
          std::string(numtext::ScaleName(scale))};
}

void CoverageRows(TForm1& f, const analysis::CoverageRows& table, std::vector<ResultRow>& rows) {
  Label value;
  Panel unit;
  const auto shown = [&](bool isPower, double v) {
    if (isPower) {
      f.ShowPower(v, value, unit);
    } else {
      f.ShowFactor(v, value);
      unit.Caption.clear();
    }
    return std::pair{value.Caption, unit.Caption};
  };
  for (const analysis::CoverageRow& r : table) {
    const std::string name(r.Name);
    const auto add = [&](std::string_view suffix, std::pair<std::string, std::string> v) {
      rows.push_back({name + std::string(suffix), v.first, v.second});
    };
    add(kRowMean, shown(r.IsPower, r.Stats.Mean));
    add(kRowMedian, shown(r.IsPower, r.Stats.Median));
    add(kRowStd, r.IsPower ? SpreadInWatts(r.Stats.Std) : shown(false, r.Stats.Std));
    add(IntervalEnd(kRowLow, r.Stats.Probability), shown(r.IsPower, r.Stats.Low));
    add(IntervalEnd(kRowHigh, r.Stats.Probability), shown(r.IsPower, r.Stats.High));
  }
}

void TruthRows(TForm1& f, const analysis::Truth& t, std::vector<ResultRow>& rows) {
  Label value;
  Panel unit;
  const std::pair<std::string_view, analysis::Range> powers[] = {
      {kRowTruthPinc, t.Pinc}, {kRowTruthPrefl, t.Prefl}, {kRowTruthPload, t.Pload}};
  for (const auto& [name, range] : powers) {
    f.ShowPower(range.Min, value, unit);
    rows.push_back({std::string(name) + std::string(kRowMin), value.Caption, unit.Caption});
    f.ShowPower(range.Max, value, unit);
    rows.push_back({std::string(name) + std::string(kRowMax), value.Caption, unit.Caption});
  }
  rows.push_back({std::string(kRowTruthMag) + std::string(kRowMin),
                  numtext::FloatToText(t.Mag.Min, numtext::kRatioDecimals), ""});
  rows.push_back({std::string(kRowTruthMag) + std::string(kRowMax),
                  numtext::FloatToText(t.Mag.Max, numtext::kRatioDecimals), ""});
}

void BudgetRows(TForm1& f, const analysis::BudgetResult& b, std::vector<ResultRow>& rows) {
  Label value;
  Panel unit;
  f.ShowPower(b.Low, value, unit);
  rows.push_back(
      {std::string(kRowBudget) + IntervalEnd(kRowLow, b.Coverage), value.Caption, unit.Caption});
  f.ShowPower(b.High, value, unit);
  rows.push_back(
      {std::string(kRowBudget) + IntervalEnd(kRowHigh, b.Coverage), value.Caption, unit.Caption});
  const auto s = SpreadInWatts(b.Std);
  rows.push_back({std::string(kRowBudget) + std::string(kRowStd), s.first, s.second});
  rows.push_back({std::string(kRowBudget) + std::string(kRowTrials), std::to_string(b.Trials), ""});
}

// The shown value, rounded to the safe side, or why there is none.
ResultRow DesignRow(std::string_view name, const analysis::DesignAnswer& a, std::string_view u) {
  if (a.Status == analysis::DesignStatus::Ok) {
    return {std::string(name), numtext::FloatToText(a.Shown, a.Decimals), std::string(u)};
  }
  return {std::string(name), std::string(analysis::DesignStatusText(a.Status)), ""};
}

void ExtraRows(TForm1& f, const ExtraResults& x, std::vector<ResultRow>& rows) {
  if (x.Coverage) CoverageRows(f, *x.Coverage, rows);
  if (x.Truth) TruthRows(f, *x.Truth, rows);
  if (x.Budget) BudgetRows(f, *x.Budget, rows);
  if (x.DesignDir) rows.push_back(DesignRow(kRowDesignDir, *x.DesignDir, kUnitDb));
  if (x.DesignSwr) rows.push_back(DesignRow(kRowDesignSwr, *x.DesignSwr, kUnitSwr));
}

}  // namespace

std::vector<ResultRow> WindowRows(const Inputs& in, const rf::ModelState& m,
                                  numtext::PowerUnit unit, const ExtraResults& x) {
  env::ScriptedPlatform platform;
  TForm1 f(platform);
  // The selections first: a changed power unit runs the window's own evaluation on its design
  // texts, which the model assigned below then replaces.
  f.rgPowerUnit.SetItemIndex(static_cast<std::int32_t>(unit));
  f.rgTransmMagUnit.SetItemIndex(0);
  f.rgPowMeasUnit.SetItemIndex(0);
  f.rgLoadMeasMagUnit.SetItemIndex(0);
  f.cbSrcMism.SetItemIndex(0);
  f.cbLoaMism.SetItemIndex(0);
  f.cbSrcRfl.SetItemIndex(static_cast<std::int32_t>(in.Src.Form));
  f.cbLoaRfl.SetItemIndex(static_cast<std::int32_t>(in.Load.Form));
  f.chIdeal.SetChecked(m.CplIdeal);
  static_cast<rf::ModelState&>(f) = m;
  f.ShowInputs();
  f.ShowResults();

  std::vector<ResultRow> rows = mainwindow::WindowCellRows(f);
  ExtraRows(f, x, rows);
  return rows;
}

std::string ToAlignedText(const std::vector<ResultRow>& rows) {
  // Column widths in code points, so that "∞" and "°" count as one.
  const auto width = [](const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  };
  std::size_t q = 0;
  std::size_t v = 0;
  for (const ResultRow& r : rows) {
    q = std::max(q, width(r.Quantity));
    v = std::max(v, width(r.Value));
  }
  std::string out;
  for (const ResultRow& r : rows) {
    out += r.Quantity;
    out.append(q - width(r.Quantity) + 2, ' ');
    out.append(v - width(r.Value), ' ');
    out += r.Value;
    if (!r.Unit.empty()) {
      out += ' ';
      out += r.Unit;
    }
    out += '\n';
  }
  return out;
}

}  // namespace calc
