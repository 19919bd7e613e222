// The frame every shape routine shares: unit set, inputs, results, Froude number to flow time.
#pragma once

#include <string_view>

#include "hydraulics/hydraulics_state.h"
#include "hydraulics/solve_types.h"
#include "platform/math/checked.h"
#include "platform/math/pi.h"

namespace gw::hyd::detail {

inline constexpr double kTwoThirds = 2.0 / 3.0;
// Discharge tolerance of the circular and box searches, cfs or cms.
inline constexpr double kSearchTol = 0.001;

// The two gravity pairs: 32.2 / 9.8 for circular and box pipes, 32.16 / 9.81 for elliptical
// pipes and pipe arches.
enum class GravityPair { circular_box, elliptical_arch };

// The constants of the project's unit system that a shape routine uses.
struct UnitSet {
  double unit_divisor;  // 12 in per ft, 1000 mm per m
  double manning_k;     // 1.486 or 1
  double gravity;       // ft/s^2 or m/s^2
};
UnitSet unit_set(const Units& units, GravityPair pair);

// The inputs common to every shape, per barrel, in ft and s or m and s.
struct FlowInputs {
  double q;       // discharge of one barrel
  double s;       // slope
  double n;       // Manning n
  double length;  // pipe length
};

// One run of a shape routine: reads its inputs, records the results it reaches and keeps the
// result values in the hydraulics state. Every check raises gw::Error, which ends the routine
// (run_routine).
class Frame {
 public:
  Frame(const SolveInput& in, HydraulicsState& state, PipeResults& results, GravityPair pair);

  const UnitSet units;
  HydraulicsState& state;
  // The results reached so far; each is recorded as soon as the routine has it.
  PipeResults& results;

  // Reads discharge per barrel, slope, n and length. Each must be a finite number; the barrel
  // count, discharge, slope and n must also be positive.
  FlowInputs read_flow() const;
  // Reads a size field (in or mm) and gives it in ft or m. It must be a finite positive number.
  // With a positive search_step, the size may not need more than kMaxSearchSteps steps of it.
  double read_size(double value, std::string_view name, double search_step) const;

  // Records capacity, depth of flow, flow area, velocity, hydraulic radius and wetted perimeter
  // from the state, in this order.
  void record_flow();

  // Records Froude number, specific energy and flow time, in this order, from the velocity in
  // the state and the given depth of flow:
  // Fr = V / (y g)^0.5, E = V^2 / 2 / g + y, T = L / V.
  void froude_to_flow_time(double depth, const FlowInputs& flow);

 private:
  const SolveInput& in_;
};

// A shape routine's computation, between reading the unit set and its last result.
using RoutineBody = void (*)(Frame& frame, const SolveInput& in);

// Runs the body of a shape routine. A failure anywhere in it ends the routine with the failure
// invalid_data and its cause; the results reached before the failure stay in the outcome.
SolveResult run_routine(const SolveInput& in, HydraulicsState& state, ShapeRoutine routine, GravityPair pair,
                        RoutineBody body);

// The program's checked arithmetic: powers and quotients that fail (gw::Error) instead of giving
// inf or nan.
using gw::math::checked;
using gw::math::checked_div;
using gw::math::checked_pow;

}  // namespace gw::hyd::detail
