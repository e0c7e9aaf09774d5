#pragma once

#include <complex>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/legend.h"
#include "chart/style.h"
#include "chart/xy_chart.h"

// A Smith chart: the reflection plane's unit disk with its impedance grid, and what is drawn
// on it in reflection coefficients. Nothing is drawn outside the unit circle.
namespace chart {

using Reflection = std::complex<double>;

struct SmithPoint {
  std::string Name{};
  Reflection Gamma{};
  MarkerShape Shape = MarkerShape::Circle;
  int Colour = -1;  // -1: the palette's marker colour
};

// A curve of reflection values, e.g. a load over frequency; non-finite values break it.
struct SmithLocus {
  std::string Name{};
  std::vector<Reflection> Gamma{};
  int Colour = -1;
  double Width = 1.75;
  Dash Style = Dash::Solid;
};

// A circle in the reflection plane, e.g. the loads of one SWR or an uncertainty region.
struct SmithCircle {
  std::string Name{};
  Reflection Centre{};
  double Radius = 0.0;
  int Colour = -1;
  Dash Style = Dash::Dashed;
};

// The ring of reflection magnitudes between two radii about the centre, filled.
struct SmithAnnulus {
  std::string Name{};
  double Inner = 0.0;
  double Outer = 0.0;
  int Colour = -1;
};

struct SmithChart {
  std::string Title{};
  double Z0 = 50.0;  // ohms; the read-out's impedance is normalised when it is not finite > 0
  std::vector<SmithAnnulus> Annuli{};
  std::vector<SmithCircle> Circles{};
  std::vector<SmithLocus> Loci{};
  std::vector<SmithPoint> Points{};
};

struct SmithLayout {
  double Width = 0.0;
  double Height = 0.0;
  Point Centre{};
  double Radius = 0.0;  // of the unit circle, in pixels
  std::vector<LegendEntry> Legend{};
  Rect LegendBox{};
};

Point GammaToPixel(const SmithLayout& L, Reflection g);
Reflection PixelToGamma(const SmithLayout& L, Point p);
// The impedance a reflection coefficient means on a line of z0 ohms (normalised when z0 is 1);
// the open circuit, reflection 1, is infinite.
std::complex<double> ImpedanceOf(Reflection g, double z0);

// The runs of a sampled curve that lie in the disk |gamma| <= radius, each ending exactly on the
// circle where the curve crosses it.
std::vector<std::vector<Reflection>> ClipToDisk(const std::vector<Reflection>& curve,
                                                double radius = 1.0);

SmithLayout LayoutSmith(const SmithChart& chart, double width, double height, const Style& style,
                        const TextMeasure& measure);
void DrawSmith(Canvas& canvas, const SmithChart& chart, const SmithLayout& layout,
               const Style& style);
SmithLayout DrawSmith(Canvas& canvas, const SmithChart& chart, double width, double height,
                      const Style& style);

}  // namespace chart
