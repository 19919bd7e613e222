// Drainage-area arithmetic of the land-use rows: C ranges, bounded C, row products,
// totals and the stored comma lists of areas and C values.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw::design::area {

// One land-use row as designed: its label, the caption of its C range ("0.80 - 0.90") and
// the C shown when nothing is stored; `heading` is the group label shown above the row
// ("RESIDENTIAL:"), empty for none.
struct LandUseRow {
  const char* heading;
  const char* label;
  const char* c_range;
  const char* default_c;
};

// Bounds of a row's runoff coefficient.
struct CRange {
  double low = 0;
  double high = 0;
};

// Takes a range caption. Splits it at the first "-" and reads both parts as numbers
// ("0.80 - 0.90" gives 0.8 and 0.9). Raises gw::Error when a part is not a number.
CRange parse_c_range(std::string_view caption);

// Takes the text of a C field and its row's range. Gives the text the field must hold:
// an empty text, one that is not a number or one below the low bound gives the low bound
// in the general number text ("0.8"); one above the high bound gives the high bound;
// any other text comes back unchanged.
std::string bounded_c_text(std::string_view c_text, const CRange& range);

// Trims blanks (spaces) at both ends, as the area fields are trimmed.
std::string trim_blanks(std::string_view text);

// Takes a row's area and C texts. Gives C * A when both read as numbers, nothing
// otherwise (the row then shows no product).
std::optional<double> row_product(std::string_view area_text, std::string_view c_text);

// Sums of the rows: total area and total C * A.
struct Totals {
  double area = 0;
  double ca = 0;
};

// Takes the area and C texts of the rows (same count). A row whose trimmed area is empty or
// does not read as a number adds nothing; otherwise its area is added, and its C * A when
// its C reads as a number. Raises gw::Error("Overflow") for sums beyond the double range.
Totals area_totals(const std::vector<std::string>& areas, const std::vector<std::string>& cs);

// A row field whose text the totals cannot read.
struct UnreadableField {
  std::size_t row = 0;
  bool area = true;  // the area; else the C
};

// Takes the area and C texts of the rows (same count). Gives the first field that is no
// finite number: an area written as a number beyond the double range (blanks and a lone
// decimal point count as empty), or beside an area that reads, a C beyond that range, empty
// or a lone point. Any other text (the rest of a longer stored list in the last row) is left
// as it is and adds nothing. Nothing when every field reads.
std::optional<UnreadableField> first_unreadable_field(const std::vector<std::string>& areas,
                                                      const std::vector<std::string>& cs);

// Joins the row texts with "," (N fields, N - 1 commas).
std::string join_rows(const std::vector<std::string>& texts);

// Splits a stored list at "," into at most `rows` parts, the last part taking the rest of
// the text, so that a longer list loses nothing when it is joined again. A shorter list
// gives fewer parts: the rows without a part keep what they show. The empty text gives
// no parts.
std::vector<std::string> split_rows(std::string_view text, std::size_t rows);

}  // namespace gw::design::area
