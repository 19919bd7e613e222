// Slope of a pipe from its length and its two invert elevations, as the pipe design window writes it.
#include "design/pipe_slope.h"

#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::design {

SlopeResult compute_pipe_slope(std::string_view length, std::string_view elein, std::string_view eleout) {
  if (length.empty() || elein.empty() || eleout.empty()) return {SlopeStatus::blank, "0.0"};
  try {
    const double in = text::to_number(elein);
    const double out = text::to_number(eleout);
    if (in <= out) return {SlopeStatus::wrong_order, "0.0"};
    const double len = text::to_number(length);
    const double slope = math::checked_div(math::checked(in - out), len);
    return {SlopeStatus::computed, text::format(slope, "0.00000")};
  } catch (const gw::Error&) {
    return {SlopeStatus::input_error, ""};
  }
}

}  // namespace gw::design
