// Tests of the outfall window's derivation: the 2-year velocity, the bed's permissible velocity,
// whether the verdict stands, and the scour hole of the current inputs.
#include "outlet/outfall_derivation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "outlet/bed_material.h"

namespace gw::outlet {
namespace {

// An English outfall through a circular pipe: 18 in, S 0.01, n 0.013, Fine Sand.
OutfallInputs english(const char* dia = "18") {
  OutfallInputs in;
  in.shape = "Circular";
  in.dia_rise = dia;
  in.slope = "0.01";
  in.manning_n = 0.013;
  in.depth = "0.6";
  in.bed = "Fine Sand";
  in.d16 = "0.01";
  in.d84 = "0.1";
  in.plasticity_index = "5.0";
  return in;
}

OutfallInputs steep() {
  OutfallInputs in = english();
  in.slope = "0.015";
  return in;
}

OutfallInputs metric() {
  OutfallInputs in = english("450");
  in.english = false;
  in.to_feet = 3.2808;
  in.from_feet = 0.3048;
  in.gravity = 9.8146;
  in.size_divisor = 1000;
  in.manning_k = 1.0;
  in.velocity_unit = "m/sec";
  return in;
}

TEST(OutfallDerivation, TwoYearVelocityOfOneBarrel) {
  struct Case {
    const char* what;
    OutfallInputs in;
    std::optional<double> q;
    const char* text;
    const char* velocity;
    bool failed;
  } cases[] = {
      // Normal depth 0.729 ft, A 0.852 ft².
      {"18 in at 5 cfs", english(), 5, "5.00", "5.87", false},
      {"18 in at 20 cfs, above its capacity: practically full", english(), 20, "20.00", "11.32", false},
      {"no discharge", english(), 0, "0.00", "0.00", false},
      // A discharge the field shows rounded is taken whole: 4.81356 cfs in the 18 in barrel of
      // S 0.015 is 6.75 ft/s, where the 4.814 shown gives 6.76.
      {"whole behind a rounded text", steep(), 4.8135629734, "4.814", "6.75", false},
      {"rounded text alone", steep(), 4.814, "4.814", "6.76", false},
      {"no number in the field", english(), std::nullopt, ".", "", true},
      {"no discharge typed yet", english(), std::nullopt, "", "", true},
  };
  for (Case& c : cases) {
    c.in.two_year_discharge = c.q;
    c.in.two_year_text = c.text;
    const OutfallDerived d = derive_outfall_values(c.in);
    EXPECT_EQ(d.velocity2, c.velocity) << c.what;
    EXPECT_EQ(d.velocity_failed, c.failed) << c.what;
  }
  // Without an outlet pipe nothing is derived and nothing failed.
  OutfallInputs none;
  none.two_year_discharge = 5;
  const OutfallDerived d = derive_outfall_values(none);
  EXPECT_EQ(d.velocity2, "");
  EXPECT_FALSE(d.velocity_failed);
}

TEST(OutfallDerivation, PermissibleVelocityOfTheBed) {
  struct Case {
    const char* what;
    OutfallInputs in;
    const char* bed;
    const char* depth;
    const char* d50;
    const char* velocity;
    const char* failure;
  } cases[] = {
      // -0.0358 x 4 + 1.015 x 2 + 13.809 = 15.696.
      {"boulders at 2 ft", english(), "Boulders", "2", "> 0.84", "15.70", ""},
      // y = 0.5 x 3.2808 = 1.640 ft; (-0.0074 y² + 0.1769 y + 0.7737) x 0.3048 = 0.318 m/s.
      {"fine sand at 0.5 m", metric(), "Fine Sand", "0.5", "0.25 - 0.125", "0.32", ""},
      {"a loam needs no depth", english(), "Sandy Loam (Light)", "", " - ", "3.00", ""},
      {"metric loam", metric(), "Sandy Loam (Light)", "", " - ", "0.91", ""},
      {"a depth-dependent bed without a depth", english(), "Boulders", "", "> 0.84", "",
       "The permissible velocity of Boulders needs the Depth of flow at Outlet, which is empty."},
      {"a bed of no list entry", english(), "Silt", "1", "", "",
       "The Natural Channel Bed Material \"Silt\" is none of the list: its Non-Scour Velocity is not known. "
       "Choose the bed material."},
  };
  for (Case& c : cases) {
    c.in.bed = c.bed;
    c.in.depth = c.depth;
    const OutfallDerived d = derive_outfall_values(c.in);
    EXPECT_EQ(d.d50_bed, c.d50) << c.what;
    EXPECT_EQ(d.permissible_velocity, c.velocity) << c.what;
    EXPECT_EQ(d.bed_failure, c.failure) << c.what;
  }
}

TEST(OutfallDerivation, AVerdictBelongsToTheVelocitiesBesideIt) {
  // 5 cfs through the 18 in barrel gives 5.87 ft/s; fine sand at 0.6 ft bears 0.88 ft/s.
  using Basis = std::optional<std::array<std::string, 2>>;
  struct Case {
    const char* what;
    const char* verdict;
    Basis basis;
    const char* shape;
    VerdictCheck check;
  } cases[] = {
      {"reached here with these velocities", kRequired, Basis{{"5.87", "0.88"}}, "Circular",
       VerdictCheck::stands},
      {"reached with another 2-year velocity", kRequired, Basis{{"5.94", "0.88"}}, "Circular",
       VerdictCheck::velocity_changed},
      {"reached with another permissible velocity", kRequired, Basis{{"5.87", "3.00"}}, "Circular",
       VerdictCheck::velocity_changed},
      {"stored, and it follows", kRequired, std::nullopt, "Circular", VerdictCheck::stands},
      {"stored, and it does not follow", kNotRequired, std::nullopt, "Circular",
       VerdictCheck::does_not_follow},
      {"stored beside no outlet pipe: left as stored", kNotRequired, std::nullopt, "", VerdictCheck::stands},
      {"no verdict", "", std::nullopt, "Circular", VerdictCheck::stands},
  };
  for (const Case& c : cases) {
    OutfallInputs in = english();
    in.shape = c.shape;
    in.two_year_discharge = 5;
    in.two_year_text = "5.00";
    in.verdict = c.verdict;
    in.verdict_basis = c.basis;
    EXPECT_EQ(derive_outfall_values(in).verdict, c.check) << c.what;
  }
  // The velocities unknown: the verdict cannot stand beside them, and the reason says which.
  OutfallInputs in = english();
  in.verdict = kRequired;
  in.two_year_text = ".";
  OutfallDerived d = derive_outfall_values(in);
  EXPECT_EQ(d.verdict, VerdictCheck::velocity_unknown);
  EXPECT_EQ(d.verdict_reason, "the 2-Yr Outlet Velocity is not known");
  in.two_year_discharge = 5;
  in.bed = "Silt";
  d = derive_outfall_values(in);
  EXPECT_EQ(d.verdict, VerdictCheck::permissible_unknown);
  in.bed = "Fine Sand";
  in.verdict = kNotRequired;
  EXPECT_EQ(
      derive_outfall_values(in).verdict_reason,
      "it does not follow from the 2-Yr Outlet Velocity 5.87 ft/sec and the Non-Scour Velocity for Soil "
      "Type 0.88 ft/sec");
}

// The outlet pipe of a fixture outfall, sized.
OutfallInputs sized(double q, const char* area, const char* radius) {
  OutfallInputs in = english();
  in.design_discharge = q;
  in.area = area;
  in.hydraulic_radius = radius;
  in.hole_sized = true;
  return in;
}

TEST(OutfallDerivation, TheScourHoleOfTheCurrentInputs) {
  const std::string beyond_double(310, '9');
  struct Case {
    const char* what;
    OutfallInputs in;
    const char* bed;
    std::string d16, d84, pi;
    std::array<const char*, 4> hole;
    const char* failure;
  } cases[] = {
      // Q 20 cfs, A 1.767 ft², Rc 0.375 ft: sigma 10, X = 20 / (1.767 (32.2 x 0.375)^0.5) = 3.257.
      {"cohesionless, worked example",
       sized(20, "1.767", "0.375"),
       "Fine Sand",
       "0.01",
       "0.1",
       "5.0",
       {"0.54", "1.87", "4.10", "1.64"},
       ""},
      // shear = 0.042 tan 47.3° = 0.0455, Y = (20 / 1.767) x 1.94 / 0.0455 = 482.4.
      {"clay PI 10, worked example",
       sized(20, "1.767", "0.375"),
       kClayBed,
       "0.01",
       "0.1",
       "10",
       {"0.77", "3.23", "6.57", "2.63"},
       ""},
      // Outfall 104 of the fixture (pipe 10: 4.231 cfs, 0.680 ft², Rc 0.315 ft) and outfall 103
      // (pipe 1: 2.448 cfs, 0.542 ft², Rc 0.278 ft): each outfall's own hole.
      {"outfall 104, fine sand",
       sized(4.231, "0.680", "0.315"),
       "Fine Sand",
       "0.01",
       "0.1",
       "5.0",
       {"0.37", "1.20", "2.71", "1.08"},
       ""},
      {"outfall 103, fine sand",
       sized(2.448, "0.542", "0.278"),
       "Fine Sand",
       "0.01",
       "0.1",
       "5.0",
       {"0.30", "0.92", "2.12", "0.85"},
       ""},
      {"outfall 104, clay PI 5",
       sized(4.231, "0.680", "0.315"),
       kClayBed,
       "0.01",
       "0.1",
       "5.0",
       {"0.62", "2.58", "5.01", "2.00"},
       ""},
      {"D16 not below D84",
       sized(20, "1.767", "0.375"),
       "Fine Sand",
       "0.1",
       "0.1",
       "5.0",
       {"", "", "", ""},
       "D84 should be > D16"},
      {"an empty grain size",
       sized(20, "1.767", "0.375"),
       "Fine Sand",
       "",
       "0.1",
       "5.0",
       {"", "", "", ""},
       "The (D16) Size is empty."},
      {"a lone point for an index",
       sized(20, "1.767", "0.375"),
       kClayBed,
       "0.01",
       "0.1",
       ".",
       {"", "", "", ""},
       "The Plasticity Index (PI) \".\" is not a number."},
      {"an index beyond the largest double",
       sized(20, "1.767", "0.375"),
       kClayBed,
       "0.01",
       "0.1",
       beyond_double,
       {"", "", "", ""},
       nullptr},
      {"no outlet area",
       sized(20, "", "0.375"),
       "Fine Sand",
       "0.01",
       "0.1",
       "5.0",
       {"", "", "", ""},
       "The Area is empty."},
  };
  for (Case& c : cases) {
    c.in.bed = c.bed;
    c.in.d16 = c.d16;
    c.in.d84 = c.d84;
    c.in.plasticity_index = c.pi;
    const OutfallDerived d = derive_outfall_values(c.in);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(d.hole[static_cast<size_t>(i)], c.hole[static_cast<size_t>(i)]) << c.what;
    if (c.failure) {
      EXPECT_EQ(d.hole_failure, c.failure) << c.what;
    }
    EXPECT_EQ(d.hole_values.has_value(), std::string(c.hole[0]) != "") << c.what;
  }
  // Not sized: no hole, whatever the inputs.
  OutfallInputs unsized = sized(20, "1.767", "0.375");
  unsized.hole_sized = false;
  const OutfallDerived d = derive_outfall_values(unsized);
  EXPECT_EQ(d.hole[0], "");
  EXPECT_EQ(d.hole_failure, "");
}

}  // namespace
}  // namespace gw::outlet
