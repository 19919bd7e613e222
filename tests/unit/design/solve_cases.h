// Whole solves as the pipe design window shows them: the tests' readers of field texts and messages.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "design/solve_texts.h"
#include "hydraulics/solve.h"
#include "tests/unit/hydraulics/pipe_inputs.h"

namespace gw::hyd::testing {

// The tests read a solve as the pipe design window shows it: its field texts and messages.
namespace field = design::solve_field;
namespace text = design::solve_text;
using design::FieldWrite;
using design::Message;
using design::MessageIcon;
using design::SolveOutcome;

inline SolveOutcome solve(const SolveInput& in, HydraulicsState& state) {
  return design::solve_for_window(in, state);
}

// The result of a shape routine as the window shows it.
inline SolveOutcome shown(const SolveInput& in, const SolveResult& result) {
  return design::solve_outcome(in, result);
}

// The thirteen result fields in the circular routine's order of writing; the other routines
// write flow_type before capacity.
inline const std::array<std::string_view, 13> kCircularOrder = {
    field::capacity,      field::flow_type,  field::pipe_flowdepth, field::pipe_areaflow,
    field::pipe_velocity, field::hyd_radius, field::pipe_WP,        field::FROUDE_NO,
    field::pipe_summary,  field::energy,     field::flow_time,      field::critical_depth,
    field::friction_slope};

inline std::array<std::string_view, 13> order_for(std::string_view shape) {
  std::array<std::string_view, 13> order = kCircularOrder;
  if (shape != "Circular") std::swap(order[0], order[1]);
  return order;
}

inline std::vector<std::string> fields_of(const SolveOutcome& out) {
  std::vector<std::string> names;
  for (const FieldWrite& w : out.writes) names.push_back(w.field);
  return names;
}

inline std::vector<std::string> texts_of(const SolveOutcome& out) {
  std::vector<std::string> texts;
  for (const FieldWrite& w : out.writes) texts.push_back(w.text);
  return texts;
}

}  // namespace gw::hyd::testing
