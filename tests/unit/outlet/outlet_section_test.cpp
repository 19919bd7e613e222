// Tests of the outlet section: shape classes, full-flow area of the barrels, standard diameter.
#include "outlet/outlet_section.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error/error.h"

namespace gw::outlet {
namespace {

TEST(OutletShape, ClassifiesShapeTextsExactly) {
  struct Case {
    const char* text;
    OutletShape shape;
  } cases[] = {
      {"Circular", OutletShape::circular},
      {"Box", OutletShape::box},
      {"Rectangulr", OutletShape::box},
      {"Elliptical", OutletShape::elliptical},
      {"Arch-Conc", OutletShape::arch},
      {"Arch-S-Cor", OutletShape::arch},
      // The tests are case-sensitive: any other spelling counts as an arch.
      {"circular", OutletShape::arch},
      {"BOX", OutletShape::arch},
      {"", OutletShape::arch},
  };
  for (const Case& c : cases) EXPECT_EQ(outlet_shape_of(c.text), c.shape) << '"' << c.text << '"';
}

TEST(FullFlowArea, OfEveryShape) {
  struct Case {
    OutletShape shape;
    double rise, width, divisor;
    int barrels;
    double area;
  } cases[] = {
      // 18 in circular, two barrels: 2 × π × 1.5² / 4.
      {OutletShape::circular, 18, 1.5, 12, 2, 3.534291735},
      // 48 in rise by 60 in span box: 4 × 5.
      {OutletShape::box, 48, 5, 12, 1, 20.0},
      // Elliptical 14 in rise, 23 in span: π × 14/12 × 23/12 / 4.
      {OutletShape::elliptical, 14, 23.0 / 12, 12, 1, 1.7562376},
      // Arch: 0.781 × (14/12 × 23/12)^1.003, three barrels.
      {OutletShape::arch, 14, 23.0 / 12, 12, 3, 5.2518722},
      // Metric: a 600 mm pipe.
      {OutletShape::circular, 600, 0.6, 1000, 1, 0.282743339},
      {OutletShape::circular, 18, 1.5, 12, 0, 0.0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(full_flow_area(c.shape, c.rise, c.width, c.divisor, c.barrels), c.area, 1e-5)
        << static_cast<int>(c.shape) << " " << c.rise;
}

TEST(FullFlowArea, FailsOnAZeroDivisor) {
  EXPECT_THROW(full_flow_area(OutletShape::circular, 18, 1.5, 0, 1), Error);
}

TEST(StandardDiameter, RoundsDownToTheTable) {
  struct Case {
    double size;
    double standard;
  } cases[] = {
      {0, 12},
      {11.9, 12},
      {12, 12},
      {12.5, 12},
      {15, 15},
      {20, 18},
      {33, 30},
      {36, 36},
      {41.99, 36},
      {95, 90},
      {96, 96},
      {120, 96},
      {-4, 12},
      // A metric 450 mm outlet is 17.72 in.
      {450 / 25.4, 15},
  };
  for (const Case& c : cases) EXPECT_EQ(standard_diameter(c.size), c.standard) << c.size;
}

}  // namespace
}  // namespace gw::outlet
