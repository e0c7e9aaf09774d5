#pragma once

#include <string_view>

#include "lines/result.h"

// A band of frequencies: a centre and a spread either side, or a range from one frequency to
// another; and the points across it.
namespace lines {

struct Band {
  double FromHz = 0.0;
  double ToHz = 0.0;
};

// centre - spread to centre + spread; the band must stay above 0 Hz.
Result<Band> BandAround(double centreHz, double spreadHz);
// from to to, from <= to, both positive and finite.
Result<Band> BandBetween(double fromHz, double toHz);
// "2.45G,50M": the centre and the spread as ParseFrequency reads them (the spread may be 0).
Result<Band> ParseBand(std::string_view text);

double BandCentre(const Band& b);
// Frequency i of n across the band, both ends exactly included; n == 1 gives the centre.
double BandFrequency(const Band& b, int i, int n);

}  // namespace lines
