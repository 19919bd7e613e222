// Texts of cells as the workbook's XML holds them: characters that XML cannot carry are
// written as "_xHHHH_", and bytes that are no UTF-8 are replaced.
#pragma once

#include <string>
#include <string_view>

namespace gw::wb {

// Takes any bytes. Gives a valid UTF-8 text that XML can hold: invalid UTF-8 bytes become
// U+FFFD, control characters other than tab, line feed and carriage return become
// "_xHHHH_", and a "_xHHHH_" already in the text is kept by escaping its underscore.
std::string encode_cell_text(std::string_view text);

// The reverse of encode_cell_text: "_xHHHH_" back to its character.
std::string decode_cell_text(std::string_view text);

}  // namespace gw::wb
