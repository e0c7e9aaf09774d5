#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "env/scripted_platform.h"
#include "env/win32_text.h"
#include "mainwindow/form.h"
#include "views/texts.h"
#include "win32ui/budget_sheet.h"
#include "win32ui/readings_sheet.h"

namespace {

using Table = std::vector<std::vector<std::string>>;

Table RowsOf(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  Table out;
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < columns; ++c) {
      wchar_t text[512] = {};
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = text;
      item.cchTextMax = 512;
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
      row.push_back(env::win32::Narrow(text));
    }
    out.push_back(row);
  }
  return out;
}

template <std::size_t N>
Table Expected(const std::vector<std::array<std::string, N>>& rows) {
  Table out;
  for (const auto& r : rows) out.emplace_back(r.begin(), r.end());
  return out;
}

std::string TextOfChild(HWND parent, int id) {
  wchar_t text[1024] = {};
  GetWindowTextW(GetDlgItem(parent, id), text, 1024);
  return env::win32::Narrow(text);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class Sheets : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    form.PrepareForShow();
    form.bEvaluateClick();
    top = CreateWindowExW(0, L"STATIC", L"sheets", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    readings =
        std::make_unique<win32ui::ReadingsSheet>(top, GetModuleHandleW(nullptr), font, 96, form);
    readings->Place(RECT{0, 0, 780, 560});
  }
  void TearDown() override {
    readings.reset();
    DestroyWindow(top);
  }
  HWND ReadingsChild(int id) const { return GetDlgItem(readings->Handle(), id); }

  env::ScriptedPlatform platform;
  mainwindow::TForm1 form{platform};
  HWND top = nullptr;
  HFONT font = nullptr;
  std::unique_ptr<win32ui::ReadingsSheet> readings;
};

TEST_F(Sheets, ReadingsShowTheTruthTheViewComputes) {
  using U = views::ReadingUnit;
  const std::vector<views::ReadingsInputs> cases{
      {"1000", U::W, "40", U::W, true, "20"},          // exact truth
      {"1000", U::W, "40", U::W, false, "20"},         // ranges over the leakage phases
      {"60", U::Dbm, "46.0206", U::Dbm, false, "30"},  // decibel readings
      {"1", U::KW, "10", U::W, false, "25,5"},         // mixed units, decimal comma
      {"100", U::W, "200", U::W, true, "20"},          // no load reads so: a message
      {"abc", U::W, "40", U::W, false, "20"},          // not a number: a message
      {"1000", U::W, "40", U::W, false, ""},           // no directivity
  };
  for (const views::ReadingsInputs& in : cases) {
    SCOPED_TRACE(in.Forward + " " + in.Reflected + " " + in.DirectivityDb);
    readings->SetInputs(in);
    const views::TruthSheet want = views::TruthFromInputs(in);
    EXPECT_EQ(RowsOf(ReadingsChild(win32ui::kReadingsTableId)), Expected(want.Rows));
    EXPECT_EQ(TextOfChild(readings->Handle(), win32ui::kReadingsMessageId), want.Message);
    const views::ReadingsInputs back = readings->Inputs();
    EXPECT_EQ(back.Forward, in.Forward);
    EXPECT_EQ(back.ForwardUnit, in.ForwardUnit);
    EXPECT_EQ(back.Reflected, in.Reflected);
    EXPECT_EQ(back.ReflectedUnit, in.ReflectedUnit);
    EXPECT_EQ(back.Ideal, in.Ideal);
    EXPECT_EQ(back.DirectivityDb, in.DirectivityDb);
    EXPECT_EQ(IsWindowEnabled(ReadingsChild(win32ui::kReadingsDirId)) != FALSE, !in.Ideal);
  }
}

TEST_F(Sheets, TypingAndClickingRecomputeAtOnce) {
  readings->SetInputs({"1000", views::ReadingUnit::W, "40", views::ReadingUnit::W, false, "20"});
  int changes = 0;
  readings->OnChanged([&] { ++changes; });
  // The edit tells its parent of the new text as a keystroke would.
  SetWindowTextW(ReadingsChild(win32ui::kReadingsForwardId), L"2000");
  EXPECT_EQ(RowsOf(ReadingsChild(win32ui::kReadingsTableId)),
            Expected(views::TruthFromInputs(readings->Inputs()).Rows));
  EXPECT_EQ(readings->Inputs().Forward, "2000");
  SendMessageW(ReadingsChild(win32ui::kReadingsIdealId), BM_CLICK, 0, 0);
  EXPECT_TRUE(readings->Inputs().Ideal);
  EXPECT_FALSE(IsWindowEnabled(ReadingsChild(win32ui::kReadingsDirId)));
  EXPECT_EQ(RowsOf(ReadingsChild(win32ui::kReadingsTableId)),
            Expected(views::TruthFromInputs(readings->Inputs()).Rows));
  EXPECT_EQ(changes, 2);
}

