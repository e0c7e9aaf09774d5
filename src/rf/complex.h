#pragma once

// Complex arithmetic for the product of the source and load reflection coefficients.
// Inputs are taken by value, so an output may alias an input.
namespace rf {

// Rectangular (Re, Im), or polar (magnitude, angle) on its way into a polar conversion.
struct TComplex {
  double Re = 0.0;
  double Im = 0.0;
};

void CxSet(TComplex& z, double re, double im);
double CxSqrMag(TComplex z);
void CxPolarToRect(TComplex p, TComplex& z);     // p = (r, phi in radians)
void CxPolarDegToRect(TComplex p, TComplex& z);  // p = (r, phi in degrees)
void CxMul(TComplex a, TComplex b, TComplex& z);

}  // namespace rf
