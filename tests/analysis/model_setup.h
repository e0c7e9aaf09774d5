#pragma once

#include "rf/model.h"
#include "rf/reflection.h"

// A computed model from the inputs a test varies; the rest at the window's first-start values.
namespace analysis_test {

struct Setup {
  double src = 0.2;
  double srcPha = 0.0;
  double load = 0.5;
  double loadPha = 90.0;
  double dirDb = -1.0;  // negative: ideal couplers
};

inline rf::ModelState Model(const Setup& s) {
  rf::ModelState m;
  m.Va = 4350;
  m.Ia = 0.32;
  m.Eff = 0.72;
  m.SrcRfl.Mag = s.src;
  m.SrcRfl.Pha = s.srcPha;
  rf::ReflFromMag(m.SrcRfl);
  m.LoaRfl.Mag = s.load;
  m.LoaRfl.Pha = s.loadPha;
  rf::ReflFromMag(m.LoaRfl);
  m.CplIdeal = s.dirDb < 0.0;
  m.CplDirDb = m.CplIdeal ? 20.0 : s.dirDb;
  rf::ComputeTransmission(m);
  return m;
}

}  // namespace analysis_test
