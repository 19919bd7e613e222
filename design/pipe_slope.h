// Slope of a pipe from its length and its two invert elevations, as the pipe design window writes it.
#pragma once

#include <string>
#include <string_view>

namespace gw::design {

// How the slope came out.
enum class SlopeStatus {
  blank,        // a field is empty: slope "0.0", nothing to say
  wrong_order,  // El. OUT is not below El. IN: slope "0.0" and the order message
  input_error,  // a text is not a number, or the length is 0: slope unchanged, the input message
  computed,     // the slope text
};

struct SlopeResult {
  SlopeStatus status;
  std::string text;  // the new slope text; empty for input_error (the field keeps its text)
};

// Takes the texts of the length and of the invert elevations at the upper (in) and lower (out)
// end, in ft or m alike. Gives (in - out) / length written with "0.00000" when all three read
// as numbers, in is above out and the length is not 0. The tests run in this order: any text
// empty gives blank; an elevation that is not a number gives input_error; in <= out gives
// wrong_order (the length is not read then); a length that is not a number, or 0, gives
// input_error. Assumes nothing of the signs: elevations below zero are ordinary values.
SlopeResult compute_pipe_slope(std::string_view length, std::string_view elein, std::string_view eleout);

}  // namespace gw::design
