// Tests of the USBR Type VI impact basin: limits, width rounding, table rows, energy and exit search.
#include "outlet/usbr_basin.h"

#include <gtest/gtest.h>

#include <string>

#include "outlet/design_refusal.h"
#include "outlet/outlet_equivalent_depth.h"
#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

std::string shown(double v) { return text::format(v, "0.00"); }

UsbrInput circular(double q, double v, double g = 32.2, double from_feet = 1, double to_feet = 1) {
  const OutletDepth d = equivalent_depth(false, q, v, 0, g);
  UsbrInput in;
  in.discharge = q;
  in.velocity = v;
  in.dE = d.dE;
  in.froude = d.froude;
  in.gravity = g;
  in.from_feet = from_feet;
  in.to_feet = to_feet;
  return in;
}

TEST(UsbrBasin, WorkedExample) {
  const UsbrInput in = circular(100, 20);
  EXPECT_EQ(shown(in.dE), "1.58");
  EXPECT_EQ(shown(in.froude), "2.80");
  const UsbrBasin b = design_usbr_basin(in);
  EXPECT_EQ(shown(b.Ho), "7.79");
  EXPECT_DOUBLE_EQ(b.ratio, 0.78);
  EXPECT_EQ(shown(b.width), "10.00");
  const char* row10[14] = {"7.58", "3.75", "1.67", "4.17", "13.42", "5.75", "7.67",
                           "0.75", "2.75", "0.67", "0.67", "0.75",  "0.67", "0.25"};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(shown(b.dims[i]), row10[i]) << "dimension " << i;
  EXPECT_EQ(shown(b.HL), "3.86");
  EXPECT_EQ(shown(b.He), "3.93");
  EXPECT_EQ(shown(b.exit_depth), "0.70");
  ASSERT_TRUE(b.exit_velocity);
  EXPECT_EQ(shown(*b.exit_velocity), "14.29");
  EXPECT_TRUE(b.exit_found);
}

TEST(UsbrBasin, LimitsAreStrict) {
  // Metric numbers are compared in cfs and ft/s: 12 cms is 423.8 cfs, 11 cms 388.4 cfs;
  // 15.3 m/s is 50.2 ft/s, 15.2 m/s 49.9 ft/s.
  const double m = 3.2808;
  struct Case {
    double q, v, to_feet;
    bool refused;
  } cases[] = {{400, 50, 1, false}, {400.01, 20, 1, true}, {100, 50.01, 1, true}, {0.5, 3, 1, false},
               {12, 8, m, true},    {11, 8, m, false},     {5, 15.3, m, true},    {5, 15.2, m, false}};
  for (const Case& c : cases) {
    const double g = c.to_feet == 1 ? 32.2 : 9.8146;
    const double from_feet = c.to_feet == 1 ? 1 : 0.3048;
    if (c.refused) {
      EXPECT_THROW(check_usbr_limits(c.q, c.v, c.to_feet), DesignRefused) << c.q << " " << c.v;
      try {
        design_usbr_basin(circular(c.q, c.v, g, from_feet, c.to_feet));
        ADD_FAILURE() << "not refused";
      } catch (const DesignRefused& e) {
        EXPECT_STREQ(e.what(), "Discharge/velocity exceeds max value for USBR Type VI Basin");
      }
    } else {
      EXPECT_NO_THROW(check_usbr_limits(c.q, c.v, c.to_feet));
      EXPECT_NO_THROW(design_usbr_basin(circular(c.q, c.v, g, from_feet, c.to_feet))) << c.q << " " << c.v;
    }
  }
}

// Input with the energy-to-width quotient Ho / r set to `quotient`: Fr 1 gives r = 0.2770 -> 0.28
// and Ho = dE + V² / 2g, so dE is chosen to make Ho = 0.28 × quotient.
UsbrInput with_quotient(double quotient, double from_feet = 1, double g = 32.2) {
  UsbrInput in;
  in.froude = 1;
  in.velocity = 2;
  in.discharge = 1;
  in.gravity = g;
  in.from_feet = from_feet;
  in.dE = 0.28 * quotient - 4 / (2 * g);
  return in;
}

TEST(UsbrBasin, WidthRoundsUpWithTiesToEven) {
  struct Case {
    double quotient;
    const char* width;
  } cases[] = {{8.0, "8.00"}, {8.001, "9.00"}, {9.0, "10.00"},  {9.4, "10.00"},
               {2.0, "4.00"}, {3.0, "4.00"},   {12.0, "12.00"}, {23.0, "24.00"}};
  for (const Case& c : cases)
    EXPECT_EQ(shown(design_usbr_basin(with_quotient(c.quotient)).width), c.width) << c.quotient;
}

