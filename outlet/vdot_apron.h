// VDOT Drainage Manual riprap apron: lining class by outlet velocity and the apron's size.
#pragma once

namespace gw::outlet {

// One row of the lining table.
struct VdotLining {
  const char* text;     // what the lining field shows
  double thickness_ft;  // apron thickness in feet (0 where no apron)
  bool sized;           // true for the three riprap classes: the apron is sized
  bool not_required;    // true for the first row: the thickness field is emptied
};

// Takes the outlet velocity in ft/s. Gives the first row whose bound the velocity lies below:
// 3.01 "Lining Not Required”", 8.01 " Class A1 " (1.5 ft), 14.01 " Class I " (2.0 ft),
// 19.01 " Class II " (3.0 ft), otherwise "Special Design Reqd.".
VdotLining vdot_lining(double v_fps);

struct VdotApron {
  double length = 0;  // k x Do
  double width = 0;   // the larger of the length as shown and 2 Do + W0
};

// Takes the outlet area of all barrels in square feet, the outlet size do_ and the culvert
// width w0 (project length unit). k is 3 below 7.0 sq ft, else 5. The width test compares
// the length as shown with two decimals, as the window does.
VdotApron vdot_apron_size(double area_sqft, double do_, double w0);

}  // namespace gw::outlet
