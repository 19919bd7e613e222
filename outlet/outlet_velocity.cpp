// Normal-depth searches of one outlet barrel per shape, and the outlet velocity from them.
#include "outlet/outlet_velocity.h"

#include <algorithm>
#include <cmath>

#include "hydraulics/box_section.h"
#include "hydraulics/circular_section.h"
#include "hydraulics/section_fits.h"
#include "hydraulics/trial_depths.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/math/pi.h"

namespace gw::outlet {

namespace {

using math::checked;
using math::checked_div;
using math::checked_pow;
using math::checked_sqrt;

constexpr double kFineStep = 0.0001;
constexpr double kCoarseStep = 0.01;

void count_step(long& steps) {
  if (++steps > hyd::kMaxSearchSteps)
    throw Error("The outlet depth search needs more than the allowed number of steps");
}

// S^0.5 (k / n): the Manning factor of the barrel.
double manning_factor(const OutletBarrel& b) {
  return checked(checked_sqrt(b.slope) * checked_div(b.manning_k, b.manning_n));
}

// The circular and box barrels take the normal-depth searches of the pipe hydraulics: the same
// trial depths, segment geometry and stopping rule.
OutletFlow circular_flow(const OutletBarrel& b, double q) {
  const double factor = manning_factor(b);
  const hyd::TrialDepths depths(kFineStep, 0.9999 * b.rise);
  const hyd::CircularFlowDepth found = hyd::circular_flow_depth(depths, b.rise, q, factor);
  OutletFlow f;
  f.depth = found.trial_depth;
  f.area = found.area;
  return f;
}

OutletFlow box_flow(const OutletBarrel& b, double q) {
  const double factor = manning_factor(b);
  const hyd::TrialDepths depths(kFineStep, 0.9999 * b.rise);
  OutletFlow f;
  f.depth = hyd::box_flow_depth(depths, b.span, b.rise, q, factor).trial_depth;
  f.area = checked(b.span * f.depth);
  return f;
}

// The stepped search of the elliptical and arch sections, from their full-section area and
// hydraulic radius. Both take the pipe arch's partial-section fit: the outlet velocity has always
// used the arch's polynomials for elliptical barrels too (the pipe hydraulics give an elliptical
// pipe its own), and its results are kept as they are.
OutletFlow fitted_flow(const OutletBarrel& b, double q, double full_area, double full_radius) {
  const double factor = manning_factor(b);
  OutletFlow f;
  double y = kCoarseStep;
  long steps = 0;
  for (;;) {
    count_step(steps);
    const double r = std::min(checked_div(y, b.rise), 1.0);
    const double area = std::max(checked(full_area * hyd::kArchFit.area(r)), 0.0);
    const double radius = std::max(checked(full_radius * hyd::kArchFit.radius(r)), 0.0);
    const double qc = checked(area * (factor * checked_pow(radius, 2.0 / 3.0)));
    f.depth = y;
    f.area = area;
    if (qc >= q) break;
    if (r >= 1) {
      // Past the crown the fits give no more capacity: the barrel flows full.
      f.area = full_area;
      f.full = true;
      break;
    }
    y += kCoarseStep;
  }
  return f;
}

OutletFlow elliptical_flow(const OutletBarrel& b, double q) {
  const double full_area = checked(b.span * kPi * b.rise / 4);
  const double full_radius = checked_div(b.rise * b.span, 2 * (b.rise + b.span));
  const double capacity = checked(manning_factor(b) * full_area * checked_pow(full_radius, 2.0 / 3.0));
  if (q > capacity) {
    OutletFlow f;
    f.depth = b.rise;
    f.area = full_area;
    f.full = true;
    return f;
  }
  return fitted_flow(b, q, full_area, full_radius);
}

OutletFlow arch_flow(const OutletBarrel& b, double q) {
  const hyd::ArchFullSection full = hyd::arch_full_section(checked(b.rise * b.span));
  return fitted_flow(b, q, full.area, full.radius);
}

}  // namespace

OutletFlow outlet_normal_flow(const OutletBarrel& barrel, double q) {
  switch (barrel.shape) {
    case OutletShape::circular:
      return circular_flow(barrel, q);
    case OutletShape::box:
      return box_flow(barrel, q);
    case OutletShape::elliptical:
      return elliptical_flow(barrel, q);
    case OutletShape::arch:
      break;
  }
  return arch_flow(barrel, q);
}

double outlet_velocity(const OutletBarrel& barrel, double q) {
  return checked_div(q, outlet_normal_flow(barrel, q).area);
}

}  // namespace gw::outlet
