#include "analysis/disc_model.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

namespace analysis {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Midpoint nodes per disc in the square of the magnitude, in which the disc's law is uniform.
// Where the line's phase spreads a quantity less than one node step of the magnitude does, the
// nodes show as steps of the cumulative probability, so one disc gets many (a step of 1/2048
// in probability) and two discs, whose nodes multiply, fewer each.
constexpr int kOneDiscNodes = 2048;
constexpr int kTwoDiscNodes = 192;

struct Node {
  double R;
  double W;
};

std::vector<Node> Nodes(double radius, MagnitudeKnown known, int count) {
  if (known == MagnitudeKnown::Exactly) return {{radius, 1.0}};
  std::vector<Node> n;
  for (int k = 0; k < count; ++k) n.push_back({radius * std::sqrt((k + 0.5) / count), 1.0 / count});
  return n;
}

// A quantity g(rs, rl) F with F = 1 / |1 - rs rl e^{j theta}|^2.
using Factor = std::function<double(double rs, double rl)>;

// P(g F <= v) for given magnitudes: F <= y exactly when cos(theta) <= (1 + rho^2 - 1/y) / (2 rho).
double ConditionalCdf(double g, double rho, double v) {
  if (g == 0.0 || rho == 0.0) return g <= v ? 1.0 : 0.0;
  if (v <= 0.0) return 0.0;
  const double c = (1.0 + rho * rho - g / v) / (2.0 * rho);
  return 1.0 - std::acos(std::clamp(c, -1.0, 1.0)) / std::numbers::pi;
}

struct Mixture {
  std::vector<Node> src;
  std::vector<Node> load;
  Factor g;

  double Cdf(double v) const {
    double sum = 0.0;
    for (const Node& s : src) {
      for (const Node& l : load) sum += s.W * l.W * ConditionalCdf(g(s.R, l.R), s.R * l.R, v);
    }
    return sum;
  }

  // The v in [lo, hi] with Cdf(v) = q, by regula falsi with the Illinois modification.
  double Quantile(double q, double lo, double hi) const {
    double flo = -q;
    double fhi = 1.0 - q;
    int side = 0;
    for (int i = 0; i < 100 && hi - lo > 1e-13 * std::fabs(hi); ++i) {
      double v = (lo * fhi - hi * flo) / (fhi - flo);
      if (!(v > lo && v < hi)) v = lo + (hi - lo) / 2.0;
      const double f = Cdf(v) - q;
      if (f == 0.0) return v;
      if (f < 0.0) {
        lo = v;
        flo = f;
        if (side == -1) fhi /= 2.0;
        side = -1;
      } else {
        hi = v;
        fhi = f;
        if (side == 1) flo /= 2.0;
        side = 1;
      }
    }
    return lo + (hi - lo) / 2.0;
  }
};

// Mean and standard deviation over the magnitudes of the conditional closed forms: the variance
// is the mean conditional variance plus the variance of the conditional means, both sums of
// positive terms.
void Moments(const Mixture& mix, Coverage& c) {
  double mean = 0.0;
  double within = 0.0;
  for (const Node& s : mix.src) {
    for (const Node& l : mix.load) {
      const double rho = s.R * l.R;
      const double one = (1.0 - rho) * (1.0 + rho);
      const double g = mix.g(s.R, l.R);
      mean += s.W * l.W * g / one;
      within += s.W * l.W * 2.0 * (g * rho) * (g * rho) / (one * one * one);
    }
  }
  double between = 0.0;
  for (const Node& s : mix.src) {
    for (const Node& l : mix.load) {
      const double rho = s.R * l.R;
      const double dev = mix.g(s.R, l.R) / ((1.0 - rho) * (1.0 + rho)) - mean;
      between += s.W * l.W * dev * dev;
    }
  }
  c.Mean = mean;
  c.Std = std::sqrt(within + between);
}

Coverage MixtureCoverage(const Mixture& mix, double lo, double hi, double p) {
  Coverage c;
  c.Probability = p;
  if (std::isnan(lo) || std::isnan(hi)) {
    return {kNaN, kNaN, kNaN, kNaN, kNaN, p, Shape::Undefined};
  }
  if (lo == hi) {
    const double end = ValidCoverage(p) ? lo : kNaN;
    return {lo, lo, 0.0, end, end, p, Shape::Fixed};
  }
  c.Law = Shape::Disc;
  Moments(mix, c);
  c.Median = mix.Quantile(0.5, lo, hi);
  c.Low = ValidCoverage(p) ? mix.Quantile((1.0 - p) / 2.0, lo, hi) : kNaN;
  c.High = ValidCoverage(p) ? mix.Quantile((1.0 + p) / 2.0, lo, hi) : kNaN;
  return WithinLimits(c, lo, hi);
}

// The magnitude in [lo, hi] nearest to r.
double Nearest(double r, double lo, double hi) { return std::clamp(r, lo, hi); }

}  // namespace

