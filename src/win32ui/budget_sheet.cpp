#include "win32ui/budget_sheet.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "env/win32_text.h"
#include "views/limits_table.h"
#include "views/texts.h"
#include "win32ui/readings_sheet.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// Posted by a run's thread when its table is ready; wParam is the run's number.
constexpr UINT kRunDone = WM_APP + 0x42;

// Design pixels at 96 dpi.
constexpr int kMargin = 8;
constexpr int kRow = 28;
constexpr int kLabelWidth = 230;
constexpr int kFieldWidth = 90;
constexpr int kStatusHeight = 36;

std::vector<std::string> Laws() {
  return {std::string(views::kLawRectangular), std::string(views::kLawNormal)};
}

analysis::CalibrationLaw LawOf(HWND list) {
  return SendMessageW(list, CB_GETCURSEL, 0, 0) == 1 ? analysis::CalibrationLaw::Normal
                                                     : analysis::CalibrationLaw::Rectangular;
}

int LawIndex(analysis::CalibrationLaw law) {
  return law == analysis::CalibrationLaw::Normal ? 1 : 0;
}

std::string Narrowed(HWND edit) { return env::win32::Narrow(TextOf(edit)); }

}  // namespace

// One run: its thread and the table it leaves, read on the window's thread after the join.
struct BudgetSheet::Job {
  std::thread Worker;
  views::BudgetSheet Result;
};

BudgetSheet::BudgetSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi,
                         const mainwindow::TForm1& form, ReadingsSheet& readings)
    : SheetPanel(parent, instance, font, dpi), form_(form), readings_(readings) {
  const std::string couplingName = FieldName(views::kBudgetCoupling);
  const std::string sensorName = FieldName(views::kBudgetSensor);
  const std::string law(views::kAccessibleLawSuffix);
  const auto edit = [this](int id, std::string_view name) {
    return Child(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, id, name, WS_EX_CLIENTEDGE);
  };
  Label(views::kBudgetQuestion, kBudgetQuestionLabelId);
  question_ = List(kBudgetQuestionId,
                   {std::string(views::kBudgetFromReadings), std::string(views::kBudgetFromTruth)},
                   FieldName(views::kBudgetQuestion));
  Label(views::kBudgetCoupling, kBudgetCouplingLabelId);
  coupling_ = edit(kBudgetCouplingId, couplingName);
  couplingLaw_ = List(kBudgetCouplingLawId, Laws(), couplingName + law);
  Label(views::kBudgetSensor, kBudgetSensorLabelId);
  sensor_ = edit(kBudgetSensorId, sensorName);
  sensorLaw_ = List(kBudgetSensorLawId, Laws(), sensorName + law);
  correlated_ = Child(WC_BUTTONW, views::kBudgetCorrelated, WS_TABSTOP | BS_AUTOCHECKBOX,
                      kBudgetCorrelatedId);
  Label(views::kBudgetPsi0, kBudgetPsi0LabelId);
  psi0_ = edit(kBudgetPsi0Id, FieldName(views::kBudgetPsi0));
  Label(views::kBudgetChi0, kBudgetChi0LabelId);
  chi0_ = edit(kBudgetChi0Id, FieldName(views::kBudgetChi0));
  Label(views::kCoverageLabel, kBudgetCoverageLabelId);
  std::vector<std::string> coverages;
  for (double p : views::kCoverageChoices) coverages.push_back(views::CoverageText(p));
  coverage_ = List(kBudgetCoverageId, coverages, FieldName(views::kCoverageLabel));
  Label(views::kBudgetSeed, kBudgetSeedLabelId);
  seed_ = edit(kBudgetSeedId, FieldName(views::kBudgetSeed));
  run_ = Child(WC_BUTTONW, views::kBudgetRun, WS_TABSTOP | BS_PUSHBUTTON, kBudgetRunId);
  status_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kBudgetStatusId);
  results_ = Table(kBudgetResultsId,
                   {std::string(views::kColQuantity), std::string(views::kColValue),
                    std::string(views::kColUnit)},
                   1, 2, views::kAccessibleBudgetResults);
  const auto header = views::ContributionHeader();
  contributions_ = Table(kBudgetContributionsId, {header.begin(), header.end()}, 1, 2,
                         views::kAccessibleContributions);
  readings_.OnChanged([this] {
    if (SendMessageW(question_, CB_GETCURSEL, 0, 0) == 0) MarkStale();
  });
  SetInputs(views::BudgetSheetInputs{});
}

