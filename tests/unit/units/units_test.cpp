// The constants of each unit system checked by how they relate: each conversion pair goes
// there and back, each constant is the same physical quantity in both systems, and a project
// of unknown units computes as a metric one. Two constants written in each other's place fail
// here.
#include "platform/units/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace gw {
namespace {

constexpr Units kEnglish = units_of(UnitSystem::english);
constexpr Units kMetric = units_of(UnitSystem::metric);

TEST(Units, FeetConversionsRoundTripWithinThePrecisionOfTheirConstants) {
  EXPECT_EQ(kEnglish.to_feet, 1);
  EXPECT_EQ(kEnglish.from_feet, 1);
  // 0.3048 m per foot is exact: twelve inches of 25.4 mm.
  EXPECT_DOUBLE_EQ(kMetric.from_feet, 12 * kMillimetresPerInch / 1000);
  // 3.2808 is 1 / 0.3048 to five significant digits, so it is within half a unit of its last
  // digit of the exact inverse, and a length goes to feet and back within 1.3e-5 of itself
  // (the product of the pair is 0.99998784).
  EXPECT_LE(std::abs(kMetric.to_feet - 1 / kMetric.from_feet), 0.00005);
  for (double metres : {0.3048, 1.0, 2.5, 1000.0}) {
    const double back = metres * kMetric.to_feet * kMetric.from_feet;
    EXPECT_NEAR(back, metres, 1.3e-5 * metres) << metres;
    EXPECT_NE(back, metres) << "the pair is rounded; a test that finds it exact is wrong";
  }
}

TEST(Units, SizesAreInInchesPerFootOrMillimetresPerMetre) {
  EXPECT_EQ(kEnglish.size_divisor, 12);
  EXPECT_EQ(kMetric.size_divisor, 1000);
  // Where sizes are millimetres a size in inches is that many millimetres over 25.4.
  EXPECT_EQ(kEnglish.inch_mm_factor, 1.0f);
  EXPECT_EQ(kMetric.inch_mm_factor, static_cast<float>(kMillimetresPerInch));
  EXPECT_EQ(kEnglish.length_name, "ft");
  EXPECT_EQ(kMetric.length_name, "m");
}

TEST(Units, EachConstantIsTheSameQuantityInBothSystems) {
  // Manning's k is the cube root of feet per metre: 1.486 in English units, 1 in metric ones.
  EXPECT_NEAR(kEnglish.manning_k, std::cbrt(1 / kMetric.from_feet), 0.0001);
  EXPECT_EQ(kMetric.manning_k, 1.0);
  for (const Units& u : {kEnglish, kMetric}) EXPECT_EQ(u.manning_k_single, static_cast<float>(u.manning_k));
  // C A i: an acre inch per hour is 1.008 cfs, taken as 1; a hectare millimetre per hour is
  // 10 m³ per 3600 s, exactly 1/360 cms.
  EXPECT_NEAR(43560.0 / 12 / 3600 / kEnglish.rational_divisor, 1, 0.01);
  EXPECT_EQ(kMetric.rational_divisor, 3600 / 10.0);
  // Every gravity is standard gravity (9.80665 m/s², 32.174 ft/s²) to within 0.1 %, each
  // rounded as the computation that reads it always has.
  const double standard_metres = 9.80665;
  for (const Units& u : {kEnglish, kMetric}) {
    const double standard = u.english() ? standard_metres / kMetric.from_feet : standard_metres;
    for (double g : {u.gravity, u.gravity_circular_box, u.gravity_elliptical_arch})
      EXPECT_NEAR(g / standard, 1, 0.001) << g;
  }
}

TEST(Units, ComputedValuesShowOneDecimalMoreInMetricUnits) {
  EXPECT_EQ(kEnglish.number_format, "0.000");
  EXPECT_EQ(kMetric.number_format, "0.0000");
  // SOLVE leaves the same number of decimals with a leading "#".
  for (const Units& u : {kEnglish, kMetric})
    EXPECT_EQ(u.solve_number_format, "#" + std::string(u.number_format)) << u.length_name;
}

TEST(Units, EachSystemAnswersOnlyForItself) {
  EXPECT_TRUE(kEnglish.english());
  EXPECT_FALSE(kEnglish.metric());
  EXPECT_TRUE(kMetric.metric());
  EXPECT_FALSE(kMetric.english());
  // Not a system the designs see: it carries the metric constants but answers to neither.
  const Units unknown = units_of(UnitSystem::unknown);
  EXPECT_EQ(unknown.system, UnitSystem::unknown);
  EXPECT_FALSE(unknown.english());
  EXPECT_FALSE(unknown.metric());
  EXPECT_EQ(unknown.manning_k, kMetric.manning_k);
  EXPECT_EQ(unknown.manning_k_single, kMetric.manning_k_single);
  EXPECT_EQ(unknown.size_divisor, kMetric.size_divisor);
  EXPECT_EQ(unknown.rational_divisor, kMetric.rational_divisor);
  EXPECT_EQ(unknown.inch_mm_factor, kMetric.inch_mm_factor);
  EXPECT_EQ(unknown.to_feet, kMetric.to_feet);
  EXPECT_EQ(unknown.from_feet, kMetric.from_feet);
  EXPECT_EQ(unknown.gravity, kMetric.gravity);
  EXPECT_EQ(unknown.gravity_circular_box, kMetric.gravity_circular_box);
  EXPECT_EQ(unknown.gravity_elliptical_arch, kMetric.gravity_elliptical_arch);
  EXPECT_EQ(unknown.number_format, kMetric.number_format);
  EXPECT_EQ(unknown.solve_number_format, kMetric.solve_number_format);
  EXPECT_EQ(unknown.length_name, kMetric.length_name);
}

TEST(Units, OnlyTheExactStoredTextsNameASystem) {
  struct Case {
    const char* text;
    UnitSystem want;
  };
  const Case cases[] = {
      {"ENGLISH", UnitSystem::english},  {"METRIC", UnitSystem::metric}, {"English", UnitSystem::unknown},
      {"metric", UnitSystem::unknown},   {"", UnitSystem::unknown},      {"ENGLISH ", UnitSystem::unknown},
      {"IMPERIAL", UnitSystem::unknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unit_system_named(c.text), c.want) << '"' << c.text << '"';
    EXPECT_EQ(units_of(std::string(c.text)).system, c.want) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace gw
