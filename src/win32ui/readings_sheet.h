#pragma once

#include <windows.h>

#include <functional>

#include "mainwindow/form.h"
#include "views/readings_view.h"
#include "win32ui/sheet_panel.h"

// The Analysis window's "From readings" sheet: the couplers' forward and reflected readings in,
// the ranges of the truth they allow out, recomputed as the user types.
namespace win32ui {

// Child identifiers, for the tests' probe.
inline constexpr int kReadingsForwardLabelId = 200;
inline constexpr int kReadingsForwardId = 201;
inline constexpr int kReadingsForwardUnitId = 202;
inline constexpr int kReadingsReflectedLabelId = 203;
inline constexpr int kReadingsReflectedId = 204;
inline constexpr int kReadingsReflectedUnitId = 205;
inline constexpr int kReadingsDirLabelId = 206;
inline constexpr int kReadingsDirId = 207;
inline constexpr int kReadingsIdealId = 208;
inline constexpr int kReadingsFromMainId = 209;
inline constexpr int kReadingsHeadingId = 210;
inline constexpr int kReadingsTableId = 211;
inline constexpr int kReadingsMessageId = 212;

class ReadingsSheet : public SheetPanel {
 public:
  ReadingsSheet(HWND parent, HINSTANCE instance, HFONT font, UINT dpi,
                const mainwindow::TForm1& form);

  views::ReadingsInputs Inputs() const;
  void SetInputs(const views::ReadingsInputs& in);
  // Takes the directivity (or ideal couplers) from the main window.
  void TakeCouplersFromMain();
  // Called after every change of the readings or the couplers: a budget of them is out of date.
  void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  void OnCommand(int id, UINT code) override;
  void Layout(int width, int height) override;
  void Recompute();

  const mainwindow::TForm1& form_;
  HWND forward_ = nullptr;
  HWND forwardUnit_ = nullptr;
  HWND reflected_ = nullptr;
  HWND reflectedUnit_ = nullptr;
  HWND directivity_ = nullptr;
  HWND ideal_ = nullptr;
  HWND fromMain_ = nullptr;
  HWND table_ = nullptr;
  HWND message_ = nullptr;
  bool quiet_ = false;  // while the sheet writes its own fields
  std::function<void()> changed_;
};

}  // namespace win32ui
