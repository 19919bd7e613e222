// The hydraulics routine of each pipe shape: one barrel's capacity, flow and critical depth.
#pragma once

#include "design/hydraulics/hydraulics_state.h"
#include "design/hydraulics/solve_types.h"

namespace gw::hyd {

// Each routine takes the solve inputs (the discharge of all barrels, the barrel count, slope,
// Manning n, length, its size fields in in or mm, the unit system) and the hydraulics state,
// and computes per barrel, in ft or m and seconds: full-flow capacity, flow type, depth of flow
// with its area, velocity, hydraulic radius and wetted perimeter, Froude number and summary,
// specific energy, flow time, critical depth and friction slope. It writes each result as soon
// as it has it, in the order given with the routine, and leaves the values in the state.
// Inputs that are not finite, a barrel count, discharge, slope, n or size that is not positive,
// and a size too large for its depth search fail before anything is written. Any failure gives
// the message "Invalid Data Input Error" and ok = false, with the writes made before it.
// Every routine sets number_format to "#0.000" in English units and "#0.0000" otherwise.

// Circular pipe of diameter pipe_dia. Writes capacity, flow_type, pipe_flowdepth,
// pipe_areaflow, pipe_velocity (only for a nonzero area), hyd_radius and pipe_WP (only for a
// nonzero wetted perimeter), FROUDE_NO, pipe_summary, energy, flow_time, critical_depth,
// friction_slope.
SolveOutcome circular_pipe_results(const SolveInput& in, HydraulicsState& state);

// Box of span and rise. Writes flow_type, capacity, pipe_flowdepth, pipe_areaflow,
// pipe_velocity, hyd_radius, pipe_WP, FROUDE_NO, pipe_summary, energy, flow_time,
// critical_depth, friction_slope.
SolveOutcome box_pipe_results(const SolveInput& in, HydraulicsState& state);

// Elliptical pipe of span and rise; writes in the order of the box.
SolveOutcome elliptical_pipe_results(const SolveInput& in, HydraulicsState& state);

// Pipe arch of span and rise; writes in the order of the box.
SolveOutcome arch_pipe_results(const SolveInput& in, HydraulicsState& state);

}  // namespace gw::hyd
