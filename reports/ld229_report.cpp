// The form LD229 workbook: the design computations of every pipe, one row per pipe.
#include "reports/ld229_report.h"

#include "platform/db/recordset.h"
#include "reports/ld229_row.h"
#include "reports/report_workbook.h"

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
    // The form's heights go from inches or millimetres to feet or metres; these stay set
    // whatever comes of the report.
    if (v.unit_system == "ENGLISH") {
      v.gravity = 32.2;
      v.dia_divisor = 12;
    } else {
      v.gravity = 9.8;
      v.dia_divisor = 1000;
    }

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
    report.set_value(1, 13, v.current_project_name);
    report.set_value(1, 25, v.project_designer);
    report.set_value(2, 13, v.project_location);
    // The form has one place for the rainfall source: the NOAA station, which the
    // project's intensities come from.
    report.set_value(3, 13, v.project_noaa_station);
    report.set_value(5, 25, v.unit_system);

    while (!pipes.eof()) {
      write_ld229_row(sheet, row, read_ld229_pipe(pipes), v.number_format, v.dia_divisor);
      pipes.move_next();
      row = next_ld229_row(row);
    }

    report.finish();
    pipes.move_first();
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::reports
