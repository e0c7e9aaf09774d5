#include "mainwindow/result_rows.h"

#include <gtest/gtest.h>

#include <string>

#include "window_fixture.h"

namespace mainwindow {
namespace {

using tests::ShownWindow;

class CellRows : public ShownWindow {};

// Each input row takes its unit from the label beside its own edit, never from the other
// group's: both groups say "deg", so only distinct captions can tell them apart.
TEST_F(CellRows, EachInputRowTakesTheUnitBesideItsOwnEdit) {
  struct Row {
    std::string Value;  // the edit's text, which identifies the row
    Label TForm1::*Unit;
  };
  form.edSrcPha.Text = "11";
  form.edLoaPha.Text = "22";
  form.Label12.Caption = "source unit";
  form.Label13.Caption = "load unit";
  for (const Row& r : {Row{"11", &TForm1::Label12}, Row{"22", &TForm1::Label13}}) {
    bool found = false;
    for (const text::ResultRow& row : WindowCellRows(form)) {
      if (row.Value != r.Value) continue;
      found = true;
      EXPECT_EQ(row.Unit, (form.*r.Unit).Caption) << row.Quantity;
    }
    EXPECT_TRUE(found) << r.Value;
  }
}

}  // namespace
}  // namespace mainwindow
