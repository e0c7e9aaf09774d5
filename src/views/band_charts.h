#pragma once

#include <string>

#include "chart/contour.h"
#include "chart/smith_chart.h"
#include "numtext/power_unit.h"
#include "rf/model.h"
#include "views/analysis_charts.h"
#include "views/band_setup.h"

// The band sheets' pictures as engine charts: the powers over frequency, the load's locus on a
// Smith chart and the map of the load's reflection plane.
namespace views {

inline constexpr int kMapPoints = 121;

// Incident, reflected and absorbed power over the band, each with its min..max over all phases
// as a band in its colour; the operating frequency as a vertical line with the operating
// point's three powers. The table: freq_hz, then the three powers and their limits.
BuiltChart BandPowersChart(const BandEvaluation& e, const BandSetup& s, numtext::PowerUnit unit);

// The load's locus over the band (after the line), the operating point, the conjugate of the
// source's reflection (the load that takes the most power), the circle of loads with the
// operating point's |Gs Gl| about the centre, and the annulus of load magnitudes the couplers'
// readings cannot tell apart.
chart::SmithChart BandSmithChart(const BandEvaluation& e);

enum class MapQuantity { AbsorbedPower = 0, ReadingError = 1 };
inline constexpr int kMapQuantityCount = 2;

// The quantity over an n x n grid of the load's reflection plane (NaN outside the unit circle)
// at the operating point's source, with the operating point marked. The absorbed power's
// levels are round steps and 90 % of the operating point's power, so that the band around the
// operating point shows how far the load may wander before the power drops by a tenth.
// The reading error's levels run from 0 to 100 %, larger errors in the top band.
chart::ContourMap LoadPlaneMap(const rf::ModelState& operating, MapQuantity q,
                               numtext::PowerUnit unit, int n = kMapPoints);

}  // namespace views
