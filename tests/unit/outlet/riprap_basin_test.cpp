// Tests of the riprap basin design: class sizes, Froude limit, pool depth and exit conditions.
#include "outlet/riprap_basin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "outlet/design_refusal.h"
#include "outlet/outlet_equivalent_depth.h"
#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

std::string shown(double v, const char* pattern = "0.00") { return text::format(v, pattern); }

// English circular outlet of Q 60 cfs at V 15 ft/s into a 3 ft culvert, Class A1 stone.
RiprapBasinInput english_case(double tailwater) {
  const OutletDepth d = equivalent_depth(false, 60, 15, 0, 32.2);
  RiprapBasinInput in;
  in.dE = d.dE;
  in.froude = d.froude;
  in.tailwater = tailwater;
  in.width = 3.0;
  in.discharge = 60;
  in.d50 = 0.8;
  in.gravity = 32.2;
  return in;
}

TEST(RiprapBasin, ClassSizes) {
  struct Case {
    const char* cls;
    const char* english;
    const char* metric;
  } cases[] = {
      {"Class A1", "0.800", "0.244"},  {"Class I", "1.100", "0.335"}, {"Class II", "1.600", "0.488"},
      {"Class III", "2.200", "0.671"}, {"Type I", "2.800", "0.853"},  {"Type II", "4.500", "1.372"},
  };
  for (const Case& c : cases) {
    const auto d50 = riprap_class_d50_feet(c.cls);
    ASSERT_TRUE(d50) << c.cls;
    EXPECT_EQ(shown(*d50, "0.000"), c.english) << c.cls;
    EXPECT_EQ(shown(*d50 * 0.3048, "0.000"), c.metric) << c.cls;
  }
  for (const char* other : {"class A1", "Class A1 ", "", "Class IV", "Type III"})
    EXPECT_FALSE(riprap_class_d50_feet(other)) << '"' << other << '"';
}

TEST(RiprapBasin, WorkedExample) {
  const RiprapBasinInput in = english_case(1.0);
  EXPECT_EQ(shown(in.dE), "1.41");
  EXPECT_EQ(shown(in.froude), "2.22");
  const RiprapBasin b = design_riprap_basin(in);
  EXPECT_EQ(shown(b.d50, "0.000"), "0.800");
  EXPECT_EQ(shown(b.pool_length), "17.18");
  EXPECT_EQ(shown(b.basin_length), "25.78");
  EXPECT_EQ(shown(b.apron_length), "8.59");
  EXPECT_EQ(shown(b.pool_depth), "1.72");
  EXPECT_EQ(shown(b.apron_thickness), "2.40");
  EXPECT_EQ(shown(b.basin_thickness), "1.60");
  EXPECT_EQ(shown(b.exit_width), "20.18");
  EXPECT_EQ(shown(b.exit_velocity), "4.30");
  // The critical depth uses the exponent 0.33333, not a third.
  EXPECT_DOUBLE_EQ(b.exit_depth, std::pow(60.0 * 60.0 / (32.2 * b.exit_width * b.exit_width), 0.33333));
}

TEST(RiprapBasin, TailwaterCoefficient) {
  // hs = (0.86 (D50 / dE)^-0.55 Fr - C0) dE, so C0 = 0.86 (D50 / dE)^-0.55 Fr - hs / dE.
  struct Case {
    double ratio;  // TW / dE
    double c0;
  } cases[] = {
      {0.0, 1.4}, {0.7071, 1.4}, {0.75, 1.4}, {0.849, 4 * 0.849 - 1.6}, {0.99, 4 * 0.99 - 1.6},
      {1.0, 2.4}, {3.0, 2.4},
  };
  for (const Case& c : cases) {
    RiprapBasinInput in = english_case(0);
    in.tailwater = c.ratio * in.dE;
    in.d50 = 0.1;  // small stone keeps the pool depth positive
    const RiprapBasin b = design_riprap_basin(in);
    const double c0 = 0.86 * std::pow(in.d50 / in.dE, -0.55) * in.froude - b.pool_depth / in.dE;
    EXPECT_NEAR(c0, c.c0, 1e-9) << "r " << c.ratio;
  }
}

TEST(RiprapBasin, NoPoolFallsBackToWidthMinimums) {
  // Large stone, low Froude number and high tailwater: the pool depth formula goes negative.
  RiprapBasinInput in = english_case(5.0);
  in.froude = 1.0;
  in.d50 = 4.5;
  const RiprapBasin b = design_riprap_basin(in);
  EXPECT_EQ(shown(b.pool_depth), "0.00");
  EXPECT_DOUBLE_EQ(b.pool_length, 3 * in.width);
  EXPECT_DOUBLE_EQ(b.basin_length, 4 * in.width);
  EXPECT_DOUBLE_EQ(b.apron_length, in.width);
  EXPECT_TRUE(std::isfinite(b.exit_velocity));
}

TEST(RiprapBasin, FroudeLimitOnShownValue) {
  struct Case {
    double froude;
    bool refused;
  } cases[] = {{2.22, false}, {3.0, false}, {3.004, false}, {3.00499, false}, {3.005, true}, {3.2, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(riprap_basin_refuses(c.froude), c.refused) << c.froude;
    RiprapBasinInput in = english_case(1.0);
    in.froude = c.froude;
    if (c.refused) {
      try {
        design_riprap_basin(in);
        ADD_FAILURE() << "not refused: " << c.froude;
      } catch (const DesignRefused& e) {
        EXPECT_STREQ(e.what(), "Special Design Outlet Protection Required for Riprap Basin Method!");
      }
    } else {
      EXPECT_NO_THROW(design_riprap_basin(in)) << c.froude;
    }
  }
}

TEST(RiprapBasin, InputsWithoutResultFailCleanly) {
  struct Case {
    const char* what;
    RiprapBasinInput in;
    const char* message;
  } cases[] = {
      {"no stone size (unknown class)",
       [] {
         auto i = english_case(1.0);
         i.d50 = 0;
         return i;
       }(),
       "Division by zero"},
      {"no culvert width and no pool",
       [] {
         auto i = english_case(5.0);
         i.froude = 1.0;
         i.d50 = 4.5;
         i.width = 0;
         return i;
       }(),
       "Division by zero"},
      {"no discharge",
       [] {
         auto i = english_case(1.0);
         i.discharge = 0;
         return i;
       }(),
       "Overflow"},
  };
  for (const Case& c : cases) {
    try {
      design_riprap_basin(c.in);
      ADD_FAILURE() << "no failure: " << c.what;
    } catch (const DesignRefused&) {
      ADD_FAILURE() << "refused: " << c.what;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
  }
}

}  // namespace
}  // namespace gw::outlet