TEST(UsbrBasin, TableRowByWidth) {
  struct Case {
    double width;
    double from_feet;
    int row_feet;
  } cases[] = {
      {4, 1, 4},       {4.5, 1, 5},     {12, 1, 12},         {17, 1, 17},     {19, 1, 19},
      {20, 1, 20},     {23, 1, 20},     {2, 0.3048, 7},      {3, 0.3048, 10}, {4, 0.3048, 14},
      {5, 0.3048, 17}, {6, 0.3048, 20}, {1.2192, 0.3048, 4},
  };
  for (const Case& c : cases)
    EXPECT_EQ(usbr_table_row(c.width, c.from_feet) + 4, c.row_feet) << c.width << " x " << c.from_feet;
  // The two places where the table breaks its pattern are kept as they are.
  EXPECT_DOUBLE_EQ(usbr_table_feet(17 - 4)[4], 21.5);  // L at 17 ft
  EXPECT_DOUBLE_EQ(usbr_table_feet(10 - 4)[6], 7.67);  // L2 at 10 ft
  EXPECT_DOUBLE_EQ(usbr_table_feet(13 - 4)[6], 10.0);  // L2 at 13 ft
}

TEST(UsbrBasin, ShownDimensionsByWidth) {
  struct Case {
    double quotient;
    double from_feet;
    const char* width;
    int dim;
    const char* value;
  } cases[] = {
      {12.0, 1, "12.00", 2, "2.00"},     // h3 of the 12 ft row
      {12.0, 1, "12.00", 3, "5.00"},     // h4
      {12.0, 1, "12.00", 4, "16.00"},    // L
      {16.5, 1, "17.00", 4, "21.50"},    // L at 17 ft
      {22.6, 1, "23.00", 0, "15.33"},    // beyond the table: the 20 ft row, W kept
      {2.0, 1, "4.00", 0, "3.08"},       // raised to the first row
      {0.5, 0.3048, "1.22", 0, "0.94"},  // metric minimum 4 ft in metres
      {3.6, 0.3048, "4.00", 0, "3.28"},  // 4 m: the 14 ft row, h1 in metres
  };
  for (const Case& c : cases) {
    const UsbrBasin b =
        design_usbr_basin(with_quotient(c.quotient, c.from_feet, c.from_feet == 1 ? 32.2 : 9.8146));
    EXPECT_EQ(shown(b.width), c.width) << c.quotient;
    // Only a width above the 20 ft row is marked as beyond the table.
    EXPECT_EQ(b.beyond_table, std::string(c.width) == "23.00") << c.quotient;
    EXPECT_EQ(shown(b.dims[c.dim]), c.value) << c.quotient << " dimension " << c.dim;
  }
}

TEST(UsbrBasin, ExitSearch) {
  // No step at all when dE is 0.01 or less: dB 0.01 and no velocity.
  UsbrInput shallow = circular(100, 20);
  shallow.dE = 0.01;
  UsbrBasin b = design_usbr_basin(shallow);
  EXPECT_EQ(shown(b.exit_depth), "0.01");
  EXPECT_FALSE(b.exit_velocity);
  EXPECT_FALSE(b.exit_found);

  // No step below dE meets the energy condition: dB is the first step not below dE, VB belongs to
  // the step before it.
  UsbrInput starved = circular(100, 20);
  starved.dE = 0.2;
  b = design_usbr_basin(starved);
  EXPECT_FALSE(b.exit_found);
  EXPECT_NEAR(b.exit_depth, 0.2, 1e-9);
  ASSERT_TRUE(b.exit_velocity);
  EXPECT_NEAR(*b.exit_velocity, (100 / b.width) / 0.19, 1e-9);

  // Found: the energy at dB meets He and the step before does not.
  b = design_usbr_basin(circular(100, 20));
  const double g = 32.2;
  auto energy = [&](double db) {
    const double vb = (100 / b.width) / db;
    return db + vb * vb / (2 * g);
  };
  EXPECT_LE(energy(b.exit_depth), b.He);
  EXPECT_GT(energy(b.exit_depth - 0.01), b.He);
}

}  // namespace
}  // namespace gw::outlet
