#pragma once

// One reflection coefficient in all its forms, and the conversions between them.
namespace rf {

struct TRefl {
  double Mag = 0.0;    // linear voltage magnitude
  double Pha = 0.0;    // degrees
  double Rloss = 0.0;  // 20 log10 Mag, floored at kRlossFloorDb
  double Swr = 0.0;    // voltage standing-wave ratio
  double Mism = 0.0;   // mismatch factor 1 - Mag^2
};

// The three forms a reflection's magnitude is typed and shown in: linear magnitude, return
// loss in dB, SWR; in the order of the window's lists.
enum class ReflForm { Mag = 0, Db = 1, Swr = 2 };

// Magnitudes at or below kMagFloor (and NaN) have the return loss kRlossFloorDb, the limit
// of what the couplers and the display resolve; a return loss at or below it is no reflection.
inline constexpr double kMagFloor = 1e-8;
inline constexpr double kRlossFloorDb = -160.0;
// Magnitudes inside this band around 1 are total reflection: an infinite SWR.
inline constexpr double kTotalReflBandLow = 0.9999;
inline constexpr double kTotalReflBandHigh = 1.0001;
// An SWR from here up is total reflection: a magnitude of exactly 1.
inline constexpr double kSwrTotalReflection = 9999.999;

int InfSign(double x);  // +1 for +inf, -1 for -inf, 0 otherwise (NaN included)

double MagToDb(double x);
double DbToMag(double x);
double PowToDb(double x);
double MagToSwr(double m);
double SwrToMag(double s);
double DirDbToFactor(double d);

// Completion rules: make a TRefl whole after one of its forms was set; Pha and Mism untouched.
void ReflFromMag(TRefl& r);
void ReflFromRloss(TRefl& r);
void ReflFromSwr(TRefl& r);

}  // namespace rf
