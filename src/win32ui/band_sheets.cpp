#include "win32ui/band_sheets.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "env/win32_text.h"
#include "lines/frequency.h"
#include "lines/line.h"
#include "views/texts.h"
#include "win32ui/chart_control.h"
#include "win32ui/window_basics.h"

namespace win32ui {

namespace {

// Design pixels at 96 dpi.
constexpr int kMargin = 8;
constexpr int kRow = 26;
constexpr int kCaption = 18;  // a group box's caption above its first row
constexpr int kLabelWidth = 128;
constexpr int kFieldWidth = 156;  // "The load file's whole range" in its list
constexpr int kMessageHeight = 32;
constexpr int kActiveHeight = 18;

std::string Narrowed(HWND edit) { return env::win32::Narrow(TextOf(edit)); }

int Selected(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

}  // namespace

BandSheets::BandSheets(HWND parent, HINSTANCE instance, HFONT font, UINT dpi,
                       mainwindow::TForm1& form, Act act)
    : SheetPanel(parent, instance, font, dpi), form_(form), act_(std::move(act)) {
  // A group box paints only its frame and caption: its inside is this sheet's background,
  // which the erase below must therefore reach (else another sheet's pixels stay there).
  SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) & ~WS_CLIPCHILDREN);
  Build();
  // Beside the Band sheet, over the same page: their place in the Tab order is after it.
  smith_ = std::make_unique<BandChartSheet>(parent, instance, font, dpi, false);
  map_ = std::make_unique<BandChartSheet>(parent, instance, font, dpi, true);
  powers_ = std::make_unique<ChartControl>(hwnd(), kBandChartId, instance);
  map_->OnQuantity([this] { RefreshMap(); });
  ShowFiles();
  Recompute();
}

BandSheets::~BandSheets() = default;

HWND BandSheets::Field(int labelId, std::string_view label, int id) {
  Label(label, labelId);
  return Child(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, id, FieldName(label), WS_EX_CLIENTEDGE);
}

void BandSheets::Build() {
  // Created in the order Tab visits them.
  Child(WC_BUTTONW, views::kGroupBandLine, BS_GROUPBOX, kBandLineGroupId);
  freq_ = Field(kBandFrequencyLabelId, views::kInputFrequency, kBandFrequencyId);
  Label(views::kInputBand, kBandChoiceLabelId);
  band_ = List(kBandChoiceId,
               {std::string(views::kBandAroundText), std::string(views::kBandWholeFileText)},
               views::kInputBand);
  centre_ = Field(kBandCentreLabelId, views::kInputCentre, kBandCentreId);
  SendMessageW(centre_, EM_SETCUEBANNER, FALSE,
               reinterpret_cast<LPARAM>(W(views::kInputFrequency).c_str()));
  spread_ = Field(kBandSpreadLabelId, views::kInputSpread, kBandSpreadId);
  length_ = Field(kBandLengthLabelId, views::kInputLength, kBandLengthId);
  Label(views::kInputMedium, kBandMediumLabelId);
  std::vector<std::string> media{std::string(views::kMediumTemText)};
  for (const lines::Waveguide& w : lines::kWaveguides) media.emplace_back(w.Name);
  medium_ = List(kBandMediumId, media, views::kInputMedium);
  vf_ = Field(kBandVelocityLabelId, views::kInputVelocityFactor, kBandVelocityId);
  loss_ = Field(kBandLossLabelId, views::kInputLoss, kBandLossId);

  Child(WC_BUTTONW, std::string(views::kInputLoad) + ", " + std::string(views::kInputSource),
        BS_GROUPBOX, kBandFilesGroupId);
  Label(views::kInputLoad, kBandLoadLabelId);
  loadName_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kBandLoadNameId,
                    views::kInputLoad);
  Child(WC_BUTTONW, views::kOpenLoadFile, WS_TABSTOP | BS_PUSHBUTTON, kBandOpenLoadId);
  Child(WC_BUTTONW, views::kForgetLoadFile, WS_TABSTOP | BS_PUSHBUTTON, kBandForgetLoadId);
  Label(views::kInputPort, kBandPortLabelId);
  port_ = List(kBandPortId, {std::string(views::kPortS11), std::string(views::kPortS22)},
               views::kInputPort);
  Label(views::kInputSource, kBandSourceLabelId);
  srcName_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kBandSourceNameId,
                   views::kInputSource);
  Child(WC_BUTTONW, views::kOpenSourceFile, WS_TABSTOP | BS_PUSHBUTTON, kBandOpenSourceId);
  Child(WC_BUTTONW, views::kForgetSourceFile, WS_TABSTOP | BS_PUSHBUTTON, kBandForgetSourceId);

  message_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kBandMessageId);
  active_ = Child(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kBandActiveId);
  Label(views::kExtremesHeading, kBandExtremesLabelId);
  const auto header = views::ExtremesHeader(numtext::PowerScale::W);
  extremes_ = Table(kBandExtremesId, {header.begin(), header.end()}, 1, header.size(),
                    views::kExtremesHeading);
  SetInputs(views::BandInputs{});
}

