// The constants of each unit system checked by how they relate and by what they compute: each
// conversion pair goes there and back, each constant is the same physical quantity in both
// systems, each gives its own worked value (so two constants written in each other's place,
// such as two gravities, fail here), and a project of unknown units computes as a metric one.
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

// Each constant through a value it computes, worked by hand: the velocity head V²/2g of each
// gravity (3 m/s, or 10 ft/s), Manning's full-flow velocity in a pipe of hydraulic radius 0.25
// (ft or m) at n 0.013 and slope 0.01, the rational discharge of C 0.5 on 2 acres at 4 in/hr
// or 2 hectares at 100 mm/hr, and an 18 in or 450 mm pipe in feet or metres.
TEST(Units, EachConstantGivesItsOwnWorkedValue) {
  struct Case {
    const char* what;
    double got, want, tolerance;
  };
  auto head = [](double v, double g) { return v * v / (2 * g); };
  auto manning = [](double k) { return k / 0.013 * std::pow(0.25, 2.0 / 3) * std::sqrt(0.01); };
  const Case cases[] = {
      {"English gravity", head(10, kEnglish.gravity), 1.552795, 5e-7},
      {"English circular and box gravity", head(10, kEnglish.gravity_circular_box), 1.552795, 5e-7},
      {"English elliptical and arch gravity", head(10, kEnglish.gravity_elliptical_arch), 1.554726, 5e-7},
      {"metric gravity", head(3, kMetric.gravity), 0.458501, 5e-7},
      {"metric circular and box gravity", head(3, kMetric.gravity_circular_box), 0.459184, 5e-7},
      {"metric elliptical and arch gravity", head(3, kMetric.gravity_elliptical_arch), 0.458716, 5e-7},
      {"English Manning k", manning(kEnglish.manning_k), 4.536304, 5e-7},
      {"metric Manning k", manning(kMetric.manning_k), 3.052694, 5e-7},
      {"English Manning k, single", manning(kEnglish.manning_k_single), 4.536304, 5e-6},
      {"metric Manning k, single", manning(kMetric.manning_k_single), 3.052694, 5e-7},
      {"English rational divisor", 0.5 * 4 * 2 / kEnglish.rational_divisor, 4.0, 0},
      {"metric rational divisor", 0.5 * 100 * 2 / kMetric.rational_divisor, 0.277778, 5e-7},
      {"English size divisor", 18 / kEnglish.size_divisor, 1.5, 0},
      {"metric size divisor", 450 / kMetric.size_divisor, 0.45, 1e-15},
      {"metric inch to mm", 18 * kMetric.inch_mm_factor, 457.2, 1e-4},
      {"English inch to mm", 18 * kEnglish.inch_mm_factor, 18, 0},
      {"metric to feet", 10 * kMetric.to_feet, 32.808, 1e-12},
      {"metric from feet", 10 * kMetric.from_feet, 3.048, 1e-12},
  };
  for (const Case& c : cases) EXPECT_NEAR(c.got, c.want, c.tolerance) << c.what;
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
