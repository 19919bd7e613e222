// One pipe's row of form LD229: the column map, the read-back columns and the row counter.
#include "reports/ld229_row.h"

#include <optional>

#include "platform/text/checked.h"
#include "platform/text/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::reports {

namespace {

constexpr const char* kInvalidUseOfNull = "Invalid use of Null";

// What a cell holds when the report reads it back: blank, a number or a text.
struct CellRead {
  std::optional<double> number;
  std::string text;
  bool blank() const { return !number && text.empty(); }
};

CellRead read(const wb::Workbook& sheet, int row, int col) {
  CellRead r;
  r.number = sheet.number(row, col);
  if (!r.number) r.text = sheet.text(row, col);
  return r;
}

// A cell's value taken as a number: a blank cell is 0, a number itself, a text only when it
// reads as a number ("Type mismatch" otherwise).
double as_number(const CellRead& r) {
  if (r.number) return *r.number;
  if (r.text.empty()) return 0;
  return text::to_number(r.text);
}

}  // namespace

int next_ld229_row(int row) {
  if (row >= kLd229LastRow) throw gw::Error(runtime_message::overflow);
  return row + 1;
}

std::string ld229_size_text(const Ld229Pipe& pipe) {
  if (pipe.pipe_shape == "Circular") return pipe.pipe_dia;
  if (pipe.span_null || pipe.rise_null) throw gw::Error(kInvalidUseOfNull);
  return pipe.span + " X " + pipe.rise;
}

std::string ld229_height_text(const Ld229Pipe& pipe) {
  return pipe.pipe_shape == "Circular" ? pipe.pipe_dia : pipe.rise;
}

void write_ld229_row(wb::Workbook& sheet, int row, const Ld229Pipe& pipe, const std::string& number_format,
                     double dia_divisor) {
  sheet.set_value(row, 1, pipe.pipe_number);
  sheet.set_value(row, 2, pipe.nodein_no);
  sheet.set_value(row, 3, pipe.nodein_station);
  sheet.set_value(row, 4, pipe.nodeout_no);
  sheet.set_value(row, 5, pipe.nodeout_station);
  sheet.set_value(row, 6, pipe.structure_area);
  sheet.set_value(row, 8, pipe.structure_ca);

  // Runoff coefficient C = C*A / A, only where the structure has a C*A.
  const CellRead ca = read(sheet, row, 8);
  if (!ca.blank() && as_number(ca) > 0) {
    const double c = text::checked_div(as_number(ca), as_number(read(sheet, row, 6)));
    sheet.set_number(row, 7, c);
    sheet.set_value(row, 7, text::format(as_number(read(sheet, row, 7)), number_format));
  }

  sheet.set_value(row, 9, pipe.accumulated_ca);
  sheet.set_value(row, 10, pipe.accumulated_tc);
  sheet.set_value(row, 11, pipe.pipe_i);
  sheet.set_value(row, 12, pipe.lateral_discharge);
  sheet.set_value(row, 13, pipe.pipe_discharge);
  sheet.set_value(row, 14, pipe.pipe_elein);
  sheet.set_value(row, 15, pipe.pipe_eleout);
  sheet.set_value(row, 16, pipe.pipe_length);
  sheet.set_value(row, 17, pipe.pipe_slope);
  sheet.set_value(row, 18, ld229_size_text(pipe));
  sheet.set_value(row, 19, pipe.pipe_shape);
  sheet.set_value(row, 20, pipe.numofpipes);
  sheet.set_value(row, 21, pipe.capacity);
  sheet.set_value(row, 22, pipe.friction_slope);
  sheet.set_value(row, 23, pipe.pipe_flowdepth);
  sheet.set_value(row, 24, pipe.pipe_areaflow);
  sheet.set_value(row, 25, pipe.hyd_radius);
  sheet.set_value(row, 26, pipe.pipe_velocity);
  sheet.set_value(row, 27, pipe.energy);

  // Flow time in minutes, kept as the form shows it: the time at the lower end adds the
  // rounded value.
  sheet.set_number(row, 28, text::to_number(pipe.flow_time) / 60.0);
  sheet.set_value(row, 28, text::format(as_number(read(sheet, row, 28)), number_format));
  sheet.set_number(row, 29, text::checked(as_number(read(sheet, row, 10)) + as_number(read(sheet, row, 28))));

  // Flow that fills the pipe: the depth reaches the height, both in feet or metres.
  const double height = text::checked_div(text::to_number(ld229_height_text(pipe)), dia_divisor);
  sheet.set_value(row, 30, as_number(read(sheet, row, 23)) < height ? "" : "Pressure Flow");
}

}  // namespace gw::reports
