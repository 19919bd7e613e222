// Tests of the bed materials, their permissible velocity and the protection verdict.
#include "outlet/bed_material.h"

#include <gtest/gtest.h>

#include <string>

namespace gw::outlet {
namespace {

TEST(BedMaterial, TheListInItsOrder) {
  const char* names[] = {
      "Boulders",           "Large Cobbles",      "Small Cobbles",         "Very Coarse Gravel",
      "Coarse Gravel",      "Medium Gravel",      "Fine Gravel",           "Very Fine Gravel",
      "Very Coarse Sand",   "Coarse Sand",        "Medium Sand",           "Fine Sand",
      "Sandy Loam (Heavy)", "Sandy Loam (Light)", "Sandy Clay (Sand 60%)", "Clay (PI 5-16)"};
  ASSERT_EQ(bed_materials().size(), std::size(names));
  for (std::size_t i = 0; i < std::size(names); ++i) EXPECT_STREQ(bed_materials()[i].name, names[i]);
  EXPECT_STREQ(kClayBed, bed_materials().back().name);
}

TEST(BedMaterial, LookupIsExact) {
  EXPECT_NE(find_bed_material("Fine Sand"), nullptr);
  EXPECT_EQ(find_bed_material("fine sand"), nullptr);
  EXPECT_EQ(find_bed_material("Fine Sand "), nullptr);
  EXPECT_EQ(find_bed_material(""), nullptr);
}

TEST(BedMaterial, PermissibleVelocityAndD50Texts) {
  struct Case {
    const char* name;
    double depth_ft;
    double velocity;
    const char* d50_english;
    const char* d50_metric;
  } cases[] = {
      {"Boulders", 2.0, 15.6958, "> 0.84", "> 256"},
      {"Boulders", 0.0, 13.809, "> 0.84", "> 256"},
      {"Fine Sand", 0.5 * 3.2808, 1.043974, "0.00082 - 0.00041", "0.25 - 0.125"},
      {"Very Fine Gravel", 1.0, -0.0036 + 0.1437 + 2.0342, "0.0131 - 0.00656", "4 - 2"},
      {"Very Coarse Sand", 1.0, -0.0036 + 0.1437 + 1.6342, "0.00656 - 0.00328", "2 - 1"},
      {"Medium Sand", 3.0, 9 * -0.0068 + 3 * 0.1676 + 1.0022, "0.00164 - 0.00082", "0.5 - 0.25"},
      // The loams and clays carry a constant, whatever the depth.
      {"Sandy Loam (Heavy)", 7.0, 2.5, " - ", " - "},
      {"Sandy Loam (Light)", 2.0, 3.0, " - ", " - "},
      {"Sandy Clay (Sand 60%)", 2.0, 5.0, "0.15", "4.0"},
      {"Clay (PI 5-16)", 2.0, 5.0, "Various", "Various"},
  };
  for (const Case& c : cases) {
    const BedMaterial* m = find_bed_material(c.name);
    ASSERT_NE(m, nullptr) << c.name;
    EXPECT_NEAR(permissible_velocity_fps(*m, c.depth_ft), c.velocity, 1e-4) << c.name;
    EXPECT_STREQ(m->d50_english, c.d50_english) << c.name;
    EXPECT_STREQ(m->d50_metric, c.d50_metric) << c.name;
  }
  // Metric: 1.0437 ft/s is 0.318 m/s.
  EXPECT_NEAR(permissible_velocity_fps(*find_bed_material("Fine Sand"), 0.5 * 3.2808) * 0.3048, 0.318, 5e-4);
}

TEST(ProtectionVerdict, RequiredOnlyAboveThePermissibleVelocity) {
  struct Case {
    double outlet, permissible;
    bool required;
  } cases[] = {
      {5.87, 5.87, false}, {5.88, 5.87, true}, {5.86, 5.87, false}, {0.01, 0.0, true}, {0, 0, false}};
  for (const Case& c : cases)
    EXPECT_EQ(protection_required(c.outlet, c.permissible), c.required)
        << c.outlet << " vs " << c.permissible;
  EXPECT_STREQ(kRequired, "REQUIRED!");
  EXPECT_STREQ(kNotRequired, "NOT REQUIRED!");
}

}  // namespace
}  // namespace gw::outlet
