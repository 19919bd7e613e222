// Tests of the scour hole below the outlet, for cohesionless and clay beds.
#include "outlet/scour_hole.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/error.h"
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
      {"cohesionless, sigma 10", cohesionless_scour_hole(english_flow(), 32.2, 0.01, 0.1), "0.54", "1.87", "4.10",
       "1.64"},
      {"clay, PI 10", clay_scour_hole(english_flow(), 10), "0.77", "3.23", "6.57", "2.63"},
      // Above 16 the index is used as it is.
      {"clay, PI 20", clay_scour_hole(english_flow(), 20), "0.69", "2.88", "5.28", "2.11"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shown(c.hole.depth), c.depth) << c.what;
    EXPECT_EQ(shown(c.hole.width), c.width) << c.what;
    EXPECT_EQ(shown(c.hole.length), c.length) << c.what;
    EXPECT_EQ(shown(c.hole.location), c.location) << c.what;
    EXPECT_DOUBLE_EQ(c.hole.location, c.hole.length * 0.4) << c.what;
  }
}

TEST(ScourHole, MetricFlowConvertsToFeetAndBack) {
  // 0.5 cms through 0.2 m² with Rc 0.12 m: the flow parameter is taken in feet, the hole given in
  // metres.
  ScourFlow f;
  f.discharge = 0.5;
  f.area = 0.2;
  f.hydraulic_radius = 0.12;
  f.to_feet = 3.2808;
  f.from_feet = 0.3048;
  const ScourHole sand = cohesionless_scour_hole(f, 9.8146, 0.001, 0.01);
  EXPECT_NEAR(sand.depth, 0.073637, 1e-6);
  EXPECT_NEAR(sand.width, 0.285070, 1e-6);
  EXPECT_NEAR(sand.length, 0.593513, 1e-6);
  const ScourHole clay = clay_scour_hole(f, 10);
  EXPECT_NEAR(clay.depth, 0.088336, 1e-6);
  EXPECT_NEAR(clay.width, 0.364717, 1e-6);
  EXPECT_NEAR(clay.length, 0.853198, 1e-6);
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
  EXPECT_THROW(clay_scour_hole(no_area, 10), Error);
  EXPECT_THROW(clay_scour_hole(backwards, 10), Error);
}

}  // namespace
}  // namespace gw::outlet
