// The hydraulics of a circular barrel.
#include <optional>

#include "hydraulics/circular_section.h"
#include "hydraulics/friction_slope.h"
#include "hydraulics/routine_frame.h"
#include "hydraulics/shape_routines.h"

namespace gw::hyd {

namespace {

using namespace detail;

// Takes Q, S, n, L and D = pipe_dia / (12 or 1000); gives, with k the Manning factor:
//   capacity C = (k / n) S^0.5 pi (D/2)^2 (D/4)^(2/3) (Manning, full circle);
//   Q > C: pressure flow, y = D, A = pi (D/2)^2, WP = pi D;
//   else partial flow at the normal depth of circular_flow_depth, with its A and WP;
//   V = Q / A (continuity, both cases), R = A / WP;
//   Froude number, summary, energy and flow time of the frame;
//   critical depth of circular_critical_depth;
//   friction slope Sf = (n Q / (k A_f R_f^(2/3)))^2 with A_f = pi (D/2)^2 and R_f = D / 4, the
//   full section of the capacity, so that Sf = S when Q = C.
// Assumes Q > 0 (the frame refuses anything else), so the depth searches always run.
void circular_body(Frame& f, const SolveInput& in) {
  const FlowInputs flow = f.read_flow();
  const double d = f.read_size(in.pipe_dia, "pipe_dia", 0.0001);
  const double q = flow.q;
  const double g = f.units.gravity;
  HydraulicsState& st = f.state;

  const double conveyance = checked(checked_div(f.units.manning_k, flow.n) * checked_pow(flow.s, 0.5));
  const double full_area = checked(kPi * checked_pow(d / 2, 2));
  const double full_radius = d / 4;
  st.full_capacity = checked(conveyance * kPi * checked_pow(d / 2, 2) * checked_pow(full_radius, kTwoThirds));
  f.results.capacity = st.full_capacity;

  // Both searches step through the same depths: 0.0001 at a time up to 0.9999 D.
  std::optional<TrialDepths> depths;
  auto trial_depths = [&]() -> const TrialDepths& {
    if (!depths) depths.emplace(0.0001, 0.9999 * d);
    return *depths;
  };

  if (q > st.full_capacity) {
    f.results.regime = FlowRegime::pressure;
    st.flow_depth = d;
    st.flow_area = full_area;
    st.wetted_perimeter = checked(kPi * d);
  } else {
    f.results.regime = FlowRegime::partial;
    const CircularFlowDepth normal = circular_flow_depth(trial_depths(), d, q, conveyance);
    st.flow_depth = normal.depth;
    st.flow_area = normal.area;
    st.wetted_perimeter = normal.wetted_perimeter;
    st.hydraulic_radius = normal.hydraulic_radius;
  }
  f.results.flow_depth = st.flow_depth;
  f.results.flow_area = st.flow_area;
  // With no flow area the velocity is not computed: the earlier one stays in the state.
  if (st.flow_area != 0) {
    st.flow_velocity = checked_div(q, st.flow_area);
    f.results.velocity = st.flow_velocity;
  }
  if (st.wetted_perimeter != 0) {
    st.hydraulic_radius = checked_div(st.flow_area, st.wetted_perimeter);
    f.results.hydraulic_radius = st.hydraulic_radius;
    f.results.wetted_perimeter = st.wetted_perimeter;
  }
  f.froude_to_flow_time(st.flow_depth, flow);

  f.results.critical_depth = circular_critical_depth(trial_depths(), d, q, g);

  st.friction_slope_val = full_section_friction_slope(q, flow.n, full_area, full_radius, f.units.manning_k);
  f.results.friction_slope = st.friction_slope_val;
}

}  // namespace

SolveResult circular_pipe_results(const SolveInput& in, HydraulicsState& state) {
  return run_routine(in, state, ShapeRoutine::circular, GravityPair::circular_box, circular_body);
}

}  // namespace gw::hyd
