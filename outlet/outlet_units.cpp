// The unit constants of the outlet designs by unit system.
#include "outlet/outlet_units.h"

namespace gw::outlet {

OutletUnits outlet_units(std::string_view unit_system) {
  OutletUnits u;
  if (unit_system == "ENGLISH") return u;
  u.metric = true;
  u.to_feet = 3.2808;
  u.from_feet = 0.3048;
  u.dia_divisor = 1000;
  u.gravity = 9.8146;
  u.length = "m";
  return u;
}

}  // namespace gw::outlet
