// Tests of the scour hole below the outlet, for cohesionless and clay beds.
#include "outlet/scour_hole.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

ScourFlow english_flow() {
  ScourFlow f;
  f.discharge = 20;
  f.area = 1.767;
  f.hydraulic_radius = 0.375;
  return f;
}

std::string shown(double v) { return text::format(v, "0.00"); }

TEST(ScourHole, WorkedExamples) {
  struct Case {
    const char* what;
    ScourHole hole;
    const char *depth, *width, *length, *location;
  } cases[] = {
      {"cohesionless, sigma 10", cohesionless_scour_hole(english_flow(), 32.2, 0.01, 0.1), "0.54", "1.87",
       "4.10", "1.64"},
      {"clay, PI 10", clay_scour_hole(english_flow(), 10, 1), "0.77", "3.23", "6.57", "2.63"},
      // Above 16 the index is taken as 16.
      {"clay, PI 20", clay_scour_hole(english_flow(), 20, 1), "0.72", "3.03", "5.80", "2.32"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shown(c.hole.depth), c.depth) << c.what;
    EXPECT_EQ(shown(c.hole.width), c.width) << c.what;
    EXPECT_EQ(shown(c.hole.length), c.length) << c.what;
    EXPECT_EQ(shown(c.hole.location), c.location) << c.what;
    EXPECT_DOUBLE_EQ(c.hole.location, c.hole.length * 0.4) << c.what;
  }
}

TEST(ScourHole, PlasticityIndexTakenWithinItsRange) {
  struct Case {
    double given, used;
  } cases[] = {{3, 5}, {5, 5}, {16, 16}, {20, 16}};
  for (const Case& c : cases) {
    const ScourHole got = clay_scour_hole(english_flow(), c.given, 1);
    const ScourHole want = clay_scour_hole(english_flow(), c.used, 1);
    EXPECT_DOUBLE_EQ(got.depth, want.depth) << c.given;
    EXPECT_DOUBLE_EQ(got.length, want.length) << c.given;
  }
}

TEST(ScourHole, MetricHoleIsTheEnglishHoleInMetres) {
  // The English flow of the worked examples expressed in metric units: every length of the hole
  // comes out as the English length times 0.3048 (to the small difference between 9.8146 and
  // 32.2 x 0.3048, and between 3.2808 and 1 / 0.3048).
  const double m = 0.3048;
  ScourFlow metric;
  metric.discharge = 20 * m * m * m;
  metric.area = 1.767 * m * m;
  metric.hydraulic_radius = 0.375 * m;
  struct Case {
    const char* what;
    ScourHole english, metric;
  } cases[] = {
      {"cohesionless", cohesionless_scour_hole(english_flow(), 32.2, 0.01, 0.1),
       cohesionless_scour_hole(metric, 9.8146, 0.001, 0.01)},
      {"clay", clay_scour_hole(english_flow(), 10, 1), clay_scour_hole(metric, 10, 3.2808)},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.metric.depth, c.english.depth * m, 1e-5 * c.english.depth) << c.what;
    EXPECT_NEAR(c.metric.width, c.english.width * m, 1e-5 * c.english.width) << c.what;
    EXPECT_NEAR(c.metric.length, c.english.length * m, 1e-5 * c.english.length) << c.what;
    EXPECT_NEAR(c.metric.location, c.english.location * m, 1e-5 * c.english.location) << c.what;
  }
  // The cohesionless depth of the worked example, 0.54 ft, is 0.17 m (0.5437 x 0.3048).
  EXPECT_EQ(shown(cases[0].metric.depth), "0.17");
}

TEST(ScourHole, InvalidInputsFail) {
  ScourFlow no_area = english_flow();
  no_area.area = 0;
  ScourFlow no_radius = english_flow();
  no_radius.hydraulic_radius = 0;
  ScourFlow backwards = english_flow();
  backwards.discharge = -20;
  EXPECT_THROW(cohesionless_scour_hole(english_flow(), 32.2, 0.1, 0.1), Error);  // D84 not above D16
  EXPECT_THROW(cohesionless_scour_hole(english_flow(), 32.2, 0.2, 0.1), Error);
  EXPECT_THROW(cohesionless_scour_hole(no_area, 32.2, 0.01, 0.1), Error);
  EXPECT_THROW(cohesionless_scour_hole(no_radius, 32.2, 0.01, 0.1), Error);
  EXPECT_THROW(cohesionless_scour_hole(backwards, 32.2, 0.01, 0.1), Error);
  EXPECT_THROW(clay_scour_hole(no_area, 10, 1), Error);
  EXPECT_THROW(clay_scour_hole(backwards, 10, 1), Error);
}

}  // namespace
}  // namespace gw::outlet
