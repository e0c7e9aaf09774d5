#pragma once

#include <cmath>
#include <cstdint>

// A seeded generator and the distributions the Monte Carlo budget draws from, written out here
// so that one seed gives the same trials with every compiler and standard library (the
// standard's distributions leave their algorithms to the implementation).
namespace analysis {

// xoshiro256** (Blackman and Vigna), its state filled from the seed by splitmix64.
class Random {
 public:
  explicit Random(std::uint64_t seed) {
    for (std::uint64_t& s : s_) {
      seed += 0x9e3779b97f4a7c15ULL;
      std::uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
      z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
      s = z ^ (z >> 31);
    }
  }

  std::uint64_t Next() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

  // Uniform on [0, 1), the top 53 bits as a fraction.
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

  // Uniform on [-1, 1).
  double Symmetric() { return 2.0 * Uniform() - 1.0; }

  // Standard normal by Marsaglia's polar method: a point uniform in the unit disc, accepted
  // with probability pi/4; the second deviate of each pair is kept for the next call.
  double Normal() {
    if (hasSpare_) {
      hasSpare_ = false;
      return spare_;
    }
    double u = 0.0;
    double v = 0.0;
    double s = 0.0;
    do {
      u = Symmetric();
      v = Symmetric();
      s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    spare_ = v * f;
    hasSpare_ = true;
    return u * f;
  }

 private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4];
  double spare_ = 0.0;
  bool hasSpare_ = false;
};

}  // namespace analysis
