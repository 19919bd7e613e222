// The unit constants of the outlet designs, taken from the project's own unit system.
#pragma once

#include <string_view>

namespace gw::outlet {

// Constants of one unit system. The outlet designs read these rather than the program-wide
// values, which other windows and reports set again in their own way (a report may leave a
// rounded gravity behind), so a design always works with its project's constants.
struct OutletUnits {
  bool metric = false;
  double to_feet = 1;      // a length in the project's unit times it gives feet
  double from_feet = 1;    // a length in feet times it gives the project's unit
  double dia_divisor = 12; // pipe-size units (in, mm) per length unit (ft, m)
  double gravity = 32.2;   // ft/s² or m/s²
  const char* length = "ft";  // the length unit's name
};

// English constants for exactly "ENGLISH", metric ones for any other text (as the pipe table
// window sets them).
OutletUnits outlet_units(std::string_view unit_system);

}  // namespace gw::outlet
