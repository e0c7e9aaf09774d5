#include "qtui/band_sheet.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lines/frequency.h"
#include "numtext/power_unit.h"
#include "qtui/chart_view.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "views/texts.h"

namespace qtui {

namespace {

QString S(const std::string& s) { return QString::fromStdString(s); }

// A sheet scrolls rather than push the Analysis window beyond a small screen: the tabs take
// the largest minimum of their pages.
QWidget* Scrolled(QWidget* content) {
  auto* scroll = new QScrollArea;
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  return scroll;
}

}  // namespace

BandSheets::BandSheets(MainWindow& window, QTabWidget& tabs, PathChooser open, PathChooser save,
                       QObject* parent)
    : QObject(parent),
      window_(window),
      tabs_(tabs),
      open_(std::move(open)),
      save_(std::move(save)) {
  message_ = new QLabel;
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message_->setStyleSheet(QStringLiteral("color: #b00020"));
  active_ = new QLabel;
  active_->setWordWrap(true);

  extremes_ = new QTableWidget(0, static_cast<int>(views::kExtremeColumns));
  extremes_->verticalHeader()->setVisible(false);
  extremes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  extremes_->setMinimumHeight(extremes_->fontMetrics().height() * 3);
  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(message_);
  rightLayout->addWidget(active_);
  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(ChartPage(powersView_, nullptr, kPowersChart));
  auto* table = new QWidget;
  auto* tableLayout = new QVBoxLayout(table);
  tableLayout->setContentsMargins(0, 0, 0, 0);
  tableLayout->addWidget(new QLabel(Q(views::kExtremesHeading)));
  tableLayout->addWidget(extremes_);
  split->addWidget(table);
  split->setSizes({420, 220});
  rightLayout->addWidget(split, 1);

  auto* bandContent = new QWidget;
  auto* bandLayout = new QHBoxLayout(bandContent);
  bandLayout->addWidget(BuildInputs());
  bandLayout->addWidget(right, 1);
  smithPage_ = ChartPage(smithView_, nullptr, kSmithChart);
  mapChoice_ = new QComboBox;
  mapChoice_->addItems({Q(views::kMapPowerItem), Q(views::kMapErrorItem)});
  auto* choice = new QWidget;
  auto* choiceLayout = new QHBoxLayout(choice);
  choiceLayout->setContentsMargins(0, 0, 0, 0);
  choiceLayout->addWidget(new QLabel(Q(views::kMapShows)));
  choiceLayout->addWidget(mapChoice_);
  choiceLayout->addStretch(1);
  mapPage_ = ChartPage(mapView_, choice, kMapChart);
  connect(mapChoice_, &QComboBox::activated, this, [this] { RefreshMap(); });

  bandPage_ = Scrolled(bandContent);
  smithPage_ = Scrolled(smithPage_);
  mapPage_ = Scrolled(mapPage_);
  tabs.addTab(bandPage_, Q(views::kSheetBand));
  tabs.addTab(smithPage_, Q(views::kSheetSmith));
  tabs.addTab(mapPage_, Q(views::kSheetMap));
  connect(&window_, &MainWindow::formChanged, this, [this] {
    if (Shown()) {
      Recompute();
    } else {
      stale_ = true;
    }
  });
  connect(&tabs, &QTabWidget::currentChanged, this, [this] {
    if (!Shown()) return;
    if (stale_) Recompute();
    if (mapStale_ && tabs_.currentWidget() == mapPage_) RefreshMap();
  });
  ShowFiles();
  Recompute();
}

QWidget* BandSheets::BuildInputs() {
  const views::BandInputs defaults;
  const auto edit = [this](const std::string& text) {
    auto* e = new QLineEdit(S(text));
    connect(e, &QLineEdit::editingFinished, this, [this] { Recompute(); });
    return e;
  };
  freq_ = edit(defaults.Frequency);
  freq_->setPlaceholderText(S(lines::FormatFrequency(lines::kDefaultFrequencyHz)));
  band_ = new QComboBox;
  band_->addItems({Q(views::kBandAroundText), Q(views::kBandWholeFileText)});
  centre_ = edit(defaults.Centre);
  centre_->setPlaceholderText(Q(views::kInputFrequency));
  spread_ = edit(defaults.Spread);
  length_ = edit(defaults.LengthM);
  medium_ = new QComboBox;
  medium_->addItem(Q(views::kMediumTemText));
  for (const lines::Waveguide& w : lines::kWaveguides) medium_->addItem(Q(w.Name));
  vf_ = edit(defaults.VelocityFactor);
  loss_ = edit(defaults.LossDbPerM);
  for (QComboBox* c : {band_, medium_}) {
    connect(c, &QComboBox::activated, this, [this] { Recompute(); });
  }

  auto* lineBox = new QGroupBox(Q(views::kGroupBandLine));
  auto* form = new QFormLayout(lineBox);
  form->addRow(Q(views::kInputFrequency), freq_);
  form->addRow(Q(views::kInputBand), band_);
  form->addRow(Q(views::kInputCentre), centre_);
  form->addRow(Q(views::kInputSpread), spread_);
  form->addRow(Q(views::kInputLength), length_);
  form->addRow(Q(views::kInputMedium), medium_);
  form->addRow(Q(views::kInputVelocityFactor), vf_);
  form->addRow(Q(views::kInputLoss), loss_);

  auto* filesBox =
      new QGroupBox(Q(views::kInputLoad) + QStringLiteral(", ") + Q(views::kInputSource));
  auto* files = new QFormLayout(filesBox);
  loadName_ = new QLabel;
  srcName_ = new QLabel;
  port_ = new QComboBox;
  port_->addItems({Q(views::kPortS11), Q(views::kPortS22)});
  connect(port_, &QComboBox::activated, this, [this](int index) {
    const int port = index + 1;
    if (port == session_.LoadPort()) return;
    session_.SetInputs(Inputs());
    const bool ok = session_.SetLoadPort(port, window_.Form(), Unit());
    port_->setCurrentIndex(session_.LoadPort() - 1);  // the file as it was read stays
    ShowOutcome(ok);
  });
  const auto button = [this](std::string_view text, auto fn) {
    auto* b = new QPushButton(Q(text));
    connect(b, &QPushButton::clicked, this, [this, fn] { (this->*fn)(); });
    return b;
  };
  auto* loadButtons = new QHBoxLayout;
  loadButtons->addWidget(button(views::kOpenLoadFile, &BandSheets::OpenLoadFile));
  loadButtons->addWidget(button(views::kForgetLoadFile, &BandSheets::ForgetLoadFile));
  auto* srcButtons = new QHBoxLayout;
  srcButtons->addWidget(button(views::kOpenSourceFile, &BandSheets::OpenSourceFile));
  srcButtons->addWidget(button(views::kForgetSourceFile, &BandSheets::ForgetSourceFile));
  files->addRow(Q(views::kInputLoad), loadName_);
  files->addRow(loadButtons);
  files->addRow(Q(views::kInputPort), port_);
  files->addRow(Q(views::kInputSource), srcName_);
  files->addRow(srcButtons);

  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lineBox);
  layout->addWidget(filesBox);
  layout->addStretch(1);
  return column;
}

