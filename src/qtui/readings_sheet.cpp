#include "qtui/readings_sheet.h"

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
#include <QVBoxLayout>

#include "numtext/decimals.h"
#include "numtext/format.h"
#include "qtui/main_window.h"
#include "qtui/qt_text.h"
#include "qtui/sheet_widgets.h"
#include "views/texts.h"

namespace qtui {

namespace {

QComboBox* UnitList(views::ReadingUnit chosen) {
  auto* list = new QComboBox;
  for (std::string_view name : views::kReadingUnitNames) list->addItem(Q(name));
  list->setCurrentIndex(static_cast<int>(chosen));
  return list;
}

views::ReadingUnit UnitOf(const QComboBox* list) {
  const int i = list->currentIndex();
  return i >= 0 && i < static_cast<int>(views::kReadingUnitNames.size())
             ? static_cast<views::ReadingUnit>(i)
             : views::ReadingUnit::W;
}

}  // namespace

ReadingsSheet::ReadingsSheet(MainWindow& window) : window_(window) {
  const mainwindow::TForm1& main = window_.Form();
  const views::ReadingsInputs start =
      views::StartingReadings(main.rgPowerUnit.ItemIndex(), main.CplIdeal, main.CplDirDb);
  forward_ = new QLineEdit(QString::fromStdString(start.Forward));
  reflected_ = new QLineEdit(QString::fromStdString(start.Reflected));
  forwardUnit_ = UnitList(start.ForwardUnit);
  reflectedUnit_ = UnitList(start.ReflectedUnit);
  ideal_ = new QCheckBox(Q(views::kReadingsIdeal));
  directivity_ = new QLineEdit;
  fromMain_ = new QPushButton(Q(views::kReadingsFromMain));
  message_ = new QLabel;
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  table_ = CompactTable(static_cast<int>(views::kTruthColumns));
  QStringList header;
  for (const std::string& h : views::TruthHeader()) header << QString::fromStdString(h);
  table_->setHorizontalHeaderLabels(header);

  auto* form = new QFormLayout;
  form->addRow(Q(views::kReadingsForward), FieldWithList(forward_, forwardUnit_));
  form->addRow(Q(views::kReadingsReflected), FieldWithList(reflected_, reflectedUnit_));
  auto* couplers = new QHBoxLayout;
  couplers->addWidget(directivity_, 1);
  couplers->addWidget(ideal_);
  couplers->addWidget(fromMain_);
  form->addRow(Q(views::kReadingsDirectivity), couplers);

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
  layout->addWidget(new QLabel(Q(views::kReadingsHeading)));
  layout->addWidget(table_, 1);
  layout->addWidget(message_);
  scroll->setWidget(content);

  for (QLineEdit* e : {forward_, reflected_, directivity_}) {
    connect(e, &QLineEdit::textChanged, this, &ReadingsSheet::Recompute);
  }
  for (QComboBox* c : {forwardUnit_, reflectedUnit_}) {
    connect(c, &QComboBox::activated, this, &ReadingsSheet::Recompute);
  }
  connect(ideal_, &QCheckBox::toggled, this, &ReadingsSheet::Recompute);
  connect(fromMain_, &QPushButton::clicked, this, &ReadingsSheet::TakeCouplersFromMain);
  TakeCouplersFromMain();
  Recompute();
}

views::ReadingsInputs ReadingsSheet::Inputs() const {
  views::ReadingsInputs in;
  in.Forward = forward_->text().toStdString();
  in.ForwardUnit = UnitOf(forwardUnit_);
  in.Reflected = reflected_->text().toStdString();
  in.ReflectedUnit = UnitOf(reflectedUnit_);
  in.Ideal = ideal_->isChecked();
  in.DirectivityDb = directivity_->text().toStdString();
  return in;
}

void ReadingsSheet::SetInputs(const views::ReadingsInputs& in) {
  {
    // One recomputation for the whole set, not one per field.
    const QSignalBlocker blockers[] = {QSignalBlocker(forward_), QSignalBlocker(reflected_),
                                       QSignalBlocker(ideal_), QSignalBlocker(directivity_)};
    forward_->setText(QString::fromStdString(in.Forward));
    forwardUnit_->setCurrentIndex(static_cast<int>(in.ForwardUnit));
    reflected_->setText(QString::fromStdString(in.Reflected));
    reflectedUnit_->setCurrentIndex(static_cast<int>(in.ReflectedUnit));
    ideal_->setChecked(in.Ideal);
    directivity_->setText(QString::fromStdString(in.DirectivityDb));
  }
  Recompute();
}

void ReadingsSheet::TakeCouplersFromMain() {
  const rf::ModelState& m = window_.Form();
  {
    const QSignalBlocker a(ideal_);
    const QSignalBlocker b(directivity_);
    ideal_->setChecked(m.CplIdeal);
    directivity_->setText(
        QString::fromStdString(numtext::FloatToText(m.CplDirDb, numtext::kInputDecimals)));
  }
  Recompute();
}

void ReadingsSheet::Recompute() {
  // With ideal couplers the directivity means nothing; greyed, it says so.
  directivity_->setEnabled(!ideal_->isChecked());
  const views::TruthSheet sheet = views::TruthFromInputs(Inputs());
  message_->setText(QString::fromStdString(sheet.Message));
  table_->setRowCount(static_cast<int>(sheet.Rows.size()));
  for (std::size_t r = 0; r < sheet.Rows.size(); ++r) {
    for (std::size_t c = 0; c < views::kTruthColumns; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(sheet.Rows[r][c]));
      const Qt::Alignment along = c >= 2 ? Qt::AlignRight : Qt::AlignLeft;
      item->setTextAlignment(along | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  table_->resizeColumnsToContents();
  Q_EMIT inputsChanged();
}

}  // namespace qtui
