// Time-of-concentration formulas of the flow segments, with checked arithmetic.
#include "design/tc_methods.h"

#include "platform/math/checked.h"

namespace gw::design::tc {

using math::checked;
using math::checked_div;
using math::checked_pow;
using math::checked_sqrt;

Reach check_reach(double distance, double upper, double lower) {
  if (distance == 0) return Reach::ZeroDistance;
  if (!(upper > lower)) return Reach::NotFalling;
  return Reach::Ok;
}

double reach_slope(double distance, double upper, double lower) {
  return checked_div(checked(upper - lower), distance);
}

double shallow_flow_tc(double distance, double slope_percent, double intercept, bool english) {
  const double c = english ? 196.848 : 60.0;
  return checked_div(distance, checked(c * intercept * checked_sqrt(slope_percent)));
}

double manning_velocity(double manning_k, double n, double radius, double slope) {
  return checked(checked_div(manning_k, n) * checked_pow(radius, 2.0 / 3.0) * checked_pow(slope, 0.5));
}

double travel_time(double distance, double velocity) {
  return checked_div(checked_div(distance, velocity), 60.0);
}

double seelye_tc(double distance, double slope, double rational_c, bool english) {
  const double a = english ? 0.225 : 0.37056;
  return checked(a * checked_pow(distance, 0.42) * checked_pow(slope, -0.19) * checked_pow(rational_c, -1.0));
}

double kirpich_tc(double height, double length, double factor, bool english) {
  const double b = english ? 0.00948 : 0.02311;
  return checked(b * checked_pow(height, -0.38) * checked_pow(length, 1.13) * factor);
}

}  // namespace gw::design::tc