QWidget* BandSheets::ChartPage(ChartView*& view, QWidget* above, int which) {
  auto* page = new QWidget;
  view = new ChartView;
  auto* buttons = new QHBoxLayout;
  const auto add = [&](std::string_view text, ExportKind kind) {
    auto* b = new QPushButton(Q(text));
    connect(b, &QPushButton::clicked, this, [this, which, kind] { Export(which, kind); });
    buttons->addWidget(b);
  };
  add(views::kExportPng, ExportKind::Png);
  add(views::kExportSvg, ExportKind::Svg);
  // Only the powers have a table; the Smith chart's and the map's data are the band's and
  // the calculator's.
  if (which == kPowersChart) add(views::kExportCsv, ExportKind::Csv);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  if (which != kPowersChart) layout->setContentsMargins(6, 6, 6, 6);
  if (above != nullptr) layout->addWidget(above);
  layout->addWidget(view, 1);
  layout->addLayout(buttons);
  return page;
}

void BandSheets::ShowFiles() {
  const auto& load = session_.LoadFile();
  const auto& src = session_.SourceFile();
  loadName_->setText(load ? S(load->Name) : Q(views::kFromWindow));
  srcName_->setText(src ? S(src->Name) : Q(views::kFromWindow));
}

views::BandInputs BandSheets::Inputs() const {
  views::BandInputs in;
  in.Frequency = freq_->text().toStdString();
  in.Band = static_cast<views::BandChoice>(band_->currentIndex());
  in.Centre = centre_->text().toStdString();
  in.Spread = spread_->text().toStdString();
  in.LengthM = length_->text().toStdString();
  in.Medium = medium_->currentIndex();
  in.VelocityFactor = vf_->text().toStdString();
  in.LossDbPerM = loss_->text().toStdString();
  return in;
}

