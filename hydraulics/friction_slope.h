// The full-section Manning friction slope that SOLVE and the hydraulic grade line share.
#pragma once

namespace gw::hyd {

// Takes the discharge of one barrel Q (cfs or cms), Manning's n, the full-section flow area
// A_f (sq ft or sq m) and hydraulic radius R_f (ft or m) of the barrel and Manning's unit
// constant k (1.486 English, 1.0 metric). Gives Sf = (n Q / (k A_f R_f^(2/3)))^2, the slope
// at which the full section carries Q, so that Sf equals the pipe slope when Q is the full-flow
// capacity. Raises gw::Error where the result is not a finite number (a zero area or radius,
// an overflow) instead of giving inf or nan.
double full_section_friction_slope(double q, double n, double area, double radius, double manning_k);

}  // namespace gw::hyd
