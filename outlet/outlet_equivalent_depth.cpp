// Equivalent depth and Froude number of a culvert outlet.
#include "outlet/outlet_equivalent_depth.h"

#include <cmath>

#include "platform/error/error.h"

namespace gw::outlet {

bool is_box_culvert(std::string_view shape) { return shape == "Rectangulr" || shape == "Box"; }

OutletDepth equivalent_depth(bool box, double q, double v, double dn, double g) {
  OutletDepth r;
  if (box) {
    r.dE = dn;
  } else {
    if (!(v > 0)) throw Error("The outlet velocity must be greater than zero.");
    r.dE = std::pow((q / v) / 2.0, 0.5);
  }
  if (!(r.dE > 0) || !std::isfinite(r.dE)) throw Error("The equivalent depth must be greater than zero.");
  if (!(g > 0)) throw Error("Gravity must be greater than zero.");
  r.froude = v / std::pow(g * r.dE, 0.5);
  if (!std::isfinite(r.froude)) throw Error("The Froude number could not be computed.");
  return r;
}

}  // namespace gw::outlet
