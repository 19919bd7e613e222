// One pipe's row of form LD229: the column map and the columns formed from other columns.
#pragma once

#include <string>

#include "platform/error/error.h"
#include "platform/workbook/cell_ref.h"
#include "platform/workbook/workbook.h"

namespace gw::reports {

// The PIPE values one row of form LD229 takes, each as text (a null column as the empty
// text); SPAN and RISE also say whether they were null, since the size text of a pipe
// that is not circular cannot be formed from a null.
struct Ld229Pipe {
  std::string pipe_number, nodein_no, nodein_station, nodeout_no, nodeout_station;
  std::string structure_area, structure_ca, accumulated_ca, accumulated_tc, pipe_i;
  std::string lateral_discharge, pipe_discharge, pipe_elein, pipe_eleout, pipe_length;
  std::string pipe_slope, pipe_shape, pipe_dia, span, rise, numofpipes, capacity;
  std::string friction_slope, pipe_flowdepth, pipe_areaflow, hyd_radius, pipe_velocity;
  std::string energy, flow_time;
  bool span_null = false;
  bool rise_null = false;
};

// The first row of pipes on the form; each pipe takes the next row, up to the last row of the
// sheet.
inline constexpr int kLd229FirstRow = 12;
inline constexpr int kLd229LastRow = wb::kMaxRow;
// The columns of a pipe's row.
inline constexpr int kLd229Columns = 30;

// A pipe value that its row cannot take: the column that could not be written and why.
// what() is "column <n>: <reason>".
class Ld229RowError : public gw::Error {
 public:
  Ld229RowError(int column, const std::string& reason)
      : gw::Error("column " + std::to_string(column) + ": " + reason), column_(column) {}
  int column() const { return column_; }

 private:
  int column_;
};

// Column 18, the size text: the diameter of a "Circular" pipe (exact, case-sensitive), else
// span, " X " and rise joined. Throws Ld229RowError (column 18) when a pipe that is not
// circular has a null span or rise.
std::string ld229_size_text(const Ld229Pipe& pipe);

// The pipe height as text, in inches or millimetres: PIPE_DIA of a "Circular" pipe, RISE
// of any other.
std::string ld229_height_text(const Ld229Pipe& pipe);

// Writes one pipe into `row` of the active sheet, columns 1 to 6, 8, 7, 9 to 30. The pipe and
// node numbers, the stations (1 to 5) and the shape (19) are labels, kept as text as they
// stand; the other stored values are written as typed (a numeric text becomes a number).
// Columns 7,
// 28, 29 and 30 are formed from what the sheet holds in other columns of the row once they
// are written, as the form's own cells would give them (worked out from the pipe's texts as
// the sheet stores them, not read back from the sheet):
// - 7: column 8 / column 6 when column 8 is not blank and is above 0, written as text in
//   `number_format`; otherwise column 7 is left as the template has it;
// - 28: FLOW_TIME (seconds) / 60, written in `number_format`;
// - 29: column 10 + column 28 (the rounded minutes), unformatted;
// - 30: "Pressure Flow" unless column 23 (flow depth) is below the pipe height divided by
//   `dia_divisor` (inches or millimetres to feet or metres), else blank.
// A blank cell reads as 0; a text cell that is not a number fails. Throws Ld229RowError
// naming the column that could not be written and the value it lacks; the cells written
// before the failure stay written.
void write_ld229_row(wb::Workbook& sheet, int row, const Ld229Pipe& pipe, const std::string& number_format,
                     double dia_divisor);

}  // namespace gw::reports
