#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "chart/chart.h"
#include "svg_reader.h"

namespace chart {
namespace {

struct KindRow {
  const char* name;
  AnyChart chart;
  const char* group;
};
void PrintTo(const KindRow& row, std::ostream* os) { *os << row.name; }
class AnyChartTest : public testing::TestWithParam<KindRow> {};

TEST_P(AnyChartTest, DrawsItsOwnKind) {
  const std::string doc = ToSvg(GetParam().chart, 640, 400, {}, "DejaVu Sans");
  EXPECT_TRUE(chart_test::HasGroup(doc, GetParam().group));
  EXPECT_NE(doc.find("font-family=\"DejaVu Sans\""), std::string::npos);
  EXPECT_NE(doc.find("width=\"640\" height=\"400\""), std::string::npos);
  for (const char* other : {"xy-chart", "smith-chart", "contour-map"}) {
    if (std::string(other) != GetParam().group) {
      EXPECT_FALSE(chart_test::HasGroup(doc, other));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnyChartTest,
                         testing::Values(KindRow{"Xy", XyChart{}, "xy-chart"},
                                         KindRow{"Smith", SmithChart{}, "smith-chart"},
                                         KindRow{"Contour", ContourMap{}, "contour-map"}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace chart
