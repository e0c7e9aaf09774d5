#pragma once

#include <vector>

#include "mainwindow/form.h"
#include "text/table.h"

namespace mainwindow {

// Every input and every result cell of the window as it shows them now: the quantity named by
// the window's own captions ("Transmission: Incident Power, Actual Value"), value and unit
// texts exactly as shown. Copy Results, Export Results and the calculator's text output.
std::vector<text::ResultRow> WindowCellRows(const TForm1& f);

}  // namespace mainwindow
