#include "qtui/budget_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/readings_sheet.h"
#include "qtui/sheet_widgets.h"
#include "views/limits_table.h"
#include "views/texts.h"

namespace qtui {

namespace {

QComboBox* LawList() {
  auto* list = new QComboBox;
  list->addItem(Q(views::kLawRectangular));
  list->addItem(Q(views::kLawNormal));
  return list;
}

analysis::CalibrationLaw LawOf(const QComboBox* list) {
  return list->currentIndex() == 1 ? analysis::CalibrationLaw::Normal
                                   : analysis::CalibrationLaw::Rectangular;
}

template <std::size_t N>
void Fill(QTableWidget* table, const std::vector<std::array<std::string, N>>& rows,
          std::size_t firstNumber, std::size_t unitColumn) {
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < N; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      const bool number = c >= firstNumber && c != unitColumn;
      item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      table->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  table->resizeColumnsToContents();
}

}  // namespace

BudgetSheet::BudgetSheet(MainWindow& window, ReadingsSheet& readings)
    : window_(window), readings_(readings) {
  const views::BudgetSheetInputs start;
  question_ = new QComboBox;
  question_->addItem(Q(views::kBudgetFromReadings));
  question_->addItem(Q(views::kBudgetFromTruth));
  coupling_ = new QLineEdit(QString::fromStdString(start.CouplingDb));
  couplingLaw_ = LawList();
  sensor_ = new QLineEdit(QString::fromStdString(start.SensorPct));
  sensorLaw_ = LawList();
  correlated_ = new QCheckBox(Q(views::kBudgetCorrelated));
  psi0_ = new QLineEdit(QString::fromStdString(start.Psi0Deg));
  chi0_ = new QLineEdit(QString::fromStdString(start.Chi0Deg));
  coverage_ = new QComboBox;
  for (double p : views::kCoverageChoices) {
    coverage_->addItem(QString::fromStdString(views::CoverageText(p)), p);
  }
  seed_ = new QLineEdit(QString::fromStdString(start.Seed));
  run_ = new QPushButton(Q(views::kBudgetRun));
  status_ = new QLabel;
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  results_ = CompactTable(3);
  results_->setHorizontalHeaderLabels(
      {Q(views::kColQuantity), Q(views::kColValue), Q(views::kColUnit)});
  contributions_ = CompactTable(4);
  QStringList header;
  for (const std::string& h : views::ContributionHeader()) header << QString::fromStdString(h);
  contributions_->setHorizontalHeaderLabels(header);

  auto* form = new QFormLayout;
  form->addRow(Q(views::kBudgetQuestion), question_);
  form->addRow(Q(views::kBudgetCoupling), FieldWithList(coupling_, couplingLaw_));
  form->addRow(Q(views::kBudgetSensor), FieldWithList(sensor_, sensorLaw_));
  form->addRow(correlated_);
  auto* offsets = new QHBoxLayout;
  offsets->addWidget(psi0_, 1);
  offsets->addWidget(new QLabel(Q(views::kBudgetChi0)));
  offsets->addWidget(chi0_, 1);
  form->addRow(Q(views::kBudgetPsi0), offsets);
  form->addRow(Q(views::kCoverageLabel), coverage_);
  form->addRow(Q(views::kBudgetSeed), FieldWithList(seed_, run_));

  // In a scroll area, so that the sheet never makes the window larger than the size it was
  // left at: the other tabs need less.
  auto* content = new QWidget;
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
  auto* layout = new QVBoxLayout(content);
  layout->addLayout(form);
  layout->addWidget(status_);
  auto* tables = new QHBoxLayout;
  tables->addWidget(results_, 1);
  tables->addWidget(contributions_, 1);
  layout->addLayout(tables, 1);
  scroll->setWidget(content);

  for (QLineEdit* e : {coupling_, sensor_, psi0_, chi0_, seed_}) {
    connect(e, &QLineEdit::textChanged, this, &BudgetSheet::MarkStale);
  }
  for (QComboBox* c : {question_, couplingLaw_, sensorLaw_, coverage_}) {
    connect(c, &QComboBox::activated, this, &BudgetSheet::MarkStale);
  }
  connect(correlated_, &QCheckBox::toggled, this, &BudgetSheet::MarkStale);
  connect(&readings_, &ReadingsSheet::inputsChanged, this, [this] {
    if (question_->currentIndex() == 0) MarkStale();
  });
  connect(&window_, &MainWindow::formChanged, this, [this] {
    if (question_->currentIndex() == 1) MarkStale();
  });
  connect(run_, &QPushButton::clicked, this, &BudgetSheet::Run);
  MarkStale();
}

BudgetSheet::~BudgetSheet() {
  // The worker holds only copies, but its end is posted to this object: wait for it.
  if (worker_ != nullptr) {
    worker_->wait();
    delete worker_;
  }
}

views::BudgetSheetInputs BudgetSheet::Inputs() const {
  views::BudgetSheetInputs in;
  in.Question = question_->currentIndex() == 1 ? views::BudgetQuestion::FromTruth
                                               : views::BudgetQuestion::FromReadings;
  in.Readings = readings_.Inputs();
  in.CouplingDb = coupling_->text().toStdString();
  in.CouplingLaw = LawOf(couplingLaw_);
  in.SensorPct = sensor_->text().toStdString();
  in.SensorLaw = LawOf(sensorLaw_);
  in.Correlated = correlated_->isChecked();
  in.Psi0Deg = psi0_->text().toStdString();
  in.Chi0Deg = chi0_->text().toStdString();
  const QVariant p = coverage_->currentData();
  in.Coverage = p.isValid() ? p.toDouble() : views::kCoverageChoices[0];
  in.Seed = seed_->text().toStdString();
  return in;
}

void BudgetSheet::SetInputs(const views::BudgetSheetInputs& in) {
  {
    const QSignalBlocker blockers[] = {QSignalBlocker(coupling_),   QSignalBlocker(sensor_),
                                       QSignalBlocker(correlated_), QSignalBlocker(psi0_),
                                       QSignalBlocker(chi0_),       QSignalBlocker(seed_)};
    question_->setCurrentIndex(in.Question == views::BudgetQuestion::FromTruth ? 1 : 0);
    coupling_->setText(QString::fromStdString(in.CouplingDb));
    couplingLaw_->setCurrentIndex(in.CouplingLaw == analysis::CalibrationLaw::Normal ? 1 : 0);
    sensor_->setText(QString::fromStdString(in.SensorPct));
    sensorLaw_->setCurrentIndex(in.SensorLaw == analysis::CalibrationLaw::Normal ? 1 : 0);
    correlated_->setChecked(in.Correlated);
    psi0_->setText(QString::fromStdString(in.Psi0Deg));
    chi0_->setText(QString::fromStdString(in.Chi0Deg));
    const int p = coverage_->findData(in.Coverage);
    coverage_->setCurrentIndex(p >= 0 ? p : 0);
    seed_->setText(QString::fromStdString(in.Seed));
  }
  MarkStale();
}

void BudgetSheet::Run() {
  if (running_) return;
  const views::BudgetJob job = views::PrepareBudget(Inputs(), window_.Form());
  if (!job.Ok) {
    Show(views::BudgetTable(job, {}));
    return;
  }
  running_ = true;
  changedDuringRun_ = false;
  run_->setEnabled(false);
  status_->setText(Q(views::kBudgetRunning));
  Show({});
  auto result = std::make_shared<views::BudgetSheet>();
  result_ = result;
  worker_ =
      QThread::create([job, result] { *result = views::BudgetTable(job, views::RunBudget(job)); });
  connect(worker_, &QThread::finished, this, &BudgetSheet::Finish);
  worker_->start();
}

void BudgetSheet::Finish() {
  worker_->deleteLater();
  worker_ = nullptr;
  running_ = false;
  run_->setEnabled(true);
  if (changedDuringRun_) {
    MarkStale();
    return;
  }
  Show(*result_);
  Q_EMIT finished();
}

void BudgetSheet::Show(const views::BudgetSheet& sheet) {
  if (!sheet.Message.empty()) status_->setText(QString::fromStdString(sheet.Message));
  Fill(results_, sheet.Rows, 1, 2);
  Fill(contributions_, sheet.Contributions, 1, 2);
}

void BudgetSheet::MarkStale() {
  const bool correlated = correlated_->isChecked();
  psi0_->setEnabled(correlated);
  chi0_->setEnabled(correlated);
  if (running_) {
    changedDuringRun_ = true;
    return;
  }
  // Numbers of other inputs beside these would mislead: they go until the next run.
  Show({});
  status_->setText(Q(views::kBudgetStale));
}

}  // namespace qtui
