// Banker's rounding on the decimal reading of a double.
#include "platform/text/round.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "platform/error/error.h"
#include "platform/text/decimal_digits.h"

namespace gw::text {

double round_half_even(double v, int decimals) {
  if (decimals < 0) throw Error(runtime_message::invalid_call);
  if (!std::isfinite(v)) throw Error(runtime_message::overflow);
  // Past about 340 decimals no double has a digit left to round; capping keeps the text short.
  if (decimals > 350) decimals = 350;

  const DecimalDigits d = decimal_digits(v, 15);
  const std::string text = scaled_integer(d, decimals, Tie::to_even) + "e-" + std::to_string(decimals);
  double result = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), result);
  // A value the rounding cannot carry past the double range (the largest ones) stays as it is;
  // only a value that really rounds to zero gives zero.
  if (res.ec == std::errc::result_out_of_range) {
    if (scaled_integer(d, decimals, Tie::to_even) != "0") return v;
    result = 0;
  }
  if (result == 0) return 0.0;
  return d.negative ? -result : result;
}

}  // namespace gw::text
