// The form LD229 workbook: the design computations of every pipe, one row per pipe.
#include "reports/ld229_report.h"

#include "platform/db/recordset.h"
#include "reports/ld229_row.h"
#include "reports/report_workbook.h"
#include "shell/desktop.h"

namespace gw::reports {

namespace {

// The current pipe's values that its row shows.
Ld229Pipe read_ld229_pipe(const db::Recordset& rs) {
  Ld229Pipe p;
  p.pipe_number = rs.field("PIPE_NUMBER");
  p.nodein_no = rs.field("NODEIN_NO");
  p.nodein_station = rs.field("NODEIN_STATION");
  p.nodeout_no = rs.field("NODEOUT_NO");
  p.nodeout_station = rs.field("NODEOUT_STATION");
  p.structure_area = rs.field("STRUCTURE_AREA");
  p.structure_ca = rs.field("STRUCTURE_CA");
  p.accumulated_ca = rs.field("ACCUMULATED_CA");
  p.accumulated_tc = rs.field("ACCUMULATED_TC");
  p.pipe_i = rs.field("PIPE_I");
  p.lateral_discharge = rs.field("LATERAL_DISCHARGE");
  p.pipe_discharge = rs.field("PIPE_DISCHARGE");
  p.pipe_elein = rs.field("PIPE_ELEIN");
  p.pipe_eleout = rs.field("PIPE_ELEOUT");
  p.pipe_length = rs.field("PIPE_LENGTH");
  p.pipe_slope = rs.field("PIPE_SLOPE");
  p.pipe_shape = rs.field("PIPE_SHAPE");
  p.pipe_dia = rs.field("PIPE_DIA");
  p.span = rs.field("SPAN");
  p.span_null = rs.is_null("SPAN");
  p.rise = rs.field("RISE");
  p.rise_null = rs.is_null("RISE");
  p.numofpipes = rs.field("NUMOFPIPES");
  p.capacity = rs.field("CAPACITY");
  p.friction_slope = rs.field("FRICTION_SLOPE");
  p.pipe_flowdepth = rs.field("PIPE_FLOWDEPTH");
  p.pipe_areaflow = rs.field("PIPE_AREAFLOW");
  p.hyd_radius = rs.field("HYD_RADIUS");
  p.pipe_velocity = rs.field("PIPE_VELOCITY");
  p.energy = rs.field("ENERGY");
  p.flow_time = rs.field("FLOW_TIME");
  return p;
}

}  // namespace

void mnuflexld229_Click(shell::Program& prog, design::frmpipeflex& window) {
  shell::SharedState& v = prog.vars;
  ReportSession report(prog, kFormLD229);
  try {
    // The form's heights go from inches or millimetres to feet or metres (the pipe table
    // window's values). The program-wide gravity is not the report's to change.
    v.dia_divisor = v.unit_system == "ENGLISH" ? 12 : 1000;

    db::Recordset& pipes = window.open_flexpipeRS();
    if (pipes.record_count() < 1) {
      prog.host.msgbox("No pipes to Display in LD229 Report!", ui::Buttons::OK, ui::Icon::Information);
      return;
    }
    if (!report.choose_file()) return;
    wb::Workbook& sheet = report.open();

    pipes.move_first();
    int row = kLd229FirstRow;
    report.set_value(4, 3, pipes.field("PIPE_STORM_FREQ"));
    report.set_text(1, 13, v.current_project_name);
    report.set_text(1, 25, v.project_designer);
    report.set_text(2, 13, v.project_location);
    report.set_text(3, 13, v.project_noaa_station);
    report.set_text(4, 13, v.project_county);
    report.set_text(5, 25, v.unit_system);

    while (!pipes.eof()) {
      const Ld229Pipe pipe = read_ld229_pipe(pipes);
      try {
        if (row > kLd229LastRow)
          throw Ld229RowError(1, "the form has no row left for it (at most " +
                                     std::to_string(kLd229LastRow - kLd229FirstRow + 1) + " pipes)");
        write_ld229_row(sheet, row, pipe, v.number_format, v.dia_divisor);
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
    }

    report.finish();
    pipes.move_first();
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::reports
