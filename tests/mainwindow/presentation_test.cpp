#include <limits>
#include <string>

#include "rf/reflection.h"
#include "window_fixture.h"

namespace mainwindow::tests {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string RowName(const char* name) { return name; }

// ---- Powers in the selected power unit ----

struct PowerRow {
  const char* Name;
  std::int32_t PowerUnit;
  double P;
  const char* Value;
  const char* Unit;
};

// A failing row is reported by its name rather than by its bytes.
void PrintTo(const PowerRow& row, std::ostream* os) { *os << row.Name; }

class PowerCell : public NewWindow, public ::testing::WithParamInterface<PowerRow> {};

TEST_P(PowerCell, ShowsValueAndUnit) {
  const PowerRow& row = GetParam();
  form.rgPowerUnit.SetItemIndex(row.PowerUnit);
  form.ShowPower(row.P, form.lbPinc2, form.pnlPincUnit);
  EXPECT_EQ(form.lbPinc2.Caption, row.Value);
  EXPECT_EQ(form.pnlPincUnit.Caption, row.Unit);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PowerCell,
    ::testing::Values(PowerRow{"HalfWatt", 0, 0.5, "0.5", "W"},
                      PowerRow{"JustBelowKilowattByUnroundedValue", 0, 999.999, "1000", "W"},
                      PowerRow{"OneKilowatt", 0, 1000.0, "1", "kW"},
                      PowerRow{"FourteenKilowatts", 0, 14220.0, "14.22", "kW"},
                      PowerRow{"NegativeChoosesPrefixBySize", 0, -1500.0, "-1.5", "kW"},
                      PowerRow{"Megawatts", 0, 2500000.0, "2.5", "MW"},
                      PowerRow{"InfinityInMegawatts", 0, kInf, "\u221E", "MW"},
                      PowerRow{"NanInMegawatts", 0, kNaN, "NAN", "MW"},
                      PowerRow{"Dbm", 1, 14220.0, "71.53", "dBm"},
                      PowerRow{"Dbw", 2, 14220.0, "41.53", "dBW"},
                      PowerRow{"Dbkw", 3, 14220.0, "11.53", "dBkW"},
                      PowerRow{"ZeroDbm", 1, 0.0, "-\u221E", "dBm"},
                      PowerRow{"ZeroDbw", 2, 0.0, "-\u221E", "dBW"},
                      PowerRow{"ZeroDbkw", 3, 0.0, "-\u221E", "dBkW"},
                      PowerRow{"NegativeDbw", 2, -1.0, "NAN", "dBW"}),
    [](const auto& rowInfo) { return RowName(rowInfo.param.Name); });

class Presentation : public NewWindow {};

TEST_F(Presentation, NoPowerUnitLeavesTheCell) {
  form.rgPowerUnit.SetItemIndex(-1);
  form.lbPinc2.Caption = "old";
  form.pnlPincUnit.Caption = "u";
  form.ShowPower(14220.0, form.lbPinc2, form.pnlPincUnit);
  EXPECT_EQ(form.lbPinc2.Caption, "old");
  EXPECT_EQ(form.pnlPincUnit.Caption, "u");
}

// ---- Factors, mismatch, measured powers ----

struct FactorRow {
  const char* Name;
  std::int32_t Unit;
  const char* Value;
};

void PrintTo(const FactorRow& row, std::ostream* os) { *os << row.Name; }

class FactorCell : public NewWindow, public ::testing::WithParamInterface<FactorRow> {};

TEST_P(FactorCell, ShowsOneAndAHalf) {
  form.SelUnit = GetParam().Unit;
  form.ShowFactor(1.5, form.lbInterf2);
  EXPECT_EQ(form.lbInterf2.Caption, GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Rows, FactorCell,
                         ::testing::Values(FactorRow{"Mag", 0, "1.5"},
                                           FactorRow{"Percent", 1, "150"},
                                           FactorRow{"Db", 2, "1.76"},
                                           FactorRow{"UnknownUnit", 3, "Bad unit"},
                                           FactorRow{"NegativeUnit", -1, "Bad unit"}),
                         [](const auto& rowInfo) { return RowName(rowInfo.param.Name); });

struct MismRow {
  const char* Name;
  std::int32_t Index;
  const char* Caption;
};

void PrintTo(const MismRow& row, std::ostream* os) { *os << row.Name; }

class MismatchPanel : public NewWindow, public ::testing::WithParamInterface<MismRow> {};

TEST_P(MismatchPanel, ShowsThreeQuarters) {
  rf::TRefl r;
  r.Mism = 0.75;
  form.cbSrcMism.SetItemIndex(GetParam().Index);
  form.ShowMism(r, form.cbSrcMism, form.pnlSrcMism);
  EXPECT_EQ(form.pnlSrcMism.Caption, GetParam().Caption);
}

INSTANTIATE_TEST_SUITE_P(Rows, MismatchPanel,
                         ::testing::Values(MismRow{"Mag", 0, "0.75"}, MismRow{"Db", 1, "-1.25"},
                                           MismRow{"Percent", 2, "75"},
                                           MismRow{"NoSelection", -1, "0.75"}),
                         [](const auto& rowInfo) { return RowName(rowInfo.param.Name); });

struct PowErrorRow {
  const char* Name;
  std::int32_t PowerUnit;
  std::int32_t ErrUnit;
  double P;
  double Ratio;
  bool IsError;
  const char* Value;
  const char* Unit;
};

void PrintTo(const PowErrorRow& row, std::ostream* os) { *os << row.Name; }

class MeasuredPowerCell : public NewWindow, public ::testing::WithParamInterface<PowErrorRow> {};

TEST_P(MeasuredPowerCell, ShowsValueAndUnit) {
  const PowErrorRow& row = GetParam();
  form.rgPowerUnit.SetItemIndex(row.PowerUnit);
  form.SelErrUnit = row.ErrUnit;
  form.pnlPincMinVunit.Caption = "unchanged";
  form.ShowPowError(row.P, row.Ratio, row.IsError, form.lbPincMinV, form.pnlPincMinVunit);
  EXPECT_EQ(form.lbPincMinV.Caption, row.Value);
  EXPECT_EQ(form.pnlPincMinVunit.Caption, row.Unit);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MeasuredPowerCell,
    ::testing::Values(
        PowErrorRow{"PercentMeasured", 0, 1, 13509.0, 0.95, false, "95", "%"},
        PowErrorRow{"PercentError", 0, 1, -711.0, 0.95, true, "-5", "%"},
        PowErrorRow{"DbMeasured", 0, 2, 13509.0, 0.95, false, "-0.22", "dB"},
        PowErrorRow{"DbError", 0, 2, -711.0, 0.95, true, "-0.22", "dB"},
        PowErrorRow{"PowerUnitWattsMeasured", 0, 0, 13509.0, 0.95, false, "13.51", "kW"},
        PowErrorRow{"PowerUnitWattsError", 0, 0, -1500.0, 0.95, true, "-1.5", "kW"},
        PowErrorRow{"PowerUnitDbmMeasured", 1, 0, 14220.0, 0.95, false, "71.53", "dBm"},
        PowErrorRow{"PowerUnitDbmErrorAsRatio", 1, 0, -711.0, 0.95, true, "-0.22", "dB"},
        PowErrorRow{"UnknownUnit", 0, 5, 1.0, 1.0, false, "Bad unit", "unchanged"}),
    [](const auto& rowInfo) { return RowName(rowInfo.param.Name); });

// ---- Load Meas ----

struct LoadMeasRow {
  const char* Name;
  std::int32_t Unit;
  const char* True;
  const char* Min;
  const char* MinError;
  TColor ErrorColour;
};

void PrintTo(const LoadMeasRow& row, std::ostream* os) { *os << row.Name; }

class LoadMeasTab : public NewWindow, public ::testing::WithParamInterface<LoadMeasRow> {};

TEST_P(LoadMeasTab, ShowsTrueMeasuredAndError) {
  const LoadMeasRow& row = GetParam();
  // State: true load magnitude 0.5, measured minimum 0.45.
  form.LoaRfl.Mag = 0.5;
  rf::ReflFromMag(form.LoaRfl);
  form.MeaMin.Mag = 0.45;
  rf::ReflFromMag(form.MeaMin);
  // Action: the unit is chosen and the tab re-presented.
  form.rgLoadMeasMagUnit.SetItemIndex(row.Unit);
  form.ShowLoadMeas();
  // Expected: the values in that unit; the error box white only for "Mag".
  EXPECT_EQ(form.lbMag.Caption, row.True);
  EXPECT_EQ(form.lbMagMin.Caption, row.Min);
  EXPECT_EQ(form.lbMagMinE.Caption, row.MinError);
  EXPECT_EQ(form.paMagMinE.Color, row.ErrorColour);
  EXPECT_EQ(form.lbMagMinE.Color, row.ErrorColour);
  EXPECT_EQ(form.paMagMaxE.Color, row.ErrorColour);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadMeasTab,
    ::testing::Values(LoadMeasRow{"Mag", 0, "0.5", "0.45", "-5", TColor::clWhite},
                      LoadMeasRow{"Db", 1, "-6.02", "-6.94", "", TColor::clBtnFace},
                      LoadMeasRow{"Swr", 2, "3", "2.636", "", TColor::clBtnFace},
                      LoadMeasRow{"NoSelection", -1, "0.5", "0.45", "", TColor::clBtnFace}),
    [](const auto& rowInfo) { return RowName(rowInfo.param.Name); });

// ---- Unit changes re-present without recomputing ----

// The focus starts on a button, so that picking moves it off no edit.
class UnitChange : public ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    form.SetInitialFocus("bEvaluate");
  }
};

