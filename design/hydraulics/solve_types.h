// What goes into and comes out of one pipe solve: inputs, field writes, messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    std::string unit_system;    // "ENGLISH" gives English units, any other text metric units
};

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

// The outcome of a solve.
// - ok: the hydraulics ran to the end; only then is pipe_solved to be set.
// - writes: the result fields in the order the routine writes them; on a failure, the fields
//   written before it (they keep their text, the other result fields stay empty).
// - messages: the message boxes to show, in order.
// - number_format: the shared display pattern the routine set ("#0.000" or "#0.0000"), absent
//   when the solve stopped before a shape routine ran.
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
namespace field {
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
}  // namespace field

// The texts the solve writes and shows.
namespace text {
inline constexpr std::string_view pressure_flow = "PRESSURE FLOW";
inline constexpr std::string_view partial_flow = "PARTIAL FLOW";
inline constexpr std::string_view subcritical_flow = "SUBCRITICAL FLOW";
inline constexpr std::string_view critical_flow = "CRITICAL FLOW";
inline constexpr std::string_view supercritical_flow = "SUPERCRITICAL FLOW";

inline constexpr std::string_view error_title = "Errur";
inline constexpr std::string_view check_discharge =
    "No results computed.  Check your input for discharge!";
inline constexpr std::string_view check_slope =
    "No results computed.  Check your input for Pipe Slope!";
inline constexpr std::string_view invalid_input = "No results computed.  Invalid input.";
inline constexpr std::string_view invalid_data = "Invalid Data Input Error";
inline constexpr std::string_view solved = "Solved! Please check and Save your results";
}  // namespace text

}  // namespace gw::hyd
