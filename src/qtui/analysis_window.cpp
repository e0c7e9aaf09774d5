#include "qtui/analysis_window.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <string_view>

#include "chart/chart.h"
#include "numtext/power_unit.h"
#include "qtui/band_sheet.h"
#include "qtui/budget_sheet.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/readings_sheet.h"
#include "qtui/sheet_widgets.h"
#include "views/chart_data.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/texts.h"

namespace qtui {

AnalysisWindow::AnalysisWindow(MainWindow& window, PathChooser chooser)
    : QWidget(nullptr, Qt::Window), window_(window), chooser_(std::move(chooser)) {
  setWindowTitle(Q(views::kAnalysisTitle));
  stale_.fill(true);
  auto* tabs = new QTabWidget;
  tabs_ = tabs;
  for (int i = 0; i < kChartCount; ++i) {
    const std::string_view titles[] = {views::kChartPowers, views::kChartReadings,
                                       views::kChartDirectivity};
    tabs->addTab(BuildChartPage(i), Q(titles[i]));
  }
  readings_ = new ReadingsSheet(window_);
  tabs->addTab(readings_, Q(views::kSheetReadings));
  budget_ = new BudgetSheet(window_, *readings_);
  tabs->addTab(budget_, Q(views::kSheetBudget));
  bands_ = new BandSheets(window_, *tabs, InStartFolder(DialogOpenChooser(), window_.Form()),
                          chooser_, this);
  connect(tabs, &QTabWidget::currentChanged, this, [this](int i) {
    if (i >= 0 && i < kChartCount) EnsureFresh(i);
  });

  // Rows as high as their text, so that all ten fit beside the charts without scrolling.
  table_ = CompactTable(static_cast<int>(views::kLimitColumns));
  // A few rows and the scroll bar are enough while a sheet wants the height.
  table_->setMinimumHeight(4 * table_->fontMetrics().height() + 8);

  auto* design = new QGroupBox(Q(views::kDesignHeading));
  auto* form = new QFormLayout(design);
  target_ = new QLineEdit(QString::number(views::kDefaultDesignTargetPercent));
  dirAnswer_ = new QLabel;
  swrAnswer_ = new QLabel;
  for (QLabel* l : {dirAnswer_, swrAnswer_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(Q(views::kDesignTarget), target_);
  form->addRow(Q(views::kDesignDirectivity), dirAnswer_);
  form->addRow(Q(views::kDesignSwr), swrAnswer_);
  connect(target_, &QLineEdit::textChanged, this, [this] { RefreshDesign(); });

  auto* side = new QWidget;
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  coverage_ = new QComboBox;
  for (double p : views::kCoverageChoices) {
    coverage_->addItem(QString::fromStdString(views::CoverageText(p)), p);
  }
  connect(coverage_, &QComboBox::activated, this, [this] { RefreshTable(); });
  auto* heading = new QHBoxLayout;
  heading->addWidget(new QLabel(Q(views::kLimitsHeading)), 1);
  heading->addWidget(new QLabel(Q(views::kCoverageLabel)));
  heading->addWidget(coverage_);
  sideLayout->addLayout(heading);
  sideLayout->addWidget(table_, 1);
  sideLayout->addWidget(design);

  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(tabs);
  split->addWidget(side);
  // The sheets are what the window is opened for; the table and the design box keep what
  // their rows need and give the rest to the charts and the band's inputs.
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  split->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split);
  // The charts take most of the height; the table shows a few rows and scrolls.
  split->setSizes({600, 300});

  connect(&window_, &MainWindow::formChanged, this, &AnalysisWindow::Refresh);
  Refresh();
}

AnalysisWindow::~AnalysisWindow() = default;

QWidget* AnalysisWindow::BuildChartPage(int i) {
  auto* page = new QWidget;
  auto* view = new ChartView;
  views_[static_cast<std::size_t>(i)] = view;
  auto* buttons = new QHBoxLayout;
  const auto add = [&](std::string_view text, auto fn) {
    auto* b = new QPushButton(Q(text));
    connect(b, &QPushButton::clicked, this, [this, i, fn] { (this->*fn)(i); });
    buttons->addWidget(b);
  };
  add(views::kExportPng, &AnalysisWindow::ExportPng);
  add(views::kExportSvg, &AnalysisWindow::ExportSvg);
  add(views::kExportCsv, &AnalysisWindow::ExportCsv);
  add(views::kCopyChart, &AnalysisWindow::CopyChart);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(view, 1);
  layout->addLayout(buttons);
  return page;
}

void AnalysisWindow::Refresh() {
  stale_.fill(true);
  EnsureFresh(tabs_->currentIndex());
  RefreshTable();
  RefreshDesign();
}

void AnalysisWindow::EnsureFresh(int i) {
  if (i < 0 || i >= kChartCount || !stale_[static_cast<std::size_t>(i)]) return;
  const auto unit = numtext::PowerUnitOfIndex(window_.Form().rgPowerUnit.ItemIndex())
                        .value_or(numtext::PowerUnit::Watts);
  const auto k = static_cast<std::size_t>(i);
  built_[k] = views::BuildAnalysisChart(static_cast<views::AnalysisChart>(i), window_.Form(), unit,
                                        TargetPercent());
  views_[k]->SetChart(built_[k].Chart);
  stale_[k] = false;
}

void AnalysisWindow::RefreshTable() {
  const double p = Coverage();
  if (p != shownCoverage_) {
    QStringList header;
    for (const std::string& h : views::LimitTableHeader(p)) header << QString::fromStdString(h);
    table_->setHorizontalHeaderLabels(header);
    shownCoverage_ = p;
  }
  const std::vector<views::LimitTableRow> rows = views::LimitsTable(window_.Form(), p);
  table_->setRowCount(static_cast<int>(rows.size()));
  // Fitting the columns measures every cell, which costs about as much as drawing a chart:
  // only a text of another length can need other widths.
  bool lengthChanged = false;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < views::kLimitColumns; ++c) {
      const int row = static_cast<int>(r);
      const int column = static_cast<int>(c);
      const QString text = QString::fromStdString(rows[r][c]);
      QTableWidgetItem* item = table_->item(row, column);
      if (item == nullptr) {
        item = new QTableWidgetItem;
        // Numbers right-aligned, so that digits of one weight stand one under the other.
        const Qt::Alignment along = views::LimitColumnIsNumber(c) ? Qt::AlignRight : Qt::AlignLeft;
        item->setTextAlignment(along | Qt::AlignVCenter);
        table_->setItem(row, column, item);
      }
      if (item->text() != text) {
        lengthChanged = lengthChanged || item->text().size() != text.size();
        item->setText(text);
      }
    }
  }
  if (lengthChanged) table_->resizeColumnsToContents();
}

