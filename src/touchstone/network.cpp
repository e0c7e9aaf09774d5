#include "touchstone/network.h"

#include <cmath>
#include <utility>

namespace touchstone {

namespace {

using Cx = std::complex<double>;

std::size_t Elements(const Layout& l) {
  const auto n = static_cast<std::size_t>(l.Ports);
  return l.Matrix == MatrixFormat::Full ? n * n : n * (n + 1) / 2;
}

// Where the port's own element stands among the elements of one frequency.
std::size_t DiagonalIndex(const Layout& l) {
  const auto n = static_cast<std::size_t>(l.Ports);
  const auto i = static_cast<std::size_t>(l.Port - 1);
  switch (l.Matrix) {
    case MatrixFormat::Lower:
      return i * (i + 1) / 2 + i;
    case MatrixFormat::Upper:
      return i * n - i * (i - 1) / 2;
    case MatrixFormat::Full:
      break;
  }
  return i * n + i;
}

}  // namespace

std::size_t NumbersPerFrequency(const Layout& layout) { return 2 * Elements(layout); }

Converter::Converter(const Layout& layout)
    : layout_(layout), n_(static_cast<std::size_t>(layout.Ports)) {
  if (layout_.Param == Parameter::Y || layout_.Param == Parameter::Z) {
    m_.resize(n_ * n_);
    b_.resize(n_ * n_);
    u_.resize(n_);
  }
}

Cx Converter::Element(const double* numbers, std::size_t index) const {
  const double a = numbers[2 * index];
  const double b = numbers[2 * index + 1];
  switch (layout_.Form) {
    case Format::RI:
      return {a, b};
    case Format::DB:
    case Format::MA: {
      // The window's own polar conversion, so that a file's point and a typed one agree.
      const double mag = layout_.Form == Format::DB ? std::pow(10.0, a / 20.0) : a;
      rf::TComplex z;
      rf::CxPolarDegToRect(rf::TComplex{mag, b}, z);
      return {z.Re, z.Im};
    }
  }
  return {a, b};
}

void Converter::FillMatrix(const double* numbers) {
  std::size_t k = 0;
  for (std::size_t r = 0; r < n_; ++r) {
    const std::size_t first = layout_.Matrix == MatrixFormat::Upper ? r : 0;
    const std::size_t last = layout_.Matrix == MatrixFormat::Lower ? r + 1 : n_;
    for (std::size_t c = first; c < last; ++c) {
      const Cx v = Element(numbers, k++);
      m_[r * n_ + c] = v;
      // A triangle stands for a reciprocal network: the mirrored element is the same.
      if (layout_.Matrix != MatrixFormat::Full) m_[c * n_ + r] = v;
    }
  }
  if (n_ == 2 && layout_.Matrix == MatrixFormat::Full && layout_.TwoPort21First) {
    std::swap(m_[1], m_[2]);
  }
}

rf::TComplex Converter::Reflection(const double* numbers) {
  if (layout_.Param != Parameter::Y && layout_.Param != Parameter::Z) {
    const Cx s = Element(numbers, DiagonalIndex(layout_));
    return {s.real(), s.imag()};
  }
  FillMatrix(numbers);
  const bool isZ = layout_.Param == Parameter::Z;
  const auto port = static_cast<std::size_t>(layout_.Port - 1);
  // S_pp = (A B^-1)_pp with B = Z + R (or I + RY) and A = Z - R (or I - RY): B is solved for
  // its inverse's column p, and only row p of A is formed, at the end.
  for (std::size_t r = 0; r < n_; ++r) {
    const double ref = layout_.Ref[r];
    for (std::size_t c = 0; c < n_; ++c) {
      const Cx v = m_[r * n_ + c];
      const Cx diag = r == c ? Cx(isZ ? ref : 1.0) : Cx(0.0);
      b_[r * n_ + c] = isZ ? v + diag : diag + ref * v;
    }
    u_[r] = r == port ? Cx(1.0) : Cx(0.0);
  }
  // Gaussian elimination with partial pivoting; a singular matrix (a port shorted through
  // the network, say) leaves infinities and NaN, as a division by zero does everywhere else.
  for (std::size_t k = 0; k < n_; ++k) {
    std::size_t pivot = k;
    for (std::size_t r = k + 1; r < n_; ++r) {
      if (std::abs(b_[r * n_ + k]) > std::abs(b_[pivot * n_ + k])) pivot = r;
    }
    if (pivot != k) {
      for (std::size_t c = 0; c < n_; ++c) std::swap(b_[k * n_ + c], b_[pivot * n_ + c]);
      std::swap(u_[k], u_[pivot]);
    }
    const Cx d = b_[k * n_ + k];
    for (std::size_t r = k + 1; r < n_; ++r) {
      const Cx f = b_[r * n_ + k] / d;
      for (std::size_t c = k; c < n_; ++c) b_[r * n_ + c] -= f * b_[k * n_ + c];
      u_[r] -= f * u_[k];
    }
  }
  for (std::size_t k = n_; k-- > 0;) {
    Cx sum = u_[k];
    for (std::size_t c = k + 1; c < n_; ++c) sum -= b_[k * n_ + c] * u_[c];
    u_[k] = sum / b_[k * n_ + k];
  }
  Cx s = 0.0;
  const double ref = layout_.Ref[port];
  for (std::size_t c = 0; c < n_; ++c) {
    const Cx v = m_[port * n_ + c];
    const Cx diag = port == c ? Cx(isZ ? -ref : 1.0) : Cx(0.0);
    s += (isZ ? v + diag : diag - ref * v) * u_[c];
  }
  return {s.real(), s.imag()};
}

}  // namespace touchstone
