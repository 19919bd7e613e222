// Registration of the design report windows and commands.
#include "reports/windows.h"

#include "design/frmpipeflex.h"
#include "reports/frmHGL.h"
#include "reports/ld229_report.h"
#include "reports/pipe_results_report.h"

namespace gw::reports {

void register_report_windows(shell::Program& prog) {
  shell::Program* p = &prog;
  // The pipe table window's report commands, on the one pipe table window.
  prog.register_command(design::frmpipeflex::kPipeReportCommand,
                        [p] { mnupipereport_Click(*p, p->form<design::frmpipeflex>()); });
  prog.register_command(design::frmpipeflex::kLd229Command,
                        [p] { mnuflexld229_Click(*p, p->form<design::frmpipeflex>()); });
  // The hydraulic grade line window, which the pipe table window shows by name.
  prog.forms.register_form(frmHGL::kName, [p](ui::Forms&) { return std::make_unique<frmHGL>(*p); });
}

}  // namespace gw::reports
