#pragma once

// The law of S = cos(psi) + cos(chi) for independent uniform phases: the sum (or, the law being
// symmetric, the difference) of two unit arcsine variables, the spread of the absorbed-power
// reading with two couplers. It lives on [-2, 2]; its density is the convolution of the two
// arcsine densities, finite (1 / 2 pi) at the ends and logarithmically infinite at 0.
namespace analysis {

// P(S <= s); 0 below -2, 1 above 2, NaN for NaN. Accurate to about 1e-14 absolute.
double ArcsineSumCdf(double s);

// The s with P(S <= s) = p, for p in [0, 1]; NaN outside. The ends give -2 and 2 exactly and
// p = 1/2 gives 0.
double ArcsineSumQuantile(double p);

}  // namespace analysis
