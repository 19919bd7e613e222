// The SOLVE command's results as the pipe design window shows them.
#include "design/solve_texts.h"

#include <limits>

#include "hydraulics/solve.h"
#include "platform/text/format.h"

namespace gw::design {

namespace {

void write(SolveOutcome& out, std::string_view field, const std::optional<double>& value,
           std::string_view pattern = "0.000") {
  if (value) out.writes.push_back({std::string(field), text::format(*value, pattern), *value});
}

void write(SolveOutcome& out, std::string_view field, std::string_view shown) {
  out.writes.push_back({std::string(field), std::string(shown), std::numeric_limits<double>::quiet_NaN()});
}

void write_results(SolveOutcome& out, hyd::ShapeRoutine routine, const hyd::PipeResults& r) {
  const bool capacity_first = routine == hyd::ShapeRoutine::circular;
  if (capacity_first) write(out, solve_field::capacity, r.capacity);
  if (r.regime) write(out, solve_field::flow_type, text_of(*r.regime));
  if (!capacity_first) write(out, solve_field::capacity, r.capacity);
  write(out, solve_field::pipe_flowdepth, r.flow_depth);
  write(out, solve_field::pipe_areaflow, r.flow_area);
  write(out, solve_field::pipe_velocity, r.velocity);
  write(out, solve_field::hyd_radius, r.hydraulic_radius);
  write(out, solve_field::pipe_WP, r.wetted_perimeter);
  write(out, solve_field::FROUDE_NO, r.froude_number);
  if (r.froude_number) write(out, solve_field::pipe_summary, text_of(hyd::flow_state(*r.froude_number)));
  write(out, solve_field::energy, r.specific_energy);
  write(out, solve_field::flow_time, r.flow_time);
  write(out, solve_field::critical_depth, r.critical_depth);
  write(out, solve_field::friction_slope, r.friction_slope, "0.0000");
}

Message refusal(std::string_view text, std::string_view title) {
  return {std::string(text), MessageIcon::exclamation, std::string(title)};
}

}  // namespace

const FieldWrite* SolveOutcome::find(std::string_view name) const {
  for (const FieldWrite& w : writes) {
    if (w.field == name) return &w;
  }
  return nullptr;
}

std::string SolveOutcome::text(std::string_view name) const {
  const FieldWrite* w = find(name);
  return w ? w->text : std::string();
}

std::string_view text_of(hyd::FlowRegime regime) {
  return regime == hyd::FlowRegime::pressure ? solve_text::pressure_flow : solve_text::partial_flow;
}

std::string_view text_of(hyd::FlowState state) {
  switch (state) {
    case hyd::FlowState::subcritical:
      return solve_text::subcritical_flow;
    case hyd::FlowState::critical:
      return solve_text::critical_flow;
    case hyd::FlowState::supercritical:
      break;
  }
  return solve_text::supercritical_flow;
}

SolveOutcome solve_outcome(const hyd::SolveInput& in, const hyd::SolveResult& result) {
  SolveOutcome out;
  out.ok = result.ok();
  if (result.routine) {
    out.number_format = std::string(in.units.solve_number_format);
    write_results(out, *result.routine, result.values);
  }
  switch (result.failure) {
    case hyd::SolveFailure::none:
      out.messages.push_back({std::string(solve_text::solved), MessageIcon::none, ""});
      break;
    case hyd::SolveFailure::discharge_not_number:
    case hyd::SolveFailure::slope_not_number:
      out.messages.push_back(refusal(solve_text::invalid_input, ""));
      break;
    case hyd::SolveFailure::discharge_not_positive:
      out.messages.push_back(refusal(solve_text::check_discharge, solve_text::error_title));
      break;
    case hyd::SolveFailure::slope_not_positive:
      out.messages.push_back(refusal(solve_text::check_slope, solve_text::error_title));
      break;
    case hyd::SolveFailure::invalid_data:
      out.messages.push_back(refusal(solve_text::invalid_data, ""));
      break;
  }
  if (result.failure == hyd::SolveFailure::invalid_data) {
    out.failure = result.cause;
  } else if (!out.ok) {
    out.failure = out.messages.front().text;
  }
  return out;
}

SolveOutcome solve_for_window(const hyd::SolveInput& in, hyd::HydraulicsState& state) {
  return solve_outcome(in, hyd::solve_pipe(in, state));
}

}  // namespace gw::design
