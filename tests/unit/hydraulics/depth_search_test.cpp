// The depth searches: exact trial depths, and the skipping searches against plain stepping.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "hydraulics/box_section.h"
#include "hydraulics/circular_section.h"
#include "hydraulics/routine_frame.h"
#include "hydraulics/trial_depths.h"
#include "hydraulics/solve.h"
#include "tests/unit/hydraulics/pipe_inputs.h"

namespace gw::hyd {
namespace {

using namespace detail;
using namespace testing;

TEST(TrialDepths, AreTheRepeatedSumsUpToTheFirstAboveTheLimit) {
  for (double step : {0.0001, 0.01}) {
    const double limit = 0.9999 * 7.3;
    const TrialDepths depths(step, limit);
    std::vector<double> summed;
    double y = 0;
    do {
      y += step;
      summed.push_back(y);
    } while (!(y > limit));
    ASSERT_EQ(depths.last(), static_cast<long>(summed.size()));
    for (long k = 1; k <= depths.last(); ++k) {
      ASSERT_EQ(depths.at(k), summed[static_cast<std::size_t>(k - 1)]) << k;
    }
    for (double bound : {0.0, 0.00015, 1.0, 3.3333, 0.999 * 7.3, limit}) {
      const long k = depths.first_above(bound);
      EXPECT_GT(depths.at(k), bound);
      if (k > 1) {
        EXPECT_LE(depths.at(k - 1), bound);
      }
    }
  }
}

TEST(CircularSegment, HalfDepthIsTheHalfCircle) {
  const double d = 1.5;
  const Segment s = circular_segment(d / 2, d);
  EXPECT_EQ(s.half_angle, kPi / 2);
  EXPECT_DOUBLE_EQ(s.area, kPi * d * d / 8);
  EXPECT_DOUBLE_EQ(s.wetted_perimeter, kPi * d / 2);
}

TEST(CircularSegment, IsTheArccosOfTheDepth) {
  const double d = 2.0;
  for (double y : {0.0001, 0.3, 0.9999, 1.0001, 1.7, 1.9999}) {
    EXPECT_NEAR(circular_segment(y, d).half_angle, std::acos(1 - 2 * y / d), 1e-12) << y;
  }
}

TEST(CircularSegment, BeyondTheCrownIsTheFullCircle) {
  const double d = 0.25003;
  const Segment s = circular_segment(0.2501, d);
  EXPECT_EQ(s.half_angle, kPi);
  EXPECT_DOUBLE_EQ(s.area, kPi * d * d / 4);
}

// The plain stepped searches, step by step as the definition goes.
struct Stepped {
  double depth;
  double area;
  double wetted_perimeter;
};

Stepped stepped_circular_depth(double d, double q, double conveyance) {
  double y = 0;
  for (;;) {
    y += 0.0001;
    const Segment s = circular_segment(y, d);
    const double r = s.area / s.wetted_perimeter;
    const double qy = conveyance * s.area * std::pow(r, 2.0 / 3.0);
    if (y > 0.9999 * d) return {d, s.area, s.wetted_perimeter};
    if (q - qy <= 0.001) return {y, s.area, s.wetted_perimeter};
  }
}

double stepped_circular_critical(double d, double q, double g) {
  double y = 0;
  for (;;) {
    y += 0.0001;
    const Segment s = circular_segment(y, d);
    const double qc = s.area * std::pow(g * s.area / (d * std::sin(s.half_angle)), 0.5);
    if (y > 0.9999 * d) return d;
    if (q - qc <= 0.001) return y;
  }
}

double stepped_box_depth(double b, double h, double q, double conveyance) {
  double y = 0;
  for (;;) {
    y += 0.0001;
    const double a = b * y;
    const double qy = conveyance * a * std::pow(a / (2 * y + b), 2.0 / 3.0);
    if (y > 0.9999 * h) return h;
    if (q - qy <= 0.001) return y;
  }
}

double stepped_box_critical(double b, double h, double q, double g) {
  double y = 0;
  for (;;) {
    y += 0.0001;
    const double qc = b * y * std::pow(g * y, 0.5);
    if (y > 0.999 * h) return y;
    if (q - qc < 0.001) return y;
  }
}

// Diameters in ft or m: standard ones, a 1 ft pipe whose last trial depth lands next to the
// crown, and one whose last trial depth passes it.
const double kDiameters[] = {0.3, 0.45, 1.0, 1.5, 3.5, 6.0, 0.25003};
// Discharges as fractions of the capacity: the rising part, the capacity, the peak near 1.0763
// of it and above the peak (running to the last depth); then large ones for the critical depth.
const double kFractions[] = {1e-4, 0.01, 0.3, 0.82, 1.0, 1.07, 1.0755, 1.0763, 1.08, 2.0, 40.0};

TEST(CircularSearch, FindsWhatPlainSteppingFinds) {
  const double conveyance = 1.486 / 0.013 * std::pow(0.01, 0.5);
  for (double d : kDiameters) {
    const double capacity = conveyance * kPi * std::pow(d / 2, 2) * std::pow(d / 4, 2.0 / 3.0);
    const TrialDepths depths(0.0001, 0.9999 * d);
    for (double fraction : kFractions) {
      const double q = fraction * capacity;
      const CircularFlowDepth found = circular_flow_depth(depths, d, q, conveyance);
      const Stepped want = stepped_circular_depth(d, q, conveyance);
      EXPECT_EQ(found.depth, want.depth) << d << " " << fraction;
      EXPECT_EQ(found.area, want.area) << d << " " << fraction;
      EXPECT_EQ(found.wetted_perimeter, want.wetted_perimeter) << d << " " << fraction;
      for (double g : {32.2, 9.8}) {
        EXPECT_EQ(circular_critical_depth(depths, d, q, g), stepped_circular_critical(d, q, g))
            << d << " " << fraction << " " << g;
      }
    }
  }
}

TEST(BoxSearch, FindsWhatPlainSteppingFinds) {
  const double conveyance = 1.486 / 0.013 * std::pow(0.005, 0.5);
  const struct { double b, h; } boxes[] = {{4, 3}, {1.2, 0.9}, {0.5, 0.30005}, {1.0, 1.0}, {10, 6}};
  for (const auto& box : boxes) {
    const double area = box.b * box.h;
    const double capacity = conveyance * area * std::pow(area / (2 * (box.b + box.h)), 2.0 / 3.0);
    const TrialDepths depths(0.0001, 0.9999 * box.h);
    for (double fraction : kFractions) {
      const double q = fraction * capacity;
      EXPECT_EQ(box_flow_depth(depths, box.b, box.h, q, conveyance).depth,
                stepped_box_depth(box.b, box.h, q, conveyance))
          << box.b << "x" << box.h << " " << fraction;
      EXPECT_EQ(box_critical_depth(depths, box.b, box.h, q, 32.2),
                stepped_box_critical(box.b, box.h, q, 32.2))
          << box.b << "x" << box.h << " " << fraction;
    }
  }
}

TEST(BoxSearch, CriticalDepthStopsAtTheFirstStepAbove0999OfTheRise) {
  HydraulicsState state;
  const SolveResult out = solve_pipe(testing::spanned("Box", 48, 36, 200, 0.005, 0.013), state);
  ASSERT_TRUE(out.ok() && out.values.critical_depth) << out.cause;
  const double yc = *out.values.critical_depth;
  EXPECT_GT(yc, 0.999 * 3);
  EXPECT_LT(yc, 0.999 * 3 + 0.0001 + 1e-9);
}

// A 250.03 mm pipe's last trial depth passes its crown: under heavy flow its critical depth is
// the full diameter rather than a failed square root.
TEST(CircularSearch, CriticalDepthPastTheCrownIsTheDiameter) {
  HydraulicsState state;
  const SolveResult out = solve_pipe(testing::metric(testing::circular(250.03, 5), 50), state);
  ASSERT_TRUE(out.ok() && out.values.critical_depth) << out.cause;
  EXPECT_EQ(*out.values.critical_depth, 0.25003);
}

}  // namespace
}  // namespace gw::hyd
