#pragma once

#include <string>
#include <vector>

#include "extras.h"
#include "mainwindow/form.h"
#include "options.h"
#include "rf/model.h"
#include "text/table.h"

// The results as the window shows them: a headless window is given the computed model and
// presents it with its own routines, and every input and result cell is read back as a row
// (quantity from the window's captions, value and unit texts as shown).
namespace calc {

std::vector<text::ResultRow> WindowRows(const Inputs& in, const rf::ModelState& m,
                                        numtext::PowerUnit unit, const ExtraResults& x);

// Rows as aligned text lines: quantity, value, unit.
std::string ToAlignedText(const std::vector<text::ResultRow>& rows);

}  // namespace calc
