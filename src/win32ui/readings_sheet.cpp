#include "win32ui/readings_sheet.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "env/win32_text.h"
#include "numtext/decimals.h"
#include "numtext/format.h"
#include "views/texts.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// Design pixels at 96 dpi.
constexpr int kMargin = 8;
constexpr int kRow = 28;
constexpr int kLabelWidth = 200;
constexpr int kFieldWidth = 120;
constexpr int kUnitWidth = 80;
constexpr int kMessageHeight = 48;

std::vector<std::string> UnitNames() {
  return {views::kReadingUnitNames.begin(), views::kReadingUnitNames.end()};
}

views::ReadingUnit UnitOf(HWND list) {
  const auto i = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  return i >= 0 && i < static_cast<int>(views::kReadingUnitNames.size())
             ? static_cast<views::ReadingUnit>(i)
             : views::ReadingUnit::W;
}

std::string Narrowed(HWND edit) { return env::win32::Narrow(TextOf(edit)); }

}  // namespace

ReadingsSheet::ReadingsSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi,
                             const mainwindow::TForm1& form)
    : SheetPanel(parent, instance, font, dpi), form_(form) {
  // Created in the order Tab visits them.
  const std::string forwardName = FieldName(views::kReadingsForward);
  const std::string reflectedName = FieldName(views::kReadingsReflected);
  Label(views::kReadingsForward, kReadingsForwardLabelId);
  forward_ = Child(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, kReadingsForwardId, forwardName,
                   WS_EX_CLIENTEDGE);
  forwardUnit_ = List(kReadingsForwardUnitId, UnitNames(),
                      forwardName + std::string(views::kAccessibleUnitSuffix));
  Label(views::kReadingsReflected, kReadingsReflectedLabelId);
  reflected_ = Child(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, kReadingsReflectedId, reflectedName,
                     WS_EX_CLIENTEDGE);
  reflectedUnit_ = List(kReadingsReflectedUnitId, UnitNames(),
                        reflectedName + std::string(views::kAccessibleUnitSuffix));
  Label(views::kReadingsDirectivity, kReadingsDirLabelId);
  directivity_ = Child(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, kReadingsDirId,
                       FieldName(views::kReadingsDirectivity), WS_EX_CLIENTEDGE);
  ideal_ = Child(WC_BUTTONW, views::kReadingsIdeal, WS_TABSTOP | BS_AUTOCHECKBOX, kReadingsIdealId);
  fromMain_ =
      Child(WC_BUTTONW, views::kReadingsFromMain, WS_TABSTOP | BS_PUSHBUTTON, kReadingsFromMainId);
  Label(views::kReadingsHeading, kReadingsHeadingId);
  const auto header = views::TruthHeader();
  table_ =
      Table(kReadingsTableId, {header.begin(), header.end()}, 2, 1, views::kAccessibleTruthTable);
  message_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kReadingsMessageId);

  const views::ReadingsInputs start =
      views::StartingReadings(form_.rgPowerUnit.ItemIndex(), form_.CplIdeal, form_.CplDirDb);
  SetInputs(start);
}

views::ReadingsInputs ReadingsSheet::Inputs() const {
  views::ReadingsInputs in;
  in.Forward = Narrowed(forward_);
  in.ForwardUnit = UnitOf(forwardUnit_);
  in.Reflected = Narrowed(reflected_);
  in.ReflectedUnit = UnitOf(reflectedUnit_);
  in.Ideal = SendMessageW(ideal_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  in.DirectivityDb = Narrowed(directivity_);
  return in;
}

void ReadingsSheet::SetInputs(const views::ReadingsInputs& in) {
  quiet_ = true;
  SetText(forward_, W(in.Forward));
  SendMessageW(forwardUnit_, CB_SETCURSEL, static_cast<WPARAM>(in.ForwardUnit), 0);
  SetText(reflected_, W(in.Reflected));
  SendMessageW(reflectedUnit_, CB_SETCURSEL, static_cast<WPARAM>(in.ReflectedUnit), 0);
  SendMessageW(ideal_, BM_SETCHECK, in.Ideal ? BST_CHECKED : BST_UNCHECKED, 0);
  SetText(directivity_, W(in.DirectivityDb));
  quiet_ = false;
  Recompute();
}

void ReadingsSheet::TakeCouplersFromMain() {
  views::ReadingsInputs in = Inputs();
  in.Ideal = form_.CplIdeal;
  in.DirectivityDb = numtext::FloatToText(form_.CplDirDb, numtext::kInputDecimals);
  SetInputs(in);
}

void ReadingsSheet::OnCommand(int id, UINT code) {
  if (quiet_) return;
  switch (id) {
    case kReadingsForwardId:
    case kReadingsReflectedId:
    case kReadingsDirId:
      if (code == EN_CHANGE) Recompute();
      break;
    case kReadingsForwardUnitId:
    case kReadingsReflectedUnitId:
      if (code == CBN_SELCHANGE) Recompute();
      break;
    case kReadingsIdealId:
      if (code == BN_CLICKED) Recompute();
      break;
    case kReadingsFromMainId:
      if (code == BN_CLICKED) TakeCouplersFromMain();
      break;
    default:
      break;
  }
}

void ReadingsSheet::Recompute() {
  const views::ReadingsInputs in = Inputs();
  // With ideal couplers the directivity means nothing; greyed, it says so.
  EnableWindow(directivity_, !in.Ideal);
  const views::TruthSheet sheet = views::TruthFromInputs(in);
  SetText(message_, W(sheet.Message));
  FillTable(table_, Rows(sheet.Rows), Scale(16));
  if (changed_) changed_();
}

void ReadingsSheet::Layout(int width, int height) {
  const int m = Scale(kMargin);
  const int row = Scale(kRow);
  const int field = Scale(22);
  const int label = Scale(kLabelWidth);
  const int x = m + label + m / 2;
  int y = m;
  const auto labelAt = [&](int id) {
    Put(GetDlgItem(hwnd(), id), m, y + Scale(3), label, Scale(18));
  };
  labelAt(kReadingsForwardLabelId);
  Put(forward_, x, y, Scale(kFieldWidth), field);
  Put(forwardUnit_, x + Scale(kFieldWidth) + m / 2, y, Scale(kUnitWidth), Scale(200));
  y += row;
  labelAt(kReadingsReflectedLabelId);
  Put(reflected_, x, y, Scale(kFieldWidth), field);
  Put(reflectedUnit_, x + Scale(kFieldWidth) + m / 2, y, Scale(kUnitWidth), Scale(200));
  y += row;
  labelAt(kReadingsDirLabelId);
  Put(directivity_, x, y, Scale(kFieldWidth), field);
  const int idealX = x + Scale(kFieldWidth) + m;
  Put(ideal_, idealX, y, Scale(120), field);
  Put(fromMain_, idealX + Scale(120) + m / 2, y - Scale(1), Scale(200), Scale(24));
  y += row + Scale(4);
  Put(GetDlgItem(hwnd(), kReadingsHeadingId), m, y, width - 2 * m, Scale(18));
  y += Scale(20);
  const int messageHeight = Scale(kMessageHeight);
  const int tableHeight = std::max(height - y - messageHeight - 2 * m, Scale(60));
  Put(table_, m, y, width - 2 * m, tableHeight);
  Put(message_, m, y + tableHeight + m / 2, width - 2 * m, messageHeight);
}

}  // namespace win32ui
