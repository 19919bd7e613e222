// One pipe's row of form LD229: the column map and the columns formed from other columns.
#include "reports/ld229_row.h"

#include <cmath>
#include <optional>

#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "platform/workbook/typed_entry.h"

namespace gw::reports {

namespace {

// What a cell holds once a text is written into it as a typed entry (the sheet stores a
// numeric text as a number): blank, a number or a text. The columns that other columns are
// formed from are worked out from the pipe's texts this way, not read back from the sheet.
struct CellRead {
  std::optional<double> number;
  std::string_view text;
  bool blank() const { return !number && text.empty(); }
};

CellRead typed(std::string_view text) { return {wb::typed_number(text), text}; }

// A cell's value taken as a number: a blank cell is 0, a number itself, a text only when it
// reads as a number; nothing otherwise.
std::optional<double> as_number(const CellRead& r) {
  if (r.number) return *r.number;
  if (r.text.empty()) return 0.0;
  return text::try_number(r.text);
}

// A value a column needs, or the failure naming that column and what it lacks.
double need(std::optional<double> v, int column, const char* reason) {
  if (!v || !std::isfinite(*v)) throw Ld229RowError(column, reason);
  return *v;
}

}  // namespace

std::string ld229_size_text(const Ld229Pipe& pipe) {
  if (pipe.pipe_shape == "Circular") return pipe.pipe_dia;
  if (pipe.span_null || pipe.rise_null)
    throw Ld229RowError(18, "the pipe size needs both the span and the rise");
  return pipe.span + " X " + pipe.rise;
}

std::string ld229_height_text(const Ld229Pipe& pipe) {
  return pipe.pipe_shape == "Circular" ? pipe.pipe_dia : pipe.rise;
}

void write_ld229_row(wb::Workbook& sheet, int row, const Ld229Pipe& pipe, const std::string& number_format,
                     double dia_divisor) {
  sheet.set_text(row, 1, pipe.pipe_number);
  sheet.set_text(row, 2, pipe.nodein_no);
  sheet.set_text(row, 3, pipe.nodein_station);
  sheet.set_text(row, 4, pipe.nodeout_no);
  sheet.set_text(row, 5, pipe.nodeout_station);
  // Where the structure has a C*A, its area is named where the runoff coefficient needs it.
  const std::string no_text;
  const std::string& area_text = typed(pipe.structure_ca).blank() ? pipe.structure_area : no_text;
  // The numbers written as the pipe holds them: a stored text that is no number ("NaN",
  // "1,000", "0x10") is named with its column rather than written into the form. The time of
  // concentration and the flow depth are named where the columns formed from them need them.
  const struct {
    int column;
    const std::string& text;
    const char* name;
  } plain[] = {{6, area_text, "the drainage area (STRUCTURE_AREA)"},
               {9, pipe.accumulated_ca, "the accumulated C x A (ACCUMULATED_CA)"},
               {11, pipe.pipe_i, "the intensity (PIPE_I)"},
               {12, pipe.lateral_discharge, "the lateral discharge (LATERAL_DISCHARGE)"},
               {13, pipe.pipe_discharge, "the discharge (PIPE_DISCHARGE)"},
               {14, pipe.pipe_elein, "the elevation in (PIPE_ELEIN)"},
               {15, pipe.pipe_eleout, "the elevation out (PIPE_ELEOUT)"},
               {16, pipe.pipe_length, "the length (PIPE_LENGTH)"},
               {17, pipe.pipe_slope, "the slope (PIPE_SLOPE)"},
               {20, pipe.numofpipes, "the number of pipes (NUMOFPIPES)"},
               {21, pipe.capacity, "the capacity (CAPACITY)"},
               {22, pipe.friction_slope, "the friction slope (FRICTION_SLOPE)"},
               {24, pipe.pipe_areaflow, "the area of flow (PIPE_AREAFLOW)"},
               {25, pipe.hyd_radius, "the hydraulic radius (HYD_RADIUS)"},
               {26, pipe.pipe_velocity, "the velocity (PIPE_VELOCITY)"},
               {27, pipe.energy, "the energy (ENERGY)"}};
  for (const auto& p : plain)
    if (!p.text.empty() && !text::is_numeric(p.text))
      throw Ld229RowError(p.column, std::string(p.name) + " holds \"" + p.text + "\", which is not a number");

  sheet.set_value(row, 6, pipe.structure_area);
  sheet.set_value(row, 8, pipe.structure_ca);

  // Runoff coefficient C = C*A / A, only where the structure has a C*A.
  const CellRead ca_cell = typed(pipe.structure_ca);
  constexpr const char* kRunoff =
      "the runoff coefficient needs a C x A (column 8) and a drainage area (column 6) that are numbers, the "
      "area not 0";
  if (!ca_cell.blank()) {
    const double ca = need(as_number(ca_cell), 7, kRunoff);
    if (ca > 0) {
      const double area = need(as_number(typed(pipe.structure_area)), 7, kRunoff);
      if (area == 0) throw Ld229RowError(7, kRunoff);
      const double c = need(ca / area, 7, kRunoff);
      sheet.set_value(row, 7, text::format(c, number_format));
    }
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
  sheet.set_text(row, 19, pipe.pipe_shape);
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
  const double seconds =
      need(text::try_number(pipe.flow_time), 28, "the flow time (FLOW_TIME) is empty or not a number");
  const std::string minutes = text::format(seconds / 60.0, number_format);
  sheet.set_value(row, 28, minutes);
  const double tc = need(as_number(typed(pipe.accumulated_tc)), 29,
                         "the time of concentration (column 10) is not a number");
  sheet.set_number(row, 29,
                   need(tc + *as_number(typed(minutes)), 29, "the time at the lower end is out of range"));

  // Flow that fills the pipe: the depth reaches the height, both in feet or metres.
  const char* height_name = pipe.pipe_shape == "Circular" ? "the diameter (PIPE_DIA)" : "the rise (RISE)";
  const double height_text = need(text::try_number(ld229_height_text(pipe)), 30,
                                  (std::string(height_name) + " is empty or not a number").c_str());
  const double height = need(height_text / dia_divisor, 30, "the pipe height is out of range");
  const double depth =
      need(as_number(typed(pipe.pipe_flowdepth)), 30, "the flow depth (column 23) is not a number");
  sheet.set_value(row, 30, depth < height ? "" : "Pressure Flow");
}

}  // namespace gw::reports
