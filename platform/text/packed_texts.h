// A row of texts packed into one block, each text preceded by its length: one allocation per
// row instead of one per text, for the many rows a grid or a report keeps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gw::text::packed {

// The block of a row of `cols` texts: those of `texts`, then empty texts up to `cols`.
std::string pack(const std::vector<std::string>& texts, int cols);
// A row of `cols` empty texts.
std::string empty(int cols);
// Text `col` of a row (the caller keeps `col` below the row's count).
std::string_view field(const std::string& row, int col);
// The row with `cols` texts instead of `old_cols`: cut, or padded with empty texts.
std::string resized(const std::string& row, int old_cols, int cols);
// The row of `cols` texts with text `col` replaced by `text`.
std::string with_field(const std::string& row, int cols, int col, std::string_view text);

}  // namespace gw::text::packed
