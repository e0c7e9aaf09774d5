#include "mainwindow/result_rows.h"

#include <cstdint>

#include "mainwindow/texts.h"

namespace mainwindow {

namespace {

using text::ResultRow;

std::string Name(const std::string& group, const std::string& row, const std::string& column) {
  std::string s = group + ": " + row;
  if (!column.empty()) s += ", " + column;
  return s;
}

std::string ItemText(const std::vector<std::string>& items, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return {};
  return items[static_cast<std::size_t>(index)];
}

void InputRows(const TForm1& f, std::vector<ResultRow>& rows) {
  const std::string& mg = f.gbMgInput.Caption;
  rows.push_back({Name(mg, f.lbAnodeV.Caption, {}), f.edAnodeV.Text, f.Label2.Caption});
  rows.push_back({Name(mg, f.lbAnodeI.Caption, {}), f.edAnodeI.Text, f.Label4.Caption});
  rows.push_back({Name(mg, f.lbEffic.Caption, {}), f.edEffic.Text, f.Label5.Caption});
  const std::string& src = f.gbSrcRho.Caption;
  rows.push_back({Name(src, f.lbSrcMag.Caption, {}), f.edSrcMag.Text,
                  ItemText(f.cbSrcRfl.Items, f.cbSrcRfl.ItemIndex())});
  rows.push_back({Name(src, f.lbSrcPha.Caption, {}), f.edSrcPha.Text, f.Label12.Caption});
  rows.push_back({Name(src, f.lbSrcMism1.Caption, {}), f.pnlSrcMism.Caption,
                  ItemText(f.cbSrcMism.Items, f.cbSrcMism.ItemIndex())});
  const std::string& load = f.GroupBox4.Caption;
  rows.push_back({Name(load, f.Label1.Caption, {}), f.edLoaMag.Text,
                  ItemText(f.cbLoaRfl.Items, f.cbLoaRfl.ItemIndex())});
  rows.push_back({Name(load, f.Label3.Caption, {}), f.edLoaPha.Text, f.Label13.Caption});
  rows.push_back({Name(load, f.lbLoaMism1.Caption, {}), f.pnlLoaMism.Caption,
                  ItemText(f.cbLoaMism.Items, f.cbLoaMism.ItemIndex())});
  const std::string& cpl = f.gbCpl.Caption;
  rows.push_back({Name(cpl, f.chIdeal.Caption, {}),
                  std::string(f.chIdeal.Checked() ? kCheckedText : kUncheckedText),
                  {}});
  rows.push_back({Name(cpl, f.lbDire1.Caption, {}), f.edDire.Text, f.lbDb.Caption});
}

void ResultCells(const TForm1& f, std::vector<ResultRow>& rows) {
  const auto cell = [&](const std::string& group, const Label& row, const Label& column,
                        const Label& value, const Panel& unit) {
    rows.push_back({Name(group, row.Caption, column.Caption), value.Caption, unit.Caption});
  };
  const std::string& out = f.gbMgOutput.Caption;
  rows.push_back(
      {Name(out, f.lbPmatch1.Caption, {}), f.lbPmatch2.Caption, f.pnlPmatchUnit.Caption});
  rows.push_back({Name(out, f.lbAvailPow1.Caption, {}), f.lbPav.Caption, f.pnlPavUnit.Caption});

  const std::string& tr = f.tsTransm.Caption;
  cell(tr, f.lbInterf1, f.Label38, f.lbInterf2, f.pnlIfcUn);
  cell(tr, f.lbInterf1, f.Label27, f.lbIntMin2, f.pnlIfcMinUn);
  cell(tr, f.lbInterf1, f.Label28, f.lbIntMax2, f.pnlIfcMaxUn);
  cell(tr, f.lbTrGain1, f.Label38, f.lbTrGain2, f.pnlTrGainUn);
  cell(tr, f.lbTrGain1, f.Label27, f.lbTrGmin, f.pnlTrGminU);
  cell(tr, f.lbTrGain1, f.Label28, f.lbTrGmax, f.pnlTrGmaxU);
  cell(tr, f.lbPinc1, f.Label38, f.lbPinc2, f.pnlPincUnit);
  cell(tr, f.lbPinc1, f.Label27, f.lbPincMin2, f.pnlPincMinUnit);
  cell(tr, f.lbPinc1, f.Label28, f.lbPincMax2, f.pnlPincMaxUnit);
  cell(tr, f.lbPrefl1, f.Label38, f.lbPrefl2, f.pnlPreflUnit);
  cell(tr, f.lbPrefl1, f.Label27, f.lbPrefMin2, f.pnlPrefMinUnit);
  cell(tr, f.lbPrefl1, f.Label28, f.lbPrefMax2, f.pnlPrefMaxUnit);
  cell(tr, f.lbPload1, f.Label38, f.lbPload2, f.pnlPloadUnit);
  cell(tr, f.lbPload1, f.Label27, f.lbPloadMin, f.pnlPloadMinU);
  cell(tr, f.lbPload1, f.Label28, f.lbPloadMax, f.pnlPloadMaxU);

  const std::string& pm = f.tsPowMeas.Caption;
  cell(pm, f.lbPinc3, f.Label22, f.lbPincV, f.pnlPincVunit);
  cell(pm, f.lbPinc3, f.Label23, f.lbPincMinV, f.pnlPincMinVunit);
  cell(pm, f.lbPinc3, f.Label24, f.lbPlincMaxV, f.pnlPincMax);
  cell(pm, f.lbPinc3, f.Label25, f.lbPincMinE, f.pnlPlincMinE);
  cell(pm, f.lbPinc3, f.Label26, f.lbPlincMaxE, f.pnlPlincMaxE);
  cell(pm, f.lbPrefl3, f.Label22, f.lbPreflV, f.pnlPreflVunit);
  cell(pm, f.lbPrefl3, f.Label23, f.lbPrefMinV, f.pnlPreflMin);
  cell(pm, f.lbPrefl3, f.Label24, f.lbPlreflMaxV, f.pnlPreflMax);
  cell(pm, f.lbPrefl3, f.Label25, f.lbPrefMinE, f.pnlPreflMinE);
  cell(pm, f.lbPrefl3, f.Label26, f.lbPlreflMaxE, f.pnlPreflMaxE);
  cell(pm, f.lbPload3, f.Label22, f.lbPloadV, f.pnlPloadVunit);
  cell(pm, f.lbPload3, f.Label23, f.lbPloadMinV, f.pnlPloadMin);
  cell(pm, f.lbPload3, f.Label24, f.lbPloadMaxV, f.pnlPloadMax);
  cell(pm, f.lbPload3, f.Label25, f.lbPloadMinE, f.pnlPloadMinE);
  cell(pm, f.lbPload3, f.Label26, f.lbPloadMaxE, f.pnlPloadMaxE);

  // The Load Meas cells carry their unit in the sheet's unit selection.
  const std::string& lm = f.tsLoadMeas.Caption;
  const std::string unit = ItemText(f.rgLoadMeasMagUnit.Items, f.rgLoadMeasMagUnit.ItemIndex());
  rows.push_back({Name(lm, f.Label32.Caption, f.Label6.Caption), f.lbMag.Caption, unit});
  rows.push_back({Name(lm, f.Label32.Caption, f.Label11.Caption), f.lbMagMin.Caption, unit});
  rows.push_back({Name(lm, f.Label32.Caption, f.Label29.Caption), f.lbMagMax.Caption, unit});
  rows.push_back({Name(lm, f.Label32.Caption, f.Label30.Caption), f.lbMagMinE.Caption, "%"});
  rows.push_back({Name(lm, f.Label32.Caption, f.Label31.Caption), f.lbMagMaxE.Caption, "%"});
}

}  // namespace

std::vector<ResultRow> WindowCellRows(const TForm1& f) {
  std::vector<ResultRow> rows;
  InputRows(f, rows);
  ResultCells(f, rows);
  return rows;
}

}  // namespace mainwindow
