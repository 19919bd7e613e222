// The constants of each unit system, pinned: every computation that depends on the unit
// system reads them from here, so a changed value shows here first.
#include "platform/units/units.h"

#include <gtest/gtest.h>

#include <string>

namespace gw {
namespace {

TEST(Units, ConstantsOfEachSystem) {
  struct Case {
    UnitSystem system;
    double manning_k;
    float manning_k_single;
    double size_divisor, rational_divisor;
    float inch_mm_factor;
    double to_feet, from_feet;
    double gravity, gravity_circular_box, gravity_elliptical_arch;
    const char* number_format;
    const char* solve_number_format;
    const char* length_name;
  };
  const Case cases[] = {
      {UnitSystem::english, 1.486, 1.486f, 12, 1, 1.0f, 1, 1, 32.2, 32.2, 32.16, "0.000", "#0.000", "ft"},
      {UnitSystem::metric, 1.0, 1.0f, 1000, 360, 25.4f, 3.2808, 0.3048, 9.8146, 9.8, 9.81, "0.0000",
       "#0.0000", "m"},
      // Not a system the designs see: it carries the metric constants.
      {UnitSystem::unknown, 1.0, 1.0f, 1000, 360, 25.4f, 3.2808, 0.3048, 9.8146, 9.8, 9.81, "0.0000",
       "#0.0000", "m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.system));
    const Units u = units_of(c.system);
    EXPECT_EQ(u.system, c.system);
    EXPECT_EQ(u.manning_k, c.manning_k);
    EXPECT_EQ(u.manning_k_single, c.manning_k_single);
    EXPECT_EQ(u.size_divisor, c.size_divisor);
    EXPECT_EQ(u.rational_divisor, c.rational_divisor);
    EXPECT_EQ(u.inch_mm_factor, c.inch_mm_factor);
    EXPECT_EQ(u.to_feet, c.to_feet);
    EXPECT_EQ(u.from_feet, c.from_feet);
    EXPECT_EQ(u.gravity, c.gravity);
    EXPECT_EQ(u.gravity_circular_box, c.gravity_circular_box);
    EXPECT_EQ(u.gravity_elliptical_arch, c.gravity_elliptical_arch);
    EXPECT_EQ(u.number_format, c.number_format);
    EXPECT_EQ(u.solve_number_format, c.solve_number_format);
    EXPECT_EQ(u.length_name, c.length_name);
    EXPECT_EQ(u.english(), c.system == UnitSystem::english);
    EXPECT_EQ(u.metric(), c.system == UnitSystem::metric);
  }
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
