#pragma once

// How an axis turns values into positions: linear, logarithmic, or symmetric-logarithmic
// (linear near zero, logarithmic beyond a threshold on both sides, so +-1 % and +-500 % share
// one readable axis).
namespace chart {

enum class Scale { Linear, Log, SymLog };

// The value in the scale's own straight coordinate; NaN where the scale has no place for it
// (a logarithmic axis and a value <= 0, or a non-finite value).
double Forward(Scale s, double v, double threshold);
double Inverse(Scale s, double t, double threshold);

// One axis placed on the screen: its value range [Lo, Hi] runs from pixel P0 to pixel P1.
struct AxisMap {
  Scale Kind = Scale::Linear;
  double Threshold = 1.0;
  double Lo = 0.0;
  double Hi = 1.0;
  double P0 = 0.0;
  double P1 = 1.0;
  // NaN for a value the scale cannot place.
  double ToPixel(double v) const;
  double FromPixel(double p) const;
};

}  // namespace chart
