// Tests of the 2-year outlet velocity: the normal-depth search of each barrel shape.
#include "outlet/outlet_velocity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

constexpr double kEnglishK = static_cast<double>(1.486f);  // the single-precision unit constant

OutletBarrel barrel(OutletShape shape, double rise_in, double span_in, double slope) {
  OutletBarrel b;
  b.shape = shape;
  b.rise = rise_in / 12;
  b.span = span_in / 12;
  b.slope = slope;
  b.manning_n = 0.013;
  b.manning_k = kEnglishK;
  return b;
}

TEST(OutletVelocity, WorkedExamplesOfEachShape) {
  struct Case {
    const char* what;
    OutletBarrel b;
    double q;
    double depth;       // the trial depth the search stops at, exact; < 0: not checked
    double area;        // to the three decimals shown in worked examples; < 0: not checked
    const char* shown;  // velocity with "0.00"
    bool full;
  } cases[] = {
      {"circular 18 in, 5 cfs", barrel(OutletShape::circular, 18, 0, 0.01), 5, 0.7287, 0.852, "5.87", false},
      // More than the pipe carries: the search runs just past 0.9999 D.
      {"circular 18 in, 20 cfs", barrel(OutletShape::circular, 18, 0, 0.01), 20, 1.4999, 1.767, "11.32",
       false},
      {"box 60 x 48 in, 50 cfs", barrel(OutletShape::box, 48, 60, 0.005), 50, 1.3505, 6.753, "7.40", false},
      {"elliptical 23 x 14 in, 10 cfs", barrel(OutletShape::elliptical, 14, 23, 0.01), 10, 0.88, 1.505,
       "6.64", false},
      // Above the full-flow capacity of 10.21 cfs the barrel flows full.
      {"elliptical 23 x 14 in, 30 cfs", barrel(OutletShape::elliptical, 14, 23, 0.01), 30, -1, 1.756, "17.08",
       true},
      {"arch 23 x 14 in, 10 cfs", barrel(OutletShape::arch, 14, 23, 0.01), 10, 0.89, -1, "6.61", false},
  };
  // The circular and box depths are odd multiples of their 0.0001 ft step and the arch's an
  // odd multiple of its 0.01 ft step, so a search with a coarser step stops elsewhere.
  for (const Case& c : cases) {
    const OutletFlow f = outlet_normal_flow(c.b, c.q);
    if (c.depth >= 0) {
      EXPECT_NEAR(f.depth, c.depth, 1e-9) << c.what;
    }
    if (c.area >= 0) {
      EXPECT_NEAR(f.area, c.area, 0.0006) << c.what;
    }
    EXPECT_EQ(f.full, c.full) << c.what;
    EXPECT_EQ(text::format(outlet_velocity(c.b, c.q), "0.00"), c.shown) << c.what;
  }
}

TEST(OutletVelocity, NoDischargeGivesZeroForEveryShape) {
  for (OutletShape s : {OutletShape::circular, OutletShape::box, OutletShape::elliptical, OutletShape::arch})
    EXPECT_EQ(text::format(outlet_velocity(barrel(s, 14, 23, 0.01), 0), "0.00"), "0.00")
        << static_cast<int>(s);
}

TEST(OutletVelocity, MetricSizesAndUnitConstant) {
  // A 600 mm pipe at 1 % carrying 0.3 cms, k = 1.0: the same search in metres.
  OutletBarrel b;
  b.shape = OutletShape::circular;
  b.rise = 0.6;
  b.slope = 0.01;
  b.manning_n = 0.013;
  b.manning_k = 1.0;
  const OutletFlow f = outlet_normal_flow(b, 0.3);
  EXPECT_NEAR(f.depth, 0.2954, 1e-9);
  EXPECT_LT(f.area, 0.6 * 0.6 * 3.14159265358979 / 4);
  EXPECT_NEAR(outlet_velocity(b, 0.3), 0.3 / f.area, 1e-12);
}

TEST(OutletVelocity, ArchBeyondItsFitsFlowsFullInsteadOfSearchingForever) {
  // The fits give about 1.027 times the full-flow capacity at r = 1; a larger discharge, or a
  // flat barrel that carries nothing, ends with the full section.
  OutletBarrel steep = barrel(OutletShape::arch, 14, 23, 0.01);
  const double full_area = 0.781 * std::pow(14.0 / 12 * 23.0 / 12, 1.003);
  for (const OutletBarrel& b : {steep, barrel(OutletShape::arch, 14, 23, 0.0)}) {
    const OutletFlow f = outlet_normal_flow(b, 40);
    EXPECT_TRUE(f.full);
    EXPECT_NEAR(f.area, full_area, 1e-9);
  }
  // An elliptical barrel without slope has no capacity: full at once.
  EXPECT_TRUE(outlet_normal_flow(barrel(OutletShape::elliptical, 14, 23, 0.0), 5).full);
}

TEST(OutletVelocity, InvalidInputsFail) {
  struct Case {
    const char* what;
    OutletBarrel b;
  } cases[] = {
      {"n = 0",
       [] {
         auto b = barrel(OutletShape::circular, 18, 0, 0.01);
         b.manning_n = 0;
         return b;
       }()},
      {"zero diameter", barrel(OutletShape::circular, 0, 0, 0.01)},
      {"negative slope", barrel(OutletShape::box, 48, 60, -0.01)},
      {"zero span of a box", barrel(OutletShape::box, 48, 0, 0.01)},
      {"zero rise of an ellipse", barrel(OutletShape::elliptical, 0, 23, 0.01)},
      {"zero rise of an arch", barrel(OutletShape::arch, 0, 23, 0.01)},
      {"negative arch section", barrel(OutletShape::arch, 14, -23, 0.01)},
  };
  for (const Case& c : cases) EXPECT_THROW(outlet_velocity(c.b, 5), Error) << c.what;
}

TEST(OutletVelocity, ASearchHasACap) {
  // Thirty miles of pipe would need more than ten million steps of 0.0001 ft.
  EXPECT_THROW(outlet_velocity(barrel(OutletShape::box, 12 * 160000, 60, 0.01), 1e12), Error);
}

}  // namespace
}  // namespace gw::outlet