BudgetSheet::~BudgetSheet() {
  readings_.OnChanged(nullptr);
  // A run holds only copies, but its end is posted to this sheet: wait for each.
  for (auto& [number, job] : runs_) {
    if (job->Worker.joinable()) job->Worker.join();
  }
}

views::BudgetSheetInputs BudgetSheet::Inputs() const {
  views::BudgetSheetInputs in;
  in.Question = SendMessageW(question_, CB_GETCURSEL, 0, 0) == 1
                    ? views::BudgetQuestion::FromTruth
                    : views::BudgetQuestion::FromReadings;
  in.Readings = readings_.Inputs();
  in.CouplingDb = Narrowed(coupling_);
  in.CouplingLaw = LawOf(couplingLaw_);
  in.SensorPct = Narrowed(sensor_);
  in.SensorLaw = LawOf(sensorLaw_);
  in.Correlated = SendMessageW(correlated_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  in.Psi0Deg = Narrowed(psi0_);
  in.Chi0Deg = Narrowed(chi0_);
  const auto i = static_cast<int>(SendMessageW(coverage_, CB_GETCURSEL, 0, 0));
  in.Coverage = i >= 0 && static_cast<std::size_t>(i) < views::kCoverageChoices.size()
                    ? views::kCoverageChoices[static_cast<std::size_t>(i)]
                    : views::kCoverageChoices[0];
  in.Seed = Narrowed(seed_);
  return in;
}

void BudgetSheet::SetInputs(const views::BudgetSheetInputs& in) {
  quiet_ = true;
  SendMessageW(question_, CB_SETCURSEL, in.Question == views::BudgetQuestion::FromTruth ? 1 : 0, 0);
  SetText(coupling_, W(in.CouplingDb));
  SendMessageW(couplingLaw_, CB_SETCURSEL, static_cast<WPARAM>(LawIndex(in.CouplingLaw)), 0);
  SetText(sensor_, W(in.SensorPct));
  SendMessageW(sensorLaw_, CB_SETCURSEL, static_cast<WPARAM>(LawIndex(in.SensorLaw)), 0);
  SendMessageW(correlated_, BM_SETCHECK, in.Correlated ? BST_CHECKED : BST_UNCHECKED, 0);
  SetText(psi0_, W(in.Psi0Deg));
  SetText(chi0_, W(in.Chi0Deg));
  std::size_t coverage = 0;
  for (std::size_t i = 0; i < views::kCoverageChoices.size(); ++i) {
    if (views::kCoverageChoices[i] == in.Coverage) coverage = i;
  }
  SendMessageW(coverage_, CB_SETCURSEL, coverage, 0);
  SetText(seed_, W(in.Seed));
  quiet_ = false;
  MarkStale();
}

void BudgetSheet::Run() {
  const views::BudgetJob job = views::PrepareBudget(Inputs(), form_);
  if (!job.Ok) {
    lastRun_ = 0;  // a run under way no longer counts
    Show(views::BudgetTable(job, {}));
    return;
  }
  changesAtRun_ = changes_;
  const std::uint64_t number = ++nextRun_;
  lastRun_ = number;
  auto run = std::make_shared<Job>();
  runs_[number] = run;
  SetText(status_, W(views::kBudgetRunning));
  Show({});
  HWND target = hwnd();
  // The thread touches only its copy of the job and its own result; the message tells the
  // window's thread to join it and read the result.
  Job* out = run.get();
  run->Worker = std::thread([job, out, target, number] {
    out->Result = views::BudgetTable(job, views::RunBudget(job));
    PostMessageW(target, kRunDone, static_cast<WPARAM>(number), 0);
  });
}

void BudgetSheet::Finish(std::uint64_t number) {
  const auto found = runs_.find(number);
  if (found == runs_.end()) return;
  const std::shared_ptr<Job> run = found->second;
  runs_.erase(found);
  run->Worker.join();
  if (number != lastRun_) return;  // superseded by a later run
  if (changes_ != changesAtRun_) {
    MarkStale();
    return;
  }
  Show(run->Result);
}

void BudgetSheet::Show(const views::BudgetSheet& sheet) {
  if (!sheet.Message.empty()) SetText(status_, W(sheet.Message));
  FillTable(results_, Rows(sheet.Rows), Scale(16));
  FillTable(contributions_, Rows(sheet.Contributions), Scale(16));
}

void BudgetSheet::MarkStale() {
  const bool correlated = SendMessageW(correlated_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  EnableWindow(psi0_, correlated);
  EnableWindow(chi0_, correlated);
  ++changes_;
  if (runs_.count(lastRun_) != 0) return;  // the run's end tells it is out of date
  // Numbers of other inputs beside these would mislead: they go until the next run.
  Show({});
  SetText(status_, W(views::kBudgetStale));
}

void BudgetSheet::FormChanged() {
  if (SendMessageW(question_, CB_GETCURSEL, 0, 0) == 1) MarkStale();
}

void BudgetSheet::OnCommand(int id, UINT code) {
  if (quiet_) return;
  switch (id) {
    case kBudgetCouplingId:
    case kBudgetSensorId:
    case kBudgetPsi0Id:
    case kBudgetChi0Id:
    case kBudgetSeedId:
      if (code == EN_CHANGE) MarkStale();
      break;
    case kBudgetQuestionId:
    case kBudgetCouplingLawId:
    case kBudgetSensorLawId:
    case kBudgetCoverageId:
      if (code == CBN_SELCHANGE) MarkStale();
      break;
    case kBudgetCorrelatedId:
      if (code == BN_CLICKED) MarkStale();
      break;
    case kBudgetRunId:
      if (code == BN_CLICKED) Run();
      break;
    default:
      break;
  }
}

LRESULT BudgetSheet::OnOther(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunDone) {
    Finish(static_cast<std::uint64_t>(wp));
    return 0;
  }
  return SheetPanel::OnOther(msg, wp, lp);
}

void BudgetSheet::Layout(int width, int height) {
  const int m = Scale(kMargin);
  const int row = Scale(kRow);
  const int field = Scale(22);
  const int label = Scale(kLabelWidth);
  const int x = m + label + m / 2;
  const int fieldWidth = Scale(kFieldWidth);
  const int listX = x + fieldWidth + m / 2;
  const int listWidth = std::max(width - listX - m, Scale(120));
  int y = m;
  const auto labelAt = [&](int id, int lx, int lw) {
    Put(GetDlgItem(hwnd(), id), lx, y + Scale(3), lw, Scale(18));
  };
  labelAt(kBudgetQuestionLabelId, m, label);
  Put(question_, x, y, std::max(width - x - m, Scale(200)), Scale(200));
  y += row;
  labelAt(kBudgetCouplingLabelId, m, label);
  Put(coupling_, x, y, fieldWidth, field);
  Put(couplingLaw_, listX, y, std::min(listWidth, Scale(220)), Scale(200));
  y += row;
  labelAt(kBudgetSensorLabelId, m, label);
  Put(sensor_, x, y, fieldWidth, field);
  Put(sensorLaw_, listX, y, std::min(listWidth, Scale(220)), Scale(200));
  y += row;
  Put(correlated_, m, y, width - 2 * m, field);
  y += row;
  labelAt(kBudgetPsi0LabelId, m, label);
  Put(psi0_, x, y, fieldWidth, field);
  labelAt(kBudgetChi0LabelId, listX, Scale(220));
  Put(chi0_, listX + Scale(224), y, fieldWidth, field);
  y += row;
  labelAt(kBudgetCoverageLabelId, m, label);
  Put(coverage_, x, y, fieldWidth, Scale(200));
  y += row;
  labelAt(kBudgetSeedLabelId, m, label);
  Put(seed_, x, y, fieldWidth, field);
  Put(run_, listX, y - Scale(1), Scale(140), Scale(24));
  y += row;
  Put(status_, m, y, width - 2 * m, Scale(kStatusHeight));
  y += Scale(kStatusHeight);
  const int tablesHeight = std::max(height - y - m, Scale(60));
  const int half = (width - 3 * m) / 2;
  Put(results_, m, y, half, tablesHeight);
  Put(contributions_, 2 * m + half, y, width - 3 * m - half, tablesHeight);
}

}  // namespace win32ui
