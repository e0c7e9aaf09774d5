#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "mainwindow/form.h"
#include "startup/file_settings.h"
#include "views/band_session.h"
#include "win32ui/sheet_panel.h"

// The Analysis window's band sheets on Windows: the frequency, the band and the line, the load
// and the source from the window or from Touchstone files (the Band sheet, with the powers over
// the band and their extremes), the load's locus on a Smith chart and the load-plane map. A
// fault in an input or a file is one message in the Band sheet; the charts keep what they
// showed.
namespace win32ui {

class ChartControl;

// Child identifiers, for the tests' probe.
inline constexpr int kBandLineGroupId = 300;
inline constexpr int kBandFrequencyLabelId = 301;
inline constexpr int kBandFrequencyId = 302;
inline constexpr int kBandChoiceLabelId = 303;
inline constexpr int kBandChoiceId = 304;
inline constexpr int kBandCentreLabelId = 305;
inline constexpr int kBandCentreId = 306;
inline constexpr int kBandSpreadLabelId = 307;
inline constexpr int kBandSpreadId = 308;
inline constexpr int kBandLengthLabelId = 309;
inline constexpr int kBandLengthId = 310;
inline constexpr int kBandMediumLabelId = 311;
inline constexpr int kBandMediumId = 312;
inline constexpr int kBandVelocityLabelId = 313;
inline constexpr int kBandVelocityId = 314;
inline constexpr int kBandLossLabelId = 315;
inline constexpr int kBandLossId = 316;
inline constexpr int kBandFilesGroupId = 320;
inline constexpr int kBandLoadLabelId = 321;
inline constexpr int kBandLoadNameId = 322;
inline constexpr int kBandOpenLoadId = 323;
inline constexpr int kBandForgetLoadId = 324;
inline constexpr int kBandPortLabelId = 325;
inline constexpr int kBandPortId = 326;
inline constexpr int kBandSourceLabelId = 327;
inline constexpr int kBandSourceNameId = 328;
inline constexpr int kBandOpenSourceId = 329;
inline constexpr int kBandForgetSourceId = 330;
inline constexpr int kBandMessageId = 340;
inline constexpr int kBandActiveId = 341;
inline constexpr int kBandChartId = 342;
inline constexpr int kBandExtremesLabelId = 343;
inline constexpr int kBandExtremesId = 344;
inline constexpr int kSmithChartId = 350;
inline constexpr int kMapShowsLabelId = 360;
inline constexpr int kMapChoiceId = 361;
inline constexpr int kMapChartId = 362;

// The Smith chart's and the load plane's sheet: one chart, the map with its quantity above.
class BandChartSheet : public SheetPanel {
 public:
  BandChartSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi, bool map);
  ~BandChartSheet() override;
  ChartControl& Chart() { return *chart_; }
  views::MapQuantity Quantity() const;
  // Called when the user picks another quantity.
  void OnQuantity(std::function<void()> picked) { picked_ = std::move(picked); }

 private:
  void OnCommand(int id, UINT code) override;
  void Layout(int width, int height) override;

  std::unique_ptr<ChartControl> chart_;
  HWND choice_ = nullptr;
  std::function<void()> picked_;
};

class BandSheets : public SheetPanel {
 public:
  // Runs an action of the main window's form with its pull and push; nothing inside another.
  using Act = std::function<void(const std::function<void()>&)>;
  // The Band sheet and, beside it in parent, the Smith chart's and the map's; all hidden.
  BandSheets(HWND parent, HINSTANCE instance, HFONT font, UINT dpi, mainwindow::TForm1& form,
             Act act);
  ~BandSheets() override;

  static constexpr int kBandSheet = 0;
  static constexpr int kSmithSheet = 1;
  static constexpr int kMapSheet = 2;
  // One of the three on show (the others hidden), or none (-1); brought up to date first.
  void ShowSheet(int which);
  void PlaceSheets(const RECT& page);
  void RescaleSheets(HFONT font, UINT dpi);
  // The main window's form changed: evaluated again now while a band sheet is on show.
  void FormChanged();

  // Asks for a file (the common dialog) and reads it as the load's (the chosen port) or the
  // source's reflection; false when cancelled or refused (the message says why).
  bool OpenLoadFile();
  bool OpenSourceFile();
  bool OpenLoadPath(const std::string& path);
  bool OpenSourcePath(const std::string& path);
  void ForgetLoadFile();
  void ForgetSourceFile();
  // A case's inputs, port and files; a refused file changes nothing, the message says which.
  bool PutCase(const views::BandInputs& in, int loadPort, const std::string& loadPath,
               const std::string& sourcePath);
  // The main window shows the load file's value, as after opening it (nothing without a file).
  void HoldLoadInWindow() { TellWindow(WindowLoad::Hold); }
  // The typed inputs; the sheets' inputs replaced and evaluated.
  views::BandInputs Inputs() const;
  void SetInputs(const views::BandInputs& in);
  bool Recompute();

  // The files and the line as the settings file keeps them between starts, and back: the line
  // put in, then the files opened (a refused one says so in the message).
  startup::FileSettings Files() const;
  void RestoreFiles(const startup::FileSettings& s);

  const views::BandSession& Session() const { return session_; }
  std::string Message() const;
  // The chart on the sheet given, up to date (the map made when first asked for), and its
  // window for the size it is drawn at.
  chart::AnyChart ChartOf(int which);
  HWND ChartWindow(int which) const;

 private:
  void OnCommand(int id, UINT code) override;
  LRESULT OnOther(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout(int width, int height) override;
  void Build();
  HWND Field(int labelId, std::string_view label, int id);
  enum class WindowLoad { Hold, Follow, Forget };
  void TellWindow(WindowLoad what);
  bool ShowOutcome(bool ok);
  void ShowResults();
  void ShowFiles();
  void RefreshMap();
  numtext::PowerUnit Unit() const;
  void PortPicked();

  mainwindow::TForm1& form_;
  Act act_;
  views::BandSession session_;
  std::unique_ptr<BandChartSheet> smith_;
  std::unique_ptr<BandChartSheet> map_;
  std::unique_ptr<ChartControl> powers_;
  int shown_ = -1;
  bool stale_ = false;
  bool mapStale_ = true;
  bool quiet_ = false;  // while the sheet writes its own fields
  HWND freq_ = nullptr;
  HWND band_ = nullptr;
  HWND centre_ = nullptr;
  HWND spread_ = nullptr;
  HWND length_ = nullptr;
  HWND medium_ = nullptr;
  HWND vf_ = nullptr;
  HWND loss_ = nullptr;
  HWND port_ = nullptr;
  HWND loadName_ = nullptr;
  HWND srcName_ = nullptr;
  HWND message_ = nullptr;
  HWND active_ = nullptr;
  HWND extremes_ = nullptr;
};

}  // namespace win32ui
