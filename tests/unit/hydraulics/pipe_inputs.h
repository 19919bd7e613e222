// The inputs of the hydraulics tests: pipes of each shape in either unit system.
#pragma once

#include <string>
#include <utility>

#include "hydraulics/solve_types.h"

namespace gw::hyd::testing {

// A pipe of the given shape in English units: L 100 ft, one barrel.
inline SolveInput english(std::string shape, double discharge, double slope, double n) {
  SolveInput in;
  in.pipe_shape = std::move(shape);
  in.pipe_discharge = discharge;
  in.numofpipes = 1;
  in.pipe_slope = slope;
  in.pipe_mann = n;
  in.pipe_length = 100;
  in.units = units_of(UnitSystem::english);
  return in;
}

inline SolveInput circular(double dia, double discharge, double slope = 0.01, double n = 0.013) {
  SolveInput in = english("Circular", discharge, slope, n);
  in.pipe_dia = dia;
  return in;
}

inline SolveInput spanned(std::string shape, double span, double rise, double discharge, double slope,
                          double n) {
  SolveInput in = english(std::move(shape), discharge, slope, n);
  in.span = span;
  in.rise = rise;
  return in;
}

inline SolveInput metric(SolveInput in, double length) {
  in.units = units_of(UnitSystem::metric);
  in.pipe_length = length;
  return in;
}

}  // namespace gw::hyd::testing
