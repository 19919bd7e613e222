// Contra Costa basin below a culvert outlet: floor width, baffles, end sill and exit conditions.
#pragma once

#include <optional>

namespace gw::outlet {

inline constexpr const char* kContraCostaRefusal = "Contra Costa Basin is suitable for Froude No. < 3.0) ";
inline constexpr const char* kContraCostaRatioRange =
    "L2/h2 ratio should be between 2.5 and 7 for Contra Costa Basin design!\nPlease revise value.";
// The ratio the window puts in an empty L2/h2 field.
inline constexpr const char* kContraCostaDefaultRatio = "3.5";

// True when the L2/h2 ratio lies within 2.5 to 7, both ends included.
bool contra_costa_ratio_in_range(double ratio);

struct ContraCostaInput {
  double dE = 0;         // equivalent depth of the outlet, unrounded
  double froude = 0;     // Froude number of the outlet, unrounded
  double width = 0;      // W0, culvert width (diameter or span)
  double discharge = 0;  // Q
  double ratio = 0;      // p = L2 / h2
  double gravity = 0;    // g
};

struct ContraCostaBasin {
  double basin_width = 0;  // Wb = 2 W0
  double h2 = 0;           // height of the large baffle
  double h1 = 0;           // height of the small baffle
  double L2 = 0;           // culvert exit to large baffle
  double L1 = 0;
  double L3 = 0;             // large baffle to end sill
  double LB = 0;             // L2 + L3
  double Y2 = 0;             // maximum water depth without tailwater
  double h3 = 0;             // end sill, 0.1 Y2
  double exit_depth = 0;     // yc
  double exit_velocity = 0;  // Vc
};

// Step of the exit depth search, in the project's length unit.
inline constexpr double kContraCostaDepthStep = 0.01;
// Most steps the exit depth search takes before it gives up (a depth of 10 000 units).
inline constexpr long kContraCostaMaxSteps = 1000000;

// Takes the outlet's equivalent depth and Froude number, culvert width, discharge, L2/h2 ratio p
// and gravity, in the project's units. Gives Wb = 2 W0, h2 = dE (1.35 Fr² / p)^0.546, h1 = h2 / 2,
// L2 = p h2, L1 = L2 / 2, L3 = 3.75 L2 (1 / p)^0.68, LB = L2 + L3, Y2 = 1.3 h2 p^0.36,
// h3 = 0.1 Y2, and the exit depth yc of a trapezoidal section (bottom Wb, side slopes 1:1) by a
// search on steps of 0.01 that tests before it computes: yc ends one step above the first grid
// depth whose critical discharge (g A³ / T)^0.5 reaches Q; Vc = Q / (yc (Wb + yc)).
// Raises DesignRefused(kContraCostaRefusal) when Fr > 3 (unrounded), and gw::Error naming the
// fault when dE, W0, Q or p is not above zero, when the search exceeds kContraCostaMaxSteps or a
// result would not be finite.
ContraCostaBasin design_contra_costa_basin(const ContraCostaInput& in);

}  // namespace gw::outlet
