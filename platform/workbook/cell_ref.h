// Cell references in A1 form: "AB12" to (row, column) and back, and moving the
// relative references of a formula.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gw::wb {

inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxCol = 16384;

struct CellPos {
  int row = 0;  // from 1
  int col = 0;  // from 1
};

// "A" for 1, "Z" for 26, "AA" for 27. Takes 1..kMaxCol.
std::string column_name(int col);
// "C5" for (5, 3).
std::string cell_name(int row, int col);
// Reads "C5" or "$C$5" (letters in either case); no value for anything else or a cell
// beyond the sheet's limits.
std::optional<CellPos> parse_cell(std::string_view ref);

// Takes a formula's text (without the "="), and the rows and columns by which it moves
// (as when a formula is copied from one cell to another). Gives the formula with every
// relative row and column of its A1 references moved; absolute ($) parts stay. Text in
// double quotes and quoted sheet names are left alone. A reference moved off the sheet
// becomes "#REF!".
std::string move_formula(std::string_view formula, int rows, int cols);

}  // namespace gw::wb
