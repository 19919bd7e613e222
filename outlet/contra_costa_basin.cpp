// Contra Costa basin design: baffle and sill proportions from the L2/h2 ratio, exit by critical depth.
#include "outlet/contra_costa_basin.h"

#include "outlet/design_refusal.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"

namespace gw::outlet {

namespace {

using math::checked;
using math::checked_div;
using math::checked_pow;
using math::checked_sqrt;

void require_positive(double v, const char* what) {
  if (!(v > 0)) throw Error(what);
}

// Critical depth at the exit, on the 0.01 grid, one step above the first depth whose critical
// discharge reaches q (the test precedes the computation, the step follows it).
double exit_depth(double wb, double q, double g) {
  double yc = 0;
  double qc = 0;
  for (long step = 0; !(qc >= q); ++step) {
    if (step >= kContraCostaMaxSteps)
      throw Error("The exit depth search of the Contra Costa Basin found no depth.");
    const double area = checked(yc * checked(wb + yc));
    const double top = checked(wb + 2 * yc);
    qc = checked_sqrt(checked_div(checked(g * checked_pow(area, 3)), top));
    yc += kContraCostaDepthStep;
  }
  return yc;
}

}  // namespace

bool contra_costa_ratio_in_range(double ratio) { return !(ratio < 2.5 || ratio > 7); }

ContraCostaBasin design_contra_costa_basin(const ContraCostaInput& in) {
  if (in.froude > 3) throw DesignRefused(kContraCostaRefusal);
  require_positive(in.dE, "The equivalent depth must be greater than zero.");
  require_positive(in.width, "The culvert width must be greater than zero.");
  require_positive(in.discharge, "The discharge must be greater than zero.");
  require_positive(in.ratio, "The L2/h2 ratio must be greater than zero.");
  require_positive(in.gravity, "The acceleration of gravity must be greater than zero.");

  ContraCostaBasin b;
  const double p = in.ratio;
  b.basin_width = checked(in.width + in.width);
  b.h2 = checked(in.dE * checked_pow(checked_div(checked(1.35 * in.froude * in.froude), p), 0.546));
  b.h1 = 0.5 * b.h2;
  b.L2 = checked(p * b.h2);
  b.L1 = 0.5 * b.L2;
  b.L3 = checked(3.75 * b.L2 * checked_pow(checked_div(1, p), 0.68));
  b.LB = checked(b.L2 + b.L3);
  b.Y2 = checked(1.3 * b.h2 * checked_pow(p, 0.36));
  b.h3 = 0.1 * b.Y2;

  b.exit_depth = exit_depth(b.basin_width, in.discharge, in.gravity);
  const double top = checked(b.basin_width + 2 * b.exit_depth);
  const double area = checked(b.exit_depth * (b.basin_width + top) / 2);
  b.exit_velocity = checked_div(in.discharge, area);
  return b;
}

}  // namespace gw::outlet
