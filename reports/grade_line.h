// Hydraulic grade line of one node on form LD347: outlet water surface, friction and structure
// losses, grade line at the upper end and the check against the top of the structure.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/units/units.h"

namespace gw::reports {

// A worksheet value as a report hands it over: nothing (the cell keeps what the template has),
// a number, a text entered as a user would type it (a text that reads as a number is stored
// as one; the empty text leaves the cell blank), or a label: an identifier or a name, stored
// as text exactly as it stands ("001" stays "001"; the empty text leaves the cell blank).
struct SheetValue {
  enum class Kind { none, number, text, label };
  Kind kind = Kind::none;
  double number = 0;
  std::string text;

  static SheetValue of_number(double v) { return {Kind::number, v, {}}; }
  static SheetValue of_text(std::string t) { return {Kind::text, 0, std::move(t)}; }
  static SheetValue of_label(std::string t) { return {Kind::label, 0, std::move(t)}; }
  bool written() const { return kind != Kind::none; }
  // The value as a formula reads it back: a number, or a text that reads as one. A label, a
  // blank or unwritten cell and any other text give nothing.
  std::optional<double> as_number() const;
  bool operator==(const SheetValue&) const = default;
};

// The columns of the pipe whose node in is the row's node, as texts (a null column is the
// empty text).
struct GradeLinePipe {
  std::string number;          // PIPE_NUMBER
  std::string dia;             // PIPE_DIA, in or mm
  std::string shape;           // PIPE_SHAPE
  std::string manning_n;       // PIPE_MANN
  std::string span;            // SPAN, in or mm
  std::string rise;            // RISE, in or mm
  std::string length;          // PIPE_LENGTH
  std::string ele_out;         // PIPE_ELEOUT
  std::string ele_in;          // PIPE_ELEIN
  std::string flow_depth;      // PIPE_FLOWDEPTH
  std::string discharge;       // PIPE_DISCHARGE, all barrels
  std::string barrels;         // NUMOFPIPES
  std::string storm_freq;      // PIPE_STORM_FREQ
  std::string nodein_type;     // NODEIN_TYPE ("Inlet" for an inlet)
  std::string nodein_shaping;  // NODEIN_SHAPING ("YES" or "NO")
  std::string structure_ca;    // STRUCTURE_CA
  std::string intensity;       // PIPE_I
  std::string velocity;        // PIPE_VELOCITY
  std::string nodein_station;  // NODEIN_STATION
  std::string nodein_top;      // NODEIN_TOPELE
};

// A lateral: another pipe ending at the row's node.
struct GradeLineLateral {
  std::string number;     // PIPE_NUMBER
  std::string velocity;   // PIPE_VELOCITY
  std::string discharge;  // PIPE_DISCHARGE
  std::string skew;       // PIPE_SKEW, deflection in degrees
};

// The 27 cells of one row of the form (index 1..27; index 0 unused) and the row's storm
// frequency (PIPE_STORM_FREQ, blanks trimmed).
struct GradeLineRow {
  std::array<SheetValue, 28> col;
  std::string storm_frequency;
  const SheetValue& operator[](int c) const { return col[static_cast<std::size_t>(c)]; }
};

// Takes the row's node, its pipe, the laterals ending at the node (in query order), the grade
// line of the row downstream (column 25 there; the tailwater elevation for the first row of
// the outfall's branches) and the unit constants. Gives the row:
//   1 node, 2 station, 3 outlet invert, 4 height (ft/m), 5 outlet water surface = highest of
//   downstream grade line, invert + flow depth and invert + 0.8 height, 6 size ("S X R" for
//   shapes with a span), 7 discharge per barrel, 8 length, 9 friction slope of the full section
//   (the one SOLVE computes: (n Q / (k A_f R_f^(2/3)))^2, with A_f and R_f below), 10 friction loss,
//   11 velocity, 12 exit loss 0.25 V^2/2g, 13 velocity of the lateral with the largest Q V,
//   14 its velocity head, 15 0.35 of it, 16 deflection and 17 bend coefficient of the lateral
//   with the largest bend loss (laterals carrying more than a tenth of column 7 only), 18 that
//   loss, 19 = 12 + 15 + 18, 20 the inlet's own inflow C A i (a discharge), 21 = 19, times 1.3 unless column
//   20 is below 0.2 column 7, 22 shaping, 23 = 21, halved with shaping "YES", 24 = 10 + 23, 25 grade line =
//   24 + 5, at least the inlet invert + flow depth, 26 top of structure, 27 "O.K." when 26 is not below 25,
//   else "ADJUST".
// Full sections, sizes in ft or m: circular A_f = pi D^2 / 4, R_f = D / 4; elliptical
// A_f = pi S R / 4, R_f = A_f / (pi (S + R) / 2); box A_f = S R, R_f = S R / (2 (S + R)) (wetted
// all round, as in SOLVE); any other shape (the arches) A_f = 0.781 (S R)^1.003,
// R_f = 0.241 (S R)^0.4965.
// The node (1) and its station (2) are identifiers, handed over as labels; other stored texts
// as they are; computed values as numbers. A value that a formula needs
// and that is not a number (or a division by zero, or a power out of range) leaves that cell
// unwritten, and so every cell computed from it: nothing is computed from a value that could
// not be read. So a pipe without a diameter (or rise) leaves its height (4) blank, and an empty
// length leaves the length (8) and the friction loss (10) blank, with what follows from them.
// Defaults: an empty lateral velocity or deflection is 0, an empty C A or intensity is 0.
// Pure: no window, database or workbook.
GradeLineRow grade_line_row(const std::string& node, const GradeLinePipe& pipe,
                            const std::vector<GradeLineLateral>& laterals,
                            const SheetValue& downstream_grade_line, const Units& units);

}  // namespace gw::reports
