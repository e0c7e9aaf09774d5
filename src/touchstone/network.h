#pragma once

#include <complex>
#include <cstddef>
#include <vector>

#include "rf/complex.h"
#include "touchstone/options.h"

// One frequency's network data turned into the reflection of one port.
namespace touchstone {

// How the matrix of one frequency is written: every element row by row, or only the lower or
// upper triangle of a reciprocal network.
enum class MatrixFormat { Full, Lower, Upper };

struct Layout {
  int Ports = 1;
  int Port = 1;  // 1-based
  MatrixFormat Matrix = MatrixFormat::Full;
  // A full 2-port matrix in the order 11, 21, 12, 22 (every version 1 file) instead of
  // 11, 12, 21, 22. A port's reflection is the same either way (the two off-diagonal
  // elements enter only as their product), but the elements land where they belong.
  bool TwoPort21First = true;
  Parameter Param = Parameter::S;
  Format Form = Format::MA;
  // Each port's reference resistance in ohms; all 1 for version 1 files, whose Y and Z data
  // are normalised to the option line's R.
  std::vector<double> Ref;
};

// The numbers after the frequency: two for each matrix element the layout writes.
std::size_t NumbersPerFrequency(const Layout& layout);

class Converter {
 public:
  explicit Converter(const Layout& layout);
  // The port's reflection from the numbers of one frequency (NumbersPerFrequency of them).
  // An S parameter is taken as it stands; Y and Z data are turned into S with every other
  // port terminated in its reference resistance: S = (Z - R)(Z + R)^-1, S = (I - RY)(I + RY)^-1
  // (the power-wave S of unequal references differs from it off the diagonal only).
  rf::TComplex Reflection(const double* numbers);

 private:
  std::complex<double> Element(const double* numbers, std::size_t index) const;
  void FillMatrix(const double* numbers);

  Layout layout_;
  std::size_t n_;
  std::vector<std::complex<double>> m_;  // the network matrix, row-major
  std::vector<std::complex<double>> b_;  // the matrix that is solved, row-major
  std::vector<std::complex<double>> u_;  // its solution for the port's unit vector
};

}  // namespace touchstone
