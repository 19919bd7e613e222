// Circular segment geometry and the normal- and critical-depth searches of a circular pipe.
#pragma once

#include "hydraulics/trial_depths.h"

namespace gw::hyd {

// The part of a circle of diameter D below depth y (0 < y, D > 0, one length unit):
//   x = 2 y / D - 1, a = arctan(sqrt(1 - x^2) / x),
//   half central angle phi = pi - a for x > 0, -a for x < 0 (= arccos(1 - 2 y / D)),
//   and phi = pi / 2 with sin(2a) = 0 at x = 0 exactly,
//   area factor f = (sin(2a) / 2 + phi) / 4, area A = D^2 f, wetted perimeter WP = phi D.
// A depth beyond the crown (x > 1, as the last trial depth of a search can be) is taken as the
// full circle. Throws gw::Error on overflow.
struct Segment {
  double half_angle;
  double area_factor;
  double area;
  double wetted_perimeter;
};
Segment circular_segment(double y, double diameter);

// The normal depth of a circular barrel and the flow geometry at its last trial depth.
struct CircularFlowDepth {
  double depth;
  double trial_depth;  // the trial depth the search stopped at (past 0.9999 D when it ran out)
  double area;
  double wetted_perimeter;
  double hydraulic_radius;
};

// Normal depth: steps y through `depths` (steps of 0.0001 up to the first depth above
// 0.9999 D) and stops at the first y whose Manning discharge Q_y = conveyance A R^(2/3),
// R = A / WP, comes within 0.001 of q or exceeds it; conveyance is (k / n) S^0.5. When the
// last depth is reached first, the depth is D, while area, wetted perimeter and radius stay
// those of that last trial depth. Q_y rises up to about 0.94 D and falls beyond, so the
// rising part is bisected and only the part around the peak is stepped through; the depth
// and the failure (gw::Error) are those of the plain stepped search.
CircularFlowDepth circular_flow_depth(const TrialDepths& depths, double diameter, double q,
                                      double conveyance);

// Critical depth: steps y through the same depths and stops at the first y whose critical
// discharge Q_c = A (g A / T)^0.5, T = D sin(phi), comes within 0.001 of q or exceeds it;
// gives D when the last depth is reached first. Q_c rises with y, so the search bisects.
double circular_critical_depth(const TrialDepths& depths, double diameter, double q, double gravity);

}  // namespace gw::hyd
