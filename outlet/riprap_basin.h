// Riprap basin below a culvert outlet: pool depth, lengths, riprap thickness and exit conditions.
#pragma once

#include <optional>
#include <string_view>

namespace gw::outlet {

inline constexpr const char* kRiprapBasinRefusal =
    "Special Design Outlet Protection Required for Riprap Basin Method!";

// Median stone size D50 in feet of a VDOT standard riprap class ("Class A1", "Class I",
// "Class II", "Class III", "Type I", "Type II", compared exactly); no value for any other text.
std::optional<double> riprap_class_d50_feet(std::string_view riprap_class);

// True when the Froude number as shown to two decimals is above 3.0 (3.004 shows 3.00 and
// passes), the case the basin does not cover.
bool riprap_basin_refuses(double froude);

struct RiprapBasinInput {
  double dE = 0;         // equivalent depth of the outlet, unrounded
  double froude = 0;     // Froude number of the outlet, unrounded
  double tailwater = 0;  // TW
  double width = 0;      // W0, culvert width (diameter or span)
  double discharge = 0;  // Q
  double d50 = 0;        // median stone size, project length unit
  double gravity = 0;    // g
};

struct RiprapBasin {
  double d50 = 0;              // median stone size
  double pool_depth = 0;       // hs, depth of pool below the outlet
  double pool_length = 0;      // LP
  double basin_length = 0;     // LB
  double apron_length = 0;     // LB - LP
  double apron_thickness = 0;  // 3 D50, riprap on the apron
  double basin_thickness = 0;  // 2 D50, riprap on the rest of the basin
  double exit_width = 0;       // WE
  double exit_depth = 0;       // yc, critical depth at the exit (not shown)
  double exit_velocity = 0;    // VE
};

// Takes the outlet's equivalent depth and Froude number, tailwater, culvert width, discharge,
// stone size and gravity, all in the project's units (the formulas hold in either system).
// Gives, with r = TW / dE and C0 = 1.4 (r < 0.75), 4 r - 1.6 (r < 1), 2.4 (r >= 1):
// hs = max(0, 0.86 (D50 / dE)^-0.55 Fr - C0) dE, LP = max(10 hs, 3 W0), LB = max(15 hs, 4 W0),
// WE = W0 + 0.6667 LB, yc = (Q² / (g WE²))^0.33333, VE = Q / (yc (WE + 2 yc)).
// Raises DesignRefused(kRiprapBasinRefusal) when riprap_basin_refuses(froude), and gw::Error
// with the run-time description when the numbers give no result (a zero stone size, exit width
// or exit depth); nothing it gives is inf or nan.
RiprapBasin design_riprap_basin(const RiprapBasinInput& in);

}  // namespace gw::outlet
