#pragma once

#include <string>
#include <vector>

#include "numtext/power_unit.h"
#include "rf/model.h"
#include "text/table.h"

// The printable report: one self-contained HTML file (no scripts, no external references) with
// the window's inputs and results, the limits and coverage intervals, the coupler design and
// every chart of the Analysis window as inline SVG, the same on every platform.
namespace views {

struct ReportInputs {
  std::string Title;                        // the window's caption: program and version
  std::vector<text::ResultRow> WindowRows;  // every input and result as the window shows it
  rf::ModelState Model;                     // evaluated
  numtext::PowerUnit Unit = numtext::PowerUnit::Watts;
  double Coverage = 0.95;
  std::string DesignTarget;  // per cent, as typed
};

std::string ReportHtml(const ReportInputs& in);

}  // namespace views
