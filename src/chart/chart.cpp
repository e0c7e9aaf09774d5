#include "chart/chart.h"

#include <type_traits>

#include "chart/svg_canvas.h"
#include "chart/xy_layout.h"

namespace chart {

void Draw(Canvas& canvas, const AnyChart& chart, double width, double height, const Style& style) {
  std::visit(
      [&](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, XyChart>)
          DrawXy(canvas, c, width, height, style);
        else if constexpr (std::is_same_v<T, SmithChart>)
          DrawSmith(canvas, c, width, height, style);
        else
          DrawContour(canvas, c, width, height, style);
      },
      chart);
}

std::string ToSvg(const AnyChart& chart, double width, double height, const Style& style,
                  const std::string& fontFamily) {
  SvgCanvas canvas(width, height, fontFamily);
  Draw(canvas, chart, width, height, style);
  return canvas.Document();
}

}  // namespace chart