TEST_F(Sheets, BudgetRunsOffTheWindowThreadAndFillsItsTables) {
  win32ui::BudgetSheet budget(top, GetModuleHandleW(nullptr), font, 96, form, *readings);
  budget.Place(RECT{0, 0, 780, 560});
  const HWND results = GetDlgItem(budget.Handle(), win32ui::kBudgetResultsId);
  EXPECT_EQ(TextOfChild(budget.Handle(), win32ui::kBudgetStatusId), views::kBudgetStale);
  // A second run before the first ends supersedes it: one result, that of the second.
  budget.Run();
  EXPECT_TRUE(budget.Running());
  EXPECT_EQ(TextOfChild(budget.Handle(), win32ui::kBudgetStatusId), views::kBudgetRunning);
  budget.Run();
  for (int i = 0; i < 600 && budget.Running(); ++i) {
    Sleep(50);
    Pump();
  }
  ASSERT_FALSE(budget.Running());
  const views::BudgetJob job = views::PrepareBudget(budget.Inputs(), form);
  ASSERT_TRUE(job.Ok);
  const views::BudgetSheet want = views::BudgetTable(job, views::RunBudget(job));
  // The generator is seeded: the same inputs give the same table.
  EXPECT_EQ(RowsOf(results), Expected(want.Rows));
  EXPECT_EQ(RowsOf(GetDlgItem(budget.Handle(), win32ui::kBudgetContributionsId)),
            Expected(want.Contributions));
  EXPECT_EQ(TextOfChild(budget.Handle(), win32ui::kBudgetStatusId), want.Message);

  // A change of the readings clears the numbers until the next run.
  SetWindowTextW(GetDlgItem(readings->Handle(), win32ui::kReadingsForwardId), L"1100");
  EXPECT_EQ(RowsOf(results).size(), 0u);
  EXPECT_EQ(TextOfChild(budget.Handle(), win32ui::kBudgetStatusId), views::kBudgetStale);
}

TEST_F(Sheets, BudgetInputsRoundTripAndBadInputsSayWhy) {
  win32ui::BudgetSheet budget(top, GetModuleHandleW(nullptr), font, 96, form, *readings);
  views::BudgetSheetInputs in;
  in.Question = views::BudgetQuestion::FromTruth;
  in.CouplingDb = "0.5";
  in.CouplingLaw = analysis::CalibrationLaw::Normal;
  in.SensorPct = "2";
  in.Correlated = true;
  in.Psi0Deg = "30";
  in.Chi0Deg = "-45";
  in.Coverage = 0.99;
  in.Seed = "7";
  budget.SetInputs(in);
  const views::BudgetSheetInputs back = budget.Inputs();
  EXPECT_EQ(back.Question, in.Question);
  EXPECT_EQ(back.CouplingDb, in.CouplingDb);
  EXPECT_EQ(back.CouplingLaw, in.CouplingLaw);
  EXPECT_EQ(back.SensorPct, in.SensorPct);
  EXPECT_EQ(back.SensorLaw, in.SensorLaw);
  EXPECT_EQ(back.Correlated, in.Correlated);
  EXPECT_EQ(back.Psi0Deg, in.Psi0Deg);
  EXPECT_EQ(back.Chi0Deg, in.Chi0Deg);
  EXPECT_EQ(back.Coverage, in.Coverage);
  EXPECT_EQ(back.Seed, in.Seed);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(budget.Handle(), win32ui::kBudgetPsi0Id)));

  in.CouplingDb = "-1";
  budget.SetInputs(in);
  budget.Run();
  EXPECT_FALSE(budget.Running());
  EXPECT_EQ(TextOfChild(budget.Handle(), win32ui::kBudgetStatusId),
            views::PrepareBudget(budget.Inputs(), form).Message);
}

TEST_F(Sheets, ClosingDuringARunWaitsForIt) {
  auto budget = std::make_unique<win32ui::BudgetSheet>(top, GetModuleHandleW(nullptr), font, 96,
                                                       form, *readings);
  budget->Run();
  budget.reset();  // joins the thread; its message finds no window
  Pump();
  SUCCEED();
}

}  // namespace
