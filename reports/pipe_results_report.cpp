// The pipe results workbook: design data and hydraulic results of the grid's current pipe.
#include "reports/pipe_results_report.h"

#include <chrono>
#include <ctime>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "platform/text/parse.h"
#include "reports/pipe_results_cells.h"
#include "reports/report_workbook.h"

namespace gw::reports {

namespace {

struct Date {
  int year, month, day;
};

Date today() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

db::Connection& project_connection(shell::Program& prog) {
  const auto& conn = prog.vars.connections.project_connection;
  if (!conn || !conn->is_open()) throw gw::Error("The project database is not open.");
  return *conn;
}

// The pipe of grid row `row`: the grid lists the pipes in PIPE_NUMBER order from row 1 on, so
// it is the record at that place in the same order, read alone. A row the pipes do not reach
// gives no record, and the first value read from it fails.
void read_row_pipe(db::Recordset& pipe, db::Connection& conn, long row) {
  if (row < 1) {
    pipe.open(conn, "SELECT * FROM PIPE LIMIT 0");
    return;
  }
  pipe.open(conn, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER LIMIT 1 OFFSET ?", {row - 1});
}

}  // namespace

void mnupipereport_Click(shell::Program& prog, design::frmpipeflex& window) {
  const shell::SharedState& v = prog.vars;
  ReportSession report(prog, kPipeReport);
  try {
    // One pipe is reported: the pipes are counted and that pipe's record alone is read.
    db::Connection& conn = project_connection(prog);
    if (conn.query_value("SELECT COUNT(*) FROM PIPE").integer() < 1) {
      prog.host.msgbox("No pipes to Display in Pipe Report!", ui::Buttons::OK, ui::Icon::Information);
      return;
    }
    db::Recordset pipes;
    read_row_pipe(pipes, conn, window.current_grid_row());
    // The numbers of the pipe must read as numbers: one that does not is named, and the
    // report stops before its dialog.
    if (!pipes.eof() && !pipes.bof()) {
      for (const PipeResultCell& cell : pipe_result_cells(v.project.legacy_project())) {
        const std::string_view column = cell.column;
        if (cell.label || column == "NODEIN_OFFSET" || column == "NODEOUT_OFFSET") continue;  // free texts
        const std::string value = pipes.field(cell.column);
        if (value.empty() || text::is_numeric(value)) continue;
        prog.host.msgbox(std::string(cell.column) + " of pipe " + pipes.field("PIPE_NUMBER") + " holds \"" +
                             value + "\", which is not a number. Please correct the pipe before the report.",
                         ui::Buttons::OK, ui::Icon::Exclamation);
        return;
      }
    }
    if (!report.choose_file()) return;

    report.open();
    report.set_text(1, 9, v.unit_system());
    const Date d = today();
    report.set_date(2, 9, d.year, d.month, d.day);
    report.set_text(3, 9, v.project.project_designer);
    report.set_text(6, 3, v.project.current_project_name);
    report.set_text(7, 3, v.project.project_county);
    report.set_text(8, 3, v.project.project_noaa_station);
    report.set_text(7, 8, v.project.project_state);
    for (const PipeResultCell& cell : pipe_result_cells(v.project.legacy_project())) {
      if (cell.label)
        report.set_text(cell.row, cell.col, pipes.field(cell.column));
      else
        report.set_value(cell.row, cell.col, pipes.field(cell.column));
    }
    report.finish();
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::reports
