#pragma once

#include <array>

#include "analysis/coverage.h"
#include "rf/model.h"

// Reflections known only by an upper limit of their magnitude, as datasheets give them
// ("SWR <= 1.5"): the reflection coefficient uniformly distributed over the disc of that
// radius, its phase uniform, its magnitude's square uniform on [0, R^2].
namespace analysis {

enum class MagnitudeKnown { Exactly, AsUpperLimit };

struct MagnitudeModel {
  MagnitudeKnown Source = MagnitudeKnown::Exactly;
  MagnitudeKnown Load = MagnitudeKnown::Exactly;
};

// The standard uncertainty of the mismatch term 2 Re(Gs Gl) that power-sensor datasheets
// quote: sqrt(2) sqrt(E|Gs|^2 E|Gl|^2), with E|G|^2 = R^2 for a magnitude known exactly and
// R^2 / 2 over the disc; sqrt(2) rs rl exactly known, rs rl / sqrt(2) for two discs.
double MismatchTermStd(double src, double load, MagnitudeModel model);

// The transmission quantities (Interf, TrGain, Pinc, Prefl, Pload, in the order and with the
// names of kCoverageItems) over the unknown line length and, for a magnitude known as an upper
// limit, over its disc; m must be computed, its SrcRfl.Mag and LoaRfl.Mag taken as the limits.
// Min and Max are the worst cases over the whole disc; the statistics follow the model. Two
// exact magnitudes give LimitsAndCoverage's rows. The statistics come from a quadrature over
// the magnitudes with the phase integrated in closed form; the interval ends are good to about
// 1e-3 in probability with two discs, far better with one.
using DiscRows = std::array<CoverageRow, 5>;
DiscRows DiscLimitsAndCoverage(const rf::ModelState& m, MagnitudeModel model,
                               double p = kDefaultCoverage);

// Every row of the table for the chosen magnitude model: the transmission rows as above, the
// readings' rows as LimitsAndCoverage has them. A reading refers to the actual transmission,
// whose load magnitude is the one entered, so its spread is the leakage's alone.
CoverageRows LimitsAndCoverage(const rf::ModelState& m, MagnitudeModel model,
                               double p = kDefaultCoverage);

}  // namespace analysis
