// A double's decimal reading: its significant digits and decimal exponent, and rounding on them.
#pragma once

#include <string>

namespace gw::text {

// The value is (negative ? -1 : 1) * d1.d2d3... * 10^exponent, where digits = "d1d2d3...".
// digits has no leading or trailing zeros; it is empty when the value is zero.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

enum class Tie { away_from_zero, to_even };

// Takes a finite double and a count of significant digits (1..17).
// Gives the value correctly rounded to that many significant digits, as decimal digits.
// Works without the C locale, so a program-wide locale never changes the decimal point.
DecimalDigits decimal_digits(double v, int significant);

// The same for a single-precision value.
DecimalDigits decimal_digits(float v, int significant);

// Takes decimal digits and a count of decimals (>= 0).
// Gives round(|value| * 10^decimals) as a digit string without leading zeros ("0" for zero),
// rounding on the decimal digits themselves: a value whose dropped digits are exactly "5" is a
// tie, resolved by `tie`. The sign is left to the caller.
std::string scaled_integer(const DecimalDigits& d, int decimals, Tie tie);

}  // namespace gw::text
