// Circular segment geometry and the stepped depth searches of a circular pipe.
#include "hydraulics/circular_section.h"

#include <algorithm>
#include <cmath>

#include "hydraulics/routine_frame.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"

namespace gw::hyd {

using namespace detail;

Segment circular_segment(double y, double diameter) {
  double x = 2 * y / diameter - 1;
  x = std::min(x, 1.0);
  double phi = 0;
  double sin2a = 0;
  if (x == 0) {
    phi = kPi / 2;
  } else {
    const double a = std::atan(checked_div(gw::math::checked_sqrt(1 - checked_pow(x, 2)), x));
    phi = x > 0 ? kPi - a : -a;
    sin2a = std::sin(2 * a);
  }
  const double f = (sin2a / 2 + phi) / 4;
  return {phi, f, checked(checked_pow(diameter, 2) * f), checked(phi * diameter)};
}

namespace {

// Where the Manning discharge of the circle is safely rising and safely falling, as fractions
// of the diameter: it peaks at about 0.938 D.
constexpr double kRisingUpTo = 0.93;
constexpr double kFallingFrom = 0.95;

struct NormalStep {
  double y;
  Segment seg;
  double radius;
  double q;
};

}  // namespace

CircularFlowDepth circular_flow_depth(const TrialDepths& depths, double diameter, double q,
                                      double conveyance) {
  auto step = [&](long k) {
    const double y = depths.at(k);
    const Segment seg = circular_segment(y, diameter);
    const double r = checked_div(seg.area, seg.wetted_perimeter);
    return NormalStep{y, seg, r, checked(conveyance * seg.area * checked_pow(r, kTwoThirds))};
  };
  // A step that fails counts as reached: the stepped search fails there if it gets there, and
  // a failure (an overflow) comes only at the high end of the rising part.
  auto reached = [&](long k) {
    try {
      return q - step(k).q <= kSearchTol;
    } catch (const Error&) {
      return true;
    }
  };

  const long last = depths.last();
  const long rising_end = std::min(last - 1, depths.first_above(kRisingUpTo * diameter) - 1);
  const long peak_end = std::min(last - 1, depths.first_above(kFallingFrom * diameter) - 1);
  long k = first_reached(1, rising_end, reached);
  if (k > rising_end) {
    k = rising_end + 1;
    while (k <= peak_end && !reached(k)) ++k;
    // Beyond the peak the discharge only falls: if the first falling step does not reach q,
    // none does, and the search runs on to its last depth.
    if (k > peak_end && !(k < last && reached(k))) k = last;
  }
  const NormalStep s = step(k);
  return {k == last ? diameter : s.y, s.y, s.seg.area, s.seg.wetted_perimeter, s.radius};
}

double circular_critical_depth(const TrialDepths& depths, double diameter, double q, double gravity) {
  auto critical_q = [&](double y) {
    const Segment seg = circular_segment(y, diameter);
    const double top_width = checked(diameter * std::sin(seg.half_angle));
    return checked(seg.area * checked_pow(checked_div(checked(gravity * seg.area), top_width), 0.5));
  };
  auto reached = [&](long k) {
    try {
      return q - critical_q(depths.at(k)) <= kSearchTol;
    } catch (const Error&) {
      return true;
    }
  };
  const long last = depths.last();
  const long k = first_reached(1, last - 1, reached);
  const double y = depths.at(k);
  critical_q(y);  // the stepped search computes this step too, and fails where it fails
  return k == last ? diameter : y;
}

}  // namespace gw::hyd
