#pragma once

#include <cstdint>

#include "rf/complex.h"
#include "rf/reflection.h"

// The calculation model: magnetron operating point, reflections, transmission and coupler
// measurement results. The window holds these as its own fields, in this declaration order.
namespace rf {

// Every field of the model, in the order the window declares them: type, name, initial value.
// The record and the list of fields by name are both made from this one list.
#define RF_MODEL_FIELDS(X)                                                             \
  X(std::int32_t, Va, 0) /* anode voltage, V */                                        \
  X(double, Ia, 0.0)     /* anode current, A */                                        \
  X(double, Eff, 0.0)    /* efficiency, fraction 0..1 */                               \
  X(TRefl, SrcRfl, {})                                                                 \
  X(TRefl, LoaRfl, {})                                                                 \
  X(TRefl, MeaMin, {})                                                                 \
  X(TRefl, MeaMax, {})                                                                 \
  X(double, Interf, 0.0)                                                               \
  X(double, InterfMin, 0.0)                                                            \
  X(double, InterfMax, 0.0)                                                            \
  X(double, TrGain, 0.0)                                                               \
  X(double, TrGainMin, 0.0)                                                            \
  X(double, TrGainMax, 0.0)                                                            \
  X(double, Pav, 0.0)                                                                  \
  X(double, Pmatch, 0.0)                                                               \
  X(double, Pinc, 0.0)                                                                 \
  X(double, PincMin, 0.0)                                                              \
  X(double, PincMax, 0.0)                                                              \
  X(double, Prefl, 0.0)                                                                \
  X(double, PreflMin, 0.0)                                                             \
  X(double, PreflMax, 0.0)                                                             \
  X(double, Pload, 0.0)                                                                \
  X(double, PloadMin, 0.0)                                                             \
  X(double, PloadMax, 0.0)                                                             \
  X(std::int32_t, SelUnit, 0)    /* factor unit: 0 Mag, 1 %, 2 dB */                   \
  X(std::int32_t, SelErrUnit, 0) /* measurement error unit: 0 power unit, 1 %, 2 dB */ \
  X(bool, CplIdeal, false)                                                             \
  X(double, CplDirDb, 0.0)                                                             \
  X(double, ErrInciMinus, 0.0)                                                         \
  X(double, ErrInciPlus, 0.0)                                                          \
  X(double, PincMinV, 0.0)                                                             \
  X(double, PincMaxV, 0.0)                                                             \
  X(double, ErrReflMinus, 0.0)                                                         \
  X(double, ErrReflPlus, 0.0)                                                          \
  X(double, PreflMinV, 0.0)                                                            \
  X(double, PreflMaxV, 0.0)                                                            \
  X(double, PloadMinV, 0.0)                                                            \
  X(double, PloadMaxV, 0.0)                                                            \
  X(double, PloadMinRelat, 0.0)                                                        \
  X(double, PloadMaxRelat, 0.0)

struct ModelState {
#define RF_MODEL_MEMBER(type, name, init) type name = init;
  RF_MODEL_FIELDS(RF_MODEL_MEMBER)
#undef RF_MODEL_MEMBER
};

// Overwrites every transmission output from Va, Ia, Eff, SrcRfl and LoaRfl, then runs
// ComputeMeasurement.
void ComputeTransmission(ModelState& m);
// Overwrites every measurement output from CplIdeal, CplDirDb, LoaRfl.Mag, Pinc and Pload.
void ComputeMeasurement(ModelState& m);

// The same two operations in their steps, for callers that evaluate many points of which
// only the phases change (sweeps, grids): what does not depend on the phases is formed once.
// Each step performs exactly the operations of the whole, so the results are bit-identical.

// ComputeTransmission without the measurement, in two steps: first what holds for all phases
// (mismatch factors, Pmatch, Pav and every Min and Max), then the actual-phase values from Gs
// and Gl in rectangular form, as CxPolarDegToRect makes them from (Mag, Pha). The second step
// reads what the first one stored.
void ComputeTransmissionLimits(ModelState& m);
void ComputeTransmissionAt(ModelState& m, TComplex gs, TComplex gl);

// What ComputeMeasurement derives from CplIdeal, CplDirDb and LoaRfl.Mag alone.
struct CouplerFactors {
  double ErrInciMinus = 0.0;
  double ErrInciPlus = 0.0;
  double A = 0.0;  // (M - d)^2, the smallest reflected reading per incident watt
  double B = 0.0;  // (M + d)^2, the largest
  double ErrReflMinus = 0.0;
  double ErrReflPlus = 0.0;
  TRefl MeaMin;  // Mag, Rloss, Swr
  TRefl MeaMax;
};
CouplerFactors ComputeCouplerFactors(const ModelState& m);
// ComputeMeasurement with its factors already formed for the present coupler and load.
void ApplyMeasurement(ModelState& m, const CouplerFactors& f);

}  // namespace rf
