// What goes into and comes out of one pipe solve: inputs, result numbers, flow regime, failure.
#pragma once

#include <optional>
#include <string>

#include "platform/units/units.h"

namespace gw::hyd {

// The inputs of one solve, as the pipe design window's fields hold them, each converted to a
// number. A field text that does not read as a number is passed as NaN; the solve then fails as
// the window's conversion would have.
struct SolveInput {
  double pipe_discharge = 0;  // design discharge of all barrels together, cfs / cms
  double numofpipes = 1;      // number of barrels; every result is per barrel
  double pipe_slope = 0;      // ft/ft / m/m
  double pipe_mann = 0;       // Manning n
  double pipe_length = 0;     // ft / m
  double pipe_dia = 0;        // diameter of a circular pipe, in / mm
  double span = 0;            // span of the other shapes, in / mm
  double rise = 0;            // rise of the other shapes, in / mm
  std::string pipe_shape;     // "Circular", "Elliptical", "Box" (or "Rectangulr"), an arch shape
  Units units = units_of(UnitSystem::unknown);  // the project's; all but English are metric
};

// The routine of a pipe shape.
enum class ShapeRoutine { circular, elliptical, box, arch };

// How a barrel flows: full under pressure (the discharge exceeds the full-flow capacity) or
// partly full at its normal depth.
enum class FlowRegime { pressure, partial };

// The state of the flow by its Froude number.
enum class FlowState { subcritical, critical, supercritical };

// Below 1 subcritical, exactly 1 critical, else supercritical (a Froude number that rounds to
// 1.000 need not be critical).
FlowState flow_state(double froude);

// Why a solve gave no results.
enum class SolveFailure {
  none,
  discharge_not_number,    // NaN or infinite
  discharge_not_positive,  // 0 or less
  slope_not_number,
  slope_not_positive,
  invalid_data,  // the shape routine failed: an input it cannot use, an overflow, a search
                 // too long
};

// The results of one solve, per barrel, in ft or m and seconds. A value is present once the
// routine has reached it, so after a failure exactly those reached before it are.
struct PipeResults {
  std::optional<double> capacity;  // full-flow capacity
  std::optional<FlowRegime> regime;
  std::optional<double> flow_depth;
  std::optional<double> flow_area;
  std::optional<double> velocity;
  std::optional<double> hydraulic_radius;
  std::optional<double> wetted_perimeter;
  std::optional<double> froude_number;  // its flow state is flow_state(froude_number)
  std::optional<double> specific_energy;
  std::optional<double> flow_time;
  std::optional<double> critical_depth;
  std::optional<double> friction_slope;
};

// The outcome of one solve.
// - failure: none when the hydraulics ran to the end; only then is the pipe solved.
// - routine: the shape routine that ran; absent when the inputs were refused before one ran.
// - values: the results reached.
// - cause: on a failure, what went wrong (for logs; not shown).
struct SolveResult {
  SolveFailure failure = SolveFailure::none;
  std::optional<ShapeRoutine> routine;
  PipeResults values;
  std::string cause;

  bool ok() const { return failure == SolveFailure::none; }
};

}  // namespace gw::hyd
