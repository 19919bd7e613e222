// Time-of-concentration formulas of the flow segments: shallow concentrated flow, Manning
// channel and pipe flow, Seelye overland flow and Kirpich channel flow.
#pragma once

namespace gw::design::tc {

// Lengths, depths, diameters and elevations are in the project's unit (ft in English
// projects, m in metric ones); velocities in that unit per second; times in minutes.
// `english` selects the English constants of a formula, otherwise the metric ones.
// Every function raises gw::Error (division by zero, invalid power, overflow) instead of
// giving inf or nan.

// Whether a reach of distance L from elevation hu down to hl can be computed.
enum class Reach { Ok, ZeroDistance, NotFalling };

// Takes the reach's distance and its upper and lower elevations. Gives ZeroDistance when
// L is 0, NotFalling unless hu > hl (equal elevations too), Ok otherwise.
Reach check_reach(double distance, double upper, double lower);

// Takes a reach. Gives its slope (hu - hl) / L as a ratio. Assumes nothing about the sign.
double reach_slope(double distance, double upper, double lower);

// Shallow concentrated flow. Takes the distance L, the slope in percent and the intercept
// coefficient k of the land cover. Gives L / (c k sqrt(S%)) with c = 196.848 (English) or
// 60.0 (metric). Assumes S% > 0 and k > 0 (else raises).
double shallow_flow_tc(double distance, double slope_percent, double intercept, bool english);

// Manning velocity. Takes the unit factor K, Manning's n, the hydraulic radius R and the
// slope S (ratio). Gives (K / n) R^(2/3) S^(1/2), the exponent 2/3 in full precision.
double manning_velocity(double manning_k, double n, double radius, double slope);

// Travel time of a reach. Takes the distance and the velocity. Gives L / V / 60 minutes.
double travel_time(double distance, double velocity);

// Overland flow, Seelye (VDOT modified). Takes the distance L, the slope S (ratio) and the
// rational C. Gives a L^0.42 S^-0.19 / C with a = 0.225 (English) or 0.37056 (metric).
double seelye_tc(double distance, double slope, double rational_c, bool english);

// Channel flow, Kirpich (VDOT modified). Takes the height H of the most remote point above
// the outlet, the length of travel L and the surface factor F. Gives
// b H^-0.38 L^1.13 F with b = 0.00948 (English) or 0.02311 (metric). Assumes H > 0, L > 0.
double kirpich_tc(double height, double length, double factor, bool english);

}  // namespace gw::design::tc
