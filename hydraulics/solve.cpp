// The SOLVE command of the pipe design window, without the window.
#include "hydraulics/solve.h"

#include <cmath>

namespace gw::hyd {

namespace {

SolveResult refused(SolveFailure failure) {
  SolveResult out;
  out.failure = failure;
  return out;
}

}  // namespace

ShapeRoutine routine_of(std::string_view pipe_shape) {
  if (pipe_shape == "Circular") return ShapeRoutine::circular;
  if (pipe_shape == "Elliptical") return ShapeRoutine::elliptical;
  if (pipe_shape == "Rectangulr" || pipe_shape == "Box") return ShapeRoutine::box;
  return ShapeRoutine::arch;
}

SolveResult solve_pipe_hydraulics(const SolveInput& in, HydraulicsState& state) {
  switch (routine_of(in.pipe_shape)) {
    case ShapeRoutine::circular:
      return circular_pipe_results(in, state);
    case ShapeRoutine::elliptical:
      return elliptical_pipe_results(in, state);
    case ShapeRoutine::box:
      return box_pipe_results(in, state);
    case ShapeRoutine::arch:
      break;
  }
  return arch_pipe_results(in, state);
}

SolveResult solve_pipe(const SolveInput& in, HydraulicsState& state) {
  if (!std::isfinite(in.pipe_discharge)) return refused(SolveFailure::discharge_not_number);
  if (in.pipe_discharge <= 0) return refused(SolveFailure::discharge_not_positive);
  if (!std::isfinite(in.pipe_slope)) return refused(SolveFailure::slope_not_number);
  if (in.pipe_slope <= 0) return refused(SolveFailure::slope_not_positive);
  return solve_pipe_hydraulics(in, state);
}

}  // namespace gw::hyd
