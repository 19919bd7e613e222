// The stepped depth searches of a box barrel.
#include "hydraulics/box_section.h"

#include <algorithm>

#include "hydraulics/routine_frame.h"
#include "platform/error/error.h"

namespace gw::hyd {

using namespace detail;

BoxFlowDepth box_flow_depth(const TrialDepths& depths, double span, double rise, double q,
                            double conveyance) {
  auto manning_q = [&](double y) {
    const double area = checked(span * y);
    const double radius = checked_div(area, checked(2 * y + span));
    return checked(conveyance * area * checked_pow(radius, kTwoThirds));
  };
  auto reached = [&](long k) {
    try {
      return q - manning_q(depths.at(k)) <= kSearchTol;
    } catch (const Error&) {
      return true;
    }
  };
  const long last = depths.last();
  const long k = first_reached(1, last - 1, reached);
  const double y = depths.at(k);
  manning_q(y);
  return {k == last ? rise : y, y};
}

double box_critical_depth(const TrialDepths& depths, double span, double rise, double q, double gravity) {
  auto critical_q = [&](double y) {
    return checked(checked(span * y) * checked_pow(checked(gravity * y), 0.5));
  };
  auto reached = [&](long k) {
    try {
      return q - critical_q(depths.at(k)) < kSearchTol;
    } catch (const Error&) {
      return true;
    }
  };
  const long last = depths.first_above(0.999 * rise);
  const long k = first_reached(1, last - 1, reached);
  const double y = depths.at(k);
  critical_q(y);
  // The first trial depth above 0.999 H passes the rise itself when H is below 100 steps.
  return std::min(y, rise);
}

}  // namespace gw::hyd
