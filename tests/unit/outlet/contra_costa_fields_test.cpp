// Tests of the Contra Costa panel's fields: the basin of the current inputs and the end sill's rule.
#include "outlet/contra_costa_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace gw::outlet {
namespace {

// English, circular outlet, Q 20 cfs, V 10 ft/s: dE = ((20 / 10) / 2)^0.5 = 1.00 ft,
// Fr = 10 / (32.2 x 1.0)^0.5 = 1.762; W0 2.0 ft.
ContraCostaFieldsInput worked(const char* ratio, const char* sill, bool computed) {
  ContraCostaFieldsInput in;
  in.basin.dE = 1.0;
  in.basin.froude = 10 / std::sqrt(32.2);
  in.basin.width = 2.0;
  in.basin.discharge = 20;
  in.basin.gravity = 32.2;
  in.ratio = ratio;
  in.sill = sill;
  in.sill_computed = computed;
  return in;
}

TEST(ContraCostaFields, TheBasinOfTheWorkedExample) {
  const ContraCostaFields f = derive_contra_costa_fields(worked("3.5", "", false));
  EXPECT_FALSE(f.refused);
  EXPECT_EQ(f.failure, "");
  EXPECT_EQ(f.dE, "1.00");
  EXPECT_EQ(f.froude, "1.76");
  EXPECT_EQ(f.basin_width, "4.00");
  EXPECT_EQ(f.h2, "1.10");
  EXPECT_EQ(f.h1, "0.55");
  EXPECT_EQ(f.L2, "3.86");
  EXPECT_EQ(f.L1, "1.93");
  EXPECT_EQ(f.L3, "6.18");
  EXPECT_EQ(f.LB, "10.04");
  EXPECT_EQ(f.Y2, "2.25");
  EXPECT_EQ(f.exit_depth, "0.87");
  EXPECT_EQ(f.exit_velocity, "4.72");
  // An empty sill field takes the design's own, 0.1 Y2.
  EXPECT_EQ(f.sill, "0.23");
  EXPECT_TRUE(f.sill_computed);
  // An empty ratio counts 3.5.
  EXPECT_EQ(derive_contra_costa_fields(worked("", "", false)).LB, "10.04");
}

TEST(ContraCostaFields, TheEndSillIsKeptWhenTypedAndFollowsTheBasinWhenComputed) {
  // Y2 2.25: the sill's range (0.06 to 0.1)Y2 is 0.14 to 0.23 (0.135 and 0.225 at two decimals).
  struct Case {
    const char* what;
    const char* sill;
    bool computed;
    const char* shown;
    bool shown_computed;
    const char* outside;
  } cases[] = {
      {"typed within its range", "0.20", false, "0.20", false, ""},
      {"typed at the ends", "0.14", false, "0.14", false, ""},
      {"typed above", "0.40", false, "0.40", false,
       "The end sill h3 0.40 lies outside (0.06 to 0.1)Y2 of this basin, 0.14 to 0.23 for Y2 2.25."},
      {"typed below", "0.11", false, "0.11", false,
       "The end sill h3 0.11 lies outside (0.06 to 0.1)Y2 of this basin, 0.14 to 0.23 for Y2 2.25."},
      // The sill another basin gave (0.11 for Y2 1.05) is computed anew for this one.
      {"computed for another basin", "0.11", true, "0.23", true, ""},
  };
  for (const Case& c : cases) {
    const ContraCostaFields f = derive_contra_costa_fields(worked("3.5", c.sill, c.computed));
    EXPECT_EQ(f.sill, c.shown) << c.what;
    EXPECT_EQ(f.sill_computed, c.shown_computed) << c.what;
    EXPECT_EQ(f.sill_outside, c.outside) << c.what;
  }
}

TEST(ContraCostaFields, ARefusalOrAFailureKeepsOnlyWhatTheEngineerTyped) {
  // Fr above 3: only dE and Fr, the floor "NONE"; a computed sill has no basin to follow.
  ContraCostaFieldsInput steep = worked("3.5", "0.11", true);
  steep.basin.froude = 3.2;
  ContraCostaFields f = derive_contra_costa_fields(steep);
  EXPECT_TRUE(f.refused);
  EXPECT_EQ(f.basin_width, "NONE");
  EXPECT_EQ(f.froude, "3.20");
  EXPECT_EQ(f.LB, "");
  EXPECT_EQ(f.sill, "");
  steep.sill_computed = false;
  EXPECT_EQ(derive_contra_costa_fields(steep).sill, "0.11");

  struct Case {
    const char* what;
    ContraCostaFieldsInput in;
    const char* failure;
  } cases[] = {
      {"a lone point for the ratio", worked(".", "0.40", false), "The L2/h2 Ratio \".\" is not a number."},
      {"a ratio beyond the largest double", worked(std::string(310, '9').c_str(), "0.40", false), nullptr},
  };
  for (const Case& c : cases) {
    f = derive_contra_costa_fields(c.in);
    EXPECT_FALSE(f.failure.empty()) << c.what;
    if (c.failure) {
      EXPECT_EQ(f.failure, c.failure) << c.what;
    }
    EXPECT_EQ(f.LB, "") << c.what;
    EXPECT_EQ(f.sill, "0.40") << c.what;
  }
  // An outfall value that gave no number: nothing designed, named as the outfall named it.
  ContraCostaFieldsInput unread = worked("3.5", "", true);
  unread.failure = "The Outlet Velocity is empty.";
  f = derive_contra_costa_fields(unread);
  EXPECT_EQ(f.failure, "The Outlet Velocity is empty.");
  EXPECT_EQ(f.dE, "");
}

}  // namespace
}  // namespace gw::outlet