views::BandInputs BandSheets::Inputs() const {
  views::BandInputs in;
  in.Frequency = Narrowed(freq_);
  in.Band = Selected(band_) == 1 ? views::BandChoice::WholeFile : views::BandChoice::Around;
  in.Centre = Narrowed(centre_);
  in.Spread = Narrowed(spread_);
  in.LengthM = Narrowed(length_);
  in.Medium = std::clamp(Selected(medium_), 0, views::kMediumCount - 1);
  in.VelocityFactor = Narrowed(vf_);
  in.LossDbPerM = Narrowed(loss_);
  return in;
}

void BandSheets::SetInputs(const views::BandInputs& in) {
  quiet_ = true;
  SetText(freq_, W(in.Frequency));
  SendMessageW(band_, CB_SETCURSEL, static_cast<WPARAM>(in.Band), 0);
  SetText(centre_, W(in.Centre));
  SetText(spread_, W(in.Spread));
  SetText(length_, W(in.LengthM));
  SendMessageW(medium_, CB_SETCURSEL, static_cast<WPARAM>(in.Medium), 0);
  SetText(vf_, W(in.VelocityFactor));
  SetText(loss_, W(in.LossDbPerM));
  quiet_ = false;
}

void BandSheets::OnCommand(int id, UINT code) {
  if (quiet_) return;
  switch (id) {
    case kBandFrequencyId:
    case kBandCentreId:
    case kBandSpreadId:
    case kBandLengthId:
    case kBandVelocityId:
    case kBandLossId: {
      // Evaluated when the user leaves the field, as a half-typed number is no input yet.
      HWND edit = GetDlgItem(hwnd(), id);
      if (code == EN_KILLFOCUS && SendMessageW(edit, EM_GETMODIFY, 0, 0) != 0) {
        SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
        Recompute();
      }
      break;
    }
    case kBandChoiceId:
    case kBandMediumId:
      if (code == CBN_SELCHANGE) Recompute();
      break;
    case kBandPortId:
      if (code == CBN_SELCHANGE) PortPicked();
      break;
    case kBandOpenLoadId:
      if (code == BN_CLICKED) OpenLoadFile();
      break;
    case kBandForgetLoadId:
      if (code == BN_CLICKED) ForgetLoadFile();
      break;
    case kBandOpenSourceId:
      if (code == BN_CLICKED) OpenSourceFile();
      break;
    case kBandForgetSourceId:
      if (code == BN_CLICKED) ForgetSourceFile();
      break;
    default:
      break;
  }
}

LRESULT BandSheets::OnOther(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_ERASEBKGND) return SheetPanel::OnOther(msg, wp, lp);
  HDC dc = reinterpret_cast<HDC>(wp);
  RECT client;
  GetClientRect(hwnd(), &client);
  // The chart and the table paint every pixel of their own: left out, they do not flicker.
  for (HWND own : {powers_ ? powers_->Handle() : nullptr, extremes_}) {
    if (own == nullptr) continue;
    RECT r;
    GetWindowRect(own, &r);
    MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  return 1;
}

