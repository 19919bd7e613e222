// A row of texts packed into one block, each text preceded by its length: one allocation per
// row instead of one per text, for the many rows a grid or a report keeps.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gw::text::packed {

// The block of a row of `cols` texts: those of `texts`, then empty texts up to `cols`. Each
// length is written seven bits a byte, low bits first, the high bit set on every byte but the
// last: a text of up to 127 bytes takes one byte of length, up to 16,383 two, and so on.
std::string pack(const std::vector<std::string>& texts, int cols);
// The block of a row of the texts of `texts`, as many as it holds.
std::string pack(std::span<const std::string_view> texts);
// A row of `cols` empty texts.
std::string empty(int cols);
// The texts of a row of `out.size()` texts, read in one pass, into `out` (views into `row`,
// valid while it is unchanged). False when `row` is not such a row: a length cut off or too
// large for a length, a text running past the end of the block, fewer or more texts than
// `out` holds; `out` is then unspecified. Nothing is read outside the block.
bool unpack(std::string_view row, std::span<std::string_view> out);
// The first `out.size()` texts of a row, read in one pass, into `out`, whatever follows them.
// False when the row holds fewer or is malformed before the last of them ends.
bool unpack_leading(std::string_view row, std::span<std::string_view> out);
// Text `col` of a row; the empty text when the row has no text `col`, or when the block is
// malformed before it ends.
std::string_view field(std::string_view row, int col);
// The row with `cols` texts instead of `old_cols`: cut, or padded with empty texts.
std::string resized(std::string_view row, int old_cols, int cols);
// The row of `cols` texts with text `col` replaced by `text`.
std::string with_field(std::string_view row, int cols, int col, std::string_view text);

}  // namespace gw::text::packed
