#include "rf/complex.h"

#include <cmath>

namespace rf {

void CxSet(TComplex& z, double re, double im) {
  z.Re = re;
  z.Im = im;
}

double CxSqrMag(TComplex z) { return z.Re * z.Re + z.Im * z.Im; }

// Cosine and sine are taken as the library gives them, never snapped to an axis: at 180 degrees
// the tiny sine keeps 1 - Gs*Gl from vanishing exactly for two total reflections.
void CxPolarToRect(TComplex p, TComplex& z) {
  z.Re = p.Re * std::cos(p.Im);
  z.Im = p.Re * std::sin(p.Im);
}

void CxPolarDegToRect(TComplex p, TComplex& z) {
  // Product with pi first, then the division, so that results repeat to the last bit.
  const double rad = (p.Im * 3.141592653589793) / 180.0;
  CxPolarToRect(TComplex{p.Re, rad}, z);
}

void CxMul(TComplex a, TComplex b, TComplex& z) {
  z.Re = a.Re * b.Re - a.Im * b.Im;
  z.Im = a.Re * b.Im + b.Re * a.Im;
}

}  // namespace rf
