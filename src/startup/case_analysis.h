#pragma once

#include <string>

#include "env/ini_text.h"
#include "views/band_setup.h"
#include "views/budget_view.h"
#include "views/design_answers.h"
#include "views/limits_table.h"
#include "views/readings_view.h"

// The Analysis window's inputs as one record, and their keys in a case's [Analysis] section.
// Both bindings put the record into their sheets and take it back out, so a case means the
// same configuration whichever window saved it.
namespace startup {

struct AnalysisCase {
  int Coverage = 0;  // index into views::kCoverageChoices
  std::string DesignTarget = DefaultDesignTarget();
  views::ReadingsInputs Readings;
  views::BudgetSheetInputs Budget;  // its Readings are the readings sheet's, never kept twice
  views::BandInputs Band;
  int LoadPort = 1;        // the port of a two-port load file read as the load
  std::string LoadFile;    // absolute; empty: the window's load reflection
  std::string SourceFile;  // absolute; empty: the window's source reflection
  friend bool operator==(const AnalysisCase&, const AnalysisCase&) = default;

  static std::string DefaultDesignTarget();
};

// The record's keys, files excepted (the case writes those relative to itself), every one
// named, so that a case read by a person says which input each value is.
env::ini::KeyList AnalysisKeys(const AnalysisCase& in);

// Reads keys as AnalysisKeys writes them, in any letter case and any order; a key left out
// keeps its value in `into`, so a case of an older format opens with the sheets' defaults.
// The files are not read here. Returns an empty string on success; else what is wrong, as
// the end of "The case file ... is damaged: <what>", and `into` is unchanged.
std::string ReadAnalysisKeys(const env::ini::KeyList& keys, AnalysisCase& into);

// The load and source file keys, written and read by the case file itself.
inline const std::string kCaseLoadFileKey = "LoadFile";
inline const std::string kCaseSourceFileKey = "SourceFile";

}  // namespace startup
