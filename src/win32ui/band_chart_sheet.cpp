#include <windows.h>

#include <commctrl.h>

#include <string>

#include "views/texts.h"
#include "win32ui/band_sheets.h"
#include "win32ui/chart_control.h"

// The Smith chart's and the load plane's sheets: a chart over the page, the map's quantity
// above its chart.
namespace win32ui {

namespace {

constexpr int kMargin = 6;  // design pixels at 96 dpi

}  // namespace

BandChartSheet::BandChartSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi, bool map)
    : SheetPanel(parent, instance, font, dpi) {
  if (map) {
    Label(views::kMapShows, kMapShowsLabelId);
    choice_ =
        List(kMapChoiceId, {std::string(views::kMapPowerItem), std::string(views::kMapErrorItem)},
             views::kMapShows);
  }
  chart_ = std::make_unique<ChartControl>(hwnd(), map ? kMapChartId : kSmithChartId, instance);
}

BandChartSheet::~BandChartSheet() = default;

views::MapQuantity BandChartSheet::Quantity() const {
  if (choice_ == nullptr) return views::MapQuantity::AbsorbedPower;
  const auto i = static_cast<int>(SendMessageW(choice_, CB_GETCURSEL, 0, 0));
  return i == 1 ? views::MapQuantity::ReadingError : views::MapQuantity::AbsorbedPower;
}

void BandChartSheet::OnCommand(int id, UINT code) {
  if (id == kMapChoiceId && code == CBN_SELCHANGE && picked_) picked_();
}

void BandChartSheet::Layout(int width, int height) {
  if (chart_ == nullptr) return;
  const int m = Scale(kMargin);
  int y = m;
  if (choice_ != nullptr) {
    const int label = Scale(60);
    Put(GetDlgItem(hwnd(), kMapShowsLabelId), m, y + Scale(3), label, Scale(18));
    Put(choice_, m + label, y, Scale(240), Scale(200));
    y += Scale(28);
  }
  Put(chart_->Handle(), m, y, width - 2 * m, height - y - m);
}

}  // namespace win32ui
