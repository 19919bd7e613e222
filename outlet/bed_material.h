// Natural channel bed materials with their permissible (non-scour) velocity, and the verdict on
// outlet protection.
#pragma once

#include <array>
#include <string_view>

namespace gw::outlet {

// One bed material: its list text, its D50 range as shown (ft / mm), and the permissible
// velocity v = a y² + b y + c in ft/s at flow depth y in ft, or the constant c when `constant`.
struct BedMaterial {
  const char* name;
  const char* d50_english;
  const char* d50_metric;
  double a;
  double b;
  double c;
  bool constant;
};

// The sixteen materials in the order of the bed material list; "Boulders" first.
const std::array<BedMaterial, 16>& bed_materials();

// The material whose list text equals `name` exactly (case-sensitive), or nullptr.
const BedMaterial* find_bed_material(std::string_view name);

// The list text of the clay bed, sized by its plasticity index rather than its grain sizes.
inline constexpr const char* kClayBed = "Clay (PI 5-16)";

// Permissible velocity of the material at flow depth `depth_ft` (feet), in ft/s:
// y² a + y b + c, summed in that order, or the constant.
double permissible_velocity_fps(const BedMaterial& m, double depth_ft);

// Protection verdicts.
inline constexpr const char* kRequired = "REQUIRED!";
inline constexpr const char* kNotRequired = "NOT REQUIRED!";

// Outlet protection is needed when the 2-year outlet velocity exceeds the permissible velocity;
// equal velocities need none.
bool protection_required(double outlet_velocity, double permissible_velocity);

}  // namespace gw::outlet
