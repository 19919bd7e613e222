// The frame shared by the shape routines: unit set, input checks, results, Froude to flow time.
#include "hydraulics/routine_frame.h"

#include <cmath>
#include <exception>
#include <string>

#include "hydraulics/trial_depths.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"

namespace gw::hyd::detail {

UnitSet unit_set(const Units& units, GravityPair pair) {
  const bool cb = pair == GravityPair::circular_box;
  return {units.size_divisor, units.manning_k,
          cb ? units.gravity_circular_box : units.gravity_elliptical_arch};
}

namespace {

// A field value that has to be a finite number: one that is not failed to read.
double finite(double v, std::string_view name) {
  if (!std::isfinite(v)) throw Error(std::string(name) + " is not a number");
  return v;
}

double positive(double v, std::string_view name) {
  if (!(finite(v, name) > 0)) throw Error(std::string(name) + " is not a positive number");
  return v;
}

}  // namespace

Frame::Frame(const SolveInput& in, HydraulicsState& st, PipeResults& res, GravityPair pair)
    : units(unit_set(in.units, pair)), state(st), results(res), in_(in) {}

FlowInputs Frame::read_flow() const {
  const double barrels = positive(in_.numofpipes, "numofpipes");
  const double q = positive(in_.pipe_discharge, "pipe_discharge") / barrels;
  positive(q, "the discharge per barrel");
  return {q, positive(in_.pipe_slope, "pipe_slope"), positive(in_.pipe_mann, "pipe_mann"),
          finite(in_.pipe_length, "pipe_length")};
}

double Frame::read_size(double value, std::string_view name, double search_step) const {
  const double size = positive(positive(value, name) / units.unit_divisor, name);
  if (search_step > 0 && size / search_step > static_cast<double>(kMaxSearchSteps)) {
    throw Error(std::string(name) + " is too large for the depth search");
  }
  return size;
}

void Frame::record_flow() {
  results.capacity = state.full_capacity;
  results.flow_depth = state.flow_depth;
  results.flow_area = state.flow_area;
  results.velocity = state.flow_velocity;
  results.hydraulic_radius = state.hydraulic_radius;
  results.wetted_perimeter = state.wetted_perimeter;
}

void Frame::froude_to_flow_time(double y, const FlowInputs& flow) {
  const double g = units.gravity;
  const double v = state.flow_velocity;
  state.froude_number = checked_div(v, checked_pow(checked(y * g), 0.5));
  results.froude_number = state.froude_number;
  state.specific_energy = checked(checked_pow(v, 2) / 2 / g + y);
  results.specific_energy = state.specific_energy;
  state.travel_time = checked_div(flow.length, v);
  results.flow_time = state.travel_time;
}

SolveResult run_routine(const SolveInput& in, HydraulicsState& state, ShapeRoutine routine, GravityPair pair,
                        RoutineBody body) {
  SolveResult out;
  out.routine = routine;
  Frame frame(in, state, out.values, pair);
  try {
    body(frame, in);
  } catch (const std::exception& e) {
    out.failure = SolveFailure::invalid_data;
    out.cause = e.what();
  }
  return out;
}

}  // namespace gw::hyd::detail
