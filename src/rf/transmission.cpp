#include "rf/complex.h"
#include "rf/model.h"

namespace rf {

void ComputeTransmission(ModelState& m) {
  TComplex gs;
  CxSet(gs, m.SrcRfl.Mag, m.SrcRfl.Pha);
  CxPolarDegToRect(gs, gs);
  TComplex gl;
  CxSet(gl, m.LoaRfl.Mag, m.LoaRfl.Pha);
  CxPolarDegToRect(gl, gl);
  ComputeTransmissionLimits(m);
  ComputeTransmissionAt(m, gs, gl);
  ComputeMeasurement(m);
}

void ComputeTransmissionLimits(ModelState& m) {
  const double l2 = m.LoaRfl.Mag * m.LoaRfl.Mag;
  m.SrcRfl.Mism = 1.0 - m.SrcRfl.Mag * m.SrcRfl.Mag;
  m.LoaRfl.Mism = 1.0 - l2;
  const double ms = m.SrcRfl.Mism;
  const double ml = m.LoaRfl.Mism;

  // Over all phases the product Gs*Gl sweeps a circle of radius |Gs||Gl| around 0.
  const double sl = m.SrcRfl.Mag * m.LoaRfl.Mag;
  m.InterfMin = 1.0 / ((sl + 1.0) * (sl + 1.0));
  m.InterfMax = 1.0 / ((1.0 - sl) * (1.0 - sl));

  m.Pmatch = (static_cast<double>(m.Va) * m.Ia) * m.Eff;
  m.Pav = m.Pmatch / ms;

  m.TrGainMin = ms * ml * m.InterfMin;
  m.TrGainMax = ms * ml * m.InterfMax;

  m.PincMin = m.Pav * ms * m.InterfMin;
  m.PincMax = m.Pav * ms * m.InterfMax;
  m.PreflMin = m.PincMin * l2;
  m.PreflMax = m.PincMax * l2;
  m.PloadMin = m.PincMin - m.PreflMin;
  m.PloadMax = m.PincMax - m.PreflMax;
}

void ComputeTransmissionAt(ModelState& m, TComplex gs, TComplex gl) {
  const double l2 = m.LoaRfl.Mag * m.LoaRfl.Mag;
  const double ms = m.SrcRfl.Mism;
  const double ml = m.LoaRfl.Mism;

  TComplex p;
  CxMul(gs, gl, p);
  // The wave bouncing between source and load adds up as 1 / |1 - Gs*Gl|^2.
  const TComplex q{1.0 - p.Re, -p.Im};
  m.Interf = 1.0 / CxSqrMag(q);

  m.TrGain = ms * ml * m.Interf;
  // Pinc is formed through Pav so that a total source reflection gives NaN (inf * 0), not a
  // plausible-looking power: such a source delivers nothing defined.
  m.Pinc = m.Pav * ms * m.Interf;
  m.Prefl = m.Pinc * l2;
  m.Pload = m.Pinc - m.Prefl;
}

}  // namespace rf
