#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rf/model.h"
#include "rf/reflection.h"

// The calculator's inputs: the window's input panel as typed values, checked against the
// window's ranges (refused with a message, where the window would clamp), and the model they
// give.
namespace calc {

struct ReflInput {
  rf::TRefl Refl;  // Mag, Rloss, Swr completed from the entered form; Pha set
  rf::ReflForm Form = rf::ReflForm::Mag;
};

struct Inputs {
  std::int32_t Va = 0;
  double Ia = 0.0;
  double EffPercent = 0.0;
  ReflInput Src;
  ReflInput Load;
  std::optional<double> DirDb;  // none: ideal couplers
};

// The window's first-start values (ideal couplers; a directivity given alone replaces them).
Inputs DefaultInputs();

// Each parser takes the text of one value and returns the reason it is refused, or nothing.
std::optional<std::string> ParseVa(std::string_view s, std::int32_t& out);
std::optional<std::string> ParseIa(std::string_view s, double& out);
std::optional<std::string> ParseEff(std::string_view s, double& percent);
std::optional<std::string> ParseDir(std::string_view s, double& db);
// VALUE[@PHASE]: VALUE a magnitude ("0.2"), a return loss ("-13.98dB") or an SWR ("1.5swr");
// without a phase the one in out is kept.
std::optional<std::string> ParseRefl(std::string_view s, ReflInput& out);
// A plain finite decimal number, "." as the decimal point, nothing else around it.
std::optional<double> ParseNumber(std::string_view s);

// The model of the inputs, computed as the window computes it.
rf::ModelState ComputeModel(const Inputs& in);

}  // namespace calc
