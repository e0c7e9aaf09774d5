#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <thread>

#include "mainwindow/form.h"
#include "views/budget_view.h"
#include "win32ui/sheet_panel.h"

// The Analysis window's budget sheet: the calibration uncertainties in, a Monte Carlo run on a
// button. The run takes up to a second or so, so it runs on a thread of its own and posts its
// table back; the window keeps drawing and answering meanwhile.
namespace win32ui {

class ReadingsSheet;

// Child identifiers, for the tests' probe.
inline constexpr int kBudgetQuestionLabelId = 230;
inline constexpr int kBudgetQuestionId = 231;
inline constexpr int kBudgetCouplingLabelId = 232;
inline constexpr int kBudgetCouplingId = 233;
inline constexpr int kBudgetCouplingLawId = 234;
inline constexpr int kBudgetSensorLabelId = 235;
inline constexpr int kBudgetSensorId = 236;
inline constexpr int kBudgetSensorLawId = 237;
inline constexpr int kBudgetCorrelatedId = 238;
inline constexpr int kBudgetPsi0LabelId = 239;
inline constexpr int kBudgetPsi0Id = 240;
inline constexpr int kBudgetChi0LabelId = 241;
inline constexpr int kBudgetChi0Id = 242;
inline constexpr int kBudgetCoverageLabelId = 243;
inline constexpr int kBudgetCoverageId = 244;
inline constexpr int kBudgetSeedLabelId = 245;
inline constexpr int kBudgetSeedId = 246;
inline constexpr int kBudgetRunId = 247;
inline constexpr int kBudgetStatusId = 248;
inline constexpr int kBudgetResultsId = 249;
inline constexpr int kBudgetContributionsId = 250;

class BudgetSheet : public SheetPanel {
 public:
  BudgetSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi, const mainwindow::TForm1& form,
              ReadingsSheet& readings);
  ~BudgetSheet() override;

  // Readings comes from the readings sheet, and SetInputs leaves that sheet alone.
  views::BudgetSheetInputs Inputs() const;
  void SetInputs(const views::BudgetSheetInputs& in);
  // Starts a run of the present inputs; a run still under way is superseded, its result
  // dropped when it comes.
  void Run();
  bool Running() const { return !runs_.empty(); }
  // The main window's values changed: a budget of its truth is out of date.
  void FormChanged();

 private:
  struct Job;
  void OnCommand(int id, UINT code) override;
  LRESULT OnOther(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout(int width, int height) override;
  void Show(const views::BudgetSheet& sheet);
  void MarkStale();
  void Finish(std::uint64_t run);

  const mainwindow::TForm1& form_;
  ReadingsSheet& readings_;
  HWND question_ = nullptr;
  HWND coupling_ = nullptr;
  HWND couplingLaw_ = nullptr;
  HWND sensor_ = nullptr;
  HWND sensorLaw_ = nullptr;
  HWND correlated_ = nullptr;
  HWND psi0_ = nullptr;
  HWND chi0_ = nullptr;
  HWND coverage_ = nullptr;
  HWND seed_ = nullptr;
  HWND run_ = nullptr;
  HWND status_ = nullptr;
  HWND results_ = nullptr;
  HWND contributions_ = nullptr;
  bool quiet_ = false;
  std::uint64_t nextRun_ = 0;
  std::uint64_t lastRun_ = 0;       // the run whose result the sheet waits for (0: none)
  std::uint64_t changes_ = 0;       // counts input changes
  std::uint64_t changesAtRun_ = 0;  // the count when the last run started
  std::map<std::uint64_t, std::shared_ptr<Job>> runs_;  // under way, or posted and not joined
};

}  // namespace win32ui
