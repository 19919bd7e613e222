// The normal- and critical-depth searches of a box barrel.
#pragma once

#include "hydraulics/trial_depths.h"

namespace gw::hyd {

// The normal depth of a box barrel, and the trial depth the search stopped at (past 0.9999 H
// when it ran out; the depth is then H).
struct BoxFlowDepth {
  double depth;
  double trial_depth;
};

// Normal depth of a box of span B and rise H: steps y through `depths` (steps of 0.0001 up to
// the first depth above 0.9999 H) and stops at the first y whose Manning discharge
// Q_y = conveyance A R^(2/3), A = B y, R = A / (2 y + B), comes within 0.001 of q or exceeds
// it; gives H when the last depth is reached first. conveyance is (k / n) S^0.5. Q_y rises
// with y, so the search bisects; depth and failure (gw::Error) are those of the stepped search.
BoxFlowDepth box_flow_depth(const TrialDepths& depths, double span, double rise, double q, double conveyance);

// Critical depth: steps y through the same depths and stops at the first y whose critical
// discharge Q_c = B y (g y)^0.5 is less than 0.001 short of q, or at the first depth above
// 0.999 H, which it gives as it is (not H).
double box_critical_depth(const TrialDepths& depths, double span, double rise, double q, double gravity);

}  // namespace gw::hyd
