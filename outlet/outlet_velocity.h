// The 2-year outlet velocity: normal depth of one barrel of the outlet pipe by Manning's equation.
#pragma once

#include "outlet/outlet_section.h"

namespace gw::outlet {

// One barrel of the outlet pipe, sizes in the project's length unit (ft or m).
struct OutletBarrel {
  OutletShape shape = OutletShape::circular;
  double rise = 0;   // diameter (circular) or rise
  double span = 0;   // span of box, elliptical and arch barrels
  double slope = 0;  // ft/ft or m/m
  double manning_n = 0;
  double manning_k = 0;  // 1.486 English, 1.0 metric
};

// The flow found by the depth search.
struct OutletFlow {
  double depth = 0;   // last trial depth (the rise for a barrel taken as flowing full)
  double area = 0;    // flow area at that depth
  bool full = false;  // the barrel was taken as flowing full without a search result
};

// Normal flow of discharge q (cfs or cms) in one barrel, Qc(y) = S^0.5 (k / n) A R^(2/3):
// - circular: the normal-depth search of the pipe hydraulics (circular_section.h): y steps by
//   0.0001 from 0 and stops at the first y with q - Qc <= 0.001 or with y > 0.9999 D; the area
//   is that of the last y (practically full when the pipe cannot carry q);
// - box: the box search of the pipe hydraulics, the same steps with A = B y,
//   R = A / (2 y + B), up to 0.9999 H;
// - elliptical: above the full-flow capacity (Af = Sp π Rs / 4, Rf = Rs Sp / (2 (Rs + Sp))) the
//   barrel flows full; else y steps by 0.01 from 0.01, r = y / Rs capped at 1, A = Af PA(r),
//   R = Rf PR(r) (negative values taken as 0), up to the first y whose Qc reaches q, with PA
//   and PR the pipe arch's partial-section fit (hyd::kArchFit), for elliptical barrels too;
// - arch: the arch's full section (hyd::arch_full_section) and the elliptical search at once.
// A search whose r has reached 1 with Qc still below q (an arch above the capacity of its fits,
// a zero slope) takes the barrel as flowing full, A = Af.
// Throws gw::Error for n = 0, a zero size, a negative slope or section, an overflow, a circular
// or box barrel whose rise needs more than ten million trial depths, or an elliptical or arch
// search longer than ten million steps.
OutletFlow outlet_normal_flow(const OutletBarrel& barrel, double q);

// The outlet velocity q / A of that flow, ft/s or m/s. Throws gw::Error as outlet_normal_flow,
// and for a zero flow area.
double outlet_velocity(const OutletBarrel& barrel, double q);

}  // namespace gw::outlet
