#pragma once

#include "rf/first_start.h"
#include "rf/model.h"
#include "rf/reflection.h"

// The worked example: the window's first-start inputs, with what a test varies set apart.
namespace test_support {

struct Setup {
  double src = rf::kFirstSrcMag;
  double srcPha = rf::kFirstSrcPha;
  double load = rf::kFirstLoaMag;
  double loadPha = rf::kFirstLoaPha;
  double dirDb = -1.0;  // negative: ideal couplers
};

// The inputs only, as the window's edits give them to the model.
inline rf::ModelState WorkedInputs(const Setup& s = {}) {
  rf::ModelState m;
  m.Va = static_cast<std::int32_t>(rf::kFirstAnodeV);
  m.Ia = rf::kFirstAnodeI;
  m.Eff = rf::kFirstEffPercent / 100.0;
  m.SrcRfl.Mag = s.src;
  m.SrcRfl.Pha = s.srcPha;
  rf::ReflFromMag(m.SrcRfl);
  m.LoaRfl.Mag = s.load;
  m.LoaRfl.Pha = s.loadPha;
  rf::ReflFromMag(m.LoaRfl);
  m.CplIdeal = s.dirDb < 0.0;
  m.CplDirDb = m.CplIdeal ? rf::kFirstDirDb : s.dirDb;
  return m;
}

// The inputs and every result computed from them.
inline rf::ModelState WorkedModel(const Setup& s = {}) {
  rf::ModelState m = WorkedInputs(s);
  rf::ComputeTransmission(m);
  return m;
}

}  // namespace test_support
