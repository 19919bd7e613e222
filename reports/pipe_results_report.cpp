// The pipe results workbook: design data and hydraulic results of the grid's current pipe.
#include "reports/pipe_results_report.h"

#include <chrono>
#include <ctime>
#include <string_view>

#include "platform/db/recordset.h"
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

}  // namespace

void mnupipereport_Click(shell::Program& prog, design::frmpipeflex& window) {
  const shell::SharedState& v = prog.vars;
  ReportSession report(prog, kPipeReport);
  try {
    db::Recordset& pipes = window.open_flexpipeRS();
    if (pipes.record_count() < 1) {
      prog.host.msgbox("No pipes to Display in Pipe Report!", ui::Buttons::OK, ui::Icon::Information);
      return;
    }
    // The numbers of the pipe must read as numbers: one that does not is named, and the
    // report stops before its dialog.
    pipes.move_first();
    pipes.move(window.c("pipeflex").row() - 1L);
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

    // The grid lists the same pipes in the same order, from row 1 on: the pipe of the
    // grid's current row. A row the list does not reach leaves no current pipe, and the
    // first value read fails.
    pipes.move_first();
    pipes.move(window.c("pipeflex").row() - 1L);

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
