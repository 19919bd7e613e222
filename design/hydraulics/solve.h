// The pipe design window's SOLVE command as a pure function: input checks, dispatch by shape.
#pragma once

#include "design/hydraulics/hydraulics_state.h"
#include "design/hydraulics/shape_routines.h"
#include "design/hydraulics/solve_types.h"

namespace gw::hyd {

// The SOLVE command after the window has cleared its thirteen result fields:
// 1. a discharge that is not a number (NaN or infinite) shows "No results computed.  Invalid
//    input."; one of 0 or less shows "No results computed.  Check your input for discharge!"
//    with the title "Errur";
// 2. the same for the slope, with "No results computed.  Check your input for Pipe Slope!";
// 3. the shape's routine runs (solve_pipe_hydraulics);
// 4. when it succeeded, "Solved! Please check and Save your results" (no icon, no title).
// The window writes `writes` into its fields in order, shows `messages`, takes
// `number_format` as the shared display pattern when present, and sets pipe_solved only when
// ok. A failed routine shows its one message and nothing after it.
SolveOutcome solve(const SolveInput& in, HydraulicsState& state);

// Runs the routine of the shape named in pipe_shape, compared exactly: "Circular" the circular,
// "Elliptical" the elliptical, "Rectangulr" or "Box" the box routine, and any other text (the
// arch shapes among them) the arch routine.
SolveOutcome solve_pipe_hydraulics(const SolveInput& in, HydraulicsState& state);

}  // namespace gw::hyd