void AnalysisWindow::RefreshDesign() {
  const views::DesignAnswers a = views::AnswerDesign(window_.Form(), target_->text().toStdString());
  dirAnswer_->setText(QString::fromStdString(a.Directivity));
  swrAnswer_->setText(QString::fromStdString(a.LoadSwr));
  // The directivity chart draws the target.
  const auto d = static_cast<std::size_t>(views::AnalysisChart::Directivity);
  stale_[d] = true;
  if (tabs_->currentIndex() == static_cast<int>(d)) EnsureFresh(static_cast<int>(d));
}

double AnalysisWindow::Coverage() const {
  const QVariant v = coverage_->currentData();
  return v.isValid() ? v.toDouble() : views::kCoverageChoices[0];
}

double AnalysisWindow::TargetPercent() const {
  bool ok = false;
  const double t = target_->text().trimmed().toDouble(&ok);
  return ok ? t : std::nan("");
}

QSize AnalysisWindow::ChartSize(int i) const {
  // A chart never shown has no size of its own yet: it takes the one on show.
  const QSize own = View(i)->size();
  if (View(i)->isVisible() || own.width() >= 200) return own;
  // A sheet without a chart on show has no size to lend.
  const int current = tabs_->currentIndex();
  const QSize shown = current >= 0 && current < kChartCount ? View(current)->size() : QSize();
  return shown.width() >= 200 ? shown : QSize(800, 500);
}

bool AnalysisWindow::ExportPng(int i) {
  EnsureFresh(i);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  View(i)->Render(ChartSize(i)).save(&buffer, "PNG");
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(views::kExportPng),
                         Q(Chart(i).FileStem) + QStringLiteral(".png"), Q(views::kPngFilter),
                         bytes);
}

std::string AnalysisWindow::SvgOf(int i) {
  EnsureFresh(i);
  const QSize size = ChartSize(i);
  return chart::ToSvg(Chart(i).Chart, size.width(), size.height(), ChartStyleFor(*View(i)),
                      View(i)->font().family().toStdString());
}

bool AnalysisWindow::ExportSvg(int i) {
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(views::kExportSvg),
                         Q(Chart(i).FileStem) + QStringLiteral(".svg"), Q(views::kSvgFilter),
                         QByteArray::fromStdString(SvgOf(i)));
}

bool AnalysisWindow::ExportCsv(int i) {
  EnsureFresh(i);
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(views::kExportCsv),
                         Q(Chart(i).FileStem) + QStringLiteral(".csv"), Q(views::kCsvFilter),
                         QByteArray::fromStdString(views::ChartCsv(Chart(i).Table)));
}

void AnalysisWindow::CopyChart(int i) {
  EnsureFresh(i);
  auto* mime = new QMimeData;
  mime->setImageData(View(i)->Render(ChartSize(i)));
  mime->setText(QString::fromStdString(views::ChartCsv(Chart(i).Table)));
  QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace qtui
