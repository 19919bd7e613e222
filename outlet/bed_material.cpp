// The table of channel bed materials, their permissible velocity and the protection verdict.
#include "outlet/bed_material.h"

namespace gw::outlet {

const std::array<BedMaterial, 16>& bed_materials() {
  static const std::array<BedMaterial, 16> table = {{
      {"Boulders", "> 0.84", "> 256", -0.0358, 1.015, 13.809, false},
      {"Large Cobbles", "0.84 - 0.42", "256 - 128", -0.0421, 1.0109, 10.546, false},
      {"Small Cobbles", "0.42 - 0.21", "128 - 64", -0.0285, 0.7411, 6.6428, false},
      {"Very Coarse Gravel", "0.21 - 0.105", "64 - 32", -0.0122, 0.4791, 4.6472, false},
      {"Coarse Gravel", "0.105 - 0.0525", "32 - 16", -0.0052, 0.2889, 3.7558, false},
      {"Medium Gravel", "0.0525 - 0.0262", "16 - 8", -0.0018, 0.1678, 3.1108, false},
      {"Fine Gravel", "0.0262 - 0.0131", "8 - 4", -0.0008, 0.1425, 2.4553, false},
      {"Very Fine Gravel", "0.0131 - 0.00656", "4 - 2", -0.0036, 0.1437, 2.0342, false},
      {"Very Coarse Sand", "0.00656 - 0.00328", "2 - 1", -0.0036, 0.1437, 1.6342, false},
      {"Coarse Sand", "0.00328 - 0.00164", "1 - 0.5", -0.0068, 0.1676, 1.3022, false},
      {"Medium Sand", "0.00164 - 0.00082", "0.5 - 0.25", -0.0068, 0.1676, 1.0022, false},
      {"Fine Sand", "0.00082 - 0.00041", "0.25 - 0.125", -0.0074, 0.1769, 0.7737, false},
      {"Sandy Loam (Heavy)", " - ", " - ", 0, 0, 2.5, true},
      {"Sandy Loam (Light)", " - ", " - ", 0, 0, 3.0, true},
      {"Sandy Clay (Sand 60%)", "0.15", "4.0", 0, 0, 5.0, true},
      {kClayBed, "Various", "Various", 0, 0, 5.0, true},
  }};
  return table;
}

const BedMaterial* find_bed_material(std::string_view name) {
  for (const BedMaterial& m : bed_materials())
    if (name == m.name) return &m;
  return nullptr;
}

double permissible_velocity_fps(const BedMaterial& m, double depth_ft) {
  if (m.constant) return m.c;
  const double y = depth_ft;
  return y * y * m.a + y * m.b + m.c;
}

bool protection_required(double outlet_velocity, double permissible_velocity) {
  return !(permissible_velocity >= outlet_velocity);
}

}  // namespace gw::outlet
