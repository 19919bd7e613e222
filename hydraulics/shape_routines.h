// The hydraulics routine of each pipe shape: one barrel's capacity, flow and critical depth.
#pragma once

#include "hydraulics/hydraulics_state.h"
#include "hydraulics/solve_types.h"

namespace gw::hyd {

// Each routine takes the solve inputs (the discharge of all barrels, the barrel count, slope,
// Manning n, length, its size fields in in or mm, the unit system) and the hydraulics state,
// and computes per barrel, in ft or m and seconds: full-flow capacity, flow regime, depth of
// flow with its area, velocity, hydraulic radius and wetted perimeter, Froude number, specific
// energy, flow time, critical depth and friction slope. It records each result as soon as it
// has it, in the order given with the routine, and leaves the values in the state.
// Inputs that are not finite, a barrel count, discharge, slope, n or size that is not positive,
// and a size too large for its depth search fail before anything is recorded. Any failure gives
// the failure invalid_data with the results recorded before it.

// Circular pipe of diameter pipe_dia. Records capacity, regime, flow_depth, flow_area,
// velocity (only for a nonzero area), hydraulic_radius and wetted_perimeter (only for a
// nonzero wetted perimeter), froude_number, specific_energy, flow_time, critical_depth,
// friction_slope.
SolveResult circular_pipe_results(const SolveInput& in, HydraulicsState& state);

// Box of span and rise. Records regime, capacity, flow_depth, flow_area, velocity,
// hydraulic_radius, wetted_perimeter, froude_number, specific_energy, flow_time,
// critical_depth, friction_slope.
SolveResult box_pipe_results(const SolveInput& in, HydraulicsState& state);

// Elliptical pipe of span and rise; records in the order of the box.
SolveResult elliptical_pipe_results(const SolveInput& in, HydraulicsState& state);

// Pipe arch of span and rise; records in the order of the box.
SolveResult arch_pipe_results(const SolveInput& in, HydraulicsState& state);

}  // namespace gw::hyd
