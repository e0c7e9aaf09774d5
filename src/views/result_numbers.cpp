#include "views/result_numbers.h"

#include <string_view>

#include "text/json.h"
#include "text/markup.h"
#include "text/table.h"
#include "views/texts.h"

namespace views {

namespace {

struct Columns {
  std::vector<NumberColumn> List;
  void Add(std::string_view name, std::string_view unit, double value) {
    List.push_back({ColumnWithUnit(name, unit), value});
  }
  // A quantity with its limits over all phases: min, actual, max.
  void AddRange(std::string_view name, std::string_view unit, double lo, double actual, double hi) {
    std::string n(name);
    Add(n + std::string(kNumMinSuffix), unit, lo);
    Add(n, unit, actual);
    Add(n + std::string(kNumMaxSuffix), unit, hi);
  }
};

}  // namespace

std::vector<NumberColumn> ResultNumbers(const rf::ModelState& m, numtext::PowerUnit unit) {
  // Watts stay watts: the window's kW and MW would change the unit from one case to the next.
  const numtext::PowerScale scale =
      unit == numtext::PowerUnit::Watts ? numtext::PowerScale::W : numtext::ScaleFor(unit, 0.0);
  const std::string_view pu = numtext::ScaleName(scale);
  const auto p = [&](double watts) { return numtext::InScale(scale, watts); };
  Columns c;
  c.Add(kNumAnodeV, kUnitVolt, m.Va);
  c.Add(kNumAnodeI, kUnitAmpere, m.Ia);
  c.Add(kNumEffic, kUnitPercent, m.Eff * 100.0);
  c.Add(kNumSrcMag, kUnitRatio, m.SrcRfl.Mag);
  c.Add(kNumSrcPha, kUnitDegrees, m.SrcRfl.Pha);
  c.Add(kNumLoaMag, kUnitRatio, m.LoaRfl.Mag);
  c.Add(kNumLoaPha, kUnitDegrees, m.LoaRfl.Pha);
  c.Add(kNumIdeal, kUnitFlag, m.CplIdeal ? 1.0 : 0.0);
  c.Add(kNumDirectivity, kUnitDecibel, m.CplDirDb);
  c.Add(kNumPmatch, pu, p(m.Pmatch));
  c.Add(kNumPav, pu, p(m.Pav));
  c.AddRange(kNumInterf, kUnitRatio, m.InterfMin, m.Interf, m.InterfMax);
  c.AddRange(kNumTrGain, kUnitRatio, m.TrGainMin, m.TrGain, m.TrGainMax);
  c.AddRange(kColPinc, pu, p(m.PincMin), p(m.Pinc), p(m.PincMax));
  c.AddRange(kColPrefl, pu, p(m.PreflMin), p(m.Prefl), p(m.PreflMax));
  c.AddRange(kColPload, pu, p(m.PloadMin), p(m.Pload), p(m.PloadMax));
  c.Add(kColPincMinV, pu, p(m.PincMinV));
  c.Add(kColPincMaxV, pu, p(m.PincMaxV));
  c.Add(kColPreflMinV, pu, p(m.PreflMinV));
  c.Add(kColPreflMaxV, pu, p(m.PreflMaxV));
  c.Add(kColPloadMinV, pu, p(m.PloadMinV));
  c.Add(kColPloadMaxV, pu, p(m.PloadMaxV));
  c.Add(kColErrorMin, kUnitPercent, (m.PloadMinRelat - 1.0) * 100.0);
  c.Add(kColErrorMax, kUnitPercent, (m.PloadMaxRelat - 1.0) * 100.0);
  return c.List;
}

std::string NumbersAsTabText(const std::vector<NumberColumn>& columns) {
  std::string out;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += '\t';
    out += columns[i].Heading;
  }
  out += '\n';
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += '\t';
    text::AppendRoundTrip(out, columns[i].Value);
  }
  out += '\n';
  return out;
}

std::string NumbersAsHtml(const std::vector<NumberColumn>& columns) {
  std::string out = "<table><tr>";
  for (const NumberColumn& c : columns) {
    out += "<th>";
    text::AppendMarkupEscaped(out, c.Heading);
    out += "</th>";
  }
  out += "</tr><tr>";
  for (const NumberColumn& c : columns) {
    out += "<td>";
    text::AppendRoundTrip(out, c.Value);
    out += "</td>";
  }
  out += "</tr></table>";
  return out;
}

}  // namespace views
