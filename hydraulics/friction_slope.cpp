// The full-section Manning friction slope that SOLVE and the hydraulic grade line share.
#include "hydraulics/friction_slope.h"

#include "hydraulics/routine_frame.h"

namespace gw::hyd {

double full_section_friction_slope(double q, double n, double area, double radius, double manning_k) {
  using namespace detail;
  return checked_pow(checked_div(checked(n * q), checked(manning_k * area * checked_pow(radius, kTwoThirds))),
                     2);
}

}  // namespace gw::hyd