void BandSheets::PortPicked() {
  const int port = Selected(port_) + 1;
  if (port == session_.LoadPort()) return;
  session_.SetInputs(Inputs());
  const bool ok = session_.SetLoadPort(port, form_, Unit());
  // A port the file does not have leaves the file as it was read.
  SendMessageW(port_, CB_SETCURSEL, static_cast<WPARAM>(session_.LoadPort() - 1), 0);
  ShowOutcome(ok);
}

numtext::PowerUnit BandSheets::Unit() const {
  return numtext::PowerUnitOfIndex(form_.rgPowerUnit.ItemIndex())
      .value_or(numtext::PowerUnit::Watts);
}

bool BandSheets::Recompute() {
  session_.SetInputs(Inputs());
  return ShowOutcome(session_.Recompute(form_, Unit()));
}

bool BandSheets::ShowOutcome(bool ok) {
  EnableWindow(vf_, Selected(medium_) == views::kMediumTem);
  if (!ok) {
    SetText(message_, W(session_.Message()));
    return false;
  }
  SetText(message_, L"");
  ShowResults();
  TellWindow(WindowLoad::Follow);
  return true;
}

void BandSheets::ShowResults() {
  const views::BandEvaluation& eval = session_.Evaluation();
  powers_->SetChart(session_.Powers().Chart);
  smith_->Chart().SetChart(session_.Smith());
  stale_ = false;
  mapStale_ = true;
  if (shown_ == kMapSheet) RefreshMap();

  const numtext::PowerScale scale = views::BandScale(eval, Unit());
  const auto header = views::ExtremesHeader(scale);
  for (std::size_t c = 0; c < header.size(); ++c) {
    std::wstring text = W(header[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    SendMessageW(extremes_, LVM_SETCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  FillTable(extremes_, Rows(views::BandExtremesTable(eval, scale)), Scale(16));
  SetText(active_, W(session_.ActiveNote()));
  // An empty frequency takes the file's first point or 2.45 GHz: the edit shows which.
  SendMessageW(
      freq_, EM_SETCUEBANNER, FALSE,
      reinterpret_cast<LPARAM>(W(lines::FormatFrequency(session_.Setup().FreqHz)).c_str()));
}

void BandSheets::ShowFiles() {
  const auto& load = session_.LoadFile();
  const auto& src = session_.SourceFile();
  SetText(loadName_, W(load ? load->Name : std::string(views::kFromWindow)));
  SetText(srcName_, W(src ? src->Name : std::string(views::kFromWindow)));
}

void BandSheets::RefreshMap() {
  map_->Chart().SetChart(session_.Map(map_->Quantity(), Unit()));
  mapStale_ = false;
}

void BandSheets::ShowSheet(int which) {
  shown_ = which;
  SetVisible(which == kBandSheet);
  smith_->SetVisible(which == kSmithSheet);
  map_->SetVisible(which == kMapSheet);
  if (which < 0) return;
  if (stale_) Recompute();
  if (which == kMapSheet && mapStale_) RefreshMap();
}

void BandSheets::PlaceSheets(const RECT& page) {
  Place(page);
  smith_->Place(page);
  map_->Place(page);
}

void BandSheets::RescaleSheets(HFONT font, UINT dpi) {
  Rescale(font, dpi);
  smith_->Rescale(font, dpi);
  map_->Rescale(font, dpi);
}

void BandSheets::FormChanged() {
  // Following the main window costs nothing while another sheet is on show.
  if (shown_ >= 0) {
    Recompute();
  } else {
    stale_ = true;
  }
}

std::string BandSheets::Message() const { return Narrowed(message_); }

chart::AnyChart BandSheets::ChartOf(int which) {
  if (stale_) Recompute();
  if (which == kMapSheet && mapStale_) RefreshMap();
  if (which == kSmithSheet) return smith_->Chart().Chart();
  if (which == kMapSheet) return map_->Chart().Chart();
  return powers_->Chart();
}

HWND BandSheets::ChartWindow(int which) const {
  if (which == kSmithSheet) return smith_->Chart().Handle();
  if (which == kMapSheet) return map_->Chart().Handle();
  return powers_->Handle();
}

void BandSheets::Layout(int width, int height) {
  if (powers_ == nullptr) return;
  const int m = Scale(kMargin);
  const int row = Scale(kRow);
  const int field = Scale(22);
  const int label = Scale(kLabelWidth);
  const int fieldWidth = Scale(kFieldWidth);
  const int groupWidth = label + fieldWidth + 3 * m;
  const int x = 2 * m;
  const int fx = x + label;
  int y = m;
  const auto labelAt = [&](int id) {
    Put(GetDlgItem(hwnd(), id), x, y + Scale(3), label - m / 2, Scale(18));
  };
  const auto fieldRow = [&](int labelId, HWND f) {
    labelAt(labelId);
    // A drop-down list's height is its open list's.
    const bool list = f == band_ || f == medium_ || f == port_;
    Put(f, fx, y, fieldWidth, list ? Scale(200) : field);
    y += row;
  };
  const int lineTop = y;
  y += Scale(kCaption);
  fieldRow(kBandFrequencyLabelId, freq_);
  fieldRow(kBandChoiceLabelId, band_);
  fieldRow(kBandCentreLabelId, centre_);
  fieldRow(kBandSpreadLabelId, spread_);
  fieldRow(kBandLengthLabelId, length_);
  fieldRow(kBandMediumLabelId, medium_);
  fieldRow(kBandVelocityLabelId, vf_);
  fieldRow(kBandLossLabelId, loss_);
  Put(GetDlgItem(hwnd(), kBandLineGroupId), m, lineTop, groupWidth, y - lineTop + m / 2);
  y += m + m / 2;

  const int filesTop = y;
  y += Scale(kCaption);
  const int buttonWidth = (groupWidth - 3 * m) / 2;
  const auto buttons = [&](int open, int forget) {
    Put(GetDlgItem(hwnd(), open), x, y, buttonWidth, Scale(24));
    Put(GetDlgItem(hwnd(), forget), x + buttonWidth + m, y, buttonWidth, Scale(24));
    y += row + Scale(2);
  };
  labelAt(kBandLoadLabelId);
  Put(loadName_, fx, y + Scale(3), fieldWidth, Scale(18));
  y += row - Scale(4);
  buttons(kBandOpenLoadId, kBandForgetLoadId);
  fieldRow(kBandPortLabelId, port_);
  labelAt(kBandSourceLabelId);
  Put(srcName_, fx, y + Scale(3), fieldWidth, Scale(18));
  y += row - Scale(4);
  buttons(kBandOpenSourceId, kBandForgetSourceId);
  Put(GetDlgItem(hwnd(), kBandFilesGroupId), m, filesTop, groupWidth, y - filesTop + m / 2);

  // The message, the chart and the extremes to the right of the inputs.
  const int rx = m + groupWidth + m;
  const int rw = width - rx - m;
  int ry = m;
  Put(message_, rx, ry, rw, Scale(kMessageHeight));
  ry += Scale(kMessageHeight);
  Put(active_, rx, ry, rw, Scale(kActiveHeight));
  ry += Scale(kActiveHeight) + m / 2;
  const int tableHeight = std::clamp(height / 3, Scale(110), Scale(170));
  const int chartHeight = std::max(height - ry - tableHeight - Scale(20) - 2 * m, Scale(80));
  Put(powers_->Handle(), rx, ry, rw, chartHeight);
  ry += chartHeight + m / 2;
  Put(GetDlgItem(hwnd(), kBandExtremesLabelId), rx, ry, rw, Scale(18));
  ry += Scale(20);
  Put(extremes_, rx, ry, rw, std::max(height - ry - m, Scale(60)));
}

}  // namespace win32ui
