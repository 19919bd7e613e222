// Registration of the design report windows and commands.
#include "reports/windows.h"

#include "design/frmpipeflex.h"
#include "reports/frmHGL.h"
#include "reports/ld229_report.h"
#include "reports/pipe_results_report.h"

namespace gw::reports {

void register_report_windows(shell::Program& prog) {
  (void)prog;
  // The pipe table window's report commands.
  design::frmpipeflex::pipe_report_command = &mnupipereport_Click;
  design::frmpipeflex::ld229_command = &mnuflexld229_Click;
  // The hydraulic grade line window, which the pipe table window shows by name.
  shell::Program* p = &prog;
  prog.forms.register_form(frmHGL::kName, [p](ui::Forms&) { return std::make_unique<frmHGL>(*p); });
}

}  // namespace gw::reports
