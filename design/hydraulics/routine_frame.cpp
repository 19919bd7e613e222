// The frame shared by the shape routines: unit set, input checks, result texts, Froude to flow time.
#include "design/hydraulics/routine_frame.h"

#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include "design/hydraulics/trial_depths.h"
#include "platform/text/checked.h"
#include "platform/text/error.h"
#include "platform/text/format.h"

namespace gw::hyd::detail {

UnitSet unit_set(std::string_view unit_system, GravityPair pair) {
    const bool english = unit_system == "ENGLISH";
    const bool cb = pair == GravityPair::circular_box;
    if (english) return {12.0, 1.486, cb ? 32.2 : 32.16, "#0.000"};
    return {1000.0, 1.0, cb ? 9.8 : 9.81, "#0.0000"};
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

Frame::Frame(const SolveInput& in, HydraulicsState& st, SolveOutcome& out, GravityPair pair)
    : units(unit_set(in.unit_system, pair)), state(st), in_(in), out_(out) {}

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

void Frame::write(std::string_view field, double value, std::string_view pattern) {
    out_.writes.push_back({std::string(field), gw::text::format(value, pattern), value});
}

void Frame::write(std::string_view field, std::string_view text) {
    out_.writes.push_back(
        {std::string(field), std::string(text), std::numeric_limits<double>::quiet_NaN()});
}

std::string_view flow_summary(double froude) {
    if (froude < 1) return text::subcritical_flow;
    if (froude == 1.0) return text::critical_flow;
    return text::supercritical_flow;
}

void Frame::froude_to_flow_time(double y, const FlowInputs& flow) {
    const double g = units.gravity;
    const double v = state.flow_velocity;
    state.froude_number = checked_div(v, checked_pow(checked(y * g), 0.5));
    write(field::FROUDE_NO, state.froude_number);
    write(field::pipe_summary, flow_summary(state.froude_number));
    state.specific_energy = checked(checked_pow(v, 2) / 2 / g + y);
    write(field::energy, state.specific_energy);
    state.travel_time = checked_div(flow.length, v);
    write(field::flow_time, state.travel_time);
}

SolveOutcome run_routine(const SolveInput& in, HydraulicsState& state, GravityPair pair,
                         RoutineBody body) {
    SolveOutcome out;
    Frame frame(in, state, out, pair);
    out.number_format = std::string(frame.units.number_format);
    try {
        body(frame, in);
        out.ok = true;
    } catch (const std::exception& e) {
        out.failure = e.what();
        out.messages.push_back({std::string(text::invalid_data), MessageIcon::exclamation, ""});
    }
    return out;
}

}  // namespace gw::hyd::detail
