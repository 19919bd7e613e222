// The SOLVE command of the pipe design window, without the window.
#include "design/hydraulics/solve.h"

#include <cmath>
#include <string>

namespace gw::hyd {

namespace {

SolveOutcome refused(std::string_view message, std::string_view title) {
    SolveOutcome out;
    out.failure = std::string(message);
    out.messages.push_back({std::string(message), MessageIcon::exclamation, std::string(title)});
    return out;
}

}  // namespace

SolveOutcome solve_pipe_hydraulics(const SolveInput& in, HydraulicsState& state) {
    if (in.pipe_shape == "Circular") return circular_pipe_results(in, state);
    if (in.pipe_shape == "Elliptical") return elliptical_pipe_results(in, state);
    if (in.pipe_shape == "Rectangulr" || in.pipe_shape == "Box") {
        return box_pipe_results(in, state);
    }
    return arch_pipe_results(in, state);
}

SolveOutcome solve(const SolveInput& in, HydraulicsState& state) {
    if (!std::isfinite(in.pipe_discharge)) return refused(text::invalid_input, "");
    if (in.pipe_discharge <= 0) return refused(text::check_discharge, text::error_title);
    if (!std::isfinite(in.pipe_slope)) return refused(text::invalid_input, "");
    if (in.pipe_slope <= 0) return refused(text::check_slope, text::error_title);

    SolveOutcome out = solve_pipe_hydraulics(in, state);
    if (out.ok) out.messages.push_back({std::string(text::solved), MessageIcon::none, ""});
    return out;
}

}  // namespace gw::hyd
