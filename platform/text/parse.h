// Reading numbers from field texts: strict conversion, the numeric test, and the lenient prefix read.
#pragma once

#include <optional>
#include <string_view>

namespace gw::text {

// Reads a whole text as a number. Accepted: blanks (space, tab) before and after, an optional
// sign, digits with at most one decimal point (at least one digit), and an optional exponent
// "E"/"e" with optional sign and at least one digit. Nothing else: no thousands separator
// ("1,000" is not a number), no blank after the sign, no currency or hexadecimal forms.
// Throws gw::Error("Type mismatch") for any other text, the empty text included, and
// gw::Error("Overflow") for a number beyond the double range; a number too small for it reads 0.
double to_number(std::string_view text);

// As to_number, giving no value instead of throwing.
std::optional<double> try_number(std::string_view text);

// True when to_number would read the text without failure.
bool is_numeric(std::string_view text);

// True when the text is written as a number that lies beyond the double range (to_number
// raises "Overflow"): 310 digits pasted into a numeric field.
bool beyond_double_range(std::string_view text);

// Reads the longest number at the start of a text, ignoring spaces, tabs and line feeds
// anywhere in it: "12abc" gives 12, " 1 2 3" gives 123, "abc" and "" give 0.
// Throws gw::Error("Overflow") for a number beyond the double range.
double val(std::string_view text);

}  // namespace gw::text
