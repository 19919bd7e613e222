// The hydraulics of a box barrel.
#include <optional>

#include "hydraulics/box_section.h"
#include "hydraulics/friction_slope.h"
#include "hydraulics/routine_frame.h"
#include "hydraulics/shape_routines.h"

namespace gw::hyd {

namespace {

using namespace detail;

// Takes Q, S, n, L and B = span, H = rise, both / (12 or 1000); gives, with k the Manning
// factor:
//   full section A_f = B H, WP_f = 2 (B + H), R_f = A_f / WP_f,
//   capacity C = (k / n) S^0.5 A_f R_f^(2/3);
//   C < Q: pressure flow, y = H, V = Q / A_f, area, WP and R of the full section;
//   else partial flow at the normal depth y of box_flow_depth, A = B y, WP = 2 y + B,
//   R = A / WP and Manning's velocity V = (k / n) R^(2/3) S^0.5 (not Q / A);
//   Froude number, summary, energy and flow time of the frame;
//   critical depth of box_critical_depth;
//   friction slope Sf = (n Q / (k A_f R_f^(2/3)))^2, so that Sf = S when Q = C.
void box_body(Frame& f, const SolveInput& in) {
  const FlowInputs flow = f.read_flow();
  const double b = f.read_size(in.span, "span", 0);
  const double h = f.read_size(in.rise, "rise", 0.0001);
  const double q = flow.q;
  const double k_over_n = checked_div(f.units.manning_k, flow.n);
  const double conveyance = checked(k_over_n * checked_pow(flow.s, 0.5));
  HydraulicsState& st = f.state;

  const double full_area = checked(b * h);
  const double full_radius = checked_div(full_area, checked(2 * (b + h)));
  st.flow_area = full_area;
  st.wetted_perimeter = checked(2 * (b + h));
  st.hydraulic_radius = full_radius;
  st.full_capacity = checked(conveyance * full_area * checked_pow(full_radius, kTwoThirds));

  // Both searches step through the same depths: 0.0001 at a time up to 0.9999 H.
  std::optional<TrialDepths> depths;
  auto trial_depths = [&]() -> const TrialDepths& {
    if (!depths) depths.emplace(0.0001, 0.9999 * h);
    return *depths;
  };

  if (st.full_capacity < q) {
    f.results.regime = FlowRegime::pressure;
    st.flow_velocity = checked_div(q, full_area);
    st.flow_depth = h;
  } else {
    f.results.regime = FlowRegime::partial;
    st.flow_depth = box_flow_depth(trial_depths(), b, h, q, conveyance).depth;
    st.flow_area = checked(b * st.flow_depth);
    st.wetted_perimeter = checked(2 * st.flow_depth + b);
    st.hydraulic_radius = checked_div(st.flow_area, st.wetted_perimeter);
    st.flow_velocity =
        checked(k_over_n * checked_pow(st.hydraulic_radius, kTwoThirds) * checked_pow(flow.s, 0.5));
  }
  f.record_flow();
  f.froude_to_flow_time(st.flow_depth, flow);

  f.results.critical_depth = box_critical_depth(trial_depths(), b, h, q, f.units.gravity);

  st.friction_slope_val = full_section_friction_slope(q, flow.n, full_area, full_radius, f.units.manning_k);
  f.results.friction_slope = st.friction_slope_val;
}

}  // namespace

SolveResult box_pipe_results(const SolveInput& in, HydraulicsState& state) {
  return run_routine(in, state, ShapeRoutine::box, GravityPair::circular_box, box_body);
}

}  // namespace gw::hyd
