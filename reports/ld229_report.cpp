// The form LD229 workbook: the design computations of every pipe, one row per pipe.
#include "reports/ld229_report.h"

#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "reports/ld229_row.h"
#include "reports/report_workbook.h"
#include "shell/desktop.h"

namespace gw::reports {

namespace {

// The PIPE columns of one row of the form, found once by name in the pipe list.
struct Ld229Columns {
  int pipe_number, nodein_no, nodein_station, nodeout_no, nodeout_station, structure_area, structure_ca,
      accumulated_ca, accumulated_tc, pipe_i, lateral_discharge, pipe_discharge, pipe_elein, pipe_eleout,
      pipe_length, pipe_slope, pipe_shape, pipe_dia, span, rise, numofpipes, capacity, friction_slope,
      pipe_flowdepth, pipe_areaflow, hyd_radius, pipe_velocity, energy, flow_time;

  explicit Ld229Columns(const db::Recordset& rs)
      : pipe_number(index(rs, "PIPE_NUMBER")),
        nodein_no(index(rs, "NODEIN_NO")),
        nodein_station(index(rs, "NODEIN_STATION")),
        nodeout_no(index(rs, "NODEOUT_NO")),
        nodeout_station(index(rs, "NODEOUT_STATION")),
        structure_area(index(rs, "STRUCTURE_AREA")),
        structure_ca(index(rs, "STRUCTURE_CA")),
        accumulated_ca(index(rs, "ACCUMULATED_CA")),
        accumulated_tc(index(rs, "ACCUMULATED_TC")),
        pipe_i(index(rs, "PIPE_I")),
        lateral_discharge(index(rs, "LATERAL_DISCHARGE")),
        pipe_discharge(index(rs, "PIPE_DISCHARGE")),
        pipe_elein(index(rs, "PIPE_ELEIN")),
        pipe_eleout(index(rs, "PIPE_ELEOUT")),
        pipe_length(index(rs, "PIPE_LENGTH")),
        pipe_slope(index(rs, "PIPE_SLOPE")),
        pipe_shape(index(rs, "PIPE_SHAPE")),
        pipe_dia(index(rs, "PIPE_DIA")),
        span(index(rs, "SPAN")),
        rise(index(rs, "RISE")),
        numofpipes(index(rs, "NUMOFPIPES")),
        capacity(index(rs, "CAPACITY")),
        friction_slope(index(rs, "FRICTION_SLOPE")),
        pipe_flowdepth(index(rs, "PIPE_FLOWDEPTH")),
        pipe_areaflow(index(rs, "PIPE_AREAFLOW")),
        hyd_radius(index(rs, "HYD_RADIUS")),
        pipe_velocity(index(rs, "PIPE_VELOCITY")),
        energy(index(rs, "ENERGY")),
        flow_time(index(rs, "FLOW_TIME")) {}

  // A column the pipe list lacks fails as reading it by name does.
  static int index(const db::Recordset& rs, const char* name) {
    const int i = rs.field_index(name);
    if (i < 0) (void)rs.field(name);
    return i;
  }

