#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/disc_model.h"
#include "extras.h"
#include "lines/band.h"
#include "lines/line.h"
#include "texts.h"

// The values of the options beyond the window's inputs. Each parser takes the text of one
// value and returns the reason it is refused, or nothing.
namespace calc {

// A coverage probability strictly between 0 and 1.
std::optional<std::string> ParseCoverageValue(std::string_view s, double& out);
// "exact" (the magnitude is known) or "disc" (the magnitude is only an upper limit).
std::optional<std::string> ParseMagnitudeModel(std::string_view s, analysis::MagnitudeKnown& out);
// A power reading with an optional unit: W (the default), kW, MW, dBm, dBW or dBkW.
std::optional<std::string> ParsePowerReading(std::string_view s, double& watts);
// FWD,REF: the forward and the reflected reading.
std::optional<std::string> ParseReadings(std::string_view s, Readings& out);
// A finite number of at least 0 and below limit.
std::optional<std::string> ParseNonNegative(std::string_view s, double limit, double& out);
std::optional<std::string> ParseSeed(std::string_view s, std::uint64_t& out);
// "rectangular" (the value is the half-width) or "normal" (the value is the standard deviation).
std::optional<std::string> ParseCalibrationLaw(std::string_view s, analysis::CalibrationLaw& out);
// PSI0,CHI0: the two leakage phases' offsets in degrees, finite.
std::optional<std::string> ParsePhaseOffsets(std::string_view s, double& psi0, double& chi0);
// A whole number from lo to hi.
std::optional<std::string> ParseWhole(std::string_view s, int lo, int hi, int& out,
                                      RangeWords what = kRangeWhole);
std::optional<std::string> ParseHz(std::string_view s, double& out);
std::optional<std::string> ParseBandValue(std::string_view s, lines::Band& out);
std::optional<std::string> ParseMediumValue(std::string_view s, lines::Medium& out);

}  // namespace calc
