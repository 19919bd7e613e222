// Fixed number patterns ("0.000", "#0.0000", "#,##0.00"): numbers written with a set count of decimals.
#pragma once

#include <string>
#include <string_view>

namespace gw::text {

// Takes a finite double and a pattern. Gives the value written with the pattern:
// - before the point, '0' marks a digit always written and '#' a digit written only when
//   needed; a ',' among them groups the integer digits by thousands ("#,##0.00");
// - after the point, each '0' is a decimal always written and each '#' a decimal written only
//   when it is not a trailing zero.
// "0.000" thus writes at least one digit before the point and exactly three decimals.
// The value is first read to 15 significant digits, then rounded on that decimal text with a
// half going away from zero: 1.0005 gives "1.001", 2.675 with "0.00" gives "2.68". A negative
// value keeps its sign even when it rounds to zero: -0.001 with "0.00" gives "-0.00".
// The empty pattern writes the general text (general.h). Throws gw::Error("Overflow") for inf
// or nan, and gw::Error for a pattern outside this grammar (a fault of the caller).
std::string format(double v, std::string_view pattern);

// Formats the text of a field: a text that reads as a number (parse.h, to_number) is written
// with the pattern, any other text (the empty text included) comes back unchanged.
std::string format_text(std::string_view text, std::string_view pattern);

}  // namespace gw::text
