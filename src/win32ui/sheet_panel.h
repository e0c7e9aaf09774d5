#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

// A sheet of the Analysis window that is not a chart: a child window over the tab control's
// page that holds labelled fields, lists and read-only tables. Its children's notifications come
// to it, so a sheet keeps its own logic; Tab moves through it as through the window's other
// controls (it is a control parent).
namespace win32ui {

class SheetPanel {
 public:
  SheetPanel(HWND parent, HINSTANCE instance, HFONT font, UINT dpi);
  virtual ~SheetPanel();
  SheetPanel(const SheetPanel&) = delete;
  SheetPanel& operator=(const SheetPanel&) = delete;

  HWND Handle() const { return hwnd_; }
  void Place(const RECT& page);
  void SetVisible(bool shown);
  // Another monitor's scale: the new font for every child, laid out at the new size.
  void Rescale(HFONT font, UINT dpi);

 protected:
  virtual void OnCommand(int id, UINT code) = 0;
  virtual LRESULT OnOther(UINT msg, WPARAM wp, LPARAM lp);
  virtual void Layout(int width, int height) = 0;

  // A child control; a control that reads a value gets the accessible name given.
  HWND Child(const wchar_t* cls, std::string_view text, DWORD style, int id,
             std::string_view accessibleName = {}, DWORD exStyle = 0);
  HWND Label(std::string_view text, int id);
  // A drop-down list of the given items, the first chosen.
  HWND List(int id, const std::vector<std::string>& items, std::string_view accessibleName);
  // A read-only report list view with these column headings; numbers right-aligned from
  // firstNumber on, except the unit column.
  HWND Table(int id, const std::vector<std::string>& header, std::size_t firstNumber,
             std::size_t unitColumn, std::string_view accessibleName);
  int Scale(int px) const { return MulDiv(px, static_cast<int>(dpi_), 96); }
  void Put(HWND c, int x, int y, int w, int h) const;
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HINSTANCE instance_;
  HFONT font_;
  UINT dpi_;
};

// The name a label gives the field beside it: its text without the closing colon.
std::string FieldName(std::string_view label);
// Replaces a table's rows, the columns as wide as their widest cell or heading.
void FillTable(HWND table, const std::vector<std::vector<std::string>>& rows, int padding);
template <std::size_t N>
std::vector<std::vector<std::string>> Rows(const std::vector<std::array<std::string, N>>& rows) {
  std::vector<std::vector<std::string>> out;
  out.reserve(rows.size());
  for (const auto& r : rows) out.emplace_back(r.begin(), r.end());
  return out;
}

}  // namespace win32ui
