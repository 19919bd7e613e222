// What a spreadsheet makes of a text typed into a cell: a number or a text.
#pragma once

#include <optional>
#include <string_view>

namespace gw::wb {

// Takes the text a user would type. Gives its number when the spreadsheet would store a
// number: blanks around it, an optional sign, digits with one decimal point, an optional
// exponent, and thousands separators in groups of three ("1,234.5"). No value for any
// other text (the empty text, "24 X 30", "O.K.", a number beyond the double range).
std::optional<double> typed_number(std::string_view text);

}  // namespace gw::wb
