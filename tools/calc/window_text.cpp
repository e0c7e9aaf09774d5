#include "window_text.h"

#include <algorithm>

#include "analysis/coupler_design.h"
#include "analysis/uncertainty.h"
#include "env/scripted_platform.h"
#include "mainwindow/form.h"
#include "mainwindow/result_rows.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "texts.h"

namespace calc {

namespace {

using mainwindow::Label;
using mainwindow::Panel;
using mainwindow::TForm1;
using text::ResultRow;

void ExtraRows(TForm1& f, const rf::ModelState& m, const Extras& add,
               std::vector<ResultRow>& rows) {
  Label value;
  Panel unit;
  if (add.Uncertainty) {
    const analysis::Uncertainty u = analysis::ComputeUncertainty(m);
    for (const auto& item : analysis::kUncertaintyItems) {
      const analysis::Moments& mo = u.*item.Member;
      const std::pair<std::string_view, double> parts[] = {
          {kRowMean, mo.Mean}, {kRowStd, mo.Std}, {kRowExpanded, mo.Expanded}};
      for (const auto& [suffix, v] : parts) {
        if (item.IsPower) {
          f.ShowPower(v, value, unit);
        } else {
          f.ShowFactor(v, value);
          unit.Caption.clear();
        }
        rows.push_back({std::string(item.Name) + std::string(suffix), value.Caption, unit.Caption});
      }
    }
  }
  if (add.DesignDirTarget) {
    const auto d = analysis::DesignDirectivity(m, *add.DesignDirTarget);
    rows.push_back({std::string(kRowDesignDir),
                    d ? numtext::FloatToText(*d, numtext::kDbDecimals) : std::string(kNotReachable),
                    d ? std::string(kUnitDb) : std::string()});
  }
  if (add.DesignSwrTarget) {
    const auto s = analysis::DesignLoadSwr(m, *add.DesignSwrTarget);
    rows.push_back(
        {std::string(kRowDesignSwr),
         s ? numtext::FloatToText(*s, numtext::kSwrDecimals) : std::string(kNotReachable),
         s ? std::string(kUnitSwr) : std::string()});
  }
}

}  // namespace

std::vector<ResultRow> WindowRows(const Inputs& in, const rf::ModelState& m,
                                  numtext::PowerUnit unit, const Extras& add) {
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
  ExtraRows(f, m, add, rows);
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
