// Registration of the pipe network design windows.
#include "design/windows.h"

#include "shell/placeholder_window.h"

namespace gw::design {

void register_design_windows(shell::Program& prog) {
  shell::Program* p = &prog;
  prog.forms.register_form("frmpipeflex", [p](ui::Forms&) {
    return std::make_unique<shell::PlaceholderWindow>(
        *p, "frmpipeflex", "Pipe Design", "mnupipeexit",
        [](shell::Program& pr) { pr.vars.pipe_design_done = true; });
  });
}

}  // namespace gw::design