  // The current pipe's values that its row shows.
  Ld229Pipe read(const db::Recordset& rs) const {
    Ld229Pipe p;
    p.pipe_number = rs.field(pipe_number);
    p.nodein_no = rs.field(nodein_no);
    p.nodein_station = rs.field(nodein_station);
    p.nodeout_no = rs.field(nodeout_no);
    p.nodeout_station = rs.field(nodeout_station);
    p.structure_area = rs.field(structure_area);
    p.structure_ca = rs.field(structure_ca);
    p.accumulated_ca = rs.field(accumulated_ca);
    p.accumulated_tc = rs.field(accumulated_tc);
    p.pipe_i = rs.field(pipe_i);
    p.lateral_discharge = rs.field(lateral_discharge);
    p.pipe_discharge = rs.field(pipe_discharge);
    p.pipe_elein = rs.field(pipe_elein);
    p.pipe_eleout = rs.field(pipe_eleout);
    p.pipe_length = rs.field(pipe_length);
    p.pipe_slope = rs.field(pipe_slope);
    p.pipe_shape = rs.field(pipe_shape);
    p.pipe_dia = rs.field(pipe_dia);
    p.span = rs.field(span);
    p.span_null = rs.value(span).is_null();
    p.rise = rs.field(rise);
    p.rise_null = rs.value(rise).is_null();
    p.numofpipes = rs.field(numofpipes);
    p.capacity = rs.field(capacity);
    p.friction_slope = rs.field(friction_slope);
    p.pipe_flowdepth = rs.field(pipe_flowdepth);
    p.pipe_areaflow = rs.field(pipe_areaflow);
    p.hyd_radius = rs.field(hyd_radius);
    p.pipe_velocity = rs.field(pipe_velocity);
    p.energy = rs.field(energy);
    p.flow_time = rs.field(flow_time);
    return p;
  }
};

// The pipes as the grid lists them (PIPE_NUMBER order), with only the columns the form takes.
constexpr const char* kLd229Pipes =
    "SELECT PIPE_NUMBER, NODEIN_NO, NODEIN_STATION, NODEOUT_NO, NODEOUT_STATION, STRUCTURE_AREA, "
    "STRUCTURE_CA, "
    "ACCUMULATED_CA, ACCUMULATED_TC, PIPE_I, LATERAL_DISCHARGE, PIPE_DISCHARGE, PIPE_ELEIN, PIPE_ELEOUT, "
    "PIPE_LENGTH, PIPE_SLOPE, PIPE_SHAPE, PIPE_DIA, SPAN, RISE, NUMOFPIPES, CAPACITY, FRICTION_SLOPE, "
    "PIPE_FLOWDEPTH, PIPE_AREAFLOW, HYD_RADIUS, PIPE_VELOCITY, ENERGY, FLOW_TIME, PIPE_STORM_FREQ "
    "FROM PIPE ORDER BY PIPE_NUMBER";

}  // namespace

void mnuflexld229_Click(shell::Program& prog, design::frmpipeflex& /*window*/) {
  shell::SharedState& v = prog.vars;
  ReportSession report(prog, kFormLD229);
  try {
    // Every pipe in the grid's order, read with the columns of its row alone.
    const auto& conn = v.connections.project_connection;
    if (!conn || !conn->is_open()) throw gw::Error("The project database is not open.");
    db::Recordset pipes;
    pipes.open(*conn, kLd229Pipes);
    if (pipes.record_count() < 1) {
      prog.host.msgbox("No pipes to Display in LD229 Report!", ui::Buttons::OK, ui::Icon::Information);
      return;
    }
    if (!report.choose_file()) return;
    wb::Workbook& sheet = report.open();

    pipes.move_first();
    int row = kLd229FirstRow;
    report.set_value(4, 3, pipes.field("PIPE_STORM_FREQ"));
    report.set_text(1, 13, v.project.current_project_name);
    report.set_text(1, 25, v.project.project_designer);
    report.set_text(2, 13, v.project.project_location);
    report.set_text(3, 13, v.project.project_noaa_station);
    report.set_text(4, 13, v.project.project_county);
    report.set_text(5, 25, v.unit_system());

    const Ld229Columns columns(pipes);
    const long total = pipes.record_count();
    long done = 0;
    while (!pipes.eof()) {
      const Ld229Pipe pipe = columns.read(pipes);
      try {
        if (row > kLd229LastRow)
          throw Ld229RowError(1, "the form has no row left for it (at most " +
                                     std::to_string(kLd229LastRow - kLd229FirstRow + 1) + " pipes)");
        write_ld229_row(sheet, row, pipe, v.number_format(), v.units().size_divisor);
      } catch (const Ld229RowError& e) {
        // The pipe's row is taken out again; the rows before it are saved at the chosen name.
        if (row <= kLd229LastRow)
          for (int col = 1; col <= kLd229Columns; ++col) sheet.set_text(row, col, "");
        std::string message = "Form LD229 stopped at pipe " + pipe.pipe_number + ", " + e.what() + ".";
        if (report.save_as_is())
          message += "\nThe rows before it are saved in \"" + shell::full_path(report.file_name()) + "\".";
        report.fail(message);
        return;
      }
      pipes.move_next();
      ++row;
      report.progress(++done, total);
    }

    report.finish();
    pipes.move_first();
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::reports
