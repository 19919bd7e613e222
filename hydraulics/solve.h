// The pipe design window's SOLVE command as a pure function: input checks, dispatch by shape.
#pragma once

#include <string_view>

#include "hydraulics/hydraulics_state.h"
#include "hydraulics/shape_routines.h"
#include "hydraulics/solve_types.h"

namespace gw::hyd {

// One solve, after the window has cleared its result fields:
// 1. a discharge that is not a number (NaN or infinite) fails with discharge_not_number, one of
//    0 or less with discharge_not_positive;
// 2. the same for the slope (slope_not_number, slope_not_positive);
// 3. the shape's routine runs (solve_pipe_hydraulics).
// The pipe design window shows the results and the failure as its texts (design/solve_texts.h)
// and counts the pipe solved only when ok().
SolveResult solve_pipe(const SolveInput& in, HydraulicsState& state);

// The routine of a shape text, compared exactly: "Circular" the circular, "Elliptical" the
// elliptical, "Rectangulr" or "Box" the box routine, and any other text (the arch shapes among
// them) the arch routine.
ShapeRoutine routine_of(std::string_view pipe_shape);

// Runs the routine of the shape named in pipe_shape.
SolveResult solve_pipe_hydraulics(const SolveInput& in, HydraulicsState& state);

}  // namespace gw::hyd
