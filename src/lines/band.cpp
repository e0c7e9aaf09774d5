#include "lines/band.h"

#include <cmath>
#include <string>

#include "lines/frequency.h"
#include "lines/texts.h"

namespace lines {

namespace {

bool Positive(double hz) { return hz > 0.0 && std::isfinite(hz); }

}  // namespace

Result<Band> BandAround(double centreHz, double spreadHz) {
  Result<Band> out;
  if (!Positive(centreHz)) {
    out.Error = std::string(kBandCentrePrefix) + std::string(kFrequencyZero);
  } else if (!(spreadHz >= 0.0) || !std::isfinite(spreadHz)) {
    out.Error = kSpreadNegative;
  } else if (!(centreHz - spreadHz > 0.0) || !std::isfinite(centreHz + spreadHz)) {
    out.Error = kBandBelowZero;
  } else {
    out.Value = Band{centreHz - spreadHz, centreHz + spreadHz};
  }
  return out;
}

Result<Band> BandBetween(double fromHz, double toHz) {
  Result<Band> out;
  if (!Positive(fromHz)) {
    out.Error = std::string(kBandFromPrefix) + std::string(kFrequencyZero);
  } else if (!Positive(toHz)) {
    out.Error = std::string(kBandToPrefix) + std::string(kFrequencyZero);
  } else if (fromHz > toHz) {
    out.Error = kBandReversed;
  } else {
    out.Value = Band{fromHz, toHz};
  }
  return out;
}

Result<Band> ParseBand(std::string_view text) {
  Result<Band> out;
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos) {
    out.Error = kExpectedBand;
    return out;
  }
  const Result<double> centre = ParseFrequency(text.substr(0, comma));
  if (!centre.Ok()) {
    out.Error = std::string(kBandCentrePrefix) + centre.Error;
    return out;
  }
  const Result<double> spread = ParseFrequencyOrZero(text.substr(comma + 1));
  if (!spread.Ok()) {
    out.Error = std::string(kBandSpreadPrefix) + spread.Error;
    return out;
  }
  return BandAround(centre.Value, spread.Value);
}

double BandCentre(const Band& b) { return b.FromHz + (b.ToHz - b.FromHz) / 2.0; }

double BandFrequency(const Band& b, int i, int n) {
  if (n <= 1) return BandCentre(b);
  if (i <= 0) return b.FromHz;
  if (i >= n - 1) return b.ToHz;
  return b.FromHz + (b.ToHz - b.FromHz) * (static_cast<double>(i) / static_cast<double>(n - 1));
}

}  // namespace lines