void BandSheets::SetInputs(const views::BandInputs& in) {
  freq_->setText(S(in.Frequency));
  band_->setCurrentIndex(static_cast<int>(in.Band));
  centre_->setText(S(in.Centre));
  spread_->setText(S(in.Spread));
  length_->setText(S(in.LengthM));
  medium_->setCurrentIndex(in.Medium);
  vf_->setText(S(in.VelocityFactor));
  loss_->setText(S(in.LossDbPerM));
}

void BandSheets::ShowMessage(const std::string& text) { message_->setText(S(text)); }

numtext::PowerUnit BandSheets::Unit() const {
  return numtext::PowerUnitOfIndex(window_.Form().rgPowerUnit.ItemIndex())
      .value_or(numtext::PowerUnit::Watts);
}

bool BandSheets::Recompute() {
  session_.SetInputs(Inputs());
  return ShowOutcome(session_.Recompute(window_.Form(), Unit()));
}

bool BandSheets::ShowOutcome(bool ok) {
  vf_->setEnabled(medium_->currentIndex() == views::kMediumTem);
  if (!ok) {
    ShowMessage(session_.Message());
    return false;
  }
  ShowMessage({});
  ShowResults();
  TellWindow(WindowLoad::Follow);
  return true;
}

void BandSheets::ShowResults() {
  const views::BandEvaluation& eval = session_.Evaluation();
  powersView_->SetChart(session_.Powers().Chart);
  smithView_->SetChart(session_.Smith());
  stale_ = false;
  mapStale_ = true;
  if (tabs_.currentWidget() == mapPage_) RefreshMap();

  const numtext::PowerScale scale = views::BandScale(eval, Unit());
  QStringList header;
  for (const std::string& h : views::ExtremesHeader(scale)) header << S(h);
  extremes_->setHorizontalHeaderLabels(header);
  const std::vector<views::ExtremeRow> rows = views::BandExtremesTable(eval, scale);
  extremes_->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < views::kExtremeColumns; ++c) {
      auto* item = new QTableWidgetItem(S(rows[r][c]));
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      extremes_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  extremes_->resizeColumnsToContents();

  const std::string active = session_.ActiveNote();
  active_->setText(S(active));
  // An empty frequency takes the file's first point or 2.45 GHz: the edit shows which.
  freq_->setPlaceholderText(S(lines::FormatFrequency(session_.Setup().FreqHz)));
  active_->setVisible(!active.empty());
}

void BandSheets::TellWindow(WindowLoad what) {
  mainwindow::TForm1& form = window_.Form();
  if (what == WindowLoad::Forget) {
    window_.Perform([&form] { form.ForgetMeasuredLoad(); });
    return;
  }
  const std::optional<mainwindow::MeasuredLoad> m = session_.WindowLoad();
  if (!m) return;
  // Inside one of the window's own actions (a push telling the sheets) nothing runs: the file's
  // value does not depend on the window's typed load.
  window_.Perform([&form, &m, what] {
    if (what == WindowLoad::Hold) {
      form.HoldMeasuredLoad(*m);
    } else {
      form.FollowMeasuredLoad(*m);
    }
  });
}

void BandSheets::RefreshMap() {
  const auto q = static_cast<views::MapQuantity>(mapChoice_->currentIndex());
  mapView_->SetChart(session_.Map(q, Unit()));
  mapStale_ = false;
}

bool BandSheets::Shown() const {
  const QWidget* on = tabs_.currentWidget();
  return on == bandPage_ || on == smithPage_ || on == mapPage_;
}

}  // namespace qtui
