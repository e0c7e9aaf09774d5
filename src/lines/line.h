#pragma once

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "lines/result.h"
#include "rf/complex.h"

// The line between the magnetron and the load (or between a file's reference plane and the
// load): a TEM line with a velocity factor, or a rectangular waveguide in its TE10 mode.
namespace lines {

inline constexpr double kSpeedOfLight = 299792458.0;  // m/s, exact

// The standard guides for 2.45 GHz and 915 MHz systems and their broad-wall widths.
struct Waveguide {
  std::string_view Name;
  double BroadWallM = 0.0;
};
inline constexpr std::array<Waveguide, 5> kWaveguides{{{"WR-284", 0.072136},
                                                       {"WR-340", 0.08636},
                                                       {"WR-430", 0.10922},
                                                       {"WR-650", 0.1651},
                                                       {"WR-975", 0.24765}}};

enum class MediumKind { Tem, Waveguide };

struct Medium {
  MediumKind Kind = MediumKind::Tem;
  double VelocityFactor = 1.0;  // TEM only, (0, 1]
  double BroadWallM = 0.0;      // waveguide only
  std::string_view Name;        // the waveguide's standard name
};

Result<Medium> TemMedium(double velocityFactor);
// "WR-340", "WR340", "wr-340".
Result<Medium> FindWaveguide(std::string_view name);
// "tem:0.66" (or "tem" for free space), or a waveguide's name.
Result<Medium> ParseMedium(std::string_view text);
// "tem:0.66" or "WR-340", as ParseMedium reads it back.
std::string MediumText(const Medium& m);

// TE10 cutoff c / (2a); 0 for a TEM line, which has none.
double CutoffHz(const Medium& m);
// The wavelength along the line: VF c / f on a TEM line, lambda0 / sqrt(1 - (fc/f)^2) in a
// waveguide; an error at or below the waveguide's cutoff, where no wave travels.
Result<double> GuideWavelength(const Medium& m, double hz);

struct Line {
  double LengthM = 0.0;
  Medium Med;
  double LossDbPerM = 0.0;  // one way
};

Result<Line> MakeLine(double lengthM, const Medium& m, double lossDbPerM);

// The line's round trip in turns, 2 l / lambda_g, for frequencies the line carries (above its
// cutoff, finite): formed from two numbers of the line, so that a sweep asks for it at every
// frequency for the cost of one root. Reduced to -0.5..0.5 before it becomes an angle, so that a
// long line keeps the precision of its phase.
struct RoundTrip {
  double TurnsPerHz = 0.0;  // 2 l / v: v the TEM line's speed, or c in a guide
  double CutoffHz = 0.0;    // the guide's TE10 cutoff; 0 on a TEM line

  double Turns(double hz) const {
    // f sqrt(1 - (fc/f)^2) = sqrt((f - fc)(f + fc)): one root and no division, and exact
    // differences near the cutoff.
    const double turns = CutoffHz > 0.0 ? TurnsPerHz * std::sqrt((hz - CutoffHz) * (hz + CutoffHz))
                                        : TurnsPerHz * hz;
    // Less its nearest integer, ties to even as remainder(x, 1) takes them: adding and taking
    // away 1.5 * 2^52 rounds to that integer exactly (in the default rounding, |x| < 2^51).
    constexpr double kRoundingShift = 6755399441055744.0;
    if (std::fabs(turns) < 2251799813685248.0)
      return turns - ((turns + kRoundingShift) - kRoundingShift);
    return std::remainder(turns, 1.0);
  }
};
RoundTrip RoundTripOf(const Line& line);

// The phase the line adds to a reflection on its way there and back, -720 l / lambda_g
// degrees, wrapped into -180..180.
Result<double> RoundTripPhaseDeg(const Line& line, double hz);
// The magnitude the round trip leaves of a reflection, 10^(-2 loss l / 20); exactly 1 without
// loss.
double RoundTripGain(const Line& line);
// The load's reflection seen through the line:
// Gamma_in = Gamma_L 10^(-2 loss l / 20) e^(-j 2 beta l), beta = 2 pi / lambda_g.
Result<rf::TComplex> ReflectionThroughLine(const Line& line, double hz, rf::TComplex load);

}  // namespace lines
