// Equivalent depth and Froude number of a culvert outlet, shared by the three basin designs.
#pragma once

#include <string_view>

namespace gw::outlet {

struct OutletDepth {
  double dE = 0;      // equivalent depth (project length unit)
  double froude = 0;  // Froude number
};

// True when the culvert counts as a box: the shape text is exactly "Rectangulr" or "Box"
// (letter case counts, no trimming).
bool is_box_culvert(std::string_view shape);

// Takes whether the culvert is a box, the design discharge q, the outlet velocity v, the
// outlet flow depth dn and gravity g, all in the project's units.
// Gives dE = dn for a box, else ((q / v) / 2)^0.5 (the square root of half the flow area),
// and Fr = v / (g dE)^0.5.
// Assumes nothing: raises gw::Error when v is not above zero (not a box), when dE is not
// above zero, when g is not above zero, or when a result is not finite.
OutletDepth equivalent_depth(bool box, double q, double v, double dn, double g);

}  // namespace gw::outlet