TEST_F(UnitChange, FactorUnitReformatsWithoutEvaluation) {
  // State: an evaluated window with a stored interference factor of 1.5.
  form.Interf = 1.5;
  const auto cycles = form.CycleCount();
  const double pinc = form.Pinc;
  // Action: the user picks "dB" for the factors.
  form.UserPick("rgTransmMagUnit", 2);
  // Expected: dB captions, the stored value in dB, nothing recomputed.
  EXPECT_EQ(form.SelUnit, 2);
  EXPECT_EQ(form.lbInterf2.Caption, "1.76");
  EXPECT_EQ(form.pnlIfcUn.Caption, "dB");
  EXPECT_EQ(form.pnlTrGmaxU.Caption, "dB");
  EXPECT_EQ(form.CycleCount(), cycles);
  EXPECT_TRUE(SameDouble(form.Pinc, pinc));
  EXPECT_TRUE(SameDouble(form.Interf, 1.5));
}

TEST_F(UnitChange, ErrorUnitReformatsWithoutEvaluation) {
  const auto cycles = form.CycleCount();
  form.ErrInciMinus = 0.95;
  form.UserPick("rgPowMeasUnit", 1);
  EXPECT_EQ(form.SelErrUnit, 1);
  EXPECT_EQ(form.lbPincMinV.Caption, "95");
  EXPECT_EQ(form.lbPincMinE.Caption, "-5");
  EXPECT_EQ(form.CycleCount(), cycles);
}

TEST_F(UnitChange, PowerUnitRunsAFullCycle) {
  const auto cycles = form.CycleCount();
  form.UserPick("rgPowerUnit", 1);
  EXPECT_EQ(form.CycleCount(), cycles + 1);
  EXPECT_EQ(form.lbPmatch2.Caption, "71.53");
  EXPECT_EQ(form.pnlPmatchUnit.Caption, "dBm");
}

}  // namespace
}  // namespace mainwindow::tests
