// The general number-to-text conversion: shortest decimal text, plain or in "1E+15" form.
#pragma once

#include <string>

namespace gw::text {

// Takes a finite double. Gives its shortest decimal text of at most 15 significant digits, without
// trailing zeros or leading blank: "0.3" for 0.1 + 0.2, "10", "-2.5", "0.0001". A value whose
// decimal exponent is 15 or more, or below -4, is written as mantissa and exponent with at least
// two exponent digits: "1E+15", "1.5E-05". Throws gw::Error("Overflow") for inf or nan.
std::string general(double v);

// The same for a single-precision value, with 7 significant digits and the plain form up to an
// exponent of 6: "0.1" for 0.1f, "1234567", "1E+07".
std::string general_single(float v);

}  // namespace gw::text
