#include "rf/model.h"
#include "rf/reflection.h"

namespace rf {

// Each coupler also passes the opposite wave with voltage factor d; depending on its phase that
// leakage adds to or subtracts from the wanted wave, which bounds every reading.
void ComputeMeasurement(ModelState& m) {
  const double mag = m.LoaRfl.Mag;
  const double l2 = mag * mag;
  const double d = m.CplIdeal ? 0.0 : DirDbToFactor(m.CplDirDb);

  double t = 1.0 - d * mag;
  m.ErrInciMinus = t * t;
  t = d * mag + 1.0;
  m.ErrInciPlus = t * t;

  const double a = (mag - d) * (mag - d);
  const double b = (mag + d) * (mag + d);

  m.PincMinV = m.Pinc * m.ErrInciMinus;
  m.PincMaxV = m.Pinc * m.ErrInciPlus;
  m.PreflMinV = m.Pinc * a;
  m.PreflMaxV = m.Pinc * b;

  m.ErrReflMinus = a / l2;
  m.ErrReflPlus = b / l2;

  // The two couplers err independently: the lowest absorbed power pairs the lowest incident
  // reading with the highest reflected one, and the other way round.
  m.PloadMinV = m.PincMinV - m.PreflMaxV;
  m.PloadMaxV = m.PincMaxV - m.PreflMinV;
  m.PloadMinRelat = m.PloadMinV / m.Pload;
  m.PloadMaxRelat = m.PloadMaxV / m.Pload;

  // The reflection inferred from the readings; the lower bound keeps its sign when the leakage
  // outweighs the true reflection, and the upper bound may exceed 1.
  m.MeaMin.Mag = (mag - d) / (d * mag + 1.0);
  m.MeaMax.Mag = (mag + d) / (1.0 - d * mag);
  m.MeaMin.Rloss = MagToDb(m.MeaMin.Mag);
  m.MeaMax.Rloss = MagToDb(m.MeaMax.Mag);
  m.MeaMin.Swr = MagToSwr(m.MeaMin.Mag);
  m.MeaMax.Swr = MagToSwr(m.MeaMax.Mag);
}

}  // namespace rf