double MismatchTermStd(double src, double load, MagnitudeModel model) {
  const double es = model.Source == MagnitudeKnown::Exactly ? 1.0 : 0.5;
  const double el = model.Load == MagnitudeKnown::Exactly ? 1.0 : 0.5;
  return std::numbers::sqrt2 * src * load * std::sqrt(es * el);
}

// The worst cases, with rs in [sLo, Rs] and rl in [lLo, Rl] (the lower ends 0 on a disc):
// F lies between 1 / (1 + rs rl)^2 and 1 / (1 - rs rl)^2, both extreme at the largest product.
// Pinc and Prefl = Pinc rl^2 rise with both magnitudes at the maximum, and Prefl's minimum
// rl^2 / (1 + rs rl)^2 rises with rl and falls with rs. Pload ~ (1 - rl^2) / (1 - rs rl)^2 rises
// with rs and, for fixed rs, peaks at the conjugate match rl = rs; its minimum falls with both.
// The transducer gain (1 - rs^2)(1 - rl^2) / (1 - rs rl)^2 is 1 on the diagonal rs = rl and falls
// away from it in either direction, so its maximum is the point of the rectangle nearest the
// diagonal; its minimum falls with both.
DiscRows DiscLimitsAndCoverage(const rf::ModelState& m, MagnitudeModel model, double p) {
  const CoverageRows exact = LimitsAndCoverage(m, p);
  const bool srcDisc = model.Source == MagnitudeKnown::AsUpperLimit;
  const bool loadDisc = model.Load == MagnitudeKnown::AsUpperLimit;
  DiscRows rows{};
  std::copy_n(exact.begin(), rows.size(), rows.begin());
  if (!srcDisc && !loadDisc) return rows;

  const double rs = m.SrcRfl.Mag;
  const double rl = m.LoaRfl.Mag;
  const double sLo = srcDisc ? 0.0 : rs;
  const double lLo = loadDisc ? 0.0 : rl;
  // The power into the line per unit interference factor: Pav Ms for a source known exactly, as
  // the model forms it (undefined for a total source reflection); Pmatch when the source's
  // magnitude is unknown, since Pav Ms = Pmatch whatever it is.
  const double p0 = srcDisc ? m.Pmatch : m.Pav * m.SrcRfl.Mism;
  const double top = rs * rl;
  const double fMin = 1.0 / ((1.0 + top) * (1.0 + top));
  const double fMax = 1.0 / ((1.0 - top) * (1.0 - top));
  const auto gain = [](double a, double b) {
    return (1.0 - a * a) * (1.0 - b * b) / ((1.0 - a * b) * (1.0 - a * b));
  };
  double gainMax = 1.0;
  if (rs < lLo) gainMax = gain(rs, lLo);
  if (rl < sLo) gainMax = gain(sLo, rl);
  const double bestLoad = Nearest(rs, lLo, rl);

  struct Item {
    Factor g;
    double lo, hi;
  };
  const Item items[] = {
      {[](double, double) { return 1.0; }, fMin, fMax},
      {[](double a, double b) { return (1.0 - a * a) * (1.0 - b * b); },
       (1.0 - rs * rs) * (1.0 - rl * rl) * fMin, gainMax},
      {[p0](double, double) { return p0; }, p0 * fMin, p0 * fMax},
      {[p0](double, double b) { return p0 * b * b; },
       p0 * lLo * lLo / ((1.0 + rs * lLo) * (1.0 + rs * lLo)), p0 * rl * rl * fMax},
      {[p0](double, double b) { return p0 * (1.0 - b) * (1.0 + b); }, p0 * (1.0 - rl * rl) * fMin,
       p0 * (1.0 - bestLoad * bestLoad) / ((1.0 - rs * bestLoad) * (1.0 - rs * bestLoad))},
  };
  const int count = srcDisc && loadDisc ? kTwoDiscNodes : kOneDiscNodes;
  const Mixture base{Nodes(rs, model.Source, count), Nodes(rl, model.Load, count), nullptr};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    Mixture mix = base;
    mix.g = items[i].g;
    rows[i].Min = items[i].lo;
    rows[i].Max = items[i].hi;
    rows[i].Stats = MixtureCoverage(mix, items[i].lo, items[i].hi, p);
  }
  return rows;
}

CoverageRows LimitsAndCoverage(const rf::ModelState& m, MagnitudeModel model, double p) {
  CoverageRows rows = LimitsAndCoverage(m, p);
  const DiscRows disc = DiscLimitsAndCoverage(m, model, p);
  std::copy(disc.begin(), disc.end(), rows.begin());
  return rows;
}

}  // namespace analysis
