// Tests of the 2-year discharge per barrel by the rational method.
#include "outlet/two_year_discharge.h"

#include <gtest/gtest.h>

#include "platform/error/error.h"

namespace gw::outlet {
namespace {

RationalInputs english(double tc, double ca, double cf, double lateral, int barrels) {
  RationalInputs in;
  in.idf_b = 100;
  in.idf_d = 10;
  in.idf_e = 0.8;
  in.tc = tc;
  in.ca = ca;
  in.cf = cf;
  in.lateral_q = lateral;
  in.barrels = barrels;
  return in;
}

TEST(TwoYearDischarge, RationalMethodPerBarrel) {
  struct Case {
    const char* what;
    RationalInputs in;
    double intensity;
    double q;
  } cases[] = {
      // i = 100 / 20^0.8 = 9.103 in/hr; Q = 2 × 9.103 + 0.5.
      {"one barrel", english(10, 2.0, 1.0, 0.5, 1), 9.1028, 18.7057},
      // The lateral discharge is added once and the sum shared among the barrels.
      {"two barrels", english(10, 2.0, 1.0, 0.5, 2), 9.1028, 9.3528},
      {"frequency factor", english(10, 2.0, 1.1, 0.0, 1), 9.1028, 20.0262},
      {"no lateral", english(0, 1.0, 1.0, 0.0, 1), 100 / 6.309573, 15.8489},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(two_year_intensity(c.in), c.intensity, 1e-3) << c.what;
    EXPECT_NEAR(two_year_discharge(c.in), c.q, 1e-3) << c.what;
  }
}

TEST(TwoYearDischarge, MetricIntensityInMillimetresAndDivisor360) {
  RationalInputs in = english(10, 0.8, 1.0, 0.01, 1);
  in.metric = true;
  in.rational_divisor = 360;
  const double i = 9.102821 * 25.4;
  EXPECT_NEAR(two_year_intensity(in), i, 1e-3);
  EXPECT_NEAR(two_year_discharge(in), 0.8 * i / 360 + 0.01, 1e-6);
}

TEST(TwoYearDischarge, FailsWithoutBarrelsOrOnAnInvalidPower) {
  EXPECT_THROW(two_year_discharge(english(10, 2.0, 1.0, 0.5, 0)), Error);
  RationalInputs negative = english(-20, 2.0, 1.0, 0.0, 1);  // (10 - 20)^0.8
  EXPECT_THROW(two_year_discharge(negative), Error);
  RationalInputs zero = english(-10, 2.0, 1.0, 0.0, 1);  // 100 / 0^0.8
  EXPECT_THROW(two_year_discharge(zero), Error);
}

}  // namespace
}  // namespace gw::outlet
