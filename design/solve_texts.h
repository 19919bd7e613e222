// The SOLVE command's results as the pipe design window shows them: field texts, messages, pattern.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/hydraulics_state.h"
#include "hydraulics/solve_types.h"

namespace gw::design {

// One result field written by a solve: the field's control name, the text it receives (already
// put through the field's pattern) and the number behind it (NaN for flow_type and
// pipe_summary, whose values are texts).
struct FieldWrite {
  std::string field;
  std::string text;
  double value;
};

enum class MessageIcon { none, exclamation };

// A message box that the solve shows. An empty title means the box has no title of its own.
struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::none;
  std::string title;
};

// A solve as the window shows it.
// - ok: the hydraulics ran to the end; only then is pipe_solved to be set.
// - writes: the result fields in the order the shape's routine reaches them; on a failure, the
//   fields reached before it (they keep their text, the other result fields stay empty).
// - messages: the message boxes to show, in order.
// - number_format: the shared display pattern a shape routine leaves behind ("#0.000" or
//   "#0.0000"), absent when the solve stopped before a shape routine ran.
// - failure: on a failure, the description of what went wrong (for logs; not shown).
struct SolveOutcome {
  bool ok = false;
  std::vector<FieldWrite> writes;
  std::vector<Message> messages;
  std::optional<std::string> number_format;
  std::string failure;

  // The write of a field, or nullptr when the solve did not write it.
  const FieldWrite* find(std::string_view field) const;
  // The text written into a field, or the empty text when it was not written.
  std::string text(std::string_view field) const;
};

// The control names of the thirteen result fields.
namespace solve_field {
inline constexpr std::string_view capacity = "capacity";
inline constexpr std::string_view flow_type = "flow_type";
inline constexpr std::string_view pipe_flowdepth = "pipe_flowdepth";
inline constexpr std::string_view pipe_areaflow = "pipe_areaflow";
inline constexpr std::string_view pipe_velocity = "pipe_velocity";
inline constexpr std::string_view hyd_radius = "hyd_radius";
inline constexpr std::string_view pipe_WP = "pipe_WP";
inline constexpr std::string_view FROUDE_NO = "FROUDE_NO";
inline constexpr std::string_view pipe_summary = "pipe_summary";
inline constexpr std::string_view energy = "energy";
inline constexpr std::string_view flow_time = "flow_time";
inline constexpr std::string_view critical_depth = "critical_depth";
inline constexpr std::string_view friction_slope = "friction_slope";
}  // namespace solve_field

// The texts the solve writes and shows.
namespace solve_text {
inline constexpr std::string_view pressure_flow = "PRESSURE FLOW";
inline constexpr std::string_view partial_flow = "PARTIAL FLOW";
inline constexpr std::string_view subcritical_flow = "SUBCRITICAL FLOW";
inline constexpr std::string_view critical_flow = "CRITICAL FLOW";
inline constexpr std::string_view supercritical_flow = "SUPERCRITICAL FLOW";

inline constexpr std::string_view error_title = "Errur";
inline constexpr std::string_view check_discharge = "No results computed.  Check your input for discharge!";
inline constexpr std::string_view check_slope = "No results computed.  Check your input for Pipe Slope!";
inline constexpr std::string_view invalid_input = "No results computed.  Invalid input.";
inline constexpr std::string_view invalid_data = "Invalid Data Input Error";
inline constexpr std::string_view solved = "Solved! Please check and Save your results";
}  // namespace solve_text

std::string_view text_of(hyd::FlowRegime regime);
std::string_view text_of(hyd::FlowState state);

// What the window shows for a solve of `in`:
// - a discharge that is not a number (NaN or infinite) shows "No results computed.  Invalid
//   input."; one of 0 or less shows "No results computed.  Check your input for discharge!"
//   with the title "Errur"; the same for the slope, with "No results computed.  Check your
//   input for Pipe Slope!";
// - a failed shape routine shows "Invalid Data Input Error" and nothing after it;
// - a solve that ran to the end shows "Solved! Please check and Save your results" (no icon,
//   no title).
// The results are written with "0.000", the friction slope with "0.0000"; the flow type and the
// flow summary as texts. A circular pipe's capacity comes before its flow type, the other
// shapes' flow type before their capacity.
SolveOutcome solve_outcome(const hyd::SolveInput& in, const hyd::SolveResult& result);

// Solves `in` (hyd::solve_pipe) and gives what the window shows for it.
SolveOutcome solve_for_window(const hyd::SolveInput& in, hyd::HydraulicsState& state);

}  // namespace gw::design
