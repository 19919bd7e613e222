// Registration of every subsystem's windows.
#include "model/model.h"

#include "design/windows.h"
#include "outlet/windows.h"
#include "reports/windows.h"

namespace gw {

std::unique_ptr<shell::Program> make_program(ui::Host& host, std::string program_folder) {
  auto prog = std::make_unique<shell::Program>(host, std::move(program_folder));
  shell::register_shell_windows(*prog);
  design::register_design_windows(*prog);
  reports::register_report_windows(*prog);
  outlet::register_outlet_windows(*prog);
  return prog;
}

}  // namespace gw
