// Inputs and expectations shared by the hydraulics tests.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hydraulics/solve.h"
#include "hydraulics/solve_texts.h"

namespace gw::hyd::testing {

// The tests read a solve as the pipe design window shows it: its field texts and messages.
namespace field = hyd::solve_field;
namespace text = hyd::solve_text;

inline SolveOutcome solve(const SolveInput& in, HydraulicsState& state) {
  return hyd::solve_for_window(in, state);
}

// The result of a shape routine as the window shows it.
inline SolveOutcome shown(const SolveInput& in, const SolveResult& result) {
  return hyd::solve_outcome(in, result);
}

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
