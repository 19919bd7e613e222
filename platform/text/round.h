// Explicit rounding of a number to a count of decimals, a tie going to the even digit.
#pragma once

namespace gw::text {

// Takes a finite double and a count of decimals (>= 0). Gives the value rounded to that many
// decimals, the value being read as its 15-significant-digit decimal text, so a value written
// "2.675" is a tie even though its binary double lies just below it. A tie goes to the even last
// digit (banker's rounding): 2.5 -> 2, 3.5 -> 4, 0.125 -> 0.12, 0.135 -> 0.14.
// Throws gw::Error("Invalid procedure call or argument") for a negative count of decimals and
// gw::Error("Overflow") for inf or nan.
double round_half_even(double v, int decimals = 0);

}  // namespace gw::text
