// Tests of the time-of-concentration formulas: worked values in both unit systems, the reach
// checks and the failures that must not become inf or nan.
#include "design/tc_methods.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/units/units.h"

namespace gw::design::tc {
namespace {

constexpr double kManningEnglish = units_of(UnitSystem::english).manning_k;
constexpr double kManningMetric = units_of(UnitSystem::metric).manning_k;

TEST(TcReach, ChecksDistanceThenFall) {
  struct Case {
    double l, hu, hl;
    Reach want;
  } cases[] = {
      {0, 10, 5, Reach::ZeroDistance},    {0, 5, 10, Reach::ZeroDistance},  // the distance is checked first
      {100, 10, 10, Reach::NotFalling},                                     // equal elevations fail too
      {100, 9.99, 10, Reach::NotFalling}, {100, 10.5, 10, Reach::Ok},
  };
  for (const Case& c : cases)
    EXPECT_EQ(check_reach(c.l, c.hu, c.hl), c.want) << c.l << " " << c.hu << " " << c.hl;
}

// Each formula against values worked by hand, shown with the window's patterns.
TEST(TcFormulas, WorkedValues) {
  struct Case {
    const char* what;
    double value;
    const char* pattern;
    const char* shown;
  } cases[] = {
      // S% = 0.5, 100 / (196.848 * 0.076 * sqrt 0.5)
      {"shallow English", shallow_flow_tc(100, 100 * reach_slope(100, 10.5, 10), 0.076, true), "0.000",
       "9.453"},
      // 30 / (60 * 0.619 * sqrt 2)
      {"shallow metric", shallow_flow_tc(30, 2, 0.619, false), "0.0000", "0.5712"},
      // 0.00948 * 10^-0.38 * 1000^1.13
      {"Kirpich English", kirpich_tc(10, 1000, 1.0, true), "0.000", "9.701"},
      {"Kirpich metric", kirpich_tc(3, 300, 1.0, false), "0.0000", "9.5861"},
      // 0.225 * 100^0.42 * 0.02^-0.19 / 0.9
      {"Seelye English", seelye_tc(100, 0.02, 0.9, true), "0.000", "3.637"},
      {"Seelye metric", seelye_tc(30, 0.02, 0.9, false), "0.0000", "3.6125"},
      // (1.486 / 0.015) * 1^(2/3) * 0.01^0.5
      {"Manning channel English", manning_velocity(kManningEnglish, 0.015, 1.0, 0.01), "0.000", "9.907"},
      // full pipe of 2 ft: R = 0.5
      {"Manning pipe English", manning_velocity(kManningEnglish, 0.013, 0.5, 0.01), "0.000", "7.201"},
      {"Manning metric", manning_velocity(kManningMetric, 0.013, 0.25, 0.005), "0.0000", "2.1586"},
      {"travel time", travel_time(600, 5), "0.000", "2.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(text::format(c.value, c.pattern), c.shown) << c.what;
}

TEST(TcFormulas, ManningExponentIsTwoThirdsInFullPrecision) {
  EXPECT_DOUBLE_EQ(manning_velocity(1.0, 1.0, 8.0, 1.0), std::pow(8.0, 2.0 / 3.0));
  EXPECT_NEAR(manning_velocity(1.0, 1.0, 8.0, 1.0), 4.0, 1e-12);
}

// Inputs that the window reports as a data error: each must raise, never give inf or nan.
TEST(TcFormulas, FailuresRaise) {
  struct Case {
    const char* what;
    std::function<double()> f;
  } cases[] = {
      {"zero intercept", [] { return shallow_flow_tc(100, 0.5, 0, true); }},
      {"zero slope percent", [] { return shallow_flow_tc(100, 0, 0.076, true); }},
      {"zero Manning n", [] { return manning_velocity(kManningEnglish, 0, 1, 0.01); }},
      {"negative slope", [] { return manning_velocity(kManningEnglish, 0.016, 1, -0.01); }},
      {"zero velocity", [] { return travel_time(100, 0); }},
      {"zero C", [] { return seelye_tc(100, 0.02, 0, true); }},
      {"zero Seelye slope", [] { return seelye_tc(100, 0, 0.9, true); }},
      {"zero Kirpich height", [] { return kirpich_tc(0, 1000, 1, true); }},
      {"negative Kirpich height", [] { return kirpich_tc(-1, 1000, 1, true); }},
      {"zero reach distance", [] { return reach_slope(0, 10, 5); }},
      {"zero over zero", [] { return reach_slope(0, 5, 5); }},
      {"overflowing slope", [] { return reach_slope(1e-300, 1e300, -1e300); }},
  };
  for (const Case& c : cases) EXPECT_THROW(c.f(), gw::Error) << c.what;
}

}  // namespace
}  // namespace gw::design::tc
