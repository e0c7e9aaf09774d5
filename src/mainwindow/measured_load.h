#pragma once

#include <string>

#include "rf/complex.h"
#include "rf/reflection.h"

namespace mainwindow {

// A load measured across the band (a Touchstone file), taken at the window's operating
// frequency and seen through the line between the file's reference plane and the load.
struct MeasuredLoad {
  std::string FileName;  // as the user knows it: the name without its folder
  double FreqHz = 0.0;
  rf::TComplex Gamma;  // the reflection after the line
};

// Same file, frequency and reflection, bit for bit: a binding that offers the same value again
// (every time its band is re-evaluated) changes nothing.
bool SameMeasuredLoad(const MeasuredLoad& a, const MeasuredLoad& b);

// The measured reflection as the window's load: magnitude, phase in degrees (-180 .. 180), return
// loss and SWR. A measured magnitude a little above 1 (a short measured with calibration noise)
// is taken as total reflection, since the window's model is one of passive loads; a zero
// reflection has no phase and is given 0.
rf::TRefl MeasuredRefl(const MeasuredLoad& load);

}  // namespace mainwindow
