// Checked arithmetic: operations that fail with a description instead of giving inf or nan.
#pragma once

#include "platform/error/error.h"

namespace gw::math {

// Gives v when it is finite; otherwise throws gw::Error(what).
double checked(double v, const char* what = runtime_message::overflow);

// a / b. Throws gw::Error("Division by zero") when b is 0 and a is not, gw::Error("Overflow")
// for 0 / 0 and for a quotient beyond the double range.
double checked_div(double a, double b);

// base raised to exponent. Throws gw::Error("Invalid procedure call or argument") for a
// negative base with a fractional exponent, gw::Error("Division by zero") for a zero base with a
// negative exponent, gw::Error("Overflow") for a result beyond the double range. 0 ^ 0 is 1.
double checked_pow(double base, double exponent);

// Square root. Throws gw::Error("Invalid procedure call or argument") for a negative value.
double checked_sqrt(double v);

// Natural logarithm. Throws gw::Error("Invalid procedure call or argument") for a value <= 0.
double checked_log(double v);

// Conversion to single precision (round to nearest). Throws gw::Error("Overflow") for a value
// beyond the single range or not finite.
float to_single(double v);

}  // namespace gw::math
