// The hydraulics of elliptical pipes and pipe arches, whose partial sections follow depth polynomials.
#include <algorithm>

#include "hydraulics/friction_slope.h"
#include "hydraulics/routine_frame.h"
#include "hydraulics/section_fits.h"
#include "hydraulics/shape_routines.h"
#include "hydraulics/trial_depths.h"
#include "platform/error/error.h"

namespace gw::hyd {

namespace {

using namespace detail;

// Step of both depth searches, ft or m.
constexpr double kStep = 0.01;

// The full section of one shape, with the hydraulic radius that the capacity uses (R) and the
// one that scales the radius polynomial (R_f).
struct FullSection {
  double area;              // A_f
  double wetted_perimeter;  // WP of the full section
  double radius;            // R of the capacity
  double radius_scale;      // R_f
};

// Elliptical: A_f = pi B H / 4, WP = pi (B + H) / 2, R = A_f / WP, R_f = B H / (2 (B + H)).
FullSection elliptical_full(double b, double h) {
  const double area = checked(kPi * b * h / 4);
  const double wp = checked(kPi * (b + h) / 2);
  return {area, wp, checked_div(area, wp), checked_div(checked(b * h), checked(2 * (b + h)))};
}

// Pipe arch: A_f = 0.781 (H B)^1.003, R_f = 0.241 (H B)^0.4965 (B and H in ft or m),
// R = R_f, WP = A_f / R_f.
FullSection arch_full(double b, double h) {
  const ArchFullSection arch = arch_full_section(checked(h * b));
  return {arch.area, checked_div(arch.area, arch.radius), arch.radius, arch.radius};
}

// Takes Q, S, n, L, B = span and H = rise (both / (12 or 1000)), the shape's polynomials and
// full section; gives, with k the Manning factor:
//   capacity C = (k / n) S^0.5 A_f R^(2/3);
//   C < Q: pressure flow, y = H, A = A_f, V = Q / A_f, WP and R of the full section;
//   else partial flow: y = 0.01, 0.02, ... (accumulated) until the Manning discharge
//   Q_y = V A reaches Q, where r = min(y / H, 1), A = max(0, A_f P_A(r)),
//   R = max(0, R_f P_R(r)), V = (k / n) R^(2/3) S^0.5 (Manning's velocity, kept), WP = A / R.
//   Q_y at r = 1 exceeds C by about 3 %, so the search ends by y = H for any Q <= C.
//   The flow type is partial flow whatever Q_y at the found depth is;
//   Froude number, summary, energy and flow time of the frame;
//   critical depth: y_c = 0.01, 0.02, ... while (g y_c)^0.5 max(0, A_f P_A(y_c / H)) < Q and
//   y_c < H; H when y_c has passed H;
//   friction slope Sf = (n Q / (k A_f R^(2/3)))^2, so that Sf = S when Q = C.
void polynomial_body(Frame& f, const SolveInput& in, const PartialSectionFit& shape,
                     FullSection (*full_section)(double, double)) {
  const FlowInputs flow = f.read_flow();
  const double b = f.read_size(in.span, "span", 0);
  const double h = f.read_size(in.rise, "rise", kStep);
  const double q = flow.q;
  const double g = f.units.gravity;
  const double k_over_n = checked_div(f.units.manning_k, flow.n);
  HydraulicsState& st = f.state;

  const FullSection full = full_section(b, h);
  st.wetted_perimeter = full.wetted_perimeter;
  st.hydraulic_radius = full.radius;
  st.flow_depth = h;
  st.full_capacity =
      checked(k_over_n * checked_pow(flow.s, 0.5) * full.area * checked_pow(full.radius, kTwoThirds));

  // The searches end by the rise at the latest; this bounds them should they not.
  const long max_steps = kMaxSearchSteps + 2;
  if (st.full_capacity < q) {
    f.results.regime = FlowRegime::pressure;
    st.flow_area = full.area;
    st.flow_velocity = checked_div(q, full.area);
  } else {
    double y = kStep;
    for (long steps = 1;; ++steps) {
      const double r = std::min(y / h, 1.0);
      st.flow_area = std::max(0.0, checked(full.area * shape.area(r)));
      st.hydraulic_radius = std::max(0.0, checked(full.radius_scale * shape.radius(r)));
      st.flow_velocity =
          checked(k_over_n * checked_pow(st.hydraulic_radius, kTwoThirds) * checked_pow(flow.s, 0.5));
      if (!(checked(st.flow_velocity * st.flow_area) < q)) break;
      if (steps >= max_steps) throw Error("The depth search does not end");
      y += kStep;
    }
    // The last step may pass the rise (always so for a rise below one step): the
    // section is full there, and so is the depth reported.
    st.flow_depth = std::min(y, h);
    st.wetted_perimeter = checked_div(st.flow_area, st.hydraulic_radius);
    f.results.regime = FlowRegime::partial;
  }
  f.record_flow();
  f.froude_to_flow_time(st.flow_depth, flow);

  double yc = kStep;
  for (long steps = 1;; ++steps) {
    const double area = std::max(0.0, checked(full.area * shape.area(yc / h)));
    const double critical_q = checked(checked_pow(checked(g * yc), 0.5) * area);
    if (!(critical_q < q && yc < h)) break;
    if (steps >= max_steps) throw Error("The depth search does not end");
    yc += kStep;
  }
  f.results.critical_depth = yc > h ? h : yc;

  st.friction_slope_val = full_section_friction_slope(q, flow.n, full.area, full.radius, f.units.manning_k);
  f.results.friction_slope = st.friction_slope_val;
}

void elliptical_body(Frame& f, const SolveInput& in) {
  polynomial_body(f, in, kEllipticalFit, elliptical_full);
}

void arch_body(Frame& f, const SolveInput& in) { polynomial_body(f, in, kArchFit, arch_full); }

}  // namespace

SolveResult elliptical_pipe_results(const SolveInput& in, HydraulicsState& state) {
  return run_routine(in, state, ShapeRoutine::elliptical, GravityPair::elliptical_arch, elliptical_body);
}

SolveResult arch_pipe_results(const SolveInput& in, HydraulicsState& state) {
  return run_routine(in, state, ShapeRoutine::arch, GravityPair::elliptical_arch, arch_body);
}

}  // namespace gw::hyd
