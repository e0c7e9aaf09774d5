#include "qtui/analysis_window.h"

#include <QBuffer>
#include <QChartView>
#include <QClipboard>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <string_view>

#include "analysis/design.h"
#include "analysis/uncertainty.h"
#include "mainwindow/unit_index.h"
#include "numtext/format.h"
#include "qtui/analysis_charts.h"
#include "qtui/analysis_texts.h"
#include "qtui/main_window.h"

namespace qtui {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString Number(double x, int decimals) {
  return QString::fromStdString(numtext::FloatToText(x, decimals));
}

constexpr int kPowerDecimals = 2;
constexpr int kRatioDecimals = 4;
constexpr int kSwrDecimals = 3;
constexpr double kDefaultTargetPct = 5.0;

}  // namespace

AnalysisWindow::AnalysisWindow(MainWindow& window, PathChooser chooser)
    : QWidget(nullptr, Qt::Window), window_(window), chooser_(std::move(chooser)) {
  setWindowTitle(Q(kAnalysisTitle));
  charts_.push_back(std::make_unique<PowerChart>());
  charts_.push_back(std::make_unique<ReadingChart>());
  charts_.push_back(std::make_unique<DirectivityChart>());

  stale_.assign(kChartCount, true);
  auto* tabs = new QTabWidget;
  tabs_ = tabs;
  for (int i = 0; i < kChartCount; ++i) {
    tabs->addTab(BuildChartPage(i), Chart(i).Chart()->title());
  }
  connect(tabs, &QTabWidget::currentChanged, this, [this](int i) {
    if (i >= 0 && i < kChartCount) EnsureFresh(i);
  });

  table_ = new QTableWidget(0, 8);
  table_->setHorizontalHeaderLabels({Q(kColQuantity), Q(kColUnit), Q(kColMin), Q(kColActual),
                                     Q(kColMax), Q(kColMean), Q(kColStd), Q(kColExpanded)});
  table_->verticalHeader()->setVisible(false);
  // Rows as high as their text, so that all ten fit beside the charts without scrolling.
  // A fixed height: measuring every row on each update would cost more than a frame allows.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* design = new QGroupBox(Q(kDesignHeading));
  auto* form = new QFormLayout(design);
  target_ = new QLineEdit(QString::number(kDefaultTargetPct));
  dirAnswer_ = new QLabel;
  swrAnswer_ = new QLabel;
  for (QLabel* l : {dirAnswer_, swrAnswer_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(Q(kDesignTarget), target_);
  form->addRow(Q(kDesignDirectivity), dirAnswer_);
  form->addRow(Q(kDesignSwr), swrAnswer_);
  connect(target_, &QLineEdit::textChanged, this, [this] { RefreshDesign(); });

  auto* side = new QWidget;
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(new QLabel(Q(kLimitsHeading)));
  sideLayout->addWidget(table_, 1);
  sideLayout->addWidget(design);

  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(tabs);
  split->addWidget(side);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(split);
  resize(860, 900);
  // The charts take most of the height; the table needs little more than its ten rows.
  split->setSizes({540, 360});

  connect(&window_, &MainWindow::formChanged, this, &AnalysisWindow::Refresh);
  Refresh();
}

AnalysisWindow::~AnalysisWindow() = default;

QWidget* AnalysisWindow::BuildChartPage(int i) {
  auto* page = new QWidget;
  auto* view = new QChartView(Chart(i).Chart());  // takes the chart
  view->setRenderHint(QPainter::Antialiasing);
  views_.push_back(view);
  auto* buttons = new QHBoxLayout;
  const auto add = [&](std::string_view text, auto fn) {
    auto* b = new QPushButton(Q(text));
    connect(b, &QPushButton::clicked, this, [this, i, fn] { (this->*fn)(i); });
    buttons->addWidget(b);
  };
  add(kExportPng, &AnalysisWindow::ExportPng);
  add(kExportSvg, &AnalysisWindow::ExportSvg);
  add(kExportCsv, &AnalysisWindow::ExportCsv);
  add(kCopyChart, &AnalysisWindow::CopyChart);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(view, 1);
  layout->addLayout(buttons);
  return page;
}

void AnalysisWindow::Refresh() {
  stale_.assign(kChartCount, true);
  EnsureFresh(tabs_->currentIndex());
  RefreshTable();
  RefreshDesign();
}

void AnalysisWindow::EnsureFresh(int i) {
  if (i < 0 || i >= kChartCount || !stale_[static_cast<std::size_t>(i)]) return;
  Chart(i).Update(window_.Form(), window_.Form().rgPowerUnit.ItemIndex());
  stale_[static_cast<std::size_t>(i)] = false;
}

void AnalysisWindow::RefreshTable() {
  const rf::ModelState& m = window_.Form();
  const auto rows = analysis::LimitsAndUncertainty(m);
  const analysis::InferredLoadRange inferred = analysis::InferredLoadReflection(m);
  table_->setRowCount(static_cast<int>(rows.size()) + 2);
  // Fitting the columns measures every cell, which costs about as much as drawing a chart:
  // only a text of another length can need other widths.
  bool lengthChanged = false;
  const auto set = [&](int r, int c, const QString& text) {
    QTableWidgetItem* item = table_->item(r, c);
    if (item == nullptr) {
      item = new QTableWidgetItem;
      table_->setItem(r, c, item);
    }
    if (item->text() != text) {
      lengthChanged = lengthChanged || item->text().size() != text.size();
      item->setText(text);
    }
  };
  int r = 0;
  for (const analysis::LimitRow& row : rows) {
    // Powers in W, kW or MW by the row's largest value; the spread of a power in decibels
    // would have no meaning, so the table keeps watts whatever the window shows.
    PowerUnit unit{};
    unit.Factor = 1.0;
    int decimals = kRatioDecimals;
    if (row.IsPower) {
      unit = ChoosePowerUnit(mainwindow::kPowerWatts, std::fabs(row.Max));
      decimals = kPowerDecimals;
    }
    const auto v = [&](double x) { return Number(x * unit.Factor, decimals); };
    set(r, 0, Q(row.Name));
    set(r, 1, unit.Name);
    set(r, 2, v(row.Min));
    set(r, 3, v(row.Actual));
    set(r, 4, v(row.Max));
    set(r, 5, v(row.Stats.Mean));
    set(r, 6, v(row.Stats.Std));
    set(r, 7, v(row.Stats.Expanded));
    ++r;
  }
  set(r, 0, Q(kInferredLoadMag));
  set(r, 2, Number(inferred.Lo.Mag, kRatioDecimals));
  set(r, 4, Number(inferred.Hi.Mag, kRatioDecimals));
  ++r;
  set(r, 0, Q(kInferredLoadSwr));
  set(r, 2, Number(inferred.Lo.Swr, kSwrDecimals));
  set(r, 4, Number(inferred.Hi.Swr, kSwrDecimals));
  if (lengthChanged) table_->resizeColumnsToContents();
}

void AnalysisWindow::RefreshDesign() {
  bool ok = false;
  // QString::toDouble reads "." whatever the locale, as every number field of the program.
  const double pct = target_->text().trimmed().toDouble(&ok);
  if (!ok || !(pct > 0.0) || !std::isfinite(pct)) {
    dirAnswer_->setText(Q(kNoTarget));
    swrAnswer_->setText(Q(kNoTarget));
    return;
  }
  const rf::ModelState& m = window_.Form();
  const std::optional<double> dir = analysis::DesignDirectivity(m, pct / 100.0);
  dirAnswer_->setText(dir ? Number(*dir, kPowerDecimals) + QLatin1Char(' ') + Q(kUnitDb)
                          : Q(kNotReachable));
  const std::optional<double> swr = analysis::DesignLoadSwr(m, pct / 100.0);
  if (!swr) {
    swrAnswer_->setText(Q(kNotReachable));
  } else if (std::isinf(*swr)) {
    swrAnswer_->setText(Q(kInfinite));
  } else {
    swrAnswer_->setText(Number(*swr, kSwrDecimals));
  }
}

bool AnalysisWindow::ExportPng(int i) {
  EnsureFresh(i);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  View(i)->grab().toImage().save(&buffer, "PNG");
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(kExportPng),
                         Chart(i).FileStem() + ".png", Q(kPngFilter), bytes);
}

QByteArray AnalysisWindow::SvgOf(int i) {
  EnsureFresh(i);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  const QSize size = View(i)->size();
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(Chart(i).Chart()->title());
  QPainter painter(&svg);
  View(i)->render(&painter);
  painter.end();
  return bytes;
}

bool AnalysisWindow::ExportSvg(int i) {
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(kExportSvg),
                         Chart(i).FileStem() + ".svg", Q(kSvgFilter), SvgOf(i));
}

bool AnalysisWindow::ExportCsv(int i) {
  EnsureFresh(i);
  return SaveWithChooser(chooser_, window_.Form().Platform(), this, Q(kExportCsv),
                         Chart(i).FileStem() + ".csv", Q(kCsvFilter),
                         QByteArray::fromStdString(ChartCsv(Chart(i).Table())));
}

void AnalysisWindow::CopyChart(int i) {
  EnsureFresh(i);
  auto* mime = new QMimeData;
  mime->setImageData(View(i)->grab().toImage());
  mime->setText(QString::fromStdString(ChartCsv(Chart(i).Table())));
  QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace qtui
