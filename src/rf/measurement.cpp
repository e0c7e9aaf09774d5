#include "rf/model.h"
#include "rf/reflection.h"

namespace rf {

// Each coupler also passes the opposite wave with voltage factor d; depending on its phase that
// leakage adds to or subtracts from the wanted wave, which bounds every reading.
void ComputeMeasurement(ModelState& m) { ApplyMeasurement(m, ComputeCouplerFactors(m)); }

CouplerFactors ComputeCouplerFactors(const ModelState& m) {
  const double mag = m.LoaRfl.Mag;
  const double l2 = mag * mag;
  const double d = m.CplIdeal ? 0.0 : DirDbToFactor(m.CplDirDb);
  CouplerFactors f;

  double t = 1.0 - d * mag;
  f.ErrInciMinus = t * t;
  t = d * mag + 1.0;
  f.ErrInciPlus = t * t;

  f.A = (mag - d) * (mag - d);
  f.B = (mag + d) * (mag + d);
  f.ErrReflMinus = f.A / l2;
  f.ErrReflPlus = f.B / l2;

  // The reflection inferred from the readings; the lower bound keeps its sign when the leakage
  // outweighs the true reflection, and the upper bound may exceed 1.
  f.MeaMin.Mag = (mag - d) / (d * mag + 1.0);
  f.MeaMax.Mag = (mag + d) / (1.0 - d * mag);
  f.MeaMin.Rloss = MagToDb(f.MeaMin.Mag);
  f.MeaMax.Rloss = MagToDb(f.MeaMax.Mag);
  f.MeaMin.Swr = MagToSwr(f.MeaMin.Mag);
  f.MeaMax.Swr = MagToSwr(f.MeaMax.Mag);
  return f;
}

void ApplyMeasurement(ModelState& m, const CouplerFactors& f) {
  m.ErrInciMinus = f.ErrInciMinus;
  m.ErrInciPlus = f.ErrInciPlus;
  m.PincMinV = m.Pinc * f.ErrInciMinus;
  m.PincMaxV = m.Pinc * f.ErrInciPlus;
  m.PreflMinV = m.Pinc * f.A;
  m.PreflMaxV = m.Pinc * f.B;
  m.ErrReflMinus = f.ErrReflMinus;
  m.ErrReflPlus = f.ErrReflPlus;

  // The two couplers err independently: the lowest absorbed power pairs the lowest incident
  // reading with the highest reflected one, and the other way round.
  m.PloadMinV = m.PincMinV - m.PreflMaxV;
  m.PloadMaxV = m.PincMaxV - m.PreflMinV;
  m.PloadMinRelat = m.PloadMinV / m.Pload;
  m.PloadMaxRelat = m.PloadMaxV / m.Pload;

  // Only the parts the model defines; Pha and Mism of the inferred reflections stay as they are.
  m.MeaMin.Mag = f.MeaMin.Mag;
  m.MeaMin.Rloss = f.MeaMin.Rloss;
  m.MeaMin.Swr = f.MeaMin.Swr;
  m.MeaMax.Mag = f.MeaMax.Mag;
  m.MeaMax.Rloss = f.MeaMax.Rloss;
  m.MeaMax.Swr = f.MeaMax.Swr;
}

}  // namespace rf
